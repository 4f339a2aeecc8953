#include "numbertext.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string_view>

namespace corvane::numtext {

namespace {

enum class Finish { Plain, Markup };

// The marked text with its decimal marks ("&." and a bare ".") as the separator; Plain drops
// the other marks too ("&E" becomes "E"), Markup keeps them.
std::string withSeparator(std::string_view marked, char separator, Finish finish) {
    std::string text;
    text.reserve(marked.size());
    for (std::size_t i = 0; i < marked.size(); ++i) {
        const char c = marked[i];
        if (c == '&') {
            const bool decimalMark = i + 1 < marked.size() && marked[i + 1] == '.';
            if (!decimalMark && finish == Finish::Markup) text += c;
        } else {
            text += c == '.' ? separator : c;
        }
    }
    return text;
}

// "1.2000E-5" as a field shows it: "1.2E-5", at most 11 trailing zeros of the mantissa
// dropped, then a point left bare before the exponent.
void trimMantissa(std::string& text) {
    const std::size_t exponent = text.find('E');
    std::size_t end = exponent;
    for (int dropped = 0; dropped < 11 && end > 0 && text[end - 1] == '0'; ++dropped)
        --end;
    if (end > 0 && text[end - 1] == '.') --end;
    text.erase(end, exponent - end);
}

std::string format(double x, int digits, char separator, std::int16_t& calcError, Finish finish) {
    if (x == 0.0) return "0";
    if (!std::isfinite(x)) {
        calcError = 1;
        return {};
    }
    const double sign = x < 0 ? -1.0 : 1.0;
    const double a = std::abs(x);
    int e = static_cast<int>(std::floor(std::log(a) / std::log(10.0)));

    if (a >= 0.01 && a < 100000)
        return withSeparator(NumberMarkupText(sign * RoundToDigits(a, e - digits, calcError)),
                             separator, finish);

    // Near the bottom of the double range 10^(N − e − 1) overflows: round a scaled copy.
    const int shift = e < -290 ? 300 : 0;
    std::string t =
        NumberMarkupText(RoundToDigits(a * std::pow(10.0, shift), e + shift - digits, calcError) /
                         std::pow(10.0, e + shift));
    // A mantissa rounded up to 10 (or an exact power of ten whose logarithm fell just below
    // the integer) moves into the exponent, whatever the sign, so it stays in [1, 10).
    if (t == "10") {
        t = "1";
        ++e;
    }
    if (digits >= 2 && t.find("&.") == std::string::npos) t += "&.";
    if (t.size() < static_cast<std::size_t>(digits) + 1) t.resize(digits + 1, '0');
    t += "&E" + std::to_string(e);
    if (sign < 0) t.insert(0, 1, '-');

    if (finish == Finish::Markup) return withSeparator(t, separator, finish);
    std::string text = withSeparator(t, '.', finish);
    trimMantissa(text);
    for (char& c : text)
        if (c == '.') c = separator;
    return text;
}

} // namespace

double RoundToDigits(double a, double q, std::int16_t& calcError) {
    calcError = 0;
    const double f = std::pow(10.0, -q - 1);
    const double rounded = std::floor(a * f + 0.5) / f;
    if (!std::isfinite(f) || !std::isfinite(rounded)) {
        calcError = 1;
        return 0.0;
    }
    return rounded;
}

std::string NumberMarkupText(double v) {
    // std::to_chars writes what printf's "%.15G" writes, in lower case and many times faster.
    char buffer[40];
    const char* end =
        std::to_chars(buffer, buffer + sizeof buffer, std::abs(v), std::chars_format::general, 15)
            .ptr;
    std::string t;
    t.reserve(static_cast<std::size_t>(end - buffer) + 8);
    if (v < 0) t += '-';
    for (const char* c = buffer; c != end; ++c) {
        if (*c == 'e') {
            // "e-05" becomes "&E-5", "e+20" stays "&E+20".
            t += "&E";
            ++c;
            if (*c == '-') t += *c++;
            if (*c == '0') ++c;
            t.append(c, end);
            break;
        }
        if (*c == '.') t += '&';
        t += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    }
    return t;
}

std::string FormatNumber(double x, int digits, char decimalSeparator, std::int16_t& calcError) {
    return format(x, digits, decimalSeparator, calcError, Finish::Plain);
}

std::string FormatNumberMarkup(double x, int digits, char decimalSeparator,
                               std::int16_t& calcError) {
    return format(x, digits, decimalSeparator, calcError, Finish::Markup);
}

} // namespace corvane::numtext
