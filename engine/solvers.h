// \brief The solvers, one per problem code. Each reads and writes state.IOValues and sets
// state.CalcError.
#pragma once

#include "equilab.h"

namespace corvane::engine {

// Single solutions.
void Calc10(EquilAB& state);
void Calc11(EquilAB& state);
void Calc12(EquilAB& state);
void Calc12C(EquilAB& state);
void Calc13(EquilAB& state);
void Calc13C(EquilAB& state);
void Calc14(EquilAB& state);
void Calc15(EquilAB& state);

// Salt hydrolysis.
void Calc20(EquilAB& state);
void Calc21(EquilAB& state);
void Calc22(EquilAB& state);
void Calc23(EquilAB& state);

// Mixtures of an acid and a base.
void Calc30(EquilAB& state);
void Calc31(EquilAB& state);
void Calc32(EquilAB& state);
void Calc33(EquilAB& state);
void Calc34(EquilAB& state);
void Calc34C(EquilAB& state);
void Calc35(EquilAB& state);
void Calc35C(EquilAB& state);

// Buffers.
void Calc40(EquilAB& state);
void Calc41(EquilAB& state);
void Calc42(EquilAB& state);
void Calc43(EquilAB& state);
void Calc44(EquilAB& state);
void Calc45(EquilAB& state);

// Titrations.
void Calc50(EquilAB& state);
void Calc51(EquilAB& state);
void Calc52(EquilAB& state);
void Calc53(EquilAB& state);
void Calc54(EquilAB& state);
void Calc54C(EquilAB& state);
void Calc55(EquilAB& state);
void Calc55C(EquilAB& state);

} // namespace corvane::engine
