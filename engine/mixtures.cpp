// Mixtures of a monoprotic acid (C_a) and a base (C_b) in one solution (codes 30 to 33). Any pH
// is accepted, the root is not snapped to neutrality, and the concentrations follow from each
// other through the charge balance.
#include "polynomials.h"
#include "shapes.h"
#include "solvers.h"

#include <cmath>

namespace corvane::engine {

namespace {

enum : int { Ca, Cb, pH, ka, kb, H, HA, A, BOH, B, OH };

std::vector<Validation> validation(Range ohRange) {
    return {{Ca, Concentration}, {Cb, Concentration}, {ka, Constant},
            {kb, Constant},      {pH, PHRange},       {H, PositiveConcentration},
            {HA, Concentration}, {A, Concentration},  {BOH, Concentration},
            {B, Concentration},  {OH, ohRange}};
}

Consistency chargeBalance() {
    return ChargeBalance({{H}, {B}}, {{OH}, {A}});
}
Consistency baseMass() {
    return MassBalance(Cb, {BOH, B}, true);
}
Consistency acidMass() {
    return MassBalance(Ca, {HA, A}, true);
}
Consistency acidConstant() {
    return EquilibriumConstant("acid constant", ka, HA, H, A);
}
Consistency baseConstant() {
    return EquilibriumConstant("base constant", kb, BOH, OH, B);
}

// The special cases of codes 31 to 33: no acid, no base, neither.
std::vector<Rule> specialCases(Vars acidSpecies, Vars baseSpecies) {
    return {
        Step("C_a = 0", {Ca}, IsZero(Ca), SetZero(acidSpecies)),
        Step("C_b = 0", {Cb}, IsZero(Cb), SetZero(baseSpecies)),
        Step(
            "C_a = 0 and C_b = 0", {Ca, Cb}, [](const Work& w) { return w[Ca] == 0 && w[Cb] == 0; },
            [](Work& w) { w.put(H, w.sqrtKw()); }),
    };
}

Formula copyOf(int v) {
    return [v](const Work& w) { return w[v]; };
}

Formula zero() {
    return [](const Work&) { return 0.0; };
}

// h + C_b − Kw / h: the anion the charge balance leaves; Kw / h + C_a − h: the cation.
Formula anionFromCharge(int partner) {
    return [partner](const Work& w) { return w[H] + w[partner] - w.Kw() / w[H]; };
}
Formula cationFromCharge(int partner) {
    return [partner](const Work& w) { return w.Kw() / w[H] + w[partner] - w[H]; };
}

} // namespace

void Calc30(EquilAB& state) {
    static const SolverTables t{
        .inputs = {{0, Ca}, {1, Cb}, {2, pH}, {4, OH}, {5, H}},
        .validation = validation(Concentration),
        .consistency = {chargeBalance()},
        .specialCases = {},
        .rules =
            {
                Derive("R1", A, {Ca}, copyOf(Ca)),
                Derive("R2", B, {Cb}, copyOf(Cb)),
                WaterTriplet("R3", pH, H, OH),
                RootSolve("R4", H, {Ca, Cb},
                          [](const Work& w) { return StrongPairPolynomial(w[Ca], w[Cb], w.Kw()); }),
                Derive("R5", Ca, {H, Cb}, anionFromCharge(Cb)),
                Derive("R6", Cb, {H, Ca}, cationFromCharge(Ca)),
            },
        .writeBack = {{0, Ca}, {1, Cb}, {2, pH}, {4, OH}, {5, H}, {7, A}, {10, B}},
        .fixedWrites = {{6, 0.0}, {9, 0.0}},
    };
    RunSolver(state, t);
}

void Calc31(EquilAB& state) {
    static const SolverTables t{
        .inputs = {{0, Ca}, {1, Cb}, {2, pH}, {4, kb}, {5, H}},
        .validation = validation(PositiveConcentration),
        .consistency = {chargeBalance(), baseMass(), baseConstant()},
        .specialCases = specialCases({A}, {BOH, B}),
        .rules =
            {
                Derive("R1", A, {Ca}, copyOf(Ca)),
                Derive("R2", B, {kb}, zero(), IsZero(kb)),
                Derive("R3", BOH, {Cb, kb}, copyOf(Cb), IsZero(kb)),
                Derive("R4", B, {Cb, kb, H}, BaseDissociated(Cb, H, kb)),
                Derive("R5", B, {H, Ca}, cationFromCharge(Ca)),
                Derive("R6", BOH, {OH, kb, B}, FromConstant(OH, B, kb), NonZero(kb)),
                WaterTriplet("R7", pH, H, OH),
                RootSolve("R8", H, {Ca, Cb, kb},
                          [](const Work& w) { return Polynomial31(w[Ca], w[Cb], w[kb], w.Kw()); }),
                Derive("R9", Ca, {H, Cb, kb},
                       [](const Work& w) {
                           const double h = w[H], Kw = w.Kw(), Kb = w[kb];
                           return (Kb * std::pow(h, 3) + (Kb * w[Cb] + Kw) * h * h - Kw * Kb * h -
                                   Kw * Kw) /
                                  (Kb * h * h + Kw * h);
                       }),
                Derive("R10", Cb, {H, Ca, kb},
                       [](const Work& w) {
                           const double h = w[H], Kw = w.Kw(), Kb = w[kb], C = w[Ca];
                           return (Kb * std::pow(h, 3) + (Kw - Kb * C) * h * h -
                                   (Kw * Kb + Kw * C) * h - Kw * Kw) /
                                  (-Kb * h * h);
                       }),
                Derive(
                    "R11", kb, {H, Ca, Cb},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw();
                        return (Kw * Kw + Kw * w[Ca] * h - Kw * h * h) /
                               (std::pow(h, 3) + (w[Cb] - w[Ca]) * h * h - Kw * h);
                    },
                    NonZero(Cb)),
            },
        .writeBack =
            {{0, Ca}, {1, Cb}, {2, pH}, {4, kb}, {5, H}, {7, A}, {9, BOH}, {10, B}, {11, OH}},
        .fixedWrites = {{6, 0.0}},
    };
    RunSolver(state, t);
}

