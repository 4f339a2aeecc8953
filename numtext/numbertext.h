// \brief Reading the numbers a user types and writing numbers with a chosen count of
// significant digits, as plain text and as formula mark-up.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::numtext {

/// The separator results are shown with; reading a number switches it to the one the user
/// typed.
struct NumberSettings {
    char DecimalSeparator = '.';
};

/// Field text → number. Empty text gives EmptyValue; unreadable text gives EmptyValue and
/// sets calcError (never clears it). Switches settings.DecimalSeparator to a "." or ","
/// found in the text (a "," wins when both appear).
double ParseNumber(std::string_view text, NumberSettings& settings, std::int16_t& calcError);

/// ParseNumber for text typed where no key filter keeps letters out (the command line, batch
/// cells): the text must be one whole number, a percentage ("5%") or one fraction of two
/// numbers ("1/3"), spaces aside. Anything else, "1mM", "10^-4.76" or "1/2/4", gives
/// EmptyValue and sets calcError; empty text gives EmptyValue alone.
double ParseNumberToken(std::string_view text, NumberSettings& settings, std::int16_t& calcError);

/// The value of the longest leading part of text that reads as a decimal number (sign, digits
/// with at most one ".", exponent); 0 when there is none, infinite beyond the double range.
double LeadingNumberValue(std::string_view text);

/// a rounded half up to a multiple of 10^(q + 1). Sets calcError to 0, or to 1 (and gives 0)
/// when the rounding overflows.
double RoundToDigits(double a, double q, std::int16_t& calcError);

/// Up to 15 significant digits, with "&E" for the exponent mark and "&." for the point.
std::string NumberMarkupText(double v);

/// Plain text for a value field: "1.235E-4", "0.01235", "2.5".
std::string FormatNumber(double x, int digits, char decimalSeparator, std::int16_t& calcError);

/// Mark-up text for graphs and tables: "1.235&E-4", "2.00&E-3".
std::string FormatNumberMarkup(double x, int digits, char decimalSeparator,
                               std::int16_t& calcError);

} // namespace corvane::numtext
