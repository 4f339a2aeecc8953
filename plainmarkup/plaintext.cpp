#include "plaintext.h"
#include "symbolwords.h"

namespace corvane::markup {

namespace {

constexpr std::string_view EnDash = "–";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The length of the UTF-8 character at i: one byte for anything that does not start a
// sequence.
std::size_t characterLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return i + length <= text.size() ? length : 1;
}

const SymbolWord* symbolAt(std::string_view rest) {
    for (auto words : {SymbolFontWords(), MtExtraWords()})
        for (const SymbolWord& symbol : words)
            if (rest.starts_with(symbol.word)) return &symbol;
    return nullptr;
}

} // namespace

std::string PlainMarkup(std::string_view text) {
    std::string plain;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        const std::string_view rest = text.substr(i);
        if (c == '_' || c == '^') {
            // "__" and "^^" are the mark itself; at the very end the mark is drawn small.
            if (i + 1 < text.size() && text[i + 1] == c) {
                plain += c;
                i += 2;
                continue;
            }
            const std::size_t at = i + 1 < text.size() ? i + 1 : i;
            const std::size_t length = at == i ? 1 : characterLength(text, at);
            plain += text.substr(at, length);
            i = at + length;
        } else if (c != '&') {
            const std::size_t length = characterLength(text, i);
            plain += c == '-' ? EnDash : text.substr(i, length);
            i += length;
        } else if (rest.starts_with("&+I") || rest.starts_with("&-I") || rest.starts_with("&+B") ||
                   rest.starts_with("&-B")) {
            i += 3;
        } else if (rest.starts_with("&FS") || rest.starts_with("&FN") || rest.starts_with("&FC")) {
            const std::size_t colon = text.find(':', i);
            if (colon == std::string_view::npos) return {};
            i = colon + 1;
        } else if (const SymbolWord* symbol = symbolAt(rest)) {
            plain += symbol->sign;
            i += std::string_view(symbol->word).size();
        } else if (rest.starts_with("&&")) {
            plain += '&';
            i += 2;
        } else if (rest.starts_with("&E")) {
            // The power of ten is drawn as "·10" but reads "E", then the exponent.
            std::size_t j = i + 2;
            while (j < text.size() &&
                   (isDigit(text[j]) || ((text[j] == '+' || text[j] == '-') && j == i + 2)))
                ++j;
            std::string_view exponent = text.substr(i + 2, j - i - 2);
            plain += 'E';
            if (exponent.starts_with('+')) exponent.remove_prefix(1);
            if (exponent.starts_with('-')) {
                plain += EnDash;
                exponent.remove_prefix(1);
            }
            plain += exponent;
            i = j;
        } else {
            ++i; // an unknown form: its "&" is skipped
        }
    }
    return plain;
}

} // namespace corvane::markup
