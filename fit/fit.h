// \brief Least-squares fit of a titration curve (codes 50 to 55C) to measured pH values: the
// unknown concentrations, volume and constants (on a log scale) and an electrode offset added
// to every computed pH, by GSL's trust-region Levenberg–Marquardt from several starts.
#pragma once

#include "measured.h"

#include "engine/equilab.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane::fit {

/// The unknown that is not a slot: a constant added to every computed pH.
inline constexpr int PHOffset = -1;

struct FitRequest {
    std::string code;
    double pKw = 14.0;
    /// The curve's activity model, with the temperature (°C) of A in the Davies equation.
    engine::ActivityModel activity = engine::ActivityModel::Ideal;
    double temperature = 25.0;
    /// Every curve slot: the fixed values, and for the unknowns a start or EmptyValue.
    engine::Slots values{};
    /// Slots of CurveSlots(code), and PHOffset.
    std::vector<int> unknowns;
    /// The offset's start when it is an unknown, else its fixed value.
    double offset = 0;
    std::vector<MeasuredPoint> points;
};

struct FittedValue {
    int slot; // or PHOffset
    double value;
    double se; // standard error in the value's own units
};

struct FitResult {
    /// Why no result is given (no convergence, unknowns the data cannot tell apart, too few
    /// points); empty on success.
    std::string reason;
    std::vector<FittedValue> fitted; // in the order of the request's unknowns
    engine::Slots values{};          // the curve slots with the fitted values
    double offset = 0;
    double rms = 0; // √(Σ r² / n), in pH
    double r2 = 0;  // 1 − Σ r² / Σ (pH − mean)²
    int points = 0;

    bool ok() const { return reason.empty(); }
};

/// Unknowns whose estimated correlation exceeds this in magnitude are refused.
inline constexpr double MaxCorrelation = 0.999;

/// Fits the unknowns to the points. The starts are the request's own values, the guess read off
/// the data (V_eq at the steepest step, pK at the half-equivalence volumes) and a few spread
/// over the plausible range; the best converged one is kept.
FitResult FitTitration(const FitRequest& request);

/// The name of an unknown: the symbol of its slot's quantity in `code`, or "pH_offset".
std::string UnknownName(std::string_view code, int slot);

} // namespace corvane::fit
