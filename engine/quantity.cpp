#include "quantity.h"

#include <array>

namespace corvane::engine {

namespace {

constexpr std::array<std::string_view, SymbolPictureCount + 1> Names = {
    "C_a",   "C_b",    "C_S",    "k_a",    "k_b",   "k_1",   "k_2",   "k_3",
    "[H3A]", "[H2A-]", "[HA2-]", "[A3-]",  "[H2A]", "[HA-]", "[A2-]", "[HA]",
    "[A-]",  "[H+]",   "[OH-]",  "[B+]",   "[BOH]", "pH_eq", "V_a",   "V_b",
    "V_eq",  "pH_eq1", "pH_eq2", "pH_eq3", "V_eq1", "V_eq2", "V_eq3", "pH",
    "alpha", "C_SA",   "C_SB",   "[HX]",   "[X-]",  "[ZOH]", "[Z+]",  "EquivalenceSlope",
};

} // namespace

std::string_view SymbolName(Quantity q) {
    return Names[static_cast<int>(q)];
}

int SymbolPicture(Quantity q) {
    const int n = static_cast<int>(q);
    return n < SymbolPictureCount ? n : -1;
}

} // namespace corvane::engine
