// \brief The symbol words of the mark-up and the signs drawn for them, without Qt: the words of
// the Symbol font, then those of MT Extra, each in lookup order.
#pragma once

#include <span>

namespace corvane::markup {

struct SymbolWord {
    const char* word; // with its "&"
    int code;         // the character in the font's own encoding
    const char* sign; // the Unicode sign drawn in its place, UTF-8
};

std::span<const SymbolWord> SymbolFontWords();
std::span<const SymbolWord> MtExtraWords();

} // namespace corvane::markup
