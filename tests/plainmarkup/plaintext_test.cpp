// The plain text worked out without a surface is, byte for byte, what the renderer reports it
// drew: for hand-picked forms, every symbol word and random strings of mark-up pieces.
#include "markup/renderer.h"
#include "markup/surface.h"
#include "markup/symbols.h"
#include "plainmarkup/plaintext.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace corvane::markup {
namespace {

std::string drawn(const std::string& text) {
    static PictureSurface picture(400, 60);
    QString plain;
    picture.setCurrentX(0);
    DrawMarkup(QString::fromStdString(text), picture, &plain);
    return plain.toStdString();
}

TEST(PlainMarkup, ReadsEachFormAsTheRendererDraws) {
    for (const char* text : {"",
                             "V_S_B",
                             "pC_S_A = –log_1_0C_S_A",
                             "1.235&E-4",
                             "5&E+3",
                             "&E",
                             "&E12x",
                             "&E+",
                             "&E-",
                             "x^^2",
                             "a__b",
                             "a_",
                             "b^",
                             "_",
                             "^",
                             "&",
                             "&&",
                             "A & B",
                             "&Alfa",
                             "&alfa0",
                             "-2",
                             "&FC=RED:red &FC=BLUE:blue",
                             "&FS=20:big",
                             "&FN=Courier New:mono",
                             "&FS=20 no colon",
                             "before &FC=RED",
                             "&+Iit&-I &+Bbold&-B",
                             "&Fi&fi",
                             "&union&mp&hbar",
                             "_α and ^Δ",
                             "k_a = 1.8&E-5 mol/L",
                             "[H_3O^+] = 10^-^p^H",
                             "&&alfa",
                             "&ro&rho"})
        EXPECT_EQ(PlainMarkup(text), drawn(text)) << '"' << text << '"';
}

TEST(PlainMarkup, GivesTheSignOfEverySymbolWord) {
    for (const MarkupSymbol& symbol : MarkupSymbols()) {
        const std::string text = symbol.word.toStdString() + "_1";
        EXPECT_EQ(PlainMarkup(text), drawn(text)) << '"' << text << '"';
    }
}

TEST(PlainMarkup, AgreesWithTheRendererOnRandomMarkup) {
    const std::vector<std::string> pieces{
        "a",    "Z",     "7",      "-",      "+",       " ", "_",   "^",   "&", "&&", "&E", "&E-",
        "&E+1", "&alfa", "&Delta", "&FS=9:", "&FC=RED", ":", "&+I", "&-B", "α", "–",  "·",  "&mp"};
    std::mt19937 random(18);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 12);
    for (int i = 0; i < 2000; ++i) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += pieces[pick(random)];
        ASSERT_EQ(PlainMarkup(text), drawn(text)) << '"' << text << '"';
    }
}

} // namespace
} // namespace corvane::markup
