// \brief What the titration solvers share: the flask concentrations after V mL of titrant, the
// charge-balance polynomial, the equivalence check and the EquivalenceSlope of step 11.
#pragma once

#include "shapes.h"
#include "slots.h"

#include <utility>

namespace corvane::engine {

/// C_A(V) and C_B(V): the acid and base concentrations in the flask after V mL of titrant.
using Flask = std::function<std::pair<double, double>(const Work&, double V)>;

/// The [H+] polynomial of a titration for given C_A and C_B, coefficients c5 .. c0.
using TitrationPolynomial = std::function<std::array<double, 6>(const Work&, double CA, double CB)>;

/// Acid titrated with base: C_A = C_a·V_a / (V_a + V), C_B = C_SB·V / (V + V_a).
Flask AcidInFlask(int Ca, int Va, int CSB);
/// Base titrated with acid: C_A = C_SA·V / (V + V_b), C_B = C_b·V_b / (V_b + V).
Flask BaseInFlask(int Cb, int Vb, int CSA);

/// |n·C·V − C_titrant·V_eq| / (n·C·V + C_titrant·V_eq): the amounts agree at equivalence.
Consistency Equivalence(int C, int V, int titrant, int Veq, double protons = 1);

/// h = root of the polynomial for the working values CA and CB.
Rule RootAtEquivalence(const char* name, int h, int CA, int CB, Vars constants,
                       TitrationPolynomial polynomial, Action then = nullptr);

/// Step 11: once `needs` are known, the largest |ΔpH/ΔV| over the equivalence volumes by a
/// central difference with δ = factor·V_eq / 256 / 1000 × 1.1, into EquivalenceSlopeSlot. A
/// failure sets CalcError and leaves that slot empty.
Action EquivalenceSlope(Vars needs, int Veq, std::vector<int> volumes, double factor, Flask flask,
                        TitrationPolynomial polynomial);

inline constexpr int EquivalenceSlopeSlot = slot::titration::Slope;

} // namespace corvane::engine
