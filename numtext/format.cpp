#include "numbertext.h"
#include "replace.h"

#include <cmath>
#include <cstdio>

namespace corvane::numtext {

namespace {

std::string removeAll(std::string text, char c) {
    std::erase(text, c);
    return text;
}

enum class Finish { Plain, Markup };

std::string format(double x, int digits, char separator, std::int16_t& calcError, Finish finish) {
    if (x == 0.0) return "0";
    if (!std::isfinite(x)) {
        calcError = 1;
        return {};
    }
    const double sign = x < 0 ? -1.0 : 1.0;
    const double a = std::abs(x);
    int e = static_cast<int>(std::floor(std::log(a) / std::log(10.0)));
    const std::string sep(1, separator);

    if (a >= 0.01 && a < 100000) {
        std::string t = NumberMarkupText(sign * RoundToDigits(a, e - digits, calcError));
        t = finish == Finish::Plain ? removeAll(t, '&') : ReplaceAll(t, "&.", sep);
        return ReplaceAll(t, ".", sep);
    }

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
    if (sign < 0) t = "-" + t;

    if (finish == Finish::Markup) return ReplaceAll(ReplaceAll(t, "&.", sep), ".", sep);

    t = removeAll(t, '&');
    for (int i = 0; i < 11; ++i)
        t = ReplaceAll(t, "0E", "E");
    t = ReplaceAll(t, ".E", "E");
    return ReplaceAll(t, ".", sep);
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
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", std::abs(v));
    std::string t = buffer;
    if (const std::size_t at = t.find('E'); at != std::string::npos) {
        std::string exponent = t.substr(at + 1);
        t = t.substr(0, at) + "&E";
        if (exponent.starts_with('-')) {
            t += "-";
            exponent.erase(0, 1);
        }
        if (exponent.starts_with('0')) exponent.erase(0, 1);
        t += exponent;
    }
    if (v < 0) t = "-" + t;
    return ReplaceAll(t, ".", "&.");
}

std::string FormatNumber(double x, int digits, char decimalSeparator, std::int16_t& calcError) {
    return format(x, digits, decimalSeparator, calcError, Finish::Plain);
}

std::string FormatNumberMarkup(double x, int digits, char decimalSeparator,
                               std::int16_t& calcError) {
    return format(x, digits, decimalSeparator, calcError, Finish::Markup);
}

} // namespace corvane::numtext
