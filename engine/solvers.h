// \brief The solvers, one per problem code. Each reads and writes state.IOValues and sets
// state.CalcError.
#pragma once

#include "equilab.h"

namespace corvane::engine {

// Weak monoprotic acid and weak base solutions.
void Calc11(EquilAB& state);
void Calc15(EquilAB& state);

} // namespace corvane::engine
