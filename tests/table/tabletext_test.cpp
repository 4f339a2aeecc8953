#include "tabletext_test.h"

#include "table/tabletext.h"

#include "markup/surface.h"

#include <cmath>

using namespace corvane;
using namespace corvane::table;

namespace {

const QString CRLF = "\r\n";

QString cells(std::initializer_list<const char*> texts, int n) {
    QString line;
    for (const char* t : texts)
        line += QString::fromUtf8(t).leftJustified(n, ' ', true);
    return line;
}

// A weak acid's pH against C_a, with three recorded points.
void OneColumn(graphs::GraphSettings& s, graphs::GraphTable& t) {
    s.GraphTitle = "Weak monoprotic acid  k_a = 1.80&E-5";
    s.GraphSubtitle = "pH versus acid concentration C_a";
    s.TableCaption = "&alfa = [A^-]/C_a";
    s.ColumnHeading = {"C_a (mol/L)", "pH", "", "", ""};
    t.Value[0][1] = 0.000123456, t.Value[1][1] = 2.87528;
    t.Value[0][2] = 0.5, t.Value[1][2] = -0.5;
    t.Value[0][3] = 123456, t.Value[1][3] = 7;
    t.RecordedRows = 3;
}

// Four molar fractions against pH.
void FourColumns(graphs::GraphSettings& s, graphs::GraphTable& t) {
    s.GraphTitle = "Triprotic acid";
    s.GraphSubtitle = "Molar fractions &alfa_i";
    s.TableCaption = "";
    s.ColumnHeading = {"pH", "&alfa_0", "&alfa_1", "&alfa_2", "&alfa_3"};
    t.Value[0][1] = 2, t.Value[1][1] = 1.0 / 3.0, t.Value[2][1] = 0.25, t.Value[3][1] = 1.33267e-3,
    t.Value[4][1] = 0;
    t.RecordedRows = 1;
}

} // namespace

void TableTextTest::layout_data() {
    QTest::addColumn<int>("sigDigits");
    QTest::addColumn<bool>("four");
    QTest::addColumn<QStringList>("expected");

    // SigDigits 4: cells of 12, two columns, rules of 24.
    QStringList one{"Weak monoprotic acid  ka = 1.80E–5",
                    "pH versus acid concentration Ca",
                    "α = [A-]/Ca",
                    QString(24, '='),
                    cells({"Ca (mol/L)", "pH", "", "", ""}, 12),
                    QString(24, '='),
                    cells({"1.235E–4", "2.875"}, 12),
                    cells({"0.5", "–0.5"}, 12),
                    cells({"1.235E5", "7"}, 12)};
    for (int i = 4; i <= 64; ++i)
        one << "0           0           ";
    one << QString(24, '=');
    QTest::addRow("SigDigits 4, one plotted column") << 4 << false << one;

    // SigDigits 12: cells of 20, five columns, rules of 100, the decimal comma.
    QStringList four{"Triprotic acid",
                     "Molar fractions αi",
                     "",
                     QString(100, '='),
                     cells({"pH", "α0", "α1", "α2", "α3"}, 20),
                     QString(100, '='),
                     cells({"2", "0,333333333333", "0,25", "1,3326700000E–3", "0"}, 20)};
    for (int i = 2; i <= 64; ++i)
        four << cells({"0", "0", "0", "0", "0"}, 20);
    four << QString(100, '=');
    QTest::addRow("SigDigits 12, four plotted columns") << 12 << true << four;
}

void TableTextTest::layout() {
    QFETCH(int, sigDigits);
    QFETCH(bool, four);
    QFETCH(QStringList, expected);
    graphs::GraphSettings settings;
    graphs::GraphTable table;
    four ? FourColumns(settings, table) : OneColumn(settings, table);
    TableDrawing drawing(settings, table, sigDigits, four ? ',' : '.');
    markup::PictureSurface heading(796, 81), body(796, 1044);
    drawing.PonerCabecera(heading);
    drawing.PonerTabla(body);

    const QString text = drawing.TableText();
    QVERIFY(text.endsWith(CRLF));
    const QStringList lines = text.chopped(2).split(CRLF);
    QCOMPARE(lines.size(), 71);
    const int n = sigDigits + 8, k = four ? 5 : 2;
    QCOMPARE(lines[4].size(), 5 * n);
    for (int i : {3, 5, 70})
        QCOMPARE(lines[i].size(), n * k);
    for (int i = 6; i < 70; ++i)
        QCOMPARE(lines[i].size(), n * k);
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(lines[i], expected[i]);
    QVERIFY2(!text.contains(QRegularExpression("[^\\r]\\n")), "every line ends in CR LF");
}

