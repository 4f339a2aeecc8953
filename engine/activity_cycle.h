// \brief A solver run with activity coefficients: the thermodynamic constants and a given pH
// (an activity) become the conditional constants and the pH of concentrations at the current
// ionic strength, the solver runs, and the ionic strength of its result gives the next
// coefficients, until the pH settles.
#pragma once

#include "catalogue.h"
#include "settling.h"

#include <functional>

namespace corvane::engine {

/// γ of the charges 1 to 3 at an ionic strength (mol/L).
using GammaFunction = std::function<Gammas(double ionicStrength)>;

/// Runs the problem's solver with the activity coefficients that gammasAt gives, as RunProblem
/// does for a model other than the ideal one. On success the pH rows hold −log10 of the H+
/// activity, the constants their thermodynamic values, and state.Activities the ionic strength
/// and coefficients of the result; on failure IOValues stays as given.
void SolveWithActivities(EquilAB& state, const ProblemType& problem, const GammaFunction& gammasAt);

} // namespace corvane::engine
