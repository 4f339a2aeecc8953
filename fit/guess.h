// \brief Start values for a titration fit read off the measured curve: the equivalence volume
// at the steepest step, the pK values at the half-equivalence volumes.
#pragma once

#include "measured.h"

#include <string_view>

namespace corvane::fit {

/// The volume midway across the steepest step between neighbouring points (sorted by volume);
/// NaN with fewer than two distinct volumes.
double SteepestStepVolume(const std::vector<MeasuredPoint>& points);

/// The measured pH at V, interpolated linearly between the neighbouring points and held at the
/// first and last point beyond them.
double PHAt(const std::vector<MeasuredPoint>& points, double V);

/// −log10 of the constant in slot `slot` of `code` read off the curve when the last equivalence
/// lies at Veq: the pH halfway to the constant's own equivalence point (pKw − that pH for a
/// base constant).
double GuessedPK(const std::vector<MeasuredPoint>& points, std::string_view code, int slot,
                 double Veq, double pKw);

} // namespace corvane::fit
