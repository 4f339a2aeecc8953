// Titrations of a diprotic or triprotic acid with a strong base (codes 54, 54C, 55, 55C): two
// or three equivalence points, V_eq the last, V_eq1 (and V_eq2) the earlier ones.
#include "polynomials.h"
#include "solvers.h"
#include "titration.h"

namespace corvane::engine {

namespace {

enum : int {
    Ca,
    Va,
    k1,
    k2,
    k3,
    CSB,
    Veq,
    pHeq,
    H,
    OH,
    Veq1,
    pHeq1,
    h1,
    Veq2,
    pHeq2,
    h2,
    CAeq,
    CBeq,
    CA1,
    CB1,
    CA2,
    CB2,
};

std::vector<Validation> validation(Vars constants) {
    std::vector<Validation> v{{Ca, PositiveConcentration},
                              {CSB, PositiveConcentration},
                              {Va, PositiveConstant},
                              {Veq, PositiveConstant},
                              {pHeq, PHRange},
                              {H, PositiveConcentration},
                              {OH, PositiveConcentration}};
    for (int k : constants)
        v.push_back({k, PositiveConstant});
    return v;
}

// The flask concentrations at the equivalence volume W: C_A = C_a·V_a / (V_a + W) and
// C_B = C_SB·W / (W + V_a).
// The acid in the flask after V mL of base.
const Flask& titratedAcid() {
    static const Flask flask = AcidInFlask(Ca, Va, CSB);
    return flask;
}

Rule acidAt(const char* name, int target, int W) {
    return Derive(name, target, {Ca, Va, W},
                  [W](const Work& w) { return titratedAcid()(w, w[W]).first; });
}
Rule baseAt(const char* name, int target, int W) {
    return Derive(name, target, {CSB, Va, W},
                  [W](const Work& w) { return titratedAcid()(w, w[W]).second; });
}

// An earlier equivalence point: its [H+] and, from it, its pH.
Rule earlierPoint(const char* name, int h, int CA, int CB, Vars constants, int pH,
                  TitrationPolynomial polynomial) {
    return RootAtEquivalence(name, h, CA, CB, constants, std::move(polynomial),
                             [h, pH](Work& w) { w.set(pH, -w.log10(w[h])); });
}

// n·C_a·V_a = C_SB·V_eq for n titrated protons, solved for each of the four in turn.
std::vector<Rule> amounts(const char* names[4], double n) {
    return {
        Derive(
            names[0], Ca, {Va, Veq, CSB},
            [n](const Work& w) { return w[CSB] * w[Veq] / w[Va] / n; }, NonZero(Va)),
        Derive(
            names[1], CSB, {Veq, Va, Ca}, [n](const Work& w) { return n * w[Ca] * w[Va] / w[Veq]; },
            NonZero(Veq)),
        Derive(
            names[2], Va, {Ca, Veq, CSB},
            [n](const Work& w) { return w[CSB] * w[Veq] / w[Ca] / n; }, NonZero(Ca)),
        Derive(
            names[3], Veq, {CSB, Va, Ca}, [n](const Work& w) { return n * w[Ca] * w[Va] / w[CSB]; },
            NonZero(CSB)),
    };
}

std::vector<Rule> concat(std::vector<std::vector<Rule>> parts) {
    std::vector<Rule> all;
    for (auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The charge balance at any C_A, C_B, per code.
std::array<double, 6> diproticPolynomial(const Work& w, double A, double B) {
    return Polynomial54(A, B, w[k1], w[k2], w.Kw());
}
std::array<double, 6> diproticCPolynomial(const Work& w, double A, double B) {
    return Polynomial54C(A, B, w[k2], w.Kw());
}
std::array<double, 6> triproticPolynomial(const Work& w, double A, double B) {
    return Polynomial55(A, B, w[k1], w[k2], w[k3], w.Kw());
}
std::array<double, 6> triproticCPolynomial(const Work& w, double A, double B) {
    return Polynomial55C(A, B, w[k2], w[k3], w.Kw());
}

struct Layout {
    Vars constants;
    bool triprotic;
    bool firstComplete;
};

SolverTables titration(const Layout& l, TitrationPolynomial polynomial, std::vector<Rule> rules) {
    const double n = l.triprotic ? 3 : 2;
    std::vector<SlotLink> inputs{{0, Ca}, {1, Va}, {6, CSB}, {7, Veq}, {8, pHeq}};
    std::vector<SlotLink> out{{0, Ca}, {1, Va},    {6, CSB},    {7, Veq}, {8, pHeq},
                              {9, H},  {10, Veq1}, {11, pHeq1}, {12, OH}};
    if (!l.firstComplete) {
        inputs.push_back({3, k1});
        out.push_back({3, k1});
    }
    inputs.push_back({4, k2});
    out.push_back({4, k2});
    if (l.triprotic) {
        inputs.push_back({5, k3});
        out.insert(out.end(), {{5, k3}, {13, Veq2}, {14, pHeq2}});
    }
    Vars needs{Veq, Veq1, CSB, Va, Ca};
    std::vector<int> volumes{Veq, Veq1};
    if (l.triprotic) {
        needs.add(Veq2);
        volumes.push_back(Veq2);
    }
    for (int k : l.constants)
        needs.add(k);
    return {
        .inputs = inputs,
        .validation = validation(l.constants),
        .consistency = {Equivalence(Ca, Va, CSB, Veq, n)},
        .specialCases = {},
        .rules = std::move(rules),
        .writeBack = out,
        .fixedWrites = {{EquivalenceSlopeSlot, EmptyValue}},
        .afterWriteBack = EquivalenceSlope(needs, Veq, volumes, l.triprotic ? 4.0 / 3.0 : 3.0 / 2.0,
                                           titratedAcid(), polynomial),
    };
}

const char* Amounts54[4] = {"R9", "R10", "R11", "R12"};
const char* Amounts55[4] = {"R13", "R14", "R15", "R16"};

} // namespace

void Calc54(EquilAB& state) {
    static const SolverTables t =
        titration({{k1, k2}, false, false}, diproticPolynomial,
                  concat({
                      {WaterTriplet("R1", pHeq, H, OH), acidAt("R2", CAeq, Veq),
                       baseAt("R3", CBeq, Veq), acidAt("R4", CA1, Veq1), baseAt("R5", CB1, Veq1),
                       RootAtEquivalence("R6", H, CAeq, CBeq, {k1, k2}, diproticPolynomial),
                       earlierPoint("R7", h1, CA1, CB1, {k1, k2}, pHeq1, diproticPolynomial),
                       Derive("R8", Veq1, {Veq}, [](const Work& w) { return w[Veq] / 2; })},
                      amounts(Amounts54, 2),
                      {Derive("R13", CAeq, {H, CBeq, k1, k2},
                              [](const Work& w) {
                                  return BackSolve34Acid(w[H], w[CBeq], w[k1], w[k2], w.Kw());
                              }),
                       Derive("R14", CBeq, {H, CAeq, k1, k2},
                              [](const Work& w) {
                                  return BackSolve34Base(w[H], w[CAeq], w[k1], w[k2], w.Kw());
                              }),
                       Derive("R15", k1, {H, CAeq, CBeq, k2},
                              [](const Work& w) {
                                  return BackSolve34K1(w[H], w[CAeq], w[CBeq], w[k2], w.Kw());
                              }),
                       Derive("R16", k2, {H, CAeq, CBeq, k1},
                              [](const Work& w) {
                                  return BackSolve34K2(w[H], w[CAeq], w[CBeq], w[k1], w.Kw());
                              })},
                  }));
    RunSolver(state, t);
}

void Calc54C(EquilAB& state) {
    static const SolverTables t = titration(
        {{k2}, false, true}, diproticCPolynomial,
        concat({
            {WaterTriplet("R1", pHeq, H, OH), acidAt("R2", CAeq, Veq), baseAt("R3", CBeq, Veq),
             acidAt("R4", CA1, Veq1), baseAt("R5", CB1, Veq1),
             RootAtEquivalence("R6", H, CAeq, CBeq, {k2}, diproticCPolynomial),
             earlierPoint("R7", h1, CA1, CB1, {k2}, pHeq1, diproticCPolynomial),
             Derive("R8", Veq1, {Veq}, [](const Work& w) { return w[Veq] / 2; })},
            amounts(Amounts54, 2),
            {Derive("R13", CAeq, {H, CBeq, k2},
                    [](const Work& w) { return BackSolve34CAcid(w[H], w[CBeq], w[k2], w.Kw()); }),
             Derive("R14", CBeq, {H, CAeq, k2},
                    [](const Work& w) { return BackSolve34CBase(w[H], w[CAeq], w[k2], w.Kw()); }),
             Derive("R15", k2, {H, CAeq, CBeq},
                    [](const Work& w) { return BackSolve34CK2(w[H], w[CAeq], w[CBeq], w.Kw()); })},
        }));
    RunSolver(state, t);
}

namespace {

// Codes 55 and 55C up to the polynomial's inverse rules.
std::vector<Rule> triproticRules(Vars constants, TitrationPolynomial polynomial) {
    return concat({
        {WaterTriplet("R1", pHeq, H, OH), acidAt("R2", CAeq, Veq), baseAt("R3", CBeq, Veq),
         acidAt("R4", CA1, Veq1), baseAt("R5", CB1, Veq1), acidAt("R6", CA2, Veq2),
         baseAt("R7", CB2, Veq2), RootAtEquivalence("R8", H, CAeq, CBeq, constants, polynomial),
         earlierPoint("R9", h1, CA1, CB1, constants, pHeq1, polynomial),
         earlierPoint("R10", h2, CA2, CB2, constants, pHeq2, polynomial),
         Derive("R11", Veq1, {Veq}, [](const Work& w) { return w[Veq] / 3; }),
         Derive("R12", Veq2, {Veq}, [](const Work& w) { return 2.0 / 3.0 * w[Veq]; })},
        amounts(Amounts55, 3),
    });
}

} // namespace

void Calc55(EquilAB& state) {
    static const SolverTables t = titration(
        {{k1, k2, k3}, true, false}, triproticPolynomial,
        concat({
            triproticRules({k1, k2, k3}, triproticPolynomial),
            {Derive("R17", CAeq, {H, CBeq, k1, k2, k3},
                    [](const Work& w) {
                        return BackSolve35Acid(w[H], w[CBeq], w[k1], w[k2], w[k3], w.Kw());
                    }),
             Derive("R18", CBeq, {H, CAeq, k1, k2, k3},
                    [](const Work& w) {
                        return BackSolve35Base(w[H], w[CAeq], w[k1], w[k2], w[k3], w.Kw());
                    }),
             Derive("R19", k1, {H, CAeq, CBeq, k2, k3},
                    [](const Work& w) {
                        return BackSolve35K1(w[H], w[CAeq], w[CBeq], w[k2], w[k3], w.Kw());
                    }),
             Derive("R20", k2, {H, CAeq, CBeq, k1, k3},
                    [](const Work& w) {
                        return BackSolve35K2(w[H], w[CAeq], w[CBeq], w[k1], w[k3], w.Kw());
                    }),
             Derive("R21", k3, {H, CAeq, CBeq, k1, k2},
                    [](const Work& w) {
                        return BackSolve35K3(w[H], w[CAeq], w[CBeq], w[k1], w[k2], w.Kw());
                    })},
        }));
    RunSolver(state, t);
}

void Calc55C(EquilAB& state) {
    static const SolverTables t =
        titration({{k2, k3}, true, true}, triproticCPolynomial,
                  concat({
                      triproticRules({k2, k3}, triproticCPolynomial),
                      {Derive("R17", CAeq, {H, CBeq, k2, k3},
                              [](const Work& w) {
                                  return BackSolve35CAcid(w[H], w[CBeq], w[k2], w[k3], w.Kw());
                              }),
                       Derive("R18", CBeq, {H, CAeq, k2, k3},
                              [](const Work& w) {
                                  return BackSolve35CBase(w[H], w[CAeq], w[k2], w[k3], w.Kw());
                              }),
                       Derive("R19", k2, {H, CAeq, CBeq, k3},
                              [](const Work& w) {
                                  return BackSolve35CK2(w[H], w[CAeq], w[CBeq], w[k3], w.Kw());
                              }),
                       Derive("R20", k3, {H, CAeq, CBeq, k2},
                              [](const Work& w) {
                                  return BackSolve35CK3(w[H], w[CAeq], w[CBeq], w[k2], w.Kw());
                              })},
                  }));
    RunSolver(state, t);
}

} // namespace corvane::engine
