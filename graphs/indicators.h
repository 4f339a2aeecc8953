// \brief A small table of common acid-base indicators: the pH range of each colour change,
// the colours on either side, a pale shade to mark the range on a graph, and the source.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace corvane::graphs {

struct Rgb {
    int r, g, b;
};

struct IndicatorRange {
    double LowPH, HighPH;
    const char* acidColour; // below LowPH
    const char* baseColour; // above HighPH
    Rgb shade;
};

struct Indicator {
    const char* name;
    IndicatorRange ranges[2];
    int rangeCount;
};

/// Where the ranges of the table come from.
inline constexpr const char* IndicatorSource =
    "CRC Handbook of Chemistry and Physics, table \"Acid-Base Indicators\"; D. C. Harris, "
    "Quantitative Chemical Analysis, table of common indicators";

std::span<const Indicator> Indicators();

/// The indicator named NAME, or by the start of its name, ignoring case; none when no name
/// or more than one starts so.
const Indicator* FindIndicator(std::string_view name);

/// "thymol blue, methyl orange, ...", for a message.
std::string IndicatorNames();

} // namespace corvane::graphs
