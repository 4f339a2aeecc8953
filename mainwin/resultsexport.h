// \brief The shown results of a task as plain text, an HTML table and CSV, for the clipboard
// and for "Save results as...".
#pragma once

#include <QString>

#include <vector>

namespace corvane::mainwin {

/// One shown quantity: its symbol, its value as the field shows it and its unit (may be empty).
struct ResultRow {
    QString symbol;
    QString value;
    QString unit;
};

/// The unit in a heading's parentheses ("mol/L" for "Concentration (mol/L)"); empty without.
QString HeadingUnit(const QString& heading);

/// The title, then one line per row: symbol, value and unit separated by tabs. Lines end in CR LF.
QString ResultsText(const QString& title, const std::vector<ResultRow>& rows);
/// The same as an HTML table under the title, its texts escaped.
QString ResultsHtml(const QString& title, const std::vector<ResultRow>& rows);
/// The same as comma-separated values, ";" when the decimal separator is ",".
QString ResultsCsv(const QString& title, const std::vector<ResultRow>& rows, char decimalSeparator);

} // namespace corvane::mainwin
