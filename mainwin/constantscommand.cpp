#include "constantscommand.h"

#include "compoundchooser.h"
#include "controls.h"
#include "formmain.h"
#include "mainmenus.h"
#include "taskpanel.h"

#include "compounds/constants.h"
#include "engine/catalogue.h"
#include "numtext/numbertext.h"
#include "widgets/desktop.h"

#include <QAction>
#include <QCheckBox>
#include <QPainter>
#include <QRadioButton>

namespace corvane::mainwin {

namespace {

constexpr int RowsPerTask = TaskPanel::RowsPerTask;

// A small list sign: three dots with lines.
QIcon listIcon() {
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(64, 64, 128), 2));
    for (int y : {3, 7, 11}) {
        p.drawPoint(2, y);
        p.drawLine(5, y, 12, y);
    }
    return QIcon(pixmap);
}

} // namespace

ConstantsCommand::ConstantsCommand(FormMain& window, widgets::Desktop& desktop, QAction* menuItem)
    : QObject(&window), m_window(window), m_desktop(desktop), m_menuItem(menuItem) {
    // Connected after the window's own handlers, so these run once the window has changed.
    for (int t = 1; t <= 5; ++t) {
        const TaskPanel& task = m_window.task(t);
        connect(task.tabCaption, &ClickLabel::clicked, this, &ConstantsCommand::refresh);
        connect(m_window.menus().taskItem(t), &QAction::triggered, this,
                &ConstantsCommand::refresh);
        for (OptionButton* option : task.optionButtons)
            connect(option, &QRadioButton::clicked, this, &ConstantsCommand::refresh);
        if (task.check) connect(task.check, &QCheckBox::clicked, this, &ConstantsCommand::refresh);
    }
    refresh();
}

const engine::ProblemType* ConstantsCommand::problemOf(int t) const {
    if (t < 1 || m_window.task(t).io->isHidden()) return nullptr;
    const TaskPanel& task = m_window.task(t);
    const QCheckBox* check = task.check;
    for (std::size_t j = 0; j < task.optionButtons.size(); ++j) {
        const int option = static_cast<int>(j);
        if (!task.optionButtons[j]->isChecked()) continue;
        const bool checked = check && check->isChecked();
        return engine::FindProblem(engine::FormProblemCode(t, option, checked));
    }
    return nullptr;
}

void ConstantsCommand::refresh() {
    const engine::ProblemType* current = problemOf(m_window.state().TaskIndex);
    m_menuItem->setEnabled(current && !compounds::ConstantRoles(*current).empty());

    for (int t = 1; t <= 5; ++t) {
        std::vector<bool> constant(RowsPerTask, false);
        if (const engine::ProblemType* problem = problemOf(t))
            for (const compounds::ConstantRole& role : compounds::ConstantRoles(*problem))
                for (const compounds::ConstantSlot& s : role.fields)
                    constant[s.slot] = true;
        for (int i = 0; i < RowsPerTask; ++i) {
            QLineEdit* field = m_window.task(t).rows[static_cast<std::size_t>(i)].field;
            QAction* button = fieldButton(field);
            if (constant[i] && button == nullptr) {
                if (!m_buttons.contains(field)) {
                    auto* action = new QAction(listIcon(), "Constants...", field);
                    action->setToolTip("Constants...: fill in the constants of a common acid "
                                       "or base");
                    connect(action, &QAction::triggered, this, &ConstantsCommand::run);
                    m_buttons[field] = action;
                }
                field->addAction(m_buttons[field], QLineEdit::TrailingPosition);
            } else if (!constant[i] && button != nullptr) {
                field->removeAction(button);
            }
        }
    }
}

QAction* ConstantsCommand::fieldButton(QLineEdit* field) const {
    const auto it = m_buttons.find(field);
    if (it == m_buttons.end() || !field->actions().contains(it->second)) return nullptr;
    return it->second;
}

void ConstantsCommand::run() {
    const int t = m_window.state().TaskIndex;
    const engine::ProblemType* problem = problemOf(t);
    if (problem == nullptr) return;
    std::vector<compounds::ConstantRole> roles = compounds::ConstantRoles(*problem);
    if (roles.empty()) return;

    CompoundChooser chooser(roles, &m_window);
    if (!m_desktop.runDialog(chooser)) return;
    const compounds::Compound* acid = nullptr;
    const compounds::Compound* base = nullptr;
    for (int i = 0; i < chooser.roleCount(); ++i)
        (chooser.role(i).kind == compounds::Kind::Acid ? acid : base) = chooser.choice(i);

    const compounds::Filling filling = compounds::FillConstants(*problem, acid, base);
    const MainState& state = m_window.state();
    std::int16_t formatError = 0; // no calculation is pending here
    for (const auto& [slot, value] : filling.values) {
        QLineEdit* field = m_window.task(t).rows[static_cast<std::size_t>(slot)].field;
        field->setText(QString::fromStdString(numtext::FormatNumber(
            value, state.SigDigits, state.numbers.DecimalSeparator, formatError)));
        field->setCursorPosition(0);
    }
}

} // namespace corvane::mainwin
