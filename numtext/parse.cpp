#include "numbertext.h"
#include "replace.h"

#include "engine/equilab.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace corvane::numtext {

namespace {

// Reads with "." whatever locale the program runs in.
double readDecimal(const std::string& number) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtod_l(number.c_str(), nullptr, cLocale);
}

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

double LeadingNumberValue(std::string_view text) {
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
    if (!digits) return 0.0;
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
    return readDecimal(std::string(text.substr(0, end)));
}


double ParseNumber(std::string_view text, NumberSettings& settings, std::int16_t& calcError) {
    using engine::EmptyValue;
    if (text.find('.') != std::string_view::npos) settings.DecimalSeparator = '.';
    if (text.find(',') != std::string_view::npos) settings.DecimalSeparator = ',';

    std::string s;
    for (char c : text)
        if (c != ' ') s += c == ',' ? '.' : c;
    s = ReplaceAll(ReplaceAll(s, "..", "."), "..", ".");
    if (s.empty()) return EmptyValue;

    double result;
    if (s.back() == '%') {
        result = LeadingNumberValue(std::string_view(s).substr(0, s.size() - 1)) / 100.0;
    } else if (const std::size_t p = s.find('/', 1); p != std::string::npos) {
        if (s.find('%') != std::string::npos) {
            calcError = 1;
            return EmptyValue;
        }
        const double numerator = LeadingNumberValue(std::string_view(s).substr(0, p));
        const double denominator = LeadingNumberValue(std::string_view(s).substr(p + 1));
        result =
            denominator == 0.0 ? std::numeric_limits<double>::quiet_NaN() : numerator / denominator;
    } else {
        result = LeadingNumberValue(s);
    }
    if (!std::isfinite(result)) {
        calcError = 1;
        return EmptyValue;
    }
    return result;
}

} // namespace corvane::numtext
