// \brief Pieces that many solver tables share: guards, the usual consistency groups, species
// formulas and the common steps.
#pragma once

#include "solver.h"

#include <array>
#include <vector>

namespace corvane::engine {

Guard IsZero(int v);
Guard NonZero(int v);
Guard AllNonZero(Vars vs);

/// Puts 0 into every quantity of vs.
Action SetZero(Vars vs);

/// |total − Σ species| / (total + Σ species); with guardTotal only while total ≠ 0.
Consistency MassBalance(int total, Vars species, bool guardTotal);

struct Ion {
    int var;
    int charge = 1;
};
/// |Σ z·positive − Σ z·negative| / (Σ z·positive + Σ z·negative).
Consistency ChargeBalance(std::vector<Ion> positive, std::vector<Ion> negative);

/// k·[undissociated] against partner·[dissociated], for an acid (partner [H+]) or a base
/// (partner [OH-]); checked while k and both species are non-zero.
Consistency EquilibriumConstant(const char* group, int k, int undissociated, int partner,
                                int dissociated);

/// partner·[dissociated] / k: the undissociated species from its equilibrium.
Formula FromConstant(int partner, int dissociated, int k);

/// total·k / ([H+] + k): the dissociated species of a weak acid, alpha·total from alpha =
/// k / ([H+] + k) with no difference of near-equal terms, however dilute the solution.
Formula AcidDissociated(int total, int H, int k);
/// total·k·[H+] / (k·[H+] + Kw): the dissociated species of a weak base, likewise from [H+].
Formula BaseDissociated(int total, int H, int k);

/// The share of total in the species that has lost `removed` protons, for an acid with the
/// given successive constants: total·h^(n−j)·k_1···k_j / Σ_i h^(n−i)·k_1···k_i.
Formula Distributed(int total, int h, std::vector<int> constants, int removed);

/// The rule that calls CompleteWaterTriplet.
Rule WaterTriplet(const char* name, int pH, int H, int OH);

/// h = SolvePolynomial(coefficients); a failed solve ends the run, otherwise `then` follows.
Rule RootSolve(const char* name, int h, Vars needs, Coefficients coefficients,
               Action then = nullptr);

/// SnapNeutral after a root solve.
Action SnapNeutral(int h);

} // namespace corvane::engine
