// \brief The graph window's "Scales" dialog: minimum, maximum, tick step and label spacing of
// both axes, prefilled with the scales drawn. "Default scales" brings back those of the chosen
// kind; Ok refuses an unreadable or bad entry with a message naming its field and stays open.
#pragma once

#include "graphs/userscales.h"

#include <QDialog>
#include <QString>

#include <array>
#include <optional>

class QLineEdit;
class QPushButton;

namespace corvane::widgets {
class Desktop;
}

namespace corvane::windows {

class ScalesDialog : public QDialog {
    Q_OBJECT
public:
    ScalesDialog(widgets::Desktop& desktop, const graphs::PlotScales& current,
                 const graphs::PlotScales& defaults, int kind, char decimalSeparator,
                 QWidget* parent = nullptr);

    QLineEdit* field(graphs::ScaleField f) const { return m_fields[static_cast<int>(f)]; }
    QPushButton* defaultsButton() const { return m_defaultsButton; }
    QPushButton* okButton() const { return m_ok; }

    /// After Ok: the scales entered; none when they are the kind's defaults.
    std::optional<graphs::PlotScales> chosen() const { return m_chosen; }

private:
    /// The field texts of scales, in ScaleField order.
    std::array<QString, 8> texts(const graphs::PlotScales& scales) const;
    void fill(const std::array<QString, 8>& texts);
    void onOk();
    /// The entered scales, or a message naming the first field that does not read.
    std::optional<graphs::PlotScales> read();

    widgets::Desktop& m_desktop;
    std::array<QString, 8> m_defaultTexts;
    int m_kind;
    char m_separator;
    std::array<QLineEdit*, 8> m_fields{};
    QPushButton* m_defaultsButton;
    QPushButton* m_ok;
    std::optional<graphs::PlotScales> m_chosen;
};

} // namespace corvane::windows
