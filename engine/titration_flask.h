// \brief The flask of a titration (codes 50 to 55C) after V mL of titrant: the mixture of its
// acid and base that it then is, solved as Calculate solves that mixture (code 51 after V mL
// is a code 32 problem), so that the state's activity model applies at the flask's own ionic
// strength.
#pragma once

#include "equilab.h"

#include <string_view>

namespace corvane::engine {

/// True for the titration codes 50 to 55C.
bool HasTitrationFlask(std::string_view code);

/// The pH after V mL of titrant of a titration whose slots hold its concentrations, volume and
/// constants, with the model of `work`; a failure shows as CalcError in `work`.
double PHInFlask(std::string_view code, const Slots& titration, double V, EquilAB& work);

} // namespace corvane::engine
