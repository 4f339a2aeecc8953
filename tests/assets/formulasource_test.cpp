// The checks a formula source goes through, the picture it becomes and the GIF writer.
#include "formulagen/formulasource.h"
#include "tests/support/programrun.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

using namespace corvane;
using namespace corvane::formulas;

namespace {

struct LineCase {
    const char* line;
    const char* problem; // a part of the complaint, empty when the line is sound
};

class CheckLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(CheckLine, FindsTheSlip) {
    const LineCase c = GetParam();
    const QString problem = CheckMarkupLine(QString::fromUtf8(c.line));
    if (*c.problem == '\0')
        EXPECT_TRUE(problem.isEmpty()) << c.line << ": " << problem.toStdString();
    else
        EXPECT_TRUE(problem.contains(QString::fromUtf8(c.problem)))
            << c.line << ": got \"" << problem.toStdString() << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CheckLine,
    ::testing::Values(
        LineCase{"k_a = [H^+]·[A^-] / [HA]", ""},
        LineCase{"&FC=0;100;220:&+BWeak acid&-B  &alfa = [A^-] / C_a", ""},
        LineCase{"pH &iorden ½·(pk_a - log C_a)   x^^2   a__b   A && B", ""},
        LineCase{"5&E-3 and 5&E+12", ""}, LineCase{"&FS=12:big &FN=Arial:face &FC=red:red", ""},
        LineCase{"&alpha = [A^-] / C_a", "unknown escape \"&alpha\""},
        LineCase{"[H_2A", "\"[\" is not closed"},
        LineCase{"k_a = [H^+]·[A^-]) / [HA]", "\")\" without its \"(\""},
        LineCase{"[H^+)", "\")\" without its \"(\""}, LineCase{"C_a + C_", "no character to lower"},
        LineCase{"x^ 2", "no character to raise"},
        LineCase{"&FS=12 big", "without its closing \":\""}, LineCase{"&FS=huge:", "font size"},
        LineCase{"&FC=purple:text", "unknown colour \"purple\""},
        LineCase{"&FC=:text", "without a value"}, LineCase{"10&E", "without an exponent"},
        LineCase{"A & B", "unknown escape"}));

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& text) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path;
}

TEST(FormulaSource, NamesFileAndLineOfEverySlip) {
    QTemporaryDir dir;
    const QString path = writeFile(dir, "11.txt",
                                   "# weak acid\n"
                                   "k_a = [H^+]·[A^-] / [HA]\n"
                                   "\n"
                                   "&alpha = [A^-\n"
                                   "h^3 + k_a·h&FS=9\n");
    std::vector<SourceError> errors;
    const FormulaSource source = ReadFormulaSource(path, errors);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].line, 4);
    EXPECT_EQ(errors[1].line, 5);
    EXPECT_EQ(errors[0].text(), path + ":4: unknown escape \"&alpha\"");
    // The comment is dropped, the empty line kept as a gap, each line knows where it came from.
    ASSERT_EQ(source.lines.size(), 4);
    EXPECT_EQ(source.lines[1], QString());
    EXPECT_EQ(source.lineOf[0], 2);
    EXPECT_EQ(source.lineOf[3], 5);
}

TEST(FormulaSource, AnEmptySourceOrAMissingFileIsAnError) {
    QTemporaryDir dir;
    std::vector<SourceError> errors;
    ReadFormulaSource(writeFile(dir, "X11.txt", "# nothing\n\n"), errors);
    ReadFormulaSource(dir.filePath("missing.txt"), errors);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].message, QString("draws nothing"));
    EXPECT_EQ(errors[1].message, QString("cannot be read"));
}

TEST(FormulaSource, PictureNamesFollowTheProblemCode) {
    EXPECT_EQ(PictureFileName("/a/34C.txt"), QString("34C.gif"));
    EXPECT_EQ(PictureFileName("/a/X34C.txt"), QString("X34C.jpg"));
}

// Count of pixels darker than mid-grey.
int inkedPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) ++n;
    return n;
}

