#include "markup/symbols.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>

using namespace corvane::markup;

namespace {

TEST(MarkupSymbols, TableInLookupOrder) {
    const auto& table = MarkupSymbols();
    ASSERT_EQ(table.size(), 77u);
    EXPECT_EQ(table.front().word, "&alfa");
    EXPECT_EQ(table.front().sign, QString::fromUtf8("α"));
    EXPECT_EQ(table.front().code, 'a');
    EXPECT_EQ(table[26].word, "&Ypsilon");
    EXPECT_EQ(table[26].code, 161);
    EXPECT_EQ(table[72].word, "&or");
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].fontName, i < 73 ? "Symbol" : "MT Extra") << table[i].word.toStdString();
    EXPECT_EQ(table.back().word, "&hbar");
    EXPECT_EQ(table.back().sign, QString::fromUtf8("ℏ"));
    std::set<QString> words;
    for (const MarkupSymbol& s : table) {
        EXPECT_TRUE(words.insert(s.word).second) << s.word.toStdString();
        EXPECT_TRUE(s.word.startsWith('&'));
        EXPECT_EQ(s.sign.size(), 1);
    }
}

struct ColourCase {
    const char* text;
    QColor colour;
};
void PrintTo(const ColourCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class ColorFromNameTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColorFromNameTest, ReadsTheColour) {
    EXPECT_EQ(ColorFromName(QString::fromUtf8(GetParam().text)), GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColorFromNameTest,
    ::testing::Values(
        ColourCase{"red", QColor(255, 0, 0)}, ColourCase{"ROJO", QColor(255, 0, 0)},
        ColourCase{" Azul ", QColor(0, 0, 255)}, ColourCase{"200;0", QColor(200, 0, 0)},
        ColourCase{"0;100;220", QColor(0, 100, 220)}, ColourCase{"196;128;0", QColor(196, 128, 0)},
        ColourCase{"10.6;0;0", QColor(11, 0, 0)}, ColourCase{"300;-5;0", QColor(255, 0, 0)},
        ColourCase{"255", QColor(255, 0, 0)}, ColourCase{"65280", QColor(0, 255, 0)},
        ColourCase{"16711680", QColor(0, 0, 255)}, ColourCase{"purple", QColor(0, 0, 0)},
        ColourCase{"", QColor(0, 0, 0)}, ColourCase{"naranjado", QColor(255, 128, 0)},
        ColourCase{"GRIS", QColor(192, 192, 192)}, ColourCase{"Fucsia", QColor(255, 128, 255)},
        ColourCase{"canelo", QColor(128, 64, 0)}, ColourCase{"violeta", QColor(128, 0, 255)}));

} // namespace
