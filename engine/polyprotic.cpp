// Diprotic and triprotic acid solutions (codes 12, 12C, 13, 13C): the exact proton balance as a
// polynomial in h = [H+], its inverse for C_a and each constant, and the species shares. The
// "C" variants take the first proton as fully dissociated.
#include "polynomials.h"
#include "shapes.h"
#include "solvers.h"

#include <cmath>

namespace corvane::engine {

namespace {

// Every known value: C_a, pH, h, constants, species.
std::vector<Validation> validation(int Ca, int pH, int H, Vars constants, Vars species) {
    std::vector<Validation> v{{Ca, Concentration}, {pH, PHRange}, {H, AcidicH}};
    for (int k : constants)
        v.push_back({k, Constant});
    for (int s : species)
        v.push_back({s, Concentration});
    return v;
}

Action neutralWithout(int H, Vars species) {
    return [H, species](Work& w) {
        w.put(H, w.sqrtKw());
        SetZero(species)(w);
    };
}

Guard pureWater(int H) {
    return [H](const Work& w) { return w.isPureWater(H); };
}

// With k_1 = 0 the acid stays whole beside neutral water: its undissociated form holds C_a and
// must not be cleared with the anions.
Guard pureWaterWithDissociation(int H, int k1) {
    return [H, k1](const Work& w) { return w.isPureWater(H) && !(w.known(k1) && w[k1] == 0); };
}

} // namespace

namespace diprotic {

enum : int { Ca, pH, H, k1, k2, H2A, HA, A2, OH };

const SolverTables& tables() {
    static const SolverTables t{
        .inputs = {{0, Ca}, {1, pH}, {2, H}, {3, k1}, {4, k2}},
        .validation = validation(Ca, pH, H, {k1, k2}, {H2A, HA, A2, OH}),
        .consistency = {MassBalance(Ca, {H2A, HA, A2}, true),
                        ChargeBalance({{H}}, {{OH}, {HA}, {A2, 2}}),
                        EquilibriumConstant("k_1", k1, H2A, H, HA),
                        EquilibriumConstant("k_2", k2, HA, H, A2)},
        .specialCases =
            {
                Step("k_2 = 0", {k2}, IsZero(k2), SetZero({A2})),
                Step("k_1 = 0", {k1}, IsZero(k1),
                     [](Work& w) {
                         SetZero({HA, A2})(w);
                         w.put(H2A, w[Ca]);
                         w.put(H, w.sqrtKw());
                     }),
                Step("C_a = 0", {Ca}, IsZero(Ca), neutralWithout(H, {A2, HA, H2A})),
                Step("pure water", {H}, pureWaterWithDissociation(H, k1),
                     neutralWithout(H, {A2, HA, H2A})),
            },
        .rules =
            {
                RootSolve("R1", H, {Ca, k1, k2},
                          [](const Work& w) { return Polynomial12(w[Ca], w[k1], w[k2], w.Kw()); }),
                Derive("R2", Ca, {H, k1, k2},
                       [](const Work& w) {
                           const double h = w[H], Kw = w.Kw(), K1 = w[k1], K2 = w[k2];
                           return (std::pow(h, 4) + K1 * std::pow(h, 3) + (K1 * K2 - Kw) * h * h -
                                   Kw * K1 * h - K1 * K2 * Kw) /
                                  (2 * K1 * K2 * h + K1 * h * h);
                       }),
                Derive(
                    "R3", k1, {H, Ca, k2},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw(), C = w[Ca], K2 = w[k2];
                        return (std::pow(h, 4) - Kw * h * h) / ((C - K2) * h * h - std::pow(h, 3) +
                                                                (2 * C * K2 + Kw) * h + Kw * K2);
                    },
                    NonZero(Ca)),
                Derive(
                    "R4", k2, {H, Ca, k1},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw(), C = w[Ca], K1 = w[k1];
                        return (std::pow(h, 4) + K1 * std::pow(h, 3) - (K1 * C + Kw) * h * h -
                                Kw * K1 * h) /
                               (2 * C * K1 * h - K1 * h * h + Kw * K1);
                    },
                    AllNonZero({Ca, k1})),
                WaterTriplet("R5", pH, H, OH),
                Derive("R6", A2, {Ca, H, k1, k2}, Distributed(Ca, H, {k1, k2}, 2)),
                Derive("R7", HA, {A2, H, k2}, FromConstant(H, A2, k2), NonZero(k2)),
                Derive("R8", HA, {Ca, H, k1, k2}, Distributed(Ca, H, {k1, k2}, 1)),
                Derive("R9", H2A, {HA, H, k1}, FromConstant(H, HA, k1)),
            },
        .writeBack =
            {{0, Ca}, {1, pH}, {2, H}, {3, k1}, {4, k2}, {6, H2A}, {7, HA}, {8, A2}, {9, OH}},
    };
    return t;
}

} // namespace diprotic

