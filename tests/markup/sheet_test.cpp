// Writes a sheet of rendered examples for a person to look at:
// build/test-output/markup-sheet.png.
#include "markup/renderer.h"
#include "markup/surface.h"
#include "markup/symbols.h"
#include "numtext/numbertext.h"

#include <gtest/gtest.h>

#include <QDir>

using namespace corvane::markup;

namespace {

TEST(MarkupSheet, WritesTheExamples) {
    QStringList lines = {
        "[HA^–]   [H_2A]   [H_3O^+]   x^^2   a__b   C_a   C_2   &alfa_0   &alfa0   &Alfa   A & B",
        "pH = 7     1.235&E-4     5&E-3     5&E+3     number&E",
        "&+IC_a&-I italic   &+Bbold&-B   &FS=20:big&FS=10: small   &FN=Courier "
        "New:Courier&FN=Arial: back",
        "&FC=RED:red &FC=ROJO:rojo &FC=200;0:200;0 &FC=0;100;220:0;100;220 &FC=purple:purple=black",
        "&FC=200;0;0:&alfa_0=[HA]/C_a   &FC=0;100;220:&alfa_1=[A^–]/C_a",
        "-&DeltapH/&DeltaV  vs.  V_S_A.  @Rate of change of pH with change of volume",
        "drawn before &FSx stops here, nothing after"};
    QString symbols;
    for (const MarkupSymbol& s : MarkupSymbols())
        symbols += s.word + " ";
    const int perLine = 22;
    const QStringList words = symbols.split(' ', Qt::SkipEmptyParts);
    for (int i = 0; i < words.size(); i += perLine) {
        QString row;
        for (int k = i; k < std::min(i + perLine, static_cast<int>(words.size())); ++k)
            row += words[k].mid(1) + " " + words[k] + "  ";
        lines << row;
    }
    QString colours;
    for (const char* name : {"BLACK", "BLUE", "CYAN", "GREEN", "MAGENTA", "PINK", "VIOLETA", "RED",
                             "YELLOW", "BROWN", "GREY", "ORANGE"})
        colours += QString("&FC=%1:%1 ").arg(name);
    lines << colours;
    QString numbers;
    std::int16_t error = 0;
    for (double v :
         {0.000123456, 0.0123456, 123456.0, 0.002, -0.000456, 6.02e23, 9.99996e-5, 1e-14})
        numbers +=
            QString::fromStdString(corvane::numtext::FormatNumberMarkup(v, 4, '.', error)) + "    ";
    lines << numbers;

    PictureSurface sheet(1500, 40 * static_cast<int>(lines.size()) + 20);
    sheet.setFontName("Arial");
    sheet.setFontSize(13);
    for (int i = 0; i < lines.size(); ++i) {
        sheet.setCurrentX(150);
        sheet.setCurrentY((10 + 40 * i) * 15);
        DrawMarkup(lines[i], sheet);
    }
    const QString dir = QStringLiteral(CORVANE_TEST_OUTPUT_DIR);
    QDir().mkpath(dir);
    ASSERT_TRUE(sheet.image().save(dir + "/markup-sheet.png"));
}

} // namespace
