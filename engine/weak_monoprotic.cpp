// Weak monoprotic acid (code 11) and weak base (code 15) solutions.
#include "solver.h"
#include "solvers.h"

#include <cmath>

namespace corvane::engine {

namespace acid {

enum : int { Ca, pH, H, ka, alpha, HA, A, OH };

// No acid in the water, or water at neutrality: [H+] = √Kw and no species.
void nothingDissolved(Work& w) {
    w.put(H, w.sqrtKw());
    w.put(alpha, 0);
    w.put(A, 0);
    w.put(HA, 0);
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
        .consistency =
            {
                {"mass balance",
                 {Ca, HA, A},
                 [](const Work& w) {
                     return RelativeMismatch(w[Ca] - w[HA] - w[A], w[HA] + w[Ca] + w[A]);
                 },
                 [](const Work& w) { return w[Ca] != 0; }},
                {"charge balance",
                 {H, OH, A},
                 [](const Work& w) {
                     return RelativeMismatch(w[H] - w[OH] - w[A], w[H] + w[OH] + w[A]);
                 }},
                {"acidity constant",
                 {ka, H, A, HA},
                 [](const Work& w) {
                     return RelativeMismatch(w[HA] * w[ka] - w[H] * w[A],
                                             w[HA] * w[ka] + w[H] * w[A]);
                 },
                 [](const Work& w) { return w[ka] != 0 && w[A] != 0 && w[HA] != 0; }},
            },
        .specialCases =
            {
                Step(
                    "k_a = 0", {ka}, [](const Work& w) { return w[ka] == 0; },
                    [](Work& w) {
                        w.put(A, 0);
                        w.put(alpha, 0);
                        w.put(HA, w[Ca]);
                    }),
                Step(
                    "C_a = 0", {Ca}, [](const Work& w) { return w[Ca] == 0; }, nothingDissolved),
                Step(
                    "pure water", {H}, [](const Work& w) { return w.isPureWater(H); },
                    nothingDissolved),
            },
        .rules =
            {
                Derive("R1", alpha, {ka, H}, [](const Work& w) { return w[ka] / (w[H] + w[ka]); }),
                Step(
                    "R2", {alpha}, [](const Work& w) { return w[alpha] == 0; },
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
                           return (w[alpha] * w[Ca] +
                                   std::sqrt(w[alpha] * w[alpha] * w[Ca] * w[Ca] + 4 * w.Kw())) /
                                  2;
                       }),
                Derive(
                    "R6", H, {ka, alpha},
                    [](const Work& w) { return (1 - w[alpha]) * w[ka] / w[alpha]; },
                    [](const Work& w) { return w[alpha] != 0 && w[alpha] != 1; }),
                Solve("R7", H, {Ca, ka},
                      [](Work& w) {
                          const double Kw = w.Kw();
                          w.set(H, w.solve(0, 0, 1, w[ka], -(w[Ca] * w[ka] + Kw), -w[ka] * Kw));
                          w.snapNeutral(H);
                      }),
                Step("R8", [](Work& w) { w.waterTriplet(pH, H, OH); }),
                Step(
                    "R9", {Ca}, [](const Work& w) { return w[Ca] == 0; },
                    [](Work& w) {
                        w.put(alpha, 0);
                        w.put(HA, 0);
                    }),
                Derive("R10", alpha, {Ca, H},
                       [](const Work& w) { return (w[H] * w[H] - w.Kw()) / w[Ca] / w[H]; }),
                Derive("R11", A, {alpha, Ca}, [](const Work& w) { return w[alpha] * w[Ca]; }),
                Derive(
                    "R12", HA, {A, H, ka}, [](const Work& w) { return w[H] * w[A] / w[ka]; },
                    [](const Work& w) { return w[ka] != 0; }),
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
    w.put(alpha, 0);
    w.put(B, 0);
    w.put(BOH, 0);
}

void pureWater(Work& w) {
    w.put(H, w.sqrtKw());
    w.put(OH, w[H]);
    w.put(pH, -w.log10(w[H]));
    w.put(Cb, 0);
    w.put(alpha, 0);
    w.put(BOH, 0);
    w.put(B, 0);
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
        .consistency =
            {
                {"mass balance",
                 {Cb, BOH, B},
                 [](const Work& w) {
                     return RelativeMismatch(w[Cb] - w[BOH] - w[B], w[BOH] + w[Cb] + w[B]);
                 }},
                {"charge balance",
                 {H, B, OH},
                 [](const Work& w) {
                     return RelativeMismatch(w[H] + w[B] - w[OH], w[H] + w[B] + w[OH]);
                 }},
                {"base constant",
                 {kb, OH, B, BOH},
                 [](const Work& w) {
                     return RelativeMismatch(w[kb] * w[BOH] - w[B] * w[OH],
                                             w[kb] * w[BOH] + w[B] * w[OH]);
                 },
                 [](const Work& w) { return w[kb] != 0 && w[B] != 0 && w[BOH] != 0; }},
            },
        .specialCases =
            {
                Step(
                    "k_b = 0", {kb}, [](const Work& w) { return w[kb] == 0; },
                    [](Work& w) {
                        w.put(B, 0);
                        w.put(alpha, 0);
                        w.put(BOH, w[Cb]);
                    }),
                Step(
                    "C_b = 0", {Cb}, [](const Work& w) { return w[Cb] == 0; }, nothingDissolved),
                Step(
                    "pure water", {H}, [](const Work& w) { return w.isPureWater(H); },
                    nothingDissolved),
            },
        .rules =
            {
                Derive("R1", alpha, {kb, H},
                       [](const Work& w) { return w[H] * w[kb] / (w[H] * w[kb] + w.Kw()); }),
                Step(
                    "R2", {alpha}, [](const Work& w) { return w[alpha] == 0; },
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
                           return (w[alpha] * w[Cb] +
                                   std::sqrt(w[alpha] * w[alpha] * w[Cb] * w[Cb] + 4 * w.Kw())) /
                                  2;
                       }),
                Derive(
                    "R6", H, {kb, alpha},
                    [](const Work& w) { return w.Kw() * w[alpha] / (1 - w[alpha]) / w[kb]; },
                    [](const Work& w) { return w[alpha] != 0 && w[alpha] != 1; }),
                // Unlike code 11, a root at neutrality turns the whole solution into pure water.
                Solve("R7", H, {Cb, kb},
                      [](Work& w) {
                          const double Kw = w.Kw();
                          w.set(H, w.solve(0, 0, w[kb], w[kb] * w[Cb] + Kw, -w[kb] * Kw, -Kw * Kw));
                          if (w.stopped()) return;
                          if (std::abs(w[H] - w.sqrtKw()) / w.sqrtKw() < 1e-8) pureWater(w);
                      }),
                Step("R8", [](Work& w) { w.waterTriplet(pH, H, OH); }),
                Step(
                    "R9", {Cb}, [](const Work& w) { return w[Cb] == 0; }, pureWater),
                Derive("R10", alpha, {Cb, H},
                       [](const Work& w) { return (w.Kw() - w[H] * w[H]) / w[Cb] / w[H]; }),
                Derive("R11", B, {alpha, Cb}, [](const Work& w) { return w[alpha] * w[Cb]; }),
                Derive(
                    "R12", BOH, {B, OH, kb}, [](const Work& w) { return w[B] * w[OH] / w[kb]; },
                    [](const Work& w) { return w[kb] != 0; }),
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
