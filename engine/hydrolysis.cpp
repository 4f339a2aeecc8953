// Hydrolysis of a salt BA of concentration C_S (codes 20 to 23). The ion of a strong partner
// is a spectator equal to C_S; a salt of a strong acid and a strong base is neutral.
#include "polynomials.h"
#include "reason.h"
#include "shapes.h"
#include "slots.h"
#include "solvers.h"

#include <cmath>

namespace corvane::engine {

namespace {

// The quantities of codes 21 to 23 (not every code uses all of them).
enum : int { CS, pH, H, ka, kb, OH, HA, A, BOH, B };

std::vector<Validation> validation(Range hRange) {
    return {{CS, Concentration}, {pH, PHRange},       {H, hRange},        {ka, Constant},
            {kb, Constant},      {HA, Concentration}, {A, Concentration}, {BOH, Concentration},
            {B, Concentration},  {OH, Concentration}};
}

Consistency chargeBalance() {
    return ChargeBalance({{H}, {B}}, {{OH}, {A}});
}
Consistency acidConstant() {
    return EquilibriumConstant("acid constant", ka, HA, H, A);
}
Consistency baseConstant() {
    return EquilibriumConstant("base constant", kb, BOH, OH, B);
}

Guard pureWater() {
    return [](const Work& w) { return w.isPureWater(H); };
}

Action neutralWithout(Vars species) {
    return [species](Work& w) {
        w.put(H, w.sqrtKw());
        SetZero(species)(w);
    };
}

// The species of the weak partner undissociated: [HA] = C_S or [BOH] = C_S.
Action undissociated(int dissociated, int whole) {
    return [=](Work& w) {
        w.put(dissociated, 0);
        w.put(whole, w[CS]);
    };
}

// C_S / (partner / k + 1): the dissociated species of the weak partner.
Formula dissociatedShare(int partner, int k) {
    return [=](const Work& w) { return w[CS] / (w[partner] / w[k] + 1); };
}

} // namespace

void Calc20(EquilAB& state) {
    // No passes: the salt is neutral, and the results are written even for a C_S out of range.
    state.ClearCalcError();
    const double salt = state.IOValues[slot::salt::CS];
    if (IsKnown(salt) && !Accepts(state, Concentration, salt))
        state.Fail("C_S = " + ReasonNumber(salt) + " is outside its range 0 ≤ C_S ≤ 100");
    const double neutral = std::sqrt(state.Kw);
    const double pHValue = -Log10Guarded(state, neutral);
    state.IOValues[slot::salt::NeutralPH] = pHValue;
    state.IOValues[slot::salt::NeutralH] = neutral;
    state.IOValues[slot::salt::NeutralOH] = neutral;
    state.IOValues[slot::salt::NeutralAnion] = salt;
    state.IOValues[slot::salt::NeutralCation] = salt;
}

void Calc21(EquilAB& state) {
    static const SolverTables t{
        .inputs = {{0, CS}, {1, pH}, {2, H}, {4, kb}, {5, OH}},
        .validation = validation(AcidicH),
        .consistency = {MassBalance(CS, {BOH, B}, true), chargeBalance(), baseConstant()},
        .specialCases =
            {
                Step("k_b = 0", {kb}, IsZero(kb), undissociated(B, BOH)),
                Step("C_S = 0", {CS}, IsZero(CS), neutralWithout({BOH, B})),
                Step("pure water", {H}, pureWater(), neutralWithout({BOH, B})),
                Step("spectator", [](Work& w) { w.put(A, w[CS]); }),
            },
        .rules =
            {
                RootSolve(
                    "R1", H, {CS, kb},
                    [](const Work& w) { return Polynomial21(w[CS], w[kb], w.Kw()); },
                    SnapNeutral(H)),
                Derive("R2", CS, {H, kb},
                       [](const Work& w) {
                           const double h = w[H], Kw = w.Kw(), Kb = w[kb];
                           return (Kb * std::pow(h, 3) + Kw * h * h - Kw * Kb * h - Kw * Kw) /
                                  (Kw * h);
                       }),
                Derive(
                    "R3", kb, {H, CS},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw(), C = w[CS];
                        return (Kw * h * h - Kw * C * h - Kw * Kw) / (Kw * h - std::pow(h, 3));
                    },
                    NonZero(CS)),
                WaterTriplet("R4", pH, H, OH),
                Derive("R5", B, {CS, OH, kb}, dissociatedShare(OH, kb)),
                Derive("R6", BOH, {B, OH, kb}, FromConstant(OH, B, kb)),
            },
        .writeBack = {{0, CS}, {1, pH}, {2, H}, {4, kb}, {5, OH}, {6, BOH}, {7, B}, {8, CS}},
    };
    RunSolver(state, t);
}

