// \brief The main window's commands from the keyboard: Calculate, Clear and Graphic in the
// "Type of calculation" menu (Ctrl+Return calculates from any field), the task tabs by
// Ctrl+Tab, Ctrl+Shift+Tab and Alt+1 to Alt+5.
#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace corvane::mainwin {

class FormMain;

class TaskKeys : public QObject {
    Q_OBJECT
public:
    /// Adds the three commands to `typeMenu` and the task keys to the window.
    TaskKeys(FormMain& window, QMenu* typeMenu);

    /// Calculate and Clear while the task shown has an option chosen; Graphic while its
    /// button is enabled.
    void refresh();
    /// Shows the task `step` tabs to the right (left when negative), round the end; the first
    /// or the last while none is shown.
    void stepTask(int step);

    QAction* calculate() const { return m_calculate; }
    QAction* clear() const { return m_clear; }
    QAction* graphic() const { return m_graphic; }

private:
    /// The task shown when it has an option chosen, else 0.
    int readyTask() const;

    FormMain& m_window;
    QAction* m_calculate;
    QAction* m_clear;
    QAction* m_graphic;
};

} // namespace corvane::mainwin
