// \brief The curve generators, one per problem code: each sweeps x over the axis, sets the
// quantity of its graph kind from x, solves the problem's [H+] there and delivers the pH, the
// degree of dissociation, the molar fractions or the titration slope.
#pragma once

#include "sweep.h"

namespace corvane::graphs {

/// Kinds whose x axis is the negative logarithm of the quantity.
bool NegativeLogAxis(int kind);

/// The diprotic titrations sweep five times more finely.
inline constexpr int DiproticFineness = 5;

// Single solutions and hydrolysis.
Curves G10(const GeneratorInput& in);
Curves G11(const GeneratorInput& in);
Curves G12(const GeneratorInput& in);
Curves G12C(const GeneratorInput& in);
Curves G13(const GeneratorInput& in);
Curves G13C(const GeneratorInput& in);
Curves G14(const GeneratorInput& in);
Curves G15(const GeneratorInput& in);
Curves G20(const GeneratorInput& in);
Curves G21(const GeneratorInput& in);
Curves G22(const GeneratorInput& in);
Curves G23(const GeneratorInput& in);

// Mixtures.
Curves G30(const GeneratorInput& in);
Curves G31(const GeneratorInput& in);
Curves G32(const GeneratorInput& in);
Curves G33(const GeneratorInput& in);
Curves G34(const GeneratorInput& in);
Curves G34C(const GeneratorInput& in);
Curves G35(const GeneratorInput& in);
Curves G35C(const GeneratorInput& in);

// Buffers.
Curves G40(const GeneratorInput& in);
Curves G41(const GeneratorInput& in);
Curves G42(const GeneratorInput& in);
Curves G43(const GeneratorInput& in);
Curves G44(const GeneratorInput& in);
Curves G45(const GeneratorInput& in);

// Titrations.
Curves G50(const GeneratorInput& in);
Curves G51(const GeneratorInput& in);
Curves G52(const GeneratorInput& in);
Curves G53(const GeneratorInput& in);
Curves G54(const GeneratorInput& in);
Curves G54C(const GeneratorInput& in);
Curves G55(const GeneratorInput& in);
Curves G55C(const GeneratorInput& in);

} // namespace corvane::graphs