void Calc22(EquilAB& state) {
    static const SolverTables t{
        .inputs = {{0, CS}, {1, pH}, {2, H}, {3, ka}, {5, OH}},
        .validation = validation(BasicH),
        .consistency = {MassBalance(CS, {HA, A}, true), chargeBalance(), acidConstant()},
        .specialCases =
            {
                Step("k_a = 0", {ka}, IsZero(ka), undissociated(A, HA)),
                Step("C_S = 0", {CS}, IsZero(CS), neutralWithout({A, HA})),
                Step("pure water", {H}, pureWater(), neutralWithout({HA, A})),
                Step("spectator", [](Work& w) { w.put(B, w[CS]); }),
            },
        .rules =
            {
                RootSolve(
                    "R1", H, {CS, ka},
                    [](const Work& w) { return Polynomial22(w[CS], w[ka], w.Kw()); },
                    SnapNeutral(H)),
                Derive("R2", CS, {H, ka},
                       [](const Work& w) {
                           const double h = w[H], Kw = w.Kw(), Ka = w[ka];
                           return (Kw * h - std::pow(h, 3) - Ka * h * h + Kw * Ka) / (h * h);
                       }),
                Derive(
                    "R3", ka, {H, CS},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw(), C = w[CS];
                        return (std::pow(h, 3) + C * h * h - Kw * h) / (Kw - h * h);
                    },
                    NonZero(CS)),
                WaterTriplet("R4", pH, H, OH),
                Derive("R5", A, {CS, H, ka}, dissociatedShare(H, ka)),
                Derive("R6", HA, {A, H, ka}, FromConstant(H, A, ka)),
            },
        .writeBack = {{0, CS}, {1, pH}, {2, H}, {3, ka}, {5, OH}, {6, HA}, {7, A}, {8, B}},
    };
    RunSolver(state, t);
}

void Calc23(EquilAB& state) {
    static const SolverTables t{
        .inputs = {{0, CS}, {1, pH}, {2, H}, {3, ka}, {4, kb}, {5, OH}},
        .validation = validation(PositiveConcentration),
        .consistency = {MassBalance(CS, {BOH, B}, true), MassBalance(CS, {HA, A}, true),
                        chargeBalance(), acidConstant(), baseConstant()},
        .specialCases =
            {
                Step("k_a = 0", {ka}, IsZero(ka), undissociated(A, HA)),
                Step("k_b = 0", {kb}, IsZero(kb), undissociated(B, BOH)),
                Step("C_S = 0", {CS}, IsZero(CS), neutralWithout({HA, A, BOH, B})),
                // Neutral water leaves the species as they are.
                Step("pure water", {H}, pureWater(), [](Work& w) { w.put(H, w.sqrtKw()); }),
            },
        .rules =
            {
                RootSolve(
                    "R1", H, {CS, ka, kb},
                    [](const Work& w) { return Polynomial23(w[CS], w[ka], w[kb], w.Kw()); },
                    SnapNeutral(H)),
                Derive("R2", CS, {H, ka, kb},
                       [](const Work& w) {
                           const double h = w[H], Kw = w.Kw(), Ka = w[ka], Kb = w[kb];
                           return (Kb * std::pow(h, 4) + (Kb * Ka + Kw) * std::pow(h, 3) +
                                   (Kw * Ka - Kw * Kb) * h * h - (Kw * Kw + Kb * Ka * Kw) * h -
                                   Kw * Kw * Ka) /
                                  (Kw * Ka * h - Kb * std::pow(h, 3));
                       }),
                Derive(
                    "R3", ka, {H, CS, kb},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw(), C = w[CS], Kb = w[kb];
                        return (Kb * std::pow(h, 4) + (Kb * C + Kw) * std::pow(h, 3) -
                                Kw * Kb * h * h - Kw * Kw * h) /
                               (Kw * Kw + Kw * Kb * h + Kw * C * h - Kw * h * h -
                                Kb * std::pow(h, 3));
                    },
                    NonZero(CS)),
                Derive(
                    "R4", kb, {H, CS, ka},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw(), C = w[CS], Ka = w[ka];
                        return (Kw * std::pow(h, 3) + Kw * Ka * h * h -
                                (Kw * Kw + Ka * C * Kw) * h - Kw * Kw * Ka) /
                               (Kw * h * h + Kw * Ka * h - (Ka + C) * std::pow(h, 3) -
                                std::pow(h, 4));
                    },
                    NonZero(CS)),
                WaterTriplet("R5", pH, H, OH),
                Derive("R6", A, {CS, H, ka}, dissociatedShare(H, ka)),
                Derive("R7", HA, {A, H, ka}, FromConstant(H, A, ka)),
                Derive("R8", B, {CS, OH, kb}, dissociatedShare(OH, kb)),
                Derive("R9", BOH, {B, OH, kb}, FromConstant(OH, B, kb)),
            },
        .writeBack = {{0, CS},
                      {1, pH},
                      {2, H},
                      {3, ka},
                      {4, kb},
                      {5, OH},
                      {6, HA},
                      {7, A},
                      {9, BOH},
                      {10, B}},
    };
    RunSolver(state, t);
}

} // namespace corvane::engine
