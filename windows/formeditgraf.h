// \brief FormEditGRAF: the graph type chooser. It lists the kinds offered for the problem with
// their titles, asks for the buffer volume and added concentration where a kind needs them,
// and on Ok stores the choice in the graph settings and runs AjustaEscalasETC.
#pragma once

#include "context.h"

#include <QDialog>
#include <QLineEdit>

#include <array>
#include <vector>

class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

namespace corvane::widgets {
class PictureView;
}

namespace corvane::windows {

/// A value field of the chooser: keeps only the characters of a number and selects its text
/// on entry.
class ExtraField : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    /// The characters a field keeps when typed.
    static bool Keeps(QChar c);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

class FormEditGRAF : public QDialog {
    Q_OBJECT
public:
    explicit FormEditGRAF(WindowContext& context, QWidget* parent = nullptr);
    ~FormEditGRAF() override;

    static constexpr int Rows = 8;

    void Ok();
    void Cancel();
    /// Selects row r (0..7) and moves the highlight frame and the extra panel to it.
    void selectRow(int r);
    /// The selected row, -1 for none.
    int selectedRow() const;
    /// The kind of row r, 0 for a hidden row.
    int rowKind(int r) const { return m_kinds[r]; }
    bool rowNeedsExtraFields(int r) const { return m_extra[r]; }
    int visibleRows() const;

    QRadioButton* option(int r) const { return m_options[r]; }
    widgets::PictureView* titlePicture(int r) const { return m_pictures[r]; }
    QWidget* extraPanel() const { return m_panel; }
    QLabel* concentrationLabel() const { return m_concentrationLabel; }
    ExtraField* volumeField() const { return m_volume; }
    ExtraField* concentrationField() const { return m_concentration; }
    QFrame* highlight() const { return m_highlight; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    QLabel* heading() const { return m_heading; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The construction in the order the widgets are made, which is also the tab order.
    void addHeading(int width);
    void addHighlight();
    void addRows(const std::vector<int>& offered, const std::vector<QString>& titles,
                 int pictureWidth);
    /// Row r shows the kind with its title.
    void offerKind(int r, int kind, const QString& title);
    void addExtraPanel(int pictureWidth);
    void addButtonBar(int width, int height);
    void loadChoice();

    /// The chooser's keys, pressed on target (the window or one of its controls).
    bool handleKey(QObject* target, int key);

    WindowContext& m_context;
    QLabel* m_heading;
    std::array<QRadioButton*, Rows> m_options{};
    std::array<widgets::PictureView*, Rows> m_pictures{};
    std::array<int, Rows> m_kinds{};
    std::array<bool, Rows> m_extra{};
    QWidget* m_panel;
    QLabel* m_volumeLabel;
    QLabel* m_concentrationLabel;
    ExtraField* m_volume;
    ExtraField* m_concentration;
    QFrame* m_highlight;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace corvane::windows
