// Weak monoprotic acid (code 11) and weak base (code 15) solutions.
#include "polynomials.h"
#include "shapes.h"
#include "solvers.h"

#include <cmath>

namespace corvane::engine {

namespace acid {

enum : int { Ca, pH, H, ka, alpha, HA, A, OH };

// No acid in the water, or water at neutrality: [H+] = √Kw and no species.
void nothingDissolved(Work& w) {
    w.put(H, w.sqrtKw());
    SetZero({alpha, A, HA})(w);
}

const SolverTables& tables() {
    static const SolverTables t{
        .inputs = {{0, Ca}, {1, pH}, {2, H}, {3, ka}, {4, alpha}},
        .validation = {{Ca, Concentration},
                       {pH, PHRange},
                       {H, AcidicH},
                       {ka, Constant},
                       {alpha, Degree},
                       {HA, Concentration},
                       {A, Concentration},
                       {OH, Concentration}},
        .consistency = {MassBalance(Ca, {HA, A}, true), ChargeBalance({{H}}, {{OH}, {A}}),
                        EquilibriumConstant("acidity constant", ka, HA, H, A)},
        .specialCases =
            {
                Step("k_a = 0", {ka}, IsZero(ka),
                     [](Work& w) {
                         SetZero({A, alpha})(w);
                         w.put(HA, w[Ca]);
                     }),
                Step("C_a = 0", {Ca}, IsZero(Ca), nothingDissolved),
                Step(
                    "pure water", {H}, [](const Work& w) { return w.isPureWater(H); },
                    nothingDissolved),
            },
        .rules =
            {
                Derive("R1", alpha, {ka, H}, [](const Work& w) { return w[ka] / (w[H] + w[ka]); }),
                Step("R2", {alpha}, IsZero(alpha),
                     [](Work& w) {
                         w.put(H, w.sqrtKw());
                         w.put(OH, w[H]);
                         w.put(pH, -w.log10(w[H]));
                     }),
                Derive("R3", Ca, {H, alpha},
                       [](const Work& w) { return (w[H] * w[H] - w.Kw()) / w[alpha] / w[H]; }),
                Derive(
                    "R4", ka, {H, alpha},
                    [](const Work& w) { return w[H] * w[alpha] / (1 - w[alpha]); },
                    [](const Work& w) { return w[alpha] != 0 && w[alpha] != 1; }),
                Derive("R5", H, {Ca, alpha},
                       [](const Work& w) {
                           const double aC = w[alpha] * w[Ca];
                           return (aC + std::sqrt(aC * aC + 4 * w.Kw())) / 2;
                       }),
                Derive(
                    "R6", H, {ka, alpha},
                    [](const Work& w) { return (1 - w[alpha]) * w[ka] / w[alpha]; },
                    [](const Work& w) { return w[alpha] != 0 && w[alpha] != 1; }),
                RootSolve(
                    "R7", H, {Ca, ka},
                    [](const Work& w) { return Polynomial11(w[Ca], w[ka], w.Kw()); },
                    SnapNeutral(H)),
                WaterTriplet("R8", pH, H, OH),
                Step("R9", {Ca}, IsZero(Ca), SetZero({alpha, HA})),
                Derive("R10", alpha, {Ca, H},
                       [](const Work& w) { return (w[H] * w[H] - w.Kw()) / w[Ca] / w[H]; }),
                Derive("R11", A, {alpha, Ca}, [](const Work& w) { return w[alpha] * w[Ca]; }),
                Derive("R12", HA, {A, H, ka}, FromConstant(H, A, ka), NonZero(ka)),
            },
        .writeBack = {{0, Ca}, {1, pH}, {2, H}, {3, ka}, {4, alpha}, {6, HA}, {7, A}, {9, OH}},
    };
    return t;
}

} // namespace acid

namespace base {

enum : int { Cb, pH, H, kb, alpha, OH, BOH, B };

// No base in the water, or water at neutrality: [H+] = √Kw and no species.
void nothingDissolved(Work& w) {
    w.put(H, w.sqrtKw());
    SetZero({alpha, B, BOH})(w);
}

// No base at all makes the whole solution pure water.
void pureWater(Work& w) {
    w.put(H, w.sqrtKw());
    w.put(OH, w[H]);
    w.put(pH, -w.log10(w[H]));
    SetZero({Cb, alpha, BOH, B})(w);
}

const SolverTables& tables() {
    static const SolverTables t{
        .inputs = {{0, Cb}, {1, pH}, {2, H}, {3, kb}, {4, alpha}, {5, OH}},
        .validation = {{Cb, Concentration},
                       {pH, PHRange},
                       {H, BasicH},
                       {kb, Constant},
                       {alpha, Degree},
                       {BOH, Concentration},
                       {B, Concentration},
                       {OH, Concentration}},
        .consistency = {MassBalance(Cb, {BOH, B}, false), ChargeBalance({{H}, {B}}, {{OH}}),
                        EquilibriumConstant("base constant", kb, BOH, OH, B)},
        .specialCases =
            {
                Step("k_b = 0", {kb}, IsZero(kb),
                     [](Work& w) {
                         SetZero({B, alpha})(w);
                         w.put(BOH, w[Cb]);
                     }),
                Step("C_b = 0", {Cb}, IsZero(Cb), nothingDissolved),
                Step(
                    "pure water", {H}, [](const Work& w) { return w.isPureWater(H); },
                    nothingDissolved),
            },
        .rules =
            {
                Derive("R1", alpha, {kb, H},
                       [](const Work& w) { return w[H] * w[kb] / (w[H] * w[kb] + w.Kw()); }),
                Step("R2", {alpha}, IsZero(alpha),
                     [](Work& w) {
                         w.put(H, w.sqrtKw());
                         w.put(OH, w[H]);
                         w.put(pH, -w.log10(w[H]));
                     }),
                Derive("R3", Cb, {OH, alpha},
                       [](const Work& w) { return (w[OH] * w[OH] - w.Kw()) / w[alpha] / w[OH]; }),
                Derive(
                    "R4", kb, {H, alpha},
                    [](const Work& w) { return w.Kw() * w[alpha] / (1 - w[alpha]) / w[H]; },
                    [](const Work& w) { return w[alpha] != 0 && w[alpha] != 1; }),
                Derive("R5", OH, {Cb, alpha},
                       [](const Work& w) {
                           const double aC = w[alpha] * w[Cb];
                           return (aC + std::sqrt(aC * aC + 4 * w.Kw())) / 2;
                       }),
                Derive(
                    "R6", H, {kb, alpha},
                    [](const Work& w) { return w.Kw() * w[alpha] / (1 - w[alpha]) / w[kb]; },
                    [](const Work& w) { return w[alpha] != 0 && w[alpha] != 1; }),
                RootSolve(
                    "R7", H, {Cb, kb},
                    [](const Work& w) { return Polynomial15(w[Cb], w[kb], w.Kw()); },
                    SnapNeutral(H)),
                WaterTriplet("R8", pH, H, OH),
                Step("R9", {Cb}, IsZero(Cb), pureWater),
                Derive("R10", alpha, {Cb, H},
                       [](const Work& w) { return (w.Kw() - w[H] * w[H]) / w[Cb] / w[H]; }),
                Derive("R11", B, {alpha, Cb}, [](const Work& w) { return w[alpha] * w[Cb]; }),
                Derive("R12", BOH, {B, OH, kb}, FromConstant(OH, B, kb), NonZero(kb)),
            },
        .writeBack = {{0, Cb}, {1, pH}, {2, H}, {3, kb}, {4, alpha}, {5, OH}, {6, BOH}, {7, B}},
    };
    return t;
}

} // namespace base

void Calc11(EquilAB& state) {
    RunSolver(state, acid::tables());
}
void Calc15(EquilAB& state) {
    RunSolver(state, base::tables());
}

} // namespace corvane::engine
