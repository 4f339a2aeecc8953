// Titrations of monoprotic acids and bases (codes 50 to 53): the titrated solution (C, V),
// the titrant concentration, the titrant volume at equivalence V_eq and the state there.
#include "polynomials.h"
#include "solvers.h"
#include "titration.h"

#include <cmath>

namespace corvane::engine {

namespace {

// Acid titrated with base (50, 51) and base titrated with acid (52, 53) share one layout:
// analyte C and volume V, titrant T, the constant k of a weak analyte, and the flask
// concentrations CA, CB at equivalence.
enum : int { C, V, k, T, Veq, pHeq, H, OH, CA, CB };

std::vector<Validation> validation(bool weak) {
    std::vector<Validation> v{{C, PositiveConcentration},
                              {T, PositiveConcentration},
                              {V, PositiveConstant},
                              {Veq, PositiveConstant}};
    if (weak)
        v.insert(v.end(), {{pHeq, PHRange},
                           {H, PositiveConcentration},
                           {k, PositiveConstant},
                           {OH, PositiveConcentration}});
    return v;
}

std::vector<SlotLink> inputs(bool weak) {
    std::vector<SlotLink> in{{0, C}, {1, V}, {3, T}, {4, Veq}};
    if (weak) in.insert(in.end(), {{2, k}, {5, pHeq}});
    return in;
}

std::vector<SlotLink> writeBack(bool weak) {
    std::vector<SlotLink> out{{0, C}, {1, V}, {3, T}, {4, Veq}, {5, pHeq}, {9, H}, {12, OH}};
    if (weak) out.push_back({2, k});
    return out;
}

// A strong acid meets a strong base at neutrality: these never change.
void neutralEquivalence(Work& w) {
    w.put(H, w.sqrtKw());
    w.put(OH, w.sqrtKw());
    w.put(pHeq, -w.log10(w.sqrtKw()));
}

// The amounts at equivalence, C·V = T·V_eq, solved for each of the four in the order given.
Rule analyte(const char* name) {
    return Derive(
        name, C, {V, Veq, T}, [](const Work& w) { return w[T] * w[Veq] / w[V]; }, NonZero(V));
}
Rule titrant(const char* name) {
    return Derive(
        name, T, {Veq, V, C}, [](const Work& w) { return w[C] * w[V] / w[Veq]; }, NonZero(Veq));
}
Rule analyteVolume(const char* name) {
    return Derive(
        name, V, {C, Veq, T}, [](const Work& w) { return w[T] * w[Veq] / w[C]; }, NonZero(C));
}
Rule equivalenceVolume(const char* name) {
    return Derive(
        name, Veq, {T, V, C}, [](const Work& w) { return w[C] * w[V] / w[T]; }, NonZero(T));
}

// Codes 50 and 52: h² + (C_B − C_A)·h − Kw at any titrant volume.
std::array<double, 6> strongPolynomial(const Work& w, double CA, double CB) {
    return StrongPairPolynomial(CA, CB, w.Kw());
}

// Code 51: h³ + (k_a + C_B)·h² + (k_a·C_B − k_a·C_A − Kw)·h − k_a·Kw.
std::array<double, 6> weakAcidPolynomial(const Work& w, double CA, double CB) {
    return Polynomial51(CA, CB, w[k], w.Kw());
}

// Code 53: k_b·h³ + (k_b·(C_B − C_A) + Kw)·h² − Kw·(C_A + k_b)·h − Kw².
std::array<double, 6> weakBasePolynomial(const Work& w, double CA, double CB) {
    return Polynomial53(CA, CB, w[k], w.Kw());
}

Action slope(bool weak, Flask flask, TitrationPolynomial polynomial) {
    Vars needs{Veq, T, V, C};
    if (weak) needs.add(k);
    return EquivalenceSlope(needs, Veq, {Veq}, 2.0, std::move(flask), std::move(polynomial));
}

SolverTables titration(bool weak, Flask flask, TitrationPolynomial polynomial,
                       std::vector<Rule> rules) {
    return {
        .inputs = inputs(weak),
        .start = weak ? Action{} : Action{neutralEquivalence},
        .validation = validation(weak),
        .consistency = {Equivalence(C, V, T, Veq)},
        .specialCases = {},
        .rules = std::move(rules),
        .writeBack = writeBack(weak),
        .fixedWrites = {{EquivalenceSlopeSlot, EmptyValue}},
        .afterWriteBack = slope(weak, flask, std::move(polynomial)),
    };
}

// R2 and R3 of codes 51 and 53: the flask concentrations at V_eq.
Rule flaskAcid(const char* name, Flask flask, Vars needs) {
    return Derive(name, CA, needs, [flask](const Work& w) { return flask(w, w[Veq]).first; });
}
Rule flaskBase(const char* name, Flask flask, Vars needs) {
    return Derive(name, CB, needs, [flask](const Work& w) { return flask(w, w[Veq]).second; });
}

} // namespace

void Calc50(EquilAB& state) {
    static const SolverTables t =
        titration(false, AcidInFlask(C, V, T), strongPolynomial,
                  {analyte("R1"), titrant("R2"), analyteVolume("R3"), equivalenceVolume("R4")});
    RunSolver(state, t);
}

void Calc52(EquilAB& state) {
    static const SolverTables t =
        titration(false, BaseInFlask(C, V, T), strongPolynomial,
                  {analyte("R1"), titrant("R2"), analyteVolume("R3"), equivalenceVolume("R4")});
    RunSolver(state, t);
}

void Calc51(EquilAB& state) {
    static const SolverTables t = titration(
        true, AcidInFlask(C, V, T), weakAcidPolynomial,
        {
            WaterTriplet("R1", pHeq, H, OH),
            flaskAcid("R2", AcidInFlask(C, V, T), {C, V, Veq}),
            flaskBase("R3", AcidInFlask(C, V, T), {T, V, Veq}),
            RootAtEquivalence("R4", H, CA, CB, {k}, weakAcidPolynomial),
            analyte("R5"),
            titrant("R6"),
            analyteVolume("R7"),
            equivalenceVolume("R8"),
            Derive("R9", CA, {H, CB, k},
                   [](const Work& w) {
                       const double h = w[H], Kw = w.Kw(), Ka = w[k], B = w[CB];
                       return ((Ka + B) * h * h + std::pow(h, 3) + (B * Ka - Kw) * h - Ka * Kw) /
                              (Ka * h);
                   }),
            Derive("R10", CB, {H, CA, k},
                   [](const Work& w) {
                       const double h = w[H], Kw = w.Kw(), Ka = w[k];
                       return (Ka * h * h + std::pow(h, 3) - (Ka * w[CA] + Kw) * h - Ka * Kw) /
                              (-h * h - Ka * h);
                   }),
            Derive("R11", k, {H, CA, CB},
                   [](const Work& w) {
                       const double h = w[H], Kw = w.Kw(), A = w[CA], B = w[CB];
                       return (B * h * h + std::pow(h, 3) - Kw * h) / ((A - B) * h + Kw - h * h);
                   }),
        });
    RunSolver(state, t);
}

void Calc53(EquilAB& state) {
    static const SolverTables t =
        titration(true, BaseInFlask(C, V, T), weakBasePolynomial,
                  {
                      WaterTriplet("R1", pHeq, H, OH),
                      flaskAcid("R2", BaseInFlask(C, V, T), {T, Veq, V}),
                      flaskBase("R3", BaseInFlask(C, V, T), {C, Veq, V}),
                      RootAtEquivalence("R4", H, CA, CB, {k}, weakBasePolynomial),
                      titrant("R5"),
                      analyte("R6"),
                      equivalenceVolume("R7"),
                      analyteVolume("R8"),
                      Derive("R9", CA, {H, CB, k},
                             [](const Work& w) {
                                 const double h = w[H], Kw = w.Kw(), Kb = w[k];
                                 return (Kb * std::pow(h, 3) + (Kb * w[CB] + Kw) * h * h -
                                         Kb * Kw * h - Kw * Kw) /
                                        (Kb * h * h + Kw * h);
                             }),
                      Derive("R10", CB, {H, CA, k},
                             [](const Work& w) {
                                 const double h = w[H], Kw = w.Kw(), Kb = w[k], A = w[CA];
                                 return (Kb * std::pow(h, 3) + (Kw - Kb * A) * h * h -
                                         (A * Kw + Kw * Kb) * h - Kw * Kw) /
                                        (-Kb * h * h);
                             }),
                      Derive("R11", k, {H, CA, CB},
                             [](const Work& w) {
                                 const double h = w[H], Kw = w.Kw(), A = w[CA], B = w[CB];
                                 return (A * Kw * h - Kw * h * h + Kw * Kw) /
                                        ((B - A) * h * h + std::pow(h, 3) - Kw * h);
                             }),
                  });
    RunSolver(state, t);
}

} // namespace corvane::engine
