#include "tabletext.h"

#include "markup/renderer.h"
#include "markup/surface.h"
#include "numtext/fields.h"
#include "numtext/numbertext.h"

#include <cmath>

namespace corvane::table {

using markup::DrawingSurface;

namespace {

const QString LineEnd = QStringLiteral("\r\n");

double Millimetres(double mm) {
    return mm / 25.4 * 1440;
}

// Draws a mark-up text at (x, y) and gives its plain text.
QString drawAt(DrawingSurface& surface, const std::string& text, double x, double y) {
    surface.setCurrentX(x);
    surface.setCurrentY(y);
    QString plain;
    markup::DrawMarkup(QString::fromStdString(text), surface, &plain);
    return plain;
}

} // namespace

TableDrawing::TableDrawing(const graphs::GraphSettings& settings, const graphs::GraphTable& table,
                           int sigDigits, char decimalSeparator)
    : m_settings(settings), m_table(table), m_sigDigits(sigDigits),
      m_decimalSeparator(decimalSeparator) {}

int TableDrawing::columnCount() const {
    const auto& h = m_settings.ColumnHeading;
    if (!h[4].empty()) return 5;
    if (!h[3].empty()) return 4;
    if (!h[2].empty()) return 3;
    return 2;
}

TableDrawing::Metrics TableDrawing::measure(const DrawingSurface& surface) const {
    return {surface.textHeight(QStringLiteral("VX")),
            surface.textWidth(QString(cellCharacters(), QLatin1Char('9')))};
}

double TableDrawing::closingRuleY(const Metrics& m, double top) {
    return TableRows * m.RowHeight + top + 1.1 * m.RowHeight;
}

// The measured block under the closing rule: its caption half a row down, the headings, their
// rule, one row a point and the block's own rule.
double TableDrawing::measuredRuleY(const Metrics& m, double top) const {
    return closingRuleY(m, top) + (3.1 + static_cast<double>(m_measured.size())) * m.RowHeight;
}

int TableDrawing::bodyPictureHeight(const DrawingSurface& surface) const {
    const Metrics m = measure(surface);
    // A window picture's rows start one row up; the rule is drawn centred on its y.
    const double last =
        m_measured.empty() ? closingRuleY(m, -m.RowHeight) : measuredRuleY(m, -m.RowHeight);
    const double rule = last / surface.twipsPerPixelY();
    return static_cast<int>(std::ceil(rule + surface.penWidth() / 2.0));
}

QString TableDrawing::cell(const QString& plain) const {
    return plain.leftJustified(cellCharacters(), QLatin1Char(' '), true);
}

QString TableDrawing::rule(int columns) const {
    return QString(cellCharacters() * columns, QLatin1Char('=')) + LineEnd;
}

void TableDrawing::PonerCabecera(DrawingSurface& surface) {
    m_text.clear();
    // 0.1 mm in twips, taken as printer pixels as it stands.
    surface.setPenWidth(surface.isPrinter() ? static_cast<int>(std::lround(Millimetres(0.1))) : 1);
    const Metrics m = measure(surface);
    const double left = Millimetres(2);
    const auto& s = m_settings;

    surface.setBold(true);
    m_text += drawAt(surface, s.GraphTitle, left, 0) + LineEnd;
    surface.setBold(false);
    m_text += drawAt(surface, s.GraphSubtitle, left, 1.1 * m.RowHeight) + LineEnd;
    m_text += drawAt(surface, s.TableCaption, left, 2.2 * m.RowHeight) + LineEnd;
    m_text += rule(columnCount());
    for (int c = 0; c < graphs::GraphTableColumns; ++c)
        m_text +=
            cell(drawAt(surface, s.ColumnHeading[c], left + c * m.CellWidth, 3.6 * m.RowHeight));
    m_text += LineEnd;
    m_text += rule(columnCount());

    const double width = columnCount() * m.CellWidth;
    for (double y : {3.6 * m.RowHeight, 4.9 * m.RowHeight})
        surface.drawLine(left, y, left + width, y, Qt::black);
}

void TableDrawing::PonerTabla(DrawingSurface& surface) {
    const Metrics m = measure(surface);
    const double top = surface.isPrinter() ? Millimetres(21.5) - m.RowHeight : -m.RowHeight;
    const double left = Millimetres(2);
    std::int16_t formatError = 0;
    for (int i = 1; i <= TableRows; ++i) {
        const double y = i * m.RowHeight + top;
        if (y + m.RowHeight > surface.scaleHeight()) return;
        for (int c = 0; c < graphs::GraphTableColumns; ++c) {
            if (c >= 2 && m_settings.ColumnHeading[c].empty()) continue;
            const std::string number = numtext::FormatNumberMarkup(m_table.Value[c][i], m_sigDigits,
                                                                   m_decimalSeparator, formatError);
            m_text += cell(drawAt(surface, number, left + c * m.CellWidth, y));
        }
        m_text += LineEnd;
    }
    const double y = closingRuleY(m, top);
    surface.drawLine(left, y, left + columnCount() * m.CellWidth, y, Qt::black);
    m_text += rule(columnCount());
    if (!m_measured.empty()) PonerMedidas(surface, m, top, left);
}

void TableDrawing::PonerMedidas(DrawingSurface& surface, const Metrics& m, double top,
                                double left) {
    const double start = closingRuleY(m, top);
    auto fits = [&](double y) { return y + m.RowHeight <= surface.scaleHeight(); };
    if (!fits(start + 0.5 * m.RowHeight)) return;
    m_text += LineEnd + drawAt(surface, "Measured data", left, start + 0.5 * m.RowHeight) + LineEnd;
    m_text += rule(2);
    for (int c = 0; c < 2; ++c)
        m_text += cell(drawAt(surface, m_settings.ColumnHeading[c], left + c * m.CellWidth,
                              start + 1.7 * m.RowHeight));
    m_text += LineEnd + rule(2);
    const double width = 2 * m.CellWidth;
    surface.drawLine(left, start + 2.9 * m.RowHeight, left + width, start + 2.9 * m.RowHeight,
                     Qt::black);
    std::int16_t formatError = 0;
    for (std::size_t i = 0; i < m_measured.size(); ++i) {
        const double y = start + (3.0 + static_cast<double>(i)) * m.RowHeight;
        if (!fits(y)) return;
        for (int c = 0; c < 2; ++c) {
            const double v = c == 0 ? m_measured[i].x : m_measured[i].y;
            m_text += cell(
                drawAt(surface,
                       numtext::FormatNumberMarkup(v, m_sigDigits, m_decimalSeparator, formatError),
                       left + c * m.CellWidth, y));
        }
        m_text += LineEnd;
    }
    const double y = measuredRuleY(m, top);
    surface.drawLine(left, y, left + width, y, Qt::black);
    m_text += rule(2);
}

QString PlainText(const std::string& markup) {
    markup::PictureSurface scratch(1, 1);
    return drawAt(scratch, markup, 0, 0);
}

QChar CsvSeparator(char decimalSeparator) {
    return decimalSeparator == ',' ? QLatin1Char(';') : QLatin1Char(',');
}

QString CsvField(QString text, QChar separator) {
    std::string field;
    numtext::appendCsvField(field, text.toStdString(), separator.toLatin1());
    return QString::fromStdString(field);
}

QString TableCsv(const graphs::GraphSettings& settings, const graphs::GraphTable& table,
                 char decimalSeparator) {
    const QChar separator = CsvSeparator(decimalSeparator);
    std::vector<int> columns{0, 1};
    for (int c = 2; c < graphs::GraphTableColumns; ++c)
        if (!settings.ColumnHeading[c].empty()) columns.push_back(c);

    auto field = [&](const QString& text) { return CsvField(text, separator); };
    QStringList heading;
    for (int c : columns)
        heading << field(PlainText(settings.ColumnHeading[c]));
    QString csv = heading.join(separator) + LineEnd;
    for (int i = 1; i <= std::min(table.RecordedRows, graphs::GraphTableLastRow); ++i) {
        QStringList row;
        for (int c : columns) {
            QString number = QString::number(table.Value[c][i], 'g', 17);
            if (decimalSeparator == ',') number.replace(QLatin1Char('.'), QLatin1Char(','));
            row << number;
        }
        csv += row.join(separator) + LineEnd;
    }
    return csv;
}

} // namespace corvane::table
