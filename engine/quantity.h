// \brief The quantities a field row can hold, in the order of their symbol pictures.
#pragma once

#include <string_view>

namespace corvane::engine {

/// The value is the index of the quantity's symbol picture (ImgBOX); EquivalenceSlope has no
/// picture, it is never a field row.
enum class Quantity {
    C_a,
    C_b,
    C_S,
    k_a,
    k_b,
    k_1,
    k_2,
    k_3,
    H3A,
    H2A_minus,
    HA2_minus,
    A3_minus,
    H2A,
    HA_minus,
    A2_minus,
    HA,
    A_minus,
    H_plus,
    OH_minus,
    B_plus,
    BOH,
    pH_eq,
    V_a,
    V_b,
    V_eq,
    pH_eq1,
    pH_eq2,
    pH_eq3,
    V_eq1,
    V_eq2,
    V_eq3,
    pH,
    alpha,
    C_SA,
    C_SB,
    HX,
    X_minus,
    ZOH,
    Z_plus,
    EquivalenceSlope,
};

inline constexpr int SymbolPictureCount = 39;

/// The quantity's symbol as the command line and the slot listings write it ("C_a", "[H+]").
std::string_view SymbolName(Quantity q);

/// Index of the quantity's symbol picture, or -1 for a quantity without one.
int SymbolPicture(Quantity q);

} // namespace corvane::engine
