#include "markup/renderer.h"
#include "markup/surface.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <ostream>
#include <random>

using namespace corvane::markup;

namespace {

struct PlainCase {
    const char* markup;
    const char* plain;
};
void PrintTo(const PlainCase& c, std::ostream* os) {
    *os << '"' << c.markup << '"';
}

class PlainTextTest : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainTextTest, GivesTheCharactersDrawn) {
    PictureSurface picture(400, 60);
    QString plain = QStringLiteral("unset");
    DrawMarkup(QString::fromUtf8(GetParam().markup), picture, &plain);
    EXPECT_EQ(plain, QString::fromUtf8(GetParam().plain));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlainTextTest,
    ::testing::Values(
        PlainCase{"", ""}, PlainCase{"1.235&E-4", "1.235E–4"}, PlainCase{"[H_3O^+]", "[H3O+]"},
        PlainCase{"[HA^–]", "[HA–]"}, PlainCase{"x^^2", "x^2"}, PlainCase{"a__b", "a_b"},
        PlainCase{"&alfa_0", "α0"}, PlainCase{"&alfa0", "α0"}, PlainCase{"&Alfa", "Alfa"},
        PlainCase{"A & B", "A  B"}, PlainCase{"&&", "&"}, PlainCase{"5&E+3", "5E3"},
        PlainCase{"5&E-3", "5E–3"}, PlainCase{"&E", "E"}, PlainCase{"pH = 7", "pH = 7"},
        PlainCase{"&FC=RED:red &FC=BLUE:blue", "red blue"}, PlainCase{"&FS=20:big", "big"},
        PlainCase{"&FN=Courier New:mono", "mono"}, PlainCase{"&+Iit&-I &+Bbold&-B", "it bold"},
        PlainCase{"&Fi&fi", "Φϕ"}, PlainCase{"&DeltapH/&DeltaV", "ΔpH/ΔV"}, PlainCase{"a_", "a_"},
        PlainCase{"b^", "b^"}, PlainCase{"&", ""}, PlainCase{"-2", "–2"},
        PlainCase{"&union&mp&hbar", "∪∓ℏ"}, PlainCase{"&E12x", "E12x"}));

double advance(const QString& markup, DrawingSurface& surface) {
    surface.setCurrentX(0);
    DrawMarkup(markup, surface);
    return surface.currentX();
}

TEST(DrawMarkup, AdvancesByTheDrawnCharactersAndTheGaps) {
    PictureSurface picture(400, 60);
    const double a = picture.textWidth("a"), b = picture.textWidth("b"),
                 eq = picture.textWidth("=");
    const double hgt = picture.textHeight("Hp");
    EXPECT_DOUBLE_EQ(advance("ab", picture), a + b);
    EXPECT_NEAR(advance("a=b", picture), a + eq + b + 2 * 0.04 * hgt, 1e-9);
    EXPECT_DOUBLE_EQ(advance("", picture), 0);
}

TEST(DrawMarkup, MeasuringFirstGivesTheSameWidthAsDrawing) {
    PictureSurface picture(600, 80);
    picture.setFontSize(14);
    picture.setItalic(true);
    MeasuringSurface measure(picture);
    for (const char* text : {"C_a", "[H_2A^–] =", "&FS=20:x_1&FN=Courier New:y", "1.5&E-7",
                             "&alfa_0, &alfa_1  vs.  pH", "&+Bk&-B_b = 1.8&E-5"}) {
        const QString markup = QString::fromUtf8(text);
        EXPECT_DOUBLE_EQ(advance(markup, measure), advance(markup, picture)) << text;
    }
}

TEST(DrawMarkup, RestoresTheEntryFontAndColour) {
    PictureSurface picture(400, 60);
    picture.setFontName("Arial");
    picture.setFontSize(11);
    picture.setTextColor(QColor(64, 64, 96));
    DrawMarkup("&FS=30:&FN=Courier New:&FC=RED:&+I&+Bx&alfa", picture);
    EXPECT_EQ(picture.fontName(), "Arial");
    EXPECT_EQ(picture.fontSize(), 11);
    EXPECT_FALSE(picture.italic());
    EXPECT_FALSE(picture.bold());
    EXPECT_EQ(picture.textColor(), QColor(64, 64, 96));
}

TEST(DrawMarkup, KeepsCurrentYExceptAfterAFontChange) {
    PictureSurface picture(400, 80);
    picture.setCurrentY(300);
    DrawMarkup("C_a^2 = &alfa 1&E-4", picture);
    EXPECT_EQ(picture.currentY(), 300);

    const double entryAscent = picture.fontAscentPixels() * 15;
    DrawMarkup("&FS=24:H", picture);
    picture.setFontSize(24);
    const double bigAscent = picture.fontAscentPixels() * 15;
    EXPECT_NEAR(picture.currentY(), 300 + entryAscent - bigAscent, 1e-9);
}

TEST(DrawMarkup, AFontFormWithoutColonStopsAndKeepsTheFontState) {
    PictureSurface picture(400, 60);
    picture.setFontSize(10);
    QString plain = QStringLiteral("unset");
    picture.setCurrentX(0);
    DrawMarkup("&+Iab&FSx and more", picture, &plain);
    EXPECT_EQ(plain, "unset");
    EXPECT_TRUE(picture.italic()) << "the italic switch before the stop stays";
    EXPECT_NEAR(picture.currentX(), picture.textWidth("a") + picture.textWidth("b"), 1e-9);
}

