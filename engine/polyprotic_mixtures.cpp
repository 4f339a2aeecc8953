// A diprotic or triprotic acid (C_a) mixed with a strong base (C_b), codes 34, 34C, 35, 35C.
// Any pH is accepted, there is no snapping to neutrality, and the species are always
// distributed from C_a.
#include "polynomials.h"
#include "shapes.h"
#include "solvers.h"

namespace corvane::engine {

namespace {

// The quantities of all four codes; the "C" variants leave k_1 and the neutral acid unused.
enum : int { Ca, Cb, pH, k1, k2, k3, H, S0, S1, S2, S3, B, OH };

std::vector<Validation> validation() {
    return {{Ca, Concentration},
            {Cb, Concentration},
            {pH, PHRange},
            {H, PositiveConcentration},
            {k1, Constant},
            {k2, Constant},
            {k3, Constant},
            {S0, Concentration},
            {S1, Concentration},
            {S2, Concentration},
            {S3, Concentration},
            {B, Concentration},
            {OH, PositiveConcentration}};
}

// Species S0 .. Sn of an acid with n protons: Sj has lost j of them and carries charge j.
// A "C" variant has no S0 and its constants start at k_2.
std::vector<Consistency> consistency(Vars species, Vars constants, bool firstComplete) {
    std::vector<Ion> anions{{OH}};
    const int first = firstComplete ? 1 : 0;
    std::vector<Consistency> groups{MassBalance(Ca, species, true)};
    int j = first;
    for (int s : species) {
        if (j > 0) anions.push_back({s, j});
        ++j;
    }
    groups.push_back(ChargeBalance({{H}, {B}}, anions));
    const char* names[] = {"k_1", "k_2", "k_3"};
    const std::int8_t* ids = species.begin();
    j = 0;
    for (int k : constants) {
        groups.push_back(EquilibriumConstant(names[j + first], k, ids[j], H, ids[j + 1]));
        ++j;
    }
    return groups;
}

// C_a = 0 clears the two most highly charged species; C_b = 0 clears [B+]; both give water.
std::vector<Rule> specialCases(int second, int highest) {
    return {
        Step("C_a = 0", {Ca}, IsZero(Ca), SetZero({second, highest})),
        Step("C_b = 0", {Cb}, IsZero(Cb), SetZero({B})),
        Step(
            "C_a = 0 and C_b = 0", {Ca, Cb}, [](const Work& w) { return w[Ca] == 0 && w[Cb] == 0; },
            [](Work& w) { w.put(H, w.sqrtKw()); }),
    };
}

Rule saltCation() {
    return Derive("R1", B, {Cb}, [](const Work& w) { return w[Cb]; });
}

} // namespace

void Calc34(EquilAB& state) {
    static const SolverTables t{
        .inputs = {{0, Ca}, {1, Cb}, {2, pH}, {3, k1}, {4, k2}, {5, H}},
        .validation = validation(),
        .consistency = consistency({S0, S1, S2}, {k1, k2}, false),
        .specialCases = specialCases(S1, S2),
        .rules =
            {
                saltCation(),
                Derive("R2", S2, {Ca, H, k1, k2}, Distributed(Ca, H, {k1, k2}, 2)),
                Derive("R3", S1, {Ca, H, k1, k2}, Distributed(Ca, H, {k1, k2}, 1)),
                Derive("R4", S0, {Ca, H, k1, k2}, Distributed(Ca, H, {k1, k2}, 0)),
                WaterTriplet("R5", pH, H, OH),
                RootSolve(
                    "R6", H, {Ca, Cb, k1, k2},
                    [](const Work& w) { return Polynomial34(w[Ca], w[Cb], w[k1], w[k2], w.Kw()); }),
                Derive("R7", Ca, {H, Cb, k1, k2},
                       [](const Work& w) {
                           return BackSolve34Acid(w[H], w[Cb], w[k1], w[k2], w.Kw());
                       }),
                Derive("R8", Cb, {H, Ca, k1, k2},
                       [](const Work& w) {
                           return BackSolve34Base(w[H], w[Ca], w[k1], w[k2], w.Kw());
                       }),
                Derive(
                    "R9", k1, {H, Ca, Cb, k2},
                    [](const Work& w) { return BackSolve34K1(w[H], w[Ca], w[Cb], w[k2], w.Kw()); },
                    NonZero(Ca)),
                Derive(
                    "R10", k2, {H, Ca, Cb, k1},
                    [](const Work& w) { return BackSolve34K2(w[H], w[Ca], w[Cb], w[k1], w.Kw()); },
                    NonZero(Ca)),
            },
        .writeBack = {{0, Ca},
                      {1, Cb},
                      {2, pH},
                      {3, k1},
                      {4, k2},
                      {5, H},
                      {6, S0},
                      {7, S1},
                      {8, S2},
                      {10, B},
                      {11, OH}},
        .fixedWrites = {{9, 0.0}},
    };
    RunSolver(state, t);
}

void Calc34C(EquilAB& state) {
    static const SolverTables t{
        .inputs = {{0, Ca}, {1, Cb}, {2, pH}, {4, k2}, {5, H}},
        .validation = validation(),
        .consistency = consistency({S1, S2}, {k2}, true),
        .specialCases = specialCases(S1, S2),
        .rules =
            {
                saltCation(),
                Derive("R2", S2, {Ca, H, k2}, Distributed(Ca, H, {k2}, 1)),
                Derive("R3", S1, {Ca, H, k2}, Distributed(Ca, H, {k2}, 0)),
                WaterTriplet("R4", pH, H, OH),
                RootSolve("R5", H, {Ca, Cb, k2},
                          [](const Work& w) { return Polynomial34C(w[Ca], w[Cb], w[k2], w.Kw()); }),
                Derive("R6", Ca, {H, Cb, k2},
                       [](const Work& w) { return BackSolve34CAcid(w[H], w[Cb], w[k2], w.Kw()); }),
                Derive("R7", Cb, {H, Ca, k2},
                       [](const Work& w) { return BackSolve34CBase(w[H], w[Ca], w[k2], w.Kw()); }),
                Derive(
                    "R8", k2, {H, Ca, Cb},
                    [](const Work& w) { return BackSolve34CK2(w[H], w[Ca], w[Cb], w.Kw()); },
                    NonZero(Ca)),
            },
        .writeBack =
            {{0, Ca}, {1, Cb}, {2, pH}, {4, k2}, {5, H}, {7, S1}, {8, S2}, {10, B}, {11, OH}},
        .fixedWrites = {{6, 0.0}, {9, 0.0}},
    };
    RunSolver(state, t);
}

void Calc35(EquilAB& state) {
    static const SolverTables t{
        .inputs = {{0, Ca}, {1, Cb}, {2, pH}, {3, k1}, {4, k2}, {5, k3}},
        .validation = validation(),
        .consistency = consistency({S0, S1, S2, S3}, {k1, k2, k3}, false),
        .specialCases = specialCases(S2, S3),
        .rules =
            {
                saltCation(),
                Derive("R2", S3, {Ca, H, k1, k2, k3}, Distributed(Ca, H, {k1, k2, k3}, 3)),
                Derive("R3", S2, {Ca, H, k1, k2, k3}, Distributed(Ca, H, {k1, k2, k3}, 2)),
                Derive("R4", S1, {Ca, H, k1, k2, k3}, Distributed(Ca, H, {k1, k2, k3}, 1)),
                Derive("R5", S0, {Ca, H, k1, k2, k3}, Distributed(Ca, H, {k1, k2, k3}, 0)),
                WaterTriplet("R6", pH, H, OH),
                RootSolve("R7", H, {Ca, Cb, k1, k2, k3},
                          [](const Work& w) {
                              return Polynomial35(w[Ca], w[Cb], w[k1], w[k2], w[k3], w.Kw());
                          }),
                Derive("R8", Ca, {H, Cb, k1, k2, k3},
                       [](const Work& w) {
                           return BackSolve35Acid(w[H], w[Cb], w[k1], w[k2], w[k3], w.Kw());
                       }),
                Derive("R9", Cb, {H, Ca, k1, k2, k3},
                       [](const Work& w) {
                           return BackSolve35Base(w[H], w[Ca], w[k1], w[k2], w[k3], w.Kw());
                       }),
                Derive(
                    "R10", k1, {H, Ca, Cb, k2, k3},
                    [](const Work& w) {
                        return BackSolve35K1(w[H], w[Ca], w[Cb], w[k2], w[k3], w.Kw());
                    },
                    NonZero(Ca)),
                Derive(
                    "R11", k2, {H, Ca, Cb, k1, k3},
                    [](const Work& w) {
                        return BackSolve35K2(w[H], w[Ca], w[Cb], w[k1], w[k3], w.Kw());
                    },
                    NonZero(Ca)),
                Derive(
                    "R12", k3, {H, Ca, Cb, k1, k2},
                    [](const Work& w) {
                        return BackSolve35K3(w[H], w[Ca], w[Cb], w[k1], w[k2], w.Kw());
                    },
                    NonZero(Ca)),
            },
        .writeBack = {{0, Ca},
                      {1, Cb},
                      {2, pH},
                      {3, k1},
                      {4, k2},
                      {5, k3},
                      {6, S0},
                      {7, S1},
                      {8, S2},
                      {9, S3},
                      {10, H},
                      {11, OH},
                      {13, B}},
        .fixedWrites = {{12, 0.0}},
    };
    RunSolver(state, t);
}

void Calc35C(EquilAB& state) {
    static const SolverTables t{
        .inputs = {{0, Ca}, {1, Cb}, {2, pH}, {4, k2}, {5, k3}},
        .validation = validation(),
        .consistency = consistency({S1, S2, S3}, {k2, k3}, true),
        .specialCases = specialCases(S2, S3),
        .rules =
            {
                saltCation(),
                Derive("R2", S3, {Ca, H, k2, k3}, Distributed(Ca, H, {k2, k3}, 2)),
                Derive("R3", S2, {Ca, H, k2, k3}, Distributed(Ca, H, {k2, k3}, 1)),
                Derive("R4", S1, {Ca, H, k2, k3}, Distributed(Ca, H, {k2, k3}, 0)),
                WaterTriplet("R5", pH, H, OH),
                RootSolve("R6", H, {Ca, Cb, k2, k3},
                          [](const Work& w) {
                              return Polynomial35C(w[Ca], w[Cb], w[k2], w[k3], w.Kw());
                          }),
                Derive("R7", Ca, {H, Cb, k2, k3},
                       [](const Work& w) {
                           return BackSolve35CAcid(w[H], w[Cb], w[k2], w[k3], w.Kw());
                       }),
                Derive("R8", Cb, {H, Ca, k2, k3},
                       [](const Work& w) {
                           return BackSolve35CBase(w[H], w[Ca], w[k2], w[k3], w.Kw());
                       }),
                Derive(
                    "R9", k2, {H, Ca, Cb, k3},
                    [](const Work& w) { return BackSolve35CK2(w[H], w[Ca], w[Cb], w[k3], w.Kw()); },
                    NonZero(Ca)),
                Derive(
                    "R10", k3, {H, Ca, Cb, k2},
                    [](const Work& w) { return BackSolve35CK3(w[H], w[Ca], w[Cb], w[k2], w.Kw()); },
                    NonZero(Ca)),
            },
        .writeBack = {{0, Ca},
                      {1, Cb},
                      {2, pH},
                      {4, k2},
                      {5, k3},
                      {7, S1},
                      {8, S2},
                      {9, S3},
                      {10, H},
                      {11, OH},
                      {13, B}},
        .fixedWrites = {{6, 0.0}, {12, 0.0}},
    };
    RunSolver(state, t);
}

} // namespace corvane::engine
