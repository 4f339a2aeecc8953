#include "numbertext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace corvane::numtext {

namespace {

enum class Finish { Plain, Markup };

// 10^n exactly as std::pow gives it, from a table for the exponents doubles have.
double powerOfTen(int n) {
    constexpr int Lowest = -400, Highest = 400;
    static const std::array<double, Highest - Lowest + 1> powers = [] {
        std::array<double, Highest - Lowest + 1> p{};
        for (int k = Lowest; k <= Highest; ++k)
            p[static_cast<std::size_t>(k - Lowest)] = std::pow(10.0, static_cast<double>(k));
        return p;
    }();
    return n >= Lowest && n <= Highest ? powers[static_cast<std::size_t>(n - Lowest)]
                                       : std::pow(10.0, static_cast<double>(n));
}

// RoundToDigits with its factor f = 10^(−q − 1) given.
double roundWith(double a, double f, std::int16_t& calcError) {
    calcError = 0;
    const double rounded = std::floor(a * f + 0.5) / f;
    if (!std::isfinite(f) || !std::isfinite(rounded)) {
        calcError = 1;
        return 0.0;
    }
    return rounded;
}

// What printf's "%.15g" writes for a > 0, into [first, last). Most values are found with one
// multiplication: a·10^k, k = 14 − exponent, is the 15-digit integer it rounds to, unless the
// product lies within its error (a third) of a half; then std::to_chars, which rounds as
// printf does, writes it.
char* fifteenDigits(double a, char* first, char* last) {
    constexpr double Lowest = 1e14, Highest = 1e15;
    const int exponent = static_cast<int>(std::floor(std::log10(a)));
    const int k = 14 - exponent;
    const double product = k >= 0 && k <= 44 ? a * powerOfTen(k) : 0.0;
    const double whole = std::floor(product);
    const double fraction = product - whole;
    if (!(product >= Lowest && product < Highest) || (fraction > 0.2 && fraction < 0.8))
        return std::to_chars(first, last, a, std::chars_format::general, 15).ptr;
    const double rounded = fraction >= 0.5 ? whole + 1 : whole;
    if (rounded >= Highest)
        return std::to_chars(first, last, a, std::chars_format::general, 15).ptr;
    char digits[16];
    std::to_chars(digits, digits + sizeof digits, static_cast<std::uint64_t>(rounded));
    int count = 15;
    while (digits[count - 1] == '0')
        --count;
    char* out = first;
    if (exponent < -4) {
        // 1.5e-07: one digit, the others after the point, two exponent digits at least.
        *out++ = digits[0];
        if (count > 1) {
            *out++ = '.';
            out = std::copy(digits + 1, digits + count, out);
        }
        *out++ = 'e';
        *out++ = '-';
        if (-exponent < 10) *out++ = '0';
        return std::to_chars(out, last, -exponent).ptr;
    }
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -exponent - 1, '0');
        return std::copy(digits, digits + count, out);
    }
    out = std::copy(digits, digits + exponent + 1, out);
    if (count > exponent + 1) {
        *out++ = '.';
        out = std::copy(digits + exponent + 1, digits + count, out);
    }
    return out;
}

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
        return withSeparator(
            NumberMarkupText(sign * roundWith(a, powerOfTen(digits - e - 1), calcError)), separator,
            finish);

    // Near the bottom of the double range 10^(N − e − 1) overflows: round a scaled copy.
    const int shift = e < -290 ? 300 : 0;
    std::string t = NumberMarkupText(
        roundWith(a * powerOfTen(shift), powerOfTen(digits - e - shift - 1), calcError) /
        powerOfTen(e + shift));
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
    return roundWith(a, std::pow(10.0, -q - 1), calcError);
}

std::string NumberMarkupText(double v) {
    char buffer[40];
    const double a = std::abs(v);
    const char* end =
        a > 0 && std::isfinite(a)
            ? fifteenDigits(a, buffer, buffer + sizeof buffer)
            : std::to_chars(buffer, buffer + sizeof buffer, a, std::chars_format::general, 15).ptr;
    char marked[48];
    char* t = marked;
    if (v < 0) *t++ = '-';
    for (const char* c = buffer; c != end; ++c) {
        if (*c == 'e') {
            // "e-05" becomes "&E-5", "e+20" stays "&E+20".
            *t++ = '&';
            *t++ = 'E';
            ++c;
            if (*c == '-') *t++ = *c++;
            if (*c == '0') ++c;
            t = std::copy(c, end, t);
            break;
        }
        if (*c == '.') *t++ = '&';
        *t++ = *c >= 'a' && *c <= 'z' ? static_cast<char>(*c - 'a' + 'A') : *c; // "INF", "NAN"
    }
    return std::string(marked, t);
}

std::string FormatNumber(double x, int digits, char decimalSeparator, std::int16_t& calcError) {
    return format(x, digits, decimalSeparator, calcError, Finish::Plain);
}

std::string FormatNumberMarkup(double x, int digits, char decimalSeparator,
                               std::int16_t& calcError) {
    return format(x, digits, decimalSeparator, calcError, Finish::Markup);
}

} // namespace corvane::numtext
