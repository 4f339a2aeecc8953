// \brief The main window's "Constants..." command: which option has constants to fill, the
// small button in each constant field, and filling the fields from the chosen compounds.
#pragma once

#include <QObject>

#include <map>

class QAction;
class QLineEdit;

namespace corvane::engine {
struct ProblemType;
}
namespace corvane::widgets {
class Desktop;
}

namespace corvane::mainwin {

class FormMain;

class ConstantsCommand : public QObject {
    Q_OBJECT
public:
    /// Follows the window's tabs, options and check boxes to keep the menu item and the field
    /// buttons in step with the option shown.
    ConstantsCommand(FormMain& window, widgets::Desktop& desktop, QAction* menuItem);

    /// The problem type of the option chosen in task t, or null while none is.
    const engine::ProblemType* problemOf(int t) const;

    /// Enables the menu item when the current option has constants and puts the button into
    /// exactly the constant fields of every task's option.
    void refresh();

    /// Opens the chooser for the current option and, when it is accepted, writes 10^(-pk) of
    /// the chosen compounds into their constant fields; no other field changes.
    void run();

    /// The button inside a value field, or null when the field has none.
    QAction* fieldButton(QLineEdit* field) const;

private:
    FormMain& m_window;
    widgets::Desktop& m_desktop;
    QAction* m_menuItem;
    std::map<QLineEdit*, QAction*> m_buttons; // made on first use, kept for the field
};

} // namespace corvane::mainwin
