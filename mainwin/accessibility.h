// \brief What a screen reader says for the main window's controls: the value fields by their
// symbol and heading, the buttons, options and task tabs by what they do.
#pragma once

#include <QString>

class QWidget;

namespace corvane::engine {
struct SlotRow;
}

namespace corvane::mainwin {

/// "C_a, Acid concentration (mol/L)"; ", result" follows for a result row.
QString FieldAccessibleName(const engine::SlotRow& row, bool result);

/// Names the value field of a row and says whether the user types into it. A row the option
/// does not use (null) gets neither.
void DescribeField(QWidget* field, const engine::SlotRow* row, bool result);

/// The task tab of task t, which Alt+t chooses.
void DescribeTab(QWidget* tab, int t);

/// An option of the task whose tab caption is `taskCaption`.
void DescribeOption(QWidget* option, const QString& taskCaption);

/// The Calculate, Clear and Graphic buttons and the check box of a task.
void DescribeCommands(QWidget* calculate, QWidget* clear, QWidget* graphic, QWidget* check);

} // namespace corvane::mainwin