void Calc32(EquilAB& state) {
    static const SolverTables t{
        .inputs = {{0, Ca}, {1, Cb}, {2, pH}, {3, ka}, {5, H}},
        .validation = validation(PositiveConcentration),
        .consistency = {chargeBalance(), acidMass(), acidConstant()},
        .specialCases = specialCases({HA, A}, {B}),
        .rules =
            {
                Derive("R1", A, {ka}, zero(), IsZero(ka)),
                Derive("R2", HA, {Ca, ka}, copyOf(Ca), IsZero(ka)),
                Derive("R3", B, {Cb}, copyOf(Cb)),
                Derive("R4", A, {Ca, ka, H}, AcidDissociated(Ca, H, ka)),
                Derive("R5", A, {H, Cb}, anionFromCharge(Cb)),
                Derive("R6", HA, {H, ka, A}, FromConstant(H, A, ka), NonZero(ka)),
                WaterTriplet("R7", pH, H, OH),
                RootSolve("R8", H, {Ca, Cb, ka},
                          [](const Work& w) { return Polynomial32(w[Ca], w[Cb], w[ka], w.Kw()); }),
                Derive("R9", Ca, {H, Cb, ka},
                       [](const Work& w) {
                           const double h = w[H], Kw = w.Kw(), Ka = w[ka];
                           return (std::pow(h, 3) + (Ka + w[Cb]) * h * h + (Ka * w[Cb] - Kw) * h -
                                   Kw * Ka) /
                                  (h * Ka);
                       }),
                Derive("R10", Cb, {H, Ca, ka},
                       [](const Work& w) {
                           const double h = w[H], Kw = w.Kw(), Ka = w[ka];
                           return (std::pow(h, 3) + Ka * h * h - (Ka * w[Ca] + Kw) * h - Kw * Ka) /
                                  (-h * h - h * Ka);
                       }),
                Derive(
                    "R11", ka, {H, Ca, Cb},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw();
                        return (std::pow(h, 3) + w[Cb] * h * h - Kw * h) /
                               ((w[Ca] - w[Cb]) * h + Kw - h * h);
                    },
                    NonZero(Ca)),
            },
        .writeBack =
            {{0, Ca}, {1, Cb}, {2, pH}, {3, ka}, {5, H}, {6, HA}, {7, A}, {10, B}, {11, OH}},
        .fixedWrites = {{9, 0.0}},
    };
    RunSolver(state, t);
}

