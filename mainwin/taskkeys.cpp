#include "taskkeys.h"

#include "controls.h"
#include "formmain.h"
#include "mainmenus.h"
#include "taskpanel.h"

#include <QAction>
#include <QMenu>
#include <QShortcut>

namespace corvane::mainwin {

TaskKeys::TaskKeys(FormMain& window, QMenu* typeMenu) : QObject(&window), m_window(window) {
    typeMenu->addSeparator();
    m_calculate = typeMenu->addAction("&Calculate", this, [this] {
        if (const int t = readyTask()) m_window.LblCAL_Click(t);
    });
    // Ctrl+Enter is the keypad's; a field leaves both to the window.
    m_calculate->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    m_clear = typeMenu->addAction("C&lear", this, [this] {
        if (const int t = readyTask()) m_window.LblDEL_Click(t);
    });
    m_graphic = typeMenu->addAction("&Graphic...", this, [this] {
        const int t = readyTask();
        if (t != 0 && m_window.task(t).graphic->isEnabled()) m_window.LblGRA_Click(t);
    });

    for (int n = 1; n <= 5; ++n)
        m_window.menus().taskItem(n)->setShortcut(QKeySequence(Qt::ALT | (Qt::Key_0 + n)));
    // X11 reports Shift+Tab as Backtab.
    for (const auto& [keys, step] :
         {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
          std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
          std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1}}) {
        auto* shortcut = new QShortcut(keys, &m_window);
        connect(shortcut, &QShortcut::activated, this, [this, step] { stepTask(step); });
    }
    connect(&m_window, &FormMain::commandsChanged, this, &TaskKeys::refresh);
    refresh();
}

int TaskKeys::readyTask() const {
    const int t = m_window.state().TaskIndex;
    return t >= 1 && !m_window.task(t).io->isHidden() ? t : 0;
}

void TaskKeys::refresh() {
    const int t = readyTask();
    m_calculate->setEnabled(t != 0);
    m_clear->setEnabled(t != 0);
    m_graphic->setEnabled(t != 0 && m_window.task(t).graphic->isEnabled());
}

void TaskKeys::stepTask(int step) {
    const int t = m_window.state().TaskIndex;
    const int next = t == 0 ? (step > 0 ? 1 : 5) : (t - 1 + step % 5 + 5) % 5 + 1;
    m_window.menus().taskItem(next)->trigger();
}

} // namespace corvane::mainwin
