#include "indicators.h"

#include <cctype>

namespace corvane::graphs {

namespace {

// Transition ranges as the tables of the source name them; thymol blue changes twice.
const Indicator Table[] = {
    {"thymol blue",
     {{1.2, 2.8, "red", "yellow", {255, 214, 170}}, {8.0, 9.6, "yellow", "blue", {205, 222, 255}}},
     2},
    {"bromophenol blue", {{3.0, 4.6, "yellow", "blue", {214, 226, 255}}}, 1},
    {"methyl orange", {{3.1, 4.4, "red", "yellow", {255, 222, 190}}}, 1},
    {"bromocresol green", {{3.8, 5.4, "yellow", "blue", {210, 236, 246}}}, 1},
    {"methyl red", {{4.4, 6.2, "red", "yellow", {255, 210, 200}}}, 1},
    {"bromothymol blue", {{6.0, 7.6, "yellow", "blue", {214, 234, 214}}}, 1},
    {"phenol red", {{6.8, 8.4, "yellow", "red", {255, 226, 200}}}, 1},
    {"cresol red", {{7.2, 8.8, "yellow", "red", {250, 214, 214}}}, 1},
    {"phenolphthalein", {{8.2, 10.0, "colourless", "pink", {255, 218, 240}}}, 1},
    {"thymolphthalein", {{9.4, 10.6, "colourless", "blue", {216, 226, 255}}}, 1},
    {"alizarin yellow R", {{10.1, 12.0, "yellow", "red", {255, 230, 190}}}, 1},
};

bool startsWithIgnoringCase(std::string_view text, std::string_view start) {
    if (start.size() > text.size()) return false;
    for (std::size_t i = 0; i < start.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(start[i])))
            return false;
    return true;
}

} // namespace

std::span<const Indicator> Indicators() {
    return Table;
}

const Indicator* FindIndicator(std::string_view name) {
    if (name.empty()) return nullptr;
    const Indicator* found = nullptr;
    for (const Indicator& i : Table) {
        const std::string_view full = i.name;
        if (full.size() == name.size() && startsWithIgnoringCase(full, name)) return &i;
        if (startsWithIgnoringCase(full, name)) {
            if (found != nullptr) return nullptr;
            found = &i;
        }
    }
    return found;
}

std::string IndicatorNames() {
    std::string names;
    for (const Indicator& i : Table)
        names += (names.empty() ? "" : ", ") + std::string(i.name);
    return names;
}

} // namespace corvane::graphs
