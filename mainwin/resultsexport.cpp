#include "resultsexport.h"

#include "table/tabletext.h"

#include <QStringList>

namespace corvane::mainwin {

namespace {

const QString LineEnd = QStringLiteral("\r\n");

} // namespace

QString HeadingUnit(const QString& heading) {
    const qsizetype open = heading.lastIndexOf(QLatin1Char('('));
    const qsizetype close = heading.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close <= open) return {};
    return heading.mid(open + 1, close - open - 1).trimmed();
}

QString ResultsText(const QString& title, const std::vector<ResultRow>& rows) {
    QString text = title + LineEnd;
    for (const ResultRow& row : rows)
        text += row.symbol + QLatin1Char('\t') + row.value + QLatin1Char('\t') + row.unit + LineEnd;
    return text;
}

QString ResultsHtml(const QString& title, const std::vector<ResultRow>& rows) {
    QString html =
        QStringLiteral("<p>") + title.toHtmlEscaped() + QStringLiteral("</p>\n<table>\n");
    for (const ResultRow& row : rows)
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>\n")
                    .arg(row.symbol.toHtmlEscaped(), row.value.toHtmlEscaped(),
                         row.unit.toHtmlEscaped());
    return html + QStringLiteral("</table>\n");
}

QString ResultsCsv(const QString& title, const std::vector<ResultRow>& rows,
                   char decimalSeparator) {
    const QChar separator = table::CsvSeparator(decimalSeparator);
    QString csv = table::CsvField(title, separator) + LineEnd;
    for (const ResultRow& row : rows)
        csv +=
            QStringList{table::CsvField(row.symbol, separator),
                        table::CsvField(row.value, separator), table::CsvField(row.unit, separator)}
                .join(separator) +
            LineEnd;
    return csv;
}

} // namespace corvane::mainwin