namespace diproticC {

enum : int { Ca, pH, H, k2, HA, A2, OH };

const SolverTables& tables() {
    static const SolverTables t{
        .inputs = {{0, Ca}, {1, pH}, {2, H}, {4, k2}},
        .validation = validation(Ca, pH, H, {k2}, {HA, A2, OH}),
        .consistency = {MassBalance(Ca, {HA, A2}, true),
                        ChargeBalance({{H}}, {{OH}, {HA}, {A2, 2}}),
                        EquilibriumConstant("k_2", k2, HA, H, A2)},
        .specialCases =
            {
                Step("k_2 = 0", {k2}, IsZero(k2),
                     [](Work& w) {
                         w.put(A2, 0);
                         w.put(HA, w[Ca]);
                     }),
                Step("C_a = 0", {Ca}, IsZero(Ca), neutralWithout(H, {A2, HA})),
                Step("pure water", {H}, pureWater(H), neutralWithout(H, {A2, HA})),
            },
        .rules =
            {
                RootSolve("R1", H, {Ca, k2},
                          [](const Work& w) { return Polynomial12C(w[Ca], w[k2], w.Kw()); }),
                Derive("R2", Ca, {H, k2},
                       [](const Work& w) {
                           const double h = w[H], Kw = w.Kw(), K2 = w[k2];
                           return (std::pow(h, 3) + K2 * h * h - Kw * h - Kw * K2) /
                                  (2 * K2 * h + h * h);
                       }),
                Derive(
                    "R3", k2, {H, Ca},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw(), C = w[Ca];
                        return (std::pow(h, 3) - C * h * h - Kw * h) / (2 * C * h - h * h + Kw);
                    },
                    NonZero(Ca)),
                WaterTriplet("R4", pH, H, OH),
                Derive("R5", A2, {Ca, H, k2}, Distributed(Ca, H, {k2}, 1)),
                Derive("R6", HA, {A2, H, k2}, FromConstant(H, A2, k2)),
            },
        .writeBack = {{0, Ca}, {1, pH}, {2, H}, {4, k2}, {7, HA}, {8, A2}, {9, OH}},
        .fixedWrites = {{6, 0.0}},
    };
    return t;
}

} // namespace diproticC