TEST(FormulaSource, MoreLinesMakeATallerPictureWithInk) {
    FormulaSource one, three;
    one.lines = QStringList{"k_a = [H^+]·[A^-] / [HA]"};
    three.lines = QStringList{"k_a = [H^+]·[A^-] / [HA]", "", "C_a = [HA] + [A^-]"};
    const QImage small = DrawFormulaSource(one), tall = DrawFormulaSource(three);
    EXPECT_GT(small.width(), 100);
    EXPECT_GT(tall.height(), small.height() * 3 / 2);
    EXPECT_GT(inkedPixels(small), 150);
    // White margins all round.
    for (int x = 0; x < small.width(); ++x) {
        EXPECT_EQ(small.pixel(x, 0), qRgb(255, 255, 255));
        EXPECT_EQ(small.pixel(x, small.height() - 1), qRgb(255, 255, 255));
    }
}

TEST(GifWriter, WritesWhatQtReadsBack) {
    QTemporaryDir dir;
    FormulaSource source;
    source.lines = QStringList{"&FC=0;100;220:&+BWeak acid HA&-B", "h^3 + k_a·h^2 - K_w = 0"};
    const QImage picture = DrawFormulaSource(source);
    QString error;
    const QString path = dir.filePath("11.gif");
    ASSERT_TRUE(WriteGif(picture, path, error)) << error.toStdString();
    const QImage back(path);
    ASSERT_FALSE(back.isNull());
    ASSERT_EQ(back.size(), picture.size());
    // The palette keeps every colour of an anti-aliased text picture close to the original.
    int far = 0;
    for (int y = 0; y < back.height(); ++y)
        for (int x = 0; x < back.width(); ++x) {
            const QRgb a = picture.pixel(x, y), b = back.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                    std::abs(qBlue(a) - qBlue(b)) >
                48)
                ++far;
        }
    EXPECT_LT(far, back.width() * back.height() / 200);
    EXPECT_EQ(inkedPixels(back) > 0, true);
    EXPECT_FALSE(WriteGif(picture, dir.filePath("no/such/folder/11.gif"), error));
    EXPECT_FALSE(error.isEmpty());
}

test::ProgramRun runGenerator(const QTemporaryDir& dir, const QStringList& sources) {
    return test::RunProgram(CORVANE_FORMULAGEN,
                            QStringList{dir.filePath("img"), "351", "527"} + sources, 30000);
}

TEST(GifWriter, KeepsAFewColoursExactly) {
    QImage image(40, 10, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 255));
    for (int x = 0; x < 40; ++x) {
        image.setPixel(x, 3, qRgb(0, 100, 220));
        image.setPixel(x, 6, qRgb(0, 128, 0));
    }
    const QImage indexed = ToPalette(image);
    EXPECT_EQ(indexed.format(), QImage::Format_Indexed8);
    EXPECT_EQ(indexed.colorCount(), 3);
    EXPECT_EQ(indexed.color(0), qRgb(255, 255, 255)); // the commonest first
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(indexed.pixel(x, y), image.pixel(x, y)) << x << "," << y;
}

// The generator as the build runs it: a slip stops it with the file and line, and nothing
// is written.
TEST(Generator, ASlipFailsWithFileAndLine) {
    QTemporaryDir dir;
    const QString good = writeFile(dir, "10.txt", "h^2 - C_a·h - K_w = 0\n");
    const QString bad = writeFile(dir, "X10.txt", "pH &iorden -log C_a\n[H^+ &iorden C_a\n");
    const test::ProgramRun run = runGenerator(dir, {good, bad});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(bad + ":2: \"[\" is not closed"));
    EXPECT_FALSE(QFile::exists(dir.filePath("img/10.gif")));
}

TEST(Generator, RefusesAPictureTooWideForThePanel) {
    QTemporaryDir dir;
    const QString wide = writeFile(dir, "10.txt", QByteArray("C_a ").repeated(40) + "\n");
    const test::ProgramRun run = runGenerator(dir, {wide});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("pixels wide"));
}

TEST(Generator, WritesAGifAndAJpeg) {
    QTemporaryDir dir;
    const QString a = writeFile(dir, "10.txt", "h^2 - C_a·h - K_w = 0\n");
    const QString b = writeFile(dir, "X10.txt", "pH &iorden -log C_a\n");
    const test::ProgramRun run = runGenerator(dir, {a, b});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QImageReader(dir.filePath("img/10.gif")).format(), QByteArray("gif"));
    EXPECT_EQ(QImageReader(dir.filePath("img/X10.jpg")).format(), QByteArray("jpeg"));
}

} // namespace
