// \brief TaskPanel: one of the five tasks of the main window. Its tab, and its area with the
// title, the options, the check box panel, the field panel (15 rows, the Calculate, Clear and
// Graphic buttons and the line below them) and the formula panel; how they are built and placed.
// The window decides what the task shows; the panel forwards what the user does with it.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include <array>
#include <vector>

class QCheckBox;
class QFrame;
class QLabel;
class QWidget;

namespace corvane::mainwin {

class ClickLabel;
class OptionButton;
class PictureButton;
class StatusLine;
class ValueField;

class TaskPanel : public QObject {
    Q_OBJECT
public:
    static constexpr int RowsPerTask = 15;

    struct Row {
        QLabel* heading;
        QLabel* symbol;
        ValueField* field;
        QFrame* frame;
        QString headingText;
        QString symbolText;
    };

    /// Task t's tab and area on `client`: the tab shown, the area, the field panel and every
    /// field hidden, Graphic disabled. The widgets are named as the program names them
    /// ("PicIO(2)", "Text1(17)", "Opt2(0)"...).
    TaskPanel(int t, QWidget* client);

    /// Tab and area of the chosen task, or of one that is not: caption colour and weight, tab
    /// picture, area shown or hidden.
    void setChosen(bool chosen);
    /// The chosen option's caption bold, the others' not.
    void markChosenOption();
    /// The field panel's rows, buttons, status line and line for `inputRows` input rows.
    void layOutFields(int inputRows);
    /// The formula picture `code` + `extension` and its extra picture "X" + `code` + ".jpg"
    /// from `folder`; a missing picture is left out.
    void loadFormulaPictures(const QString& folder, const QString& code, const QString& extension);
    /// The area and its panels in a client area `width` × `height`, then the formula pictures.
    void layOutArea(int width, int height);

    const int t;
    QLabel* tabPicture;
    ClickLabel* tabCaption;
    QWidget* area;
    QLabel* title;
    QWidget* options;
    QFrame* optionsFrame;
    std::vector<OptionButton*> optionButtons;
    QWidget* checkPanel = nullptr; // tasks 1, 3, 5
    QFrame* checkLine = nullptr;
    QCheckBox* check = nullptr;
    QWidget* io;
    QFrame* ioFrame;
    QFrame* ioLine;
    std::array<Row, RowsPerTask> rows;
    PictureButton* calculate;
    PictureButton* clear;
    PictureButton* graphic;
    StatusLine* status; // below the buttons
    QWidget* formulas;
    QFrame* formulasFrame;
    QLabel* formula;
    QLabel* extra;
    QFrame* formulaLine;

signals:
    void tabClicked();
    void optionClicked();
    void checkClicked();
    void calculateClicked();
    void clearClicked();
    void graphicClicked();
    /// Field `index` (15 × (t − 1) + row) changed its text or took Enter.
    void fieldChanged(int index);
    void fieldEnter(int index);

private:
    void buildTab(QWidget* client);
    void buildOptions();
    void buildFields();
    void buildFormulas();
    void placeFormulaPictures();

    QPoint m_tabHome;
    bool m_chosen = false;
    bool m_formulaFound = false;
    bool m_extraFound = false;
};

} // namespace corvane::mainwin
