// \brief The marked points of a titration curve: its equivalence points, from the solved
// problem, and for weak acids and bases the half-equivalence points (half the first
// equivalence volume, and midway between successive ones), where the pH is close to a pK.
#pragma once

#include "sweep.h"

#include "engine/equilab.h"

#include <string_view>
#include <vector>

namespace corvane::graphs {

enum class MarkKind { Equivalence, HalfEquivalence };

/// "equivalence" or "half-equivalence".
const char* MarkKindName(MarkKind kind);

struct CurveMark {
    MarkKind kind;
    double x;  // the titrant volume
    double y;  // on the curve drawn: the pH, or the slope of the slope kinds
    double pH; // the pH there
};

/// The titrations 50 to 55C drawn against the titrant volume (kinds 27, 29, 31 and 33).
bool HasMarks(std::string_view code, int kind);

/// The marks in order of volume; none where HasMarks is false. The pH of an equivalence point
/// is the one the solver found, that of a half-equivalence point the curve's own value there.
std::vector<CurveMark> TitrationMarks(std::string_view code, int kind, const engine::EquilAB& state,
                                      const SweepFrame& frame);

} // namespace corvane::graphs
