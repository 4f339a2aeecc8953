// \brief PonerCabecera and PonerTabla: the data table drawn on a surface (a window picture or a
// printer page) while its plain-text copy TableText is built; the CSV form of the same table.
#pragma once

#include "fit/measured.h"
#include "graphs/settings.h"
#include "graphs/sweep.h"

#include <QString>
#include <QStringList>

namespace corvane::markup {
class DrawingSurface;
}

namespace corvane::table {

inline constexpr int TableRows = 64;
/// The width of the table's pictures and the height of its heading picture, in pixels.
inline constexpr int TableWidth = 796;
inline constexpr int TableHeadingHeight = 81;

class TableDrawing {
public:
    TableDrawing(const graphs::GraphSettings& settings, const graphs::GraphTable& table,
                 int sigDigits, char decimalSeparator);

    /// Draws the title lines, the caption and the column headings with their rules, and
    /// starts TableText afresh.
    void PonerCabecera(markup::DrawingSurface& surface);
    /// Draws rows 1 to 64 and the closing rule, appending them to TableText; stops at the
    /// first row that does not fit on the surface. Measured points follow as a second block.
    void PonerTabla(markup::DrawingSurface& surface);

    /// The height in pixels of a window picture that just holds what PonerTabla draws on it:
    /// rows 1 to 64 and, on its last pixel rows, the closing rule (of the measured block when
    /// there is one).
    int bodyPictureHeight(const markup::DrawingSurface& surface) const;

    /// Measured points listed under the table: a caption, the x and y headings and one row a
    /// point. None by default.
    void setMeasuredPoints(std::vector<fit::MeasuredPoint> points) {
        m_measured = std::move(points);
    }

    /// The plain-text table of the last drawing, lines ended by CR LF.
    const QString& TableText() const { return m_text; }

    /// Characters per cell: SigDigits + 8.
    int cellCharacters() const { return m_sigDigits + 8; }
    /// Columns in use: 0 and 1, then up to the last column with a heading.
    int columnCount() const;

private:
    struct Metrics {
        double RowHeight;
        double CellWidth;
    };
    Metrics measure(const markup::DrawingSurface& surface) const;
    /// Where the rule under row 64 is drawn, rows starting at `top`.
    static double closingRuleY(const Metrics& m, double top);
    /// Where the rule under the measured block is drawn.
    double measuredRuleY(const Metrics& m, double top) const;
    void PonerMedidas(markup::DrawingSurface& surface, const Metrics& m, double top, double left);
    QString cell(const QString& plain) const;
    QString rule(int columns) const;

    const graphs::GraphSettings& m_settings;
    const graphs::GraphTable& m_table;
    int m_sigDigits;
    char m_decimalSeparator;
    QString m_text;
    std::vector<fit::MeasuredPoint> m_measured;
};

/// The plain text of a mark-up string, as DrawMarkup gives it.
QString PlainText(const std::string& markup);

/// The CSV field separator: ";" when the decimal separator is ",", else ",".
QChar CsvSeparator(char decimalSeparator);
/// A CSV field, quoted (its quotes doubled) when it holds the separator, a quote or a line break.
QString CsvField(QString text, QChar separator);

/// The recorded rows as comma-separated values: a line of the plain headings of the columns in
/// use, then one line per recorded row with 17 significant digits. The separator is ";" when
/// the decimal separator is ",". Lines end in CR LF; a field holding the separator or a quote
/// is quoted.
QString TableCsv(const graphs::GraphSettings& settings, const graphs::GraphTable& table,
                 char decimalSeparator);

} // namespace corvane::table
