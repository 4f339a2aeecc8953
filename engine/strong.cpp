// Strong acid (code 10) and strong base (code 14) solutions: the water equilibrium is taken
// exactly, so dilute solutions tend to neutrality instead of crossing it.
#include "polynomials.h"
#include "shapes.h"
#include "solvers.h"

#include <cmath>

namespace corvane::engine {

namespace {

// (C + √(C² + 4·Kw)) / 2: [H+] of a strong acid, [OH-] of a strong base.
Formula strongIon(int C) {
    return [C](const Work& w) { return StrongIon(w[C], w.Kw()); };
}

// (x² − Kw) / x: the concentration behind that ion.
Formula concentrationFrom(int x) {
    return [x](const Work& w) { return (w[x] * w[x] - w.Kw()) / w[x]; };
}

} // namespace

namespace strongAcid {

enum : int { Ca, pH, H, A, OH };

const SolverTables& tables() {
    static const SolverTables t{
        .inputs = {{0, Ca}, {1, pH}, {2, H}},
        .validation = {{Ca, Concentration},
                       {pH, PHRange},
                       {H, AcidicH},
                       {A, Concentration},
                       {OH, Concentration}},
        .consistency = {},
        .specialCases =
            {
                Step("C_a = 0", {Ca}, IsZero(Ca),
                     [](Work& w) {
                         w.put(H, w.sqrtKw());
                         w.put(A, 0);
                     }),
                Step(
                    "pure water", {H}, [](const Work& w) { return w.isPureWater(H); },
                    [](Work& w) {
                        w.put(H, w.sqrtKw());
                        SetZero({A, Ca})(w);
                    }),
            },
        .rules =
            {
                Derive("R1", H, {Ca}, strongIon(Ca)),
                Derive("R2", Ca, {H}, concentrationFrom(H)),
                WaterTriplet("R3", pH, H, OH),
                Derive("R4", A, {Ca}, [](const Work& w) { return w[Ca]; }),
            },
        .writeBack = {{0, Ca}, {1, pH}, {2, H}, {7, A}, {9, OH}},
        .fixedWrites = {{6, 0.0}},
    };
    return t;
}

} // namespace strongAcid

namespace strongBase {

enum : int { Cb, pH, H, OH, B };

const SolverTables& tables() {
    static const SolverTables t{
        .inputs = {{0, Cb}, {1, pH}, {2, H}, {5, OH}},
        .validation = {{Cb, Concentration},
                       {pH, PHRange},
                       {H, BasicH},
                       {B, Concentration},
                       {OH, Concentration}},
        .consistency = {},
        .specialCases =
            {
                Step("C_b = 0", {Cb}, IsZero(Cb),
                     [](Work& w) {
                         w.put(H, w.sqrtKw());
                         w.put(B, 0);
                     }),
                Step(
                    "pure water", {H}, [](const Work& w) { return w.isPureWater(H); },
                    [](Work& w) {
                        w.put(H, w.sqrtKw());
                        SetZero({B, Cb})(w);
                    }),
            },
        .rules =
            {
                Derive("R1", OH, {Cb}, strongIon(Cb)),
                Derive("R2", Cb, {OH}, concentrationFrom(OH)),
                WaterTriplet("R3", pH, H, OH),
                Derive("R4", B, {Cb}, [](const Work& w) { return w[Cb]; }),
            },
        .writeBack = {{0, Cb}, {1, pH}, {2, H}, {5, OH}, {7, B}},
        .fixedWrites = {{6, 0.0}},
    };
    return t;
}

} // namespace strongBase

void Calc10(EquilAB& state) {
    RunSolver(state, strongAcid::tables());
}
void Calc14(EquilAB& state) {
    RunSolver(state, strongBase::tables());
}

} // namespace corvane::engine
