// \brief The curve's values read off at chosen x: computed by the engine at that x exactly as
// the sweep computes its points (not interpolated), with [H+] where the curve knows the pH and,
// for the volume kinds, the slope |ΔpH/ΔV| by the sweep's own central difference.
#pragma once

#include "sweep.h"

#include "engine/equilab.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::graphs {

/// Kinds 27, 29, 31 and 33: x is an added volume.
bool IsVolumeKind(int kind);
/// Kinds 31 and 33: y is the slope |ΔpH/ΔV|.
bool IsSlopeKind(int kind);
/// Kinds whose y axis is the pH.
bool PlotsPH(int kind);

struct CurveReading {
    double x = 0;
    bool ok = false;
    std::string reason; // why there is no value at x
    int count = 0;      // curve values in y (several for the molar fractions)
    std::array<double, MaxCurves> y{};
    std::optional<double> pH;       // where the curve knows the pH there
    std::optional<double> hydrogen; // [H+] = 10^(-pH)
    std::optional<double> slope;    // |ΔpH/ΔV| of the volume kinds
};

/// The values of graph `kind` of `code` at each x, for the axes of `frame` (the slope's
/// half-width follows the x range, as in the sweep).
std::vector<CurveReading> ReadCurve(std::string_view code, int kind, const engine::EquilAB& state,
                                    const SweepFrame& frame, const std::vector<double>& xs);

/// One number as a value field reads it (a decimal comma, an exponent, "5%", "1/3"), made only
/// of the characters a value field accepts; `decimalSeparator` becomes the one typed. Nothing
/// for empty or unreadable text.
std::optional<double> ReadFieldNumber(std::string_view text, char& decimalSeparator);

/// Several values typed at once, separated by ";" or spaces (a comma may be the decimal
/// separator); nothing when one of them does not read as a number, with `bad` holding it.
std::optional<std::vector<double>> ParseValueList(std::string_view text, char& decimalSeparator,
                                                  std::string& bad);

} // namespace corvane::graphs