namespace triprotic {

enum : int { Ca, pH, H, k1, k2, k3, H3A, H2A, HA2, A3, OH };

const SolverTables& tables() {
    static const SolverTables t{
        .inputs = {{0, Ca}, {1, pH}, {2, H}, {3, k1}, {4, k2}, {5, k3}},
        .validation = validation(Ca, pH, H, {k1, k2, k3}, {H3A, H2A, HA2, A3, OH}),
        .consistency = {MassBalance(Ca, {H3A, H2A, HA2, A3}, true),
                        ChargeBalance({{H}}, {{OH}, {H2A}, {HA2, 2}, {A3, 3}}),
                        EquilibriumConstant("k_1", k1, H3A, H, H2A),
                        EquilibriumConstant("k_2", k2, H2A, H, HA2),
                        EquilibriumConstant("k_3", k3, HA2, H, A3)},
        .specialCases =
            {
                Step("k_3 = 0", {k3}, IsZero(k3), SetZero({A3})),
                Step("k_2 = 0", {k2}, IsZero(k2), SetZero({HA2, A3})),
                Step("k_1 = 0", {k1}, IsZero(k1),
                     [](Work& w) {
                         SetZero({H2A, HA2, A3})(w);
                         w.put(H3A, w[Ca]);
                         w.put(H, w.sqrtKw());
                     }),
                Step("C_a = 0", {Ca}, IsZero(Ca),
                     [](Work& w) {
                         w.put(H, w.sqrtKw());
                         w.put(pH, -w.log10(w[H]));
                         w.put(OH, w[H]);
                         SetZero({A3, HA2, H2A, H3A})(w);
                     }),
                Step("pure water", {H}, pureWaterWithDissociation(H, k1),
                     neutralWithout(H, {A3, HA2, H2A, H3A})),
            },
        .rules =
            {
                RootSolve(
                    "R1", H, {Ca, k1, k2, k3},
                    [](const Work& w) { return Polynomial13(w[Ca], w[k1], w[k2], w[k3], w.Kw()); }),
                Derive(
                    "R2", Ca, {H, k1, k2, k3},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw(), K1 = w[k1], K2 = w[k2], K3 = w[k3];
                        return (std::pow(h, 5) + K1 * std::pow(h, 4) +
                                (K1 * K2 - Kw) * std::pow(h, 3) + (K1 * K2 * K3 - Kw * K1) * h * h -
                                K1 * K2 * Kw * h - K1 * K2 * K3 * Kw) /
                               (K1 * std::pow(h, 3) + 2 * K1 * K2 * h * h + 3 * K1 * K2 * K3 * h);
                    }),
                Derive(
                    "R3", k1, {H, Ca, k2, k3},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw(), C = w[Ca], K2 = w[k2], K3 = w[k3];
                        return (std::pow(h, 5) - Kw * std::pow(h, 3)) /
                               ((C - K2) * std::pow(h, 3) - std::pow(h, 4) +
                                (2 * C * K2 - K3 * K2) * h * h + (3 * C * K2 * K3 + Kw * K2) * h +
                                K3 * K2 * Kw);
                    },
                    NonZero(Ca)),
                Derive(
                    "R4", k2, {H, Ca, k1, k3},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw(), C = w[Ca], K1 = w[k1], K3 = w[k3];
                        return (std::pow(h, 5) + K1 * std::pow(h, 4) -
                                (K1 * C + Kw) * std::pow(h, 3) - Kw * K1 * h * h) /
                               ((2 * C * K1 - K3 * K1) * h * h - K1 * std::pow(h, 3) +
                                (3 * C * K1 * K3 + Kw * K1) * h + K3 * K1 * Kw);
                    },
                    NonZero(Ca)),
                Derive(
                    "R5", k3, {H, Ca, k1, k2},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw(), C = w[Ca], K1 = w[k1], K2 = w[k2];
                        return (std::pow(h, 5) + K1 * std::pow(h, 4) +
                                (K1 * K2 - K1 * C - Kw) * std::pow(h, 3) -
                                (2 * C * K1 * K2 + Kw * K1) * h * h - K1 * K2 * Kw * h) /
                               (3 * C * K1 * K2 * h - K1 * K2 * h * h + K1 * K2 * Kw);
                    },
                    NonZero(Ca)),
                WaterTriplet("R6", pH, H, OH),
                Derive("R7", A3, {Ca, H, k1, k2, k3}, Distributed(Ca, H, {k1, k2, k3}, 3)),
                Derive("R8", HA2, {A3, H, k3}, FromConstant(H, A3, k3), NonZero(k3)),
                Derive("R9", HA2, {Ca, H, k1, k2, k3}, Distributed(Ca, H, {k1, k2, k3}, 2)),
                Derive("R10", H2A, {HA2, H, k2}, FromConstant(H, HA2, k2), NonZero(k2)),
                Derive("R11", H2A, {Ca, H, k1, k2, k3}, Distributed(Ca, H, {k1, k2, k3}, 1)),
                Derive("R12", H3A, {H2A, H, k1}, FromConstant(H, H2A, k1), NonZero(k1)),
            },
        .writeBack = {{0, Ca},
                      {1, pH},
                      {2, H},
                      {3, k1},
                      {4, k2},
                      {5, k3},
                      {6, H3A},
                      {7, H2A},
                      {8, HA2},
                      {9, A3},
                      {10, OH}},
    };
    return t;
}

} // namespace triprotic

