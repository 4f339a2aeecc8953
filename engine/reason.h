// \brief The words of a failed run: why the input was refused, for the message box, the
// command line and batch output. Quantities are named by their field symbols.
#pragma once

#include "solver.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane::engine {

/// A number in a reason: four significant digits, exponent written as "E-5".
std::string ReasonNumber(double x);

/// "a", "a and b", "a, b and c".
std::string JoinNames(const std::vector<std::string>& names);

/// A value outside its accepted range, given or derived from what was given.
std::string RangeReason(const Work& w, int v, const Range& accepted);

/// A consistency group whose members disagree.
std::string ConsistencyReason(const Work& w, const Consistency& c);

/// A given pH, [H+], [OH-] or V_eq against what the other values give.
std::string DependentReason(const Work& given, const Work& derived, int v);
/// The same in words from the quantity's name and the two values.
std::string DependentReason(std::string_view name, double given, double derived);

/// A known [H+] that is not the root of its equation.
std::string RootReason(const Work& w, int h, double root);

/// The water step failed: which of pH, [H+] and [OH-] disagree.
std::string WaterReason(const Work& w, int pH, int H, int OH);

/// A step that failed without saying why: an arithmetic fault, a logarithm of a non-positive
/// number, no root.
std::string StepReason(const Work& w, const Rule& step);

} // namespace corvane::engine
