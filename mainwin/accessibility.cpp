#include "accessibility.h"

#include "headings.h"

#include "engine/catalogue.h"

#include <QWidget>

namespace corvane::mainwin {

namespace {

// Wide enough that every abbreviation of a heading is spelled out.
constexpr double SpokenWidth = 1e6;

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString FieldAccessibleName(const engine::SlotRow& row, bool result) {
    QString name = utf8(engine::SymbolName(row.quantity));
    const QString heading = FitHeading(utf8(row.heading), SpokenWidth).trimmed();
    if (!heading.isEmpty()) name += ", " + heading;
    if (result) name += ", result";
    return name;
}

void DescribeField(QWidget* field, const engine::SlotRow* row, bool result) {
    if (row == nullptr) {
        field->setAccessibleName({});
        field->setAccessibleDescription({});
        return;
    }
    field->setAccessibleName(FieldAccessibleName(*row, result));
    field->setAccessibleDescription(
        result ? "Calculated by Calculate; read only"
               : "Type the value if it is known, or leave the field empty to have it calculated");
}

void DescribeTab(QWidget* tab, int t) {
    tab->setAccessibleName(utf8(engine::Task(t).caption));
    tab->setAccessibleDescription(QString("Task tab, Alt+%1").arg(t));
}

void DescribeOption(QWidget* option, const QString& taskCaption) {
    option->setAccessibleDescription(
        QString("Option of the task %1; the arrow keys choose the next one").arg(taskCaption));
}

void DescribeCommands(QWidget* calculate, QWidget* clear, QWidget* graphic, QWidget* check) {
    calculate->setAccessibleDescription(
        "Fills in every quantity that follows from the values typed (Ctrl+Return)");
    clear->setAccessibleDescription("Empties every field of the task");
    graphic->setAccessibleDescription(
        "Draws graphs of the solved problem; available after a complete calculation");
    if (check)
        check->setAccessibleDescription(
            "Takes the first proton as given up completely: the first constant is not typed");
}

} // namespace corvane::mainwin