namespace triproticC {

enum : int { Ca, pH, H, k2, k3, H2A, HA2, A3, OH };

const SolverTables& tables() {
    static const SolverTables t{
        .inputs = {{0, Ca}, {1, pH}, {2, H}, {4, k2}, {5, k3}},
        .validation = validation(Ca, pH, H, {k2, k3}, {H2A, HA2, A3, OH}),
        .consistency = {MassBalance(Ca, {H2A, HA2, A3}, true),
                        ChargeBalance({{H}}, {{OH}, {H2A}, {HA2, 2}, {A3, 3}}),
                        EquilibriumConstant("k_2", k2, H2A, H, HA2),
                        EquilibriumConstant("k_3", k3, HA2, H, A3)},
        .specialCases =
            {
                Step("k_3 = 0", {k3}, IsZero(k3), SetZero({A3})),
                Step("k_2 = 0", {k2}, IsZero(k2),
                     [](Work& w) {
                         SetZero({HA2, A3})(w);
                         w.put(H2A, w[Ca]);
                     }),
                Step("C_a = 0", {Ca}, IsZero(Ca), neutralWithout(H, {A3, HA2, H2A})),
                Step("pure water", {H}, pureWater(H), neutralWithout(H, {A3, HA2, H2A})),
            },
        .rules =
            {
                RootSolve("R1", H, {Ca, k2, k3},
                          [](const Work& w) { return Polynomial13C(w[Ca], w[k2], w[k3], w.Kw()); }),
                Derive("R2", Ca, {H, k2, k3},
                       [](const Work& w) {
                           const double h = w[H], Kw = w.Kw(), K2 = w[k2], K3 = w[k3];
                           return (std::pow(h, 4) + K2 * std::pow(h, 3) + (K2 * K3 - Kw) * h * h -
                                   Kw * K2 * h - K2 * K3 * Kw) /
                                  (std::pow(h, 3) + 2 * K2 * h * h + 3 * K2 * K3 * h);
                       }),
                Derive(
                    "R3", k2, {H, Ca, k3},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw(), C = w[Ca], K3 = w[k3];
                        return (std::pow(h, 4) - C * std::pow(h, 3) - Kw * h * h) /
                               ((2 * C - K3) * h * h - std::pow(h, 3) + (3 * C * K3 + Kw) * h +
                                Kw * K3);
                    },
                    NonZero(Ca)),
                Derive(
                    "R4", k3, {H, Ca, k2},
                    [](const Work& w) {
                        const double h = w[H], Kw = w.Kw(), C = w[Ca], K2 = w[k2];
                        return (std::pow(h, 4) + (K2 - C) * std::pow(h, 3) -
                                (2 * C * K2 + Kw) * h * h - Kw * K2 * h) /
                               (3 * C * K2 * h - K2 * h * h + Kw * K2);
                    },
                    NonZero(Ca)),
                WaterTriplet("R5", pH, H, OH),
                Derive("R6", A3, {Ca, H, k2, k3}, Distributed(Ca, H, {k2, k3}, 2)),
                Derive("R7", HA2, {A3, H, k3}, FromConstant(H, A3, k3), NonZero(k3)),
                Derive("R8", HA2, {Ca, H, k2, k3}, Distributed(Ca, H, {k2, k3}, 1)),
                Derive("R9", H2A, {HA2, H, k2}, FromConstant(H, HA2, k2), NonZero(k2)),
                Derive("R10", H2A, {Ca, H, k2, k3}, Distributed(Ca, H, {k2, k3}, 0)),
            },
        .writeBack =
            {{0, Ca}, {1, pH}, {2, H}, {4, k2}, {5, k3}, {7, H2A}, {8, HA2}, {9, A3}, {10, OH}},
        .fixedWrites = {{6, 0.0}},
    };
    return t;
}

} // namespace triproticC

void Calc12(EquilAB& state) {
    RunSolver(state, diprotic::tables());
}
void Calc12C(EquilAB& state) {
    RunSolver(state, diproticC::tables());
}
void Calc13(EquilAB& state) {
    RunSolver(state, triprotic::tables());
}
void Calc13C(EquilAB& state) {
    RunSolver(state, triproticC::tables());
}

} // namespace corvane::engine
