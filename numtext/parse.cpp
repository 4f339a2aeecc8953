#include "numbertext.h"
#include "replace.h"

#include "engine/equilab.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace corvane::numtext {

namespace {

constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();

// Reads with "." whatever locale the program runs in. std::from_chars rounds as strtod does,
// many times faster; strtod reads what it leaves (a leading "+", a value beyond the range).
double readDecimal(std::string_view number) {
    double v = 0;
    const char* last = number.data() + number.size();
    if (const auto [end, error] = std::from_chars(number.data(), last, v);
        error == std::errc() && end == last)
        return v;
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtod_l(std::string(number).c_str(), nullptr, cLocale);
}

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The characters of the longest leading decimal number of text; 0 when it has none.
std::size_t leadingNumberLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool point = false;
    bool digits = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i]))
            digits = true;
        else if (text[i] == '.' && !point)
            point = true;
        else
            break;
    }
    if (!digits) return 0;
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            end = j;
        }
    }
    return end;
}

// A text that is one decimal number and nothing else; NaN for any other text.
double wholeNumberValue(std::string_view text) {
    const std::size_t length = leadingNumberLength(text);
    return length > 0 && length == text.size() ? readDecimal(text) : NotANumber;
}

// The separator side effect, then the text without spaces, with "." for "," and runs of up
// to four points collapsed into one.
std::string normalised(std::string_view text, NumberSettings& settings) {
    if (text.find('.') != std::string_view::npos) settings.DecimalSeparator = '.';
    if (text.find(',') != std::string_view::npos) settings.DecimalSeparator = ',';
    std::string s;
    for (char c : text)
        if (c != ' ') s += c == ',' ? '.' : c;
    if (s.find("..") == std::string::npos) return s;
    return ReplaceAll(ReplaceAll(s, "..", "."), "..", ".");
}

// A percentage, a fraction or a plain number, each number read by `number`; EmptyValue and
// calcError for a value that is not finite.
double evaluate(const std::string& s, double (*number)(std::string_view), std::int16_t& calcError) {
    using engine::EmptyValue;
    if (s.empty()) return EmptyValue;
    const std::string_view text(s);
    double result;
    if (s.back() == '%') {
        result = number(text.substr(0, s.size() - 1)) / 100.0;
    } else if (const std::size_t p = s.find('/', 1); p != std::string::npos) {
        if (s.find('%') != std::string::npos) {
            calcError = 1;
            return EmptyValue;
        }
        const double numerator = number(text.substr(0, p));
        const double denominator = number(text.substr(p + 1));
        result = denominator == 0.0 ? NotANumber : numerator / denominator;
    } else {
        result = number(text);
    }
    if (!std::isfinite(result)) {
        calcError = 1;
        return EmptyValue;
    }
    return result;
}

} // namespace

double LeadingNumberValue(std::string_view text) {
    const std::size_t length = leadingNumberLength(text);
    return length == 0 ? 0.0 : readDecimal(text.substr(0, length));
}

double ParseNumber(std::string_view text, NumberSettings& settings, std::int16_t& calcError) {
    return evaluate(normalised(text, settings), LeadingNumberValue, calcError);
}

double ParseNumberToken(std::string_view text, NumberSettings& settings, std::int16_t& calcError) {
    return evaluate(normalised(text, settings), wholeNumberValue, calcError);
}

} // namespace corvane::numtext