void TableTextTest::rowsThatDoNotFitAreLeftOut() {
    graphs::GraphSettings settings;
    graphs::GraphTable table;
    OneColumn(settings, table);
    TableDrawing drawing(settings, table, 4, '.');
    markup::PictureSurface heading(796, 81);
    drawing.PonerCabecera(heading);
    const double row = heading.textHeight("VX") / markup::PictureSurface::ScreenTwipsPerPixel;
    // Room for ten rows and a little: the eleventh does not fit.
    markup::PictureSurface body(796, static_cast<int>(10.5 * row));
    drawing.PonerTabla(body);
    const QStringList lines = drawing.TableText().chopped(2).split(CRLF);
    QCOMPARE(lines.size(), 6 + 10);
    QCOMPARE(lines.last(), QString("0           0           "));
}

void TableTextTest::measuredPointsFollowAsASecondBlock() {
    graphs::GraphSettings settings;
    graphs::GraphTable table;
    OneColumn(settings, table);
    TableDrawing drawing(settings, table, 4, '.');
    markup::PictureSurface heading(796, 81), probe(796, 1);
    const int without = drawing.bodyPictureHeight(probe);
    drawing.setMeasuredPoints({{0.5, 3.184}, {12.25, 4.7}});
    const int with = drawing.bodyPictureHeight(probe);
    // Caption half a row down, headings, their rule, two rows and the block's rule: 5.1 rows.
    const double row = heading.textHeight("VX") / markup::PictureSurface::ScreenTwipsPerPixel;
    QVERIFY2(std::abs((with - without) - 5.1 * row) <= 1.0,
             qPrintable(QString("%1 − %2 against %3").arg(with).arg(without).arg(5.1 * row)));
    markup::PictureSurface body(796, with);
    drawing.PonerCabecera(heading);
    drawing.PonerTabla(body);
    const QStringList lines = drawing.TableText().chopped(2).split(CRLF);
    QCOMPARE(lines.size(), 71 + 8);
    QCOMPARE(
        lines.mid(71),
        (QStringList{"", "Measured data", QString(24, '='), cells({"Ca (mol/L)", "pH"}, 12),
                     QString(24, '='), cells({"0.5", "3.184"}, 12), cells({"12.25", "4.7"}, 12)}) +
            QStringList{QString(24, '=')});
}

void TableTextTest::rulesAreDrawnUnderTheHeadings() {
    graphs::GraphSettings settings;
    graphs::GraphTable table;
    OneColumn(settings, table);
    TableDrawing drawing(settings, table, 4, '.');
    markup::PictureSurface heading(796, 81, QColor(240, 244, 255));
    drawing.PonerCabecera(heading);
    const double rowPixels = heading.textHeight("VX") / 15.0;
    const double cellPixels = heading.textWidth(QString(12, '9')) / 15.0;
    const QImage image = heading.image();
    const int x = static_cast<int>(2 / 25.4 * 96 + cellPixels); // inside the second cell
    for (double at : {3.6, 4.9}) {
        const int y = static_cast<int>(std::lround(at * rowPixels));
        QVERIFY2(qGray(image.pixel(x, y)) < 128 || qGray(image.pixel(x, y - 1)) < 128,
                 qPrintable(QString("rule at %1 rows").arg(at)));
    }
    // The rules end after two cells.
    const int beyond = static_cast<int>(2 / 25.4 * 96 + 2 * cellPixels) + 3;
    QCOMPARE(image.pixelColor(beyond, static_cast<int>(std::lround(4.9 * rowPixels))),
             QColor(240, 244, 255));
}

void TableTextTest::csv_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("expected");
    QTest::addRow("decimal point") << QChar('.')
                                   << "Ca (mol/L),pH\r\n"
                                      "0.00012345600000000001,2.8752800000000001\r\n"
                                      "0.5,-0.5\r\n"
                                      "123456,7\r\n";
    QTest::addRow("decimal comma") << QChar(',')
                                   << "Ca (mol/L);pH\r\n"
                                      "0,00012345600000000001;2,8752800000000001\r\n"
                                      "0,5;-0,5\r\n"
                                      "123456;7\r\n";
}

void TableTextTest::csv() {
    QFETCH(QChar, separator);
    QFETCH(QString, expected);
    graphs::GraphSettings settings;
    graphs::GraphTable table;
    OneColumn(settings, table);
    QCOMPARE(TableCsv(settings, table, separator.toLatin1()), expected);
}

void TableTextTest::csvQuotesAHeadingHoldingTheSeparator() {
    graphs::GraphSettings settings;
    graphs::GraphTable table;
    FourColumns(settings, table);
    settings.ColumnHeading[4] = "a, \"b\"";
    const QString csv = TableCsv(settings, table, '.');
    QCOMPARE(csv.section("\r\n", 0, 0), QString("pH,α0,α1,α2,\"a, \"\"b\"\"\""));
    QCOMPARE(csv.section("\r\n", 1, 1), QString("2,0.33333333333333331,0.25,0.00133267,0"));
}
