// \brief Curves that follow the activity model: a pH, or a degree of dissociation, against one
// input of the problem, solved at each point as the Calculate button solves it, activity
// coefficients included. The other kinds come from the ideal equations of their generators.
#pragma once

#include "sweep.h"

#include <string>
#include <string_view>

namespace corvane::graphs {

/// True when a model other than the ideal one computes this kind of this code point by point.
bool FollowsActivityModel(std::string_view code, int kind);

/// The curve of such a kind: the solved problem's concentrations, constants and added
/// concentration, the kind's quantity at x, solved with the state's model at every point.
Curves ActivityCurves(std::string_view code, const GeneratorInput& in);

/// What the subtitle adds about the model: nothing for an ideal solution, " (Davies equation,
/// 25 °C)" for curves computed with it, " (curves for an ideal solution)" for the others.
std::string ModelSubtitle(const engine::EquilAB& state, std::string_view code, int kind);

} // namespace corvane::graphs