void Calc33(EquilAB& state) {
    static const SolverTables t{
        .inputs = {{0, Ca}, {1, Cb}, {2, pH}, {3, ka}, {4, kb}, {5, H}},
        .validation = validation(PositiveConcentration),
        .consistency = {chargeBalance(), baseMass(), acidMass(), acidConstant(), baseConstant()},
        .specialCases = specialCases({HA, A}, {BOH, B}),
        .rules =
            {
                Derive("R1", A, {ka}, zero(), IsZero(ka)),
                Derive("R2", HA, {Ca, ka}, copyOf(Ca), IsZero(ka)),
                Derive("R3", B, {kb}, zero(), IsZero(kb)),
                Derive("R4", BOH, {Cb, kb}, copyOf(Cb), IsZero(kb)),
                Derive("R5", A, {ka, Ca, H}, AcidDissociated(Ca, H, ka)),
                Derive("R6", HA, {H, ka, A}, FromConstant(H, A, ka), NonZero(ka)),
                Derive("R7", B, {kb, Cb, OH},
                       [](const Work& w) { return w[kb] * w[Cb] / (w[kb] + w[OH]); }),
                Derive("R8", BOH, {OH, kb, B}, FromConstant(OH, B, kb), NonZero(kb)),
                WaterTriplet("R9", pH, H, OH),
                RootSolve(
                    "R10", H, {Ca, Cb, ka, kb},
                    [](const Work& w) { return Polynomial33(w[Ca], w[Cb], w[ka], w[kb], w.Kw()); }),
                Derive("R11", Ca, {H, Cb, ka, kb},
                       [](const Work& w) {
                           const double h = w[H], Kw = w.Kw(), Ka = w[ka], Kb = w[kb], D = w[Cb];
                           return (Kb * std::pow(h, 4) + (Kb * Ka + Kw + Kb * D) * std::pow(h, 3) +
                                   (Ka * D * Kb + Kw * Ka - Kw * Kb) * h * h -
                                   (Kw * Kw + Kb * Ka * Kw) * h - Kw * Kw * Ka) /
                                  (Kb * Ka * h * h + Kw * Ka * h);
                       }),
                Derive("R12", Cb, {H, Ca, ka, kb},
                       [](const Work& w) {
                           const double h = w[H], Kw = w.Kw(), Ka = w[ka], Kb = w[kb], C = w[Ca];
                           return (Kb * std::pow(h, 4) + (Kb * Ka + Kw) * std::pow(h, 3) +
                                   (Kw * Ka - Ka * C * Kb - Kw * Kb) * h * h -
                                   (Kw * Kw + Ka * C * Kw + Kb * Ka * Kw) * h - Kw * Kw * Ka) /
                                  (-Kb * std::pow(h, 3) - Kb * Ka * h * h);
                       }),
                Derive(
                    "R13", ka, {H, Ca, Cb, kb},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw(), Kb = w[kb], C = w[Ca], D = w[Cb];
                        return (Kb * std::pow(h, 4) + (Kb * D + Kw) * std::pow(h, 3) -
                                Kw * Kb * h * h - Kw * Kw * h) /
                               (Kw * Kw + (Kb * C - Kw - Kb * D) * h * h - Kb * std::pow(h, 3) +
                                (Kw * Kb + Kw * C) * h);
                    },
                    NonZero(Ca)),
                Derive(
                    "R14", kb, {H, Ca, Cb, ka},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw(), Ka = w[ka], C = w[Ca], D = w[Cb];
                        return (Kw * std::pow(h, 3) + Kw * Ka * h * h -
                                (Kw * Kw + Ka * C * Kw) * h - Kw * Kw * Ka) /
                               ((Ka * C - Ka * D) * h * h - std::pow(h, 4) -
                                (Ka + D) * std::pow(h, 3) + Kw * Ka * h);
                    },
                    NonZero(Cb)),
            },
        .writeBack = {{0, Ca},
                      {1, Cb},
                      {2, pH},
                      {3, ka},
                      {4, kb},
                      {5, H},
                      {6, HA},
                      {7, A},
                      {9, BOH},
                      {10, B},
                      {11, OH}},
    };
    RunSolver(state, t);
}

} // namespace corvane::engine