TEST(DrawMarkup, ColoursFollowTheColourForms) {
    PictureSurface picture(200, 40);
    picture.setFontSize(20);
    DrawMarkup("&FC=RED:MM&FC=0;0;255:MM", picture);
    const QImage& image = picture.image();
    bool red = false, blue = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red |= c.red() > 200 && c.green() < 60 && c.blue() < 60;
            blue |= c.blue() > 200 && c.red() < 60 && c.green() < 60;
        }
    EXPECT_TRUE(red);
    EXPECT_TRUE(blue);
}

// The rows of dark ink between two x positions (pixels): first and last.
std::pair<int, int> inkRows(const QImage& image, int fromX, int toX) {
    int top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = std::max(fromX, 0); x < std::min(toX, image.width()); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return {top, bottom};
}

struct Ink {
    std::pair<int, int> base;
    std::pair<int, int> second;
};

// Draws markup at 40 pt and returns the ink rows of the first letter and of what follows it.
Ink inkOf(const QString& markup) {
    PictureSurface picture(300, 140);
    picture.setFontSize(40);
    picture.setCurrentY(150);
    const int split = static_cast<int>(picture.textWidth("H") / 15);
    DrawMarkup(markup, picture);
    const QImage& image = picture.image();
    return {inkRows(image, 0, split - 1), inkRows(image, split + 1, image.width())};
}

TEST(DrawMarkup, SubscriptsSitLowerAndSuperscriptsHigher) {
    const Ink sub = inkOf("H_2");
    EXPECT_GT(sub.second.second, sub.base.second + 2) << "the subscript's ink goes below H";
    const Ink sup = inkOf("H^2");
    EXPECT_LT(sup.second.second, sup.base.second - 4) << "the superscript stands above the line";
    const Ink plain = inkOf("H2");
    EXPECT_NEAR(plain.second.second, plain.base.second, 1);
}

TEST(DrawMarkup, ALargerSizeKeepsTheEntryBaseline) {
    const Ink ink = inkOf("H&FS=60:H");
    EXPECT_NEAR(ink.second.second, ink.base.second, 1);
    EXPECT_LT(ink.second.first, ink.base.first - 5) << "the larger letter is taller";
}

TEST(DrawMarkup, SymbolsAreRaisedOnAPrinterOnly) {
    // On screen a symbol keeps CurrentY; the printer's 15-unit lift is undone afterwards too.
    PictureSurface picture(200, 40);
    picture.setCurrentY(100);
    DrawMarkup("&alfa&beta", picture);
    EXPECT_EQ(picture.currentY(), 100);
    EXPECT_GT(picture.currentX(), 0);
}

// Random texts built from the language's own pieces never crash or hang, and every drawing
// that runs to the end leaves the entry font and colour behind.
TEST(DrawMarkup, SurvivesRandomText) {
    const std::vector<QString> pieces = {"_",
                                         "^",
                                         "&",
                                         "&&",
                                         "&+I",
                                         "&-I",
                                         "&+B",
                                         "&-B",
                                         "&FS=",
                                         "&FN=",
                                         "&FC=",
                                         ":",
                                         ";",
                                         "=",
                                         "&alfa",
                                         "&E",
                                         "&E-",
                                         "&E+",
                                         "-",
                                         "+",
                                         "0",
                                         "7",
                                         "9",
                                         ".",
                                         "a",
                                         "Z",
                                         " ",
                                         "RED",
                                         "Courier New",
                                         "Nofont",
                                         "12",
                                         "1e400",
                                         "-3",
                                         "&Fi",
                                         "&ro",
                                         "&hbar",
                                         "&Alfa",
                                         QString(QChar(0xD83D)) + QChar(0xDE00),
                                         QString(QChar(0xD83D)),
                                         "\t",
                                         "[",
                                         "]"};
    std::mt19937 random(12345);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 12);
    PictureSurface target(100, 20);
    MeasuringSurface surface(target);
    const QFont entry("Arial", 10);
    int completed = 0, stopped = 0;
    for (int n = 0; n < 300000; ++n) {
        QString text;
        for (int k = length(random); k > 0; --k)
            text += pieces[pick(random)];
        surface.setFont(entry);
        surface.setTextColor(Qt::black);
        surface.setCurrentX(0);
        const QString unset = QStringLiteral("\u0001");
        QString plain = unset;
        DrawMarkup(text, surface, &plain);
        ASSERT_TRUE(std::isfinite(surface.currentX())) << text.toStdString();
        ASSERT_GE(surface.currentX(), 0) << text.toStdString();
        if (plain == unset) {
            ++stopped;
            continue;
        }
        ++completed;
        ASSERT_EQ(surface.font(), entry) << text.toStdString();
        ASSERT_EQ(surface.textColor(), QColor(Qt::black)) << text.toStdString();
        ASSERT_LE(plain.size(), text.size() + 2 * text.count("&E")) << text.toStdString();
    }
    EXPECT_GT(completed, 1000);
    EXPECT_GT(stopped, 1000);
}

} // namespace
