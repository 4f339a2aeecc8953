#include "activity_cycle.h"

#include "ions.h"
#include "reason.h"
#include "settling.h"
#include "solver.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane::engine {

namespace {

// A pH of activities differs from the pH of concentrations that the solvers work with by
// log10 γ1; a constant from its conditional value by its factor.
Slots conditional(const Slots& given, const IonTable& ions, const Gammas& g) {
    Slots s = given;
    const double shift = std::log10(g[0]);
    for (int slot : ions.pHSlots)
        if (IsKnown(s[slot])) s[slot] += shift;
    for (const ConstantRow& c : ions.constants)
        if (IsKnown(s[c.slot])) s[c.slot] *= ConditionalFactor(c, g);
    return s;
}

// The solver's result in activity terms. A row the solver left as it read it keeps the value
// given, bit for bit.
void toActivities(Slots& result, const Slots& given, const Slots& read, const IonTable& ions,
                  const Gammas& g) {
    auto restore = [&](int slot, double converted) {
        if (IsEmpty(result[slot])) return;
        const bool unchanged = IsKnown(given[slot]) && result[slot] == read[slot];
        result[slot] = unchanged ? given[slot] : converted;
    };
    const double shift = std::log10(g[0]);
    for (int slot : ions.pHSlots)
        restore(slot, result[slot] - shift);
    for (const ConstantRow& c : ions.constants)
        restore(c.slot, result[c.slot] / ConditionalFactor(c, g));
}

bool sameBits(const Slots& a, const Slots& b) {
    for (int i = 0; i < SlotCount; ++i)
        if (std::bit_cast<std::uint64_t>(a[i]) != std::bit_cast<std::uint64_t>(b[i])) return false;
    return true;
}

// One solver run at the coefficients g, with Kw = a(H+)·a(OH-) = γ1²·[H+]·[OH-]; the result in
// activity terms. False when the run failed; IOValues then holds what a failing solver leaves.
bool runAt(EquilAB& state, const ProblemType& problem, const IonTable& ions, const Slots& given,
           const Gammas& g) {
    const Slots read = conditional(given, ions, g);
    const double Kw = state.Kw, pKw = state.pKw;
    state.IOValues = read;
    state.Kw = Kw / (g[0] * g[0]);
    state.pKw = pKw + 2 * std::log10(g[0]);
    problem.solver(state);
    state.Kw = Kw;
    state.pKw = pKw;
    // A failure after the write-back (the slope of a titration) keeps what was written.
    if (state.CalcError != 0 && sameBits(state.IOValues, read))
        state.IOValues = given;
    else
        toActivities(state.IOValues, given, read, ions, g);
    return state.CalcError == 0;
}

// Runs until the coefficients settle; false on a failed run or when they do not settle.
bool iterate(EquilAB& state, const ProblemType& problem, const IonTable& ions, const Slots& given,
             const GammaFunction& gammasAt, Gammas& g) {
    g = IdealGammas;
    Settling settling(0.0);
    for (int pass = 0; pass < MaxActivityPasses; ++pass) {
        if (!runAt(state, problem, ions, given, g)) return false;
        // The ions a titration's flask holds follow from the conditional constants.
        const double I = IonicStrength(ions, conditional(state.IOValues, ions, g));
        const double pH = state.IOValues[ions.pHSlots.front()];
        if (settling.settled(IsKnown(pH) ? pH : 0.0, I, g, gammasAt(I))) {
            state.Activities.ionicStrength = I;
            state.Activities.gamma = g;
            return true;
        }
        g = gammasAt(settling.next());
    }
    state.IOValues = given;
    state.Fail(NotSettledReason("of the solution", settling.lastResult()));
    return false;
}

// An earlier equivalence point of a polyprotic titration lies in a flask of its own ionic
// strength: its pH settles from the coefficients of the last point, with the constants the
// run found.
bool settleEarlierPoint(EquilAB& state, const IonTable& ions, const EarlierPoint& point,
                        const GammaFunction& gammasAt) {
    const double V = state.IOValues[point.volumeSlot];
    if (IsEmpty(V) || IsEmpty(state.IOValues[point.pHSlot])) return true;
    EquilAB scratch = state;
    Gammas g = state.Activities.gamma;
    Settling settling(state.Activities.ionicStrength);
    for (int pass = 0; pass < MaxActivityPasses; ++pass) {
        const Slots values = conditional(state.IOValues, ions, g);
        const double Kw = state.Kw / (g[0] * g[0]);
        const PolynomialCoefficients c = ions.flask.polynomial(values, V, Kw);
        const double h = SolvePolynomial(scratch, c[0], c[1], c[2], c[3], c[4], c[5]);
        const double pH = -Log10Guarded(scratch, h) - std::log10(g[0]);
        if (scratch.CalcError != 0) {
            state.Fail("No positive [H+] satisfies the equation of an earlier equivalence point "
                       "at its ionic strength");
            return false;
        }
        const double I = (ions.flask.chargeSquareSum(values, V, h) + h + Kw / h) / 2;
        if (settling.settled(pH, I, g, gammasAt(I))) {
            state.IOValues[point.pHSlot] = pH;
            return true;
        }
        g = gammasAt(settling.next());
    }
    state.Fail(NotSettledReason("at an earlier equivalence point", settling.lastResult()));
    return false;
}

// Values that the others fix at given coefficients, so that at other coefficients (the ideal
// ones of a first pass) they disagree by the very correction: tried withheld, most first.
const std::vector<std::vector<Quantity>>& withholdings() {
    using Q = Quantity;
    static const std::vector<std::vector<Q>> sets{
        {Q::pH, Q::pH_eq, Q::H_plus, Q::OH_minus, Q::alpha},
        {Q::alpha},
        {Q::pH, Q::pH_eq, Q::H_plus, Q::OH_minus},
    };
    return sets;
}

// The given values without the known ones of the set; false when it withholds nothing.
bool withhold(const ProblemType& problem, const std::vector<Quantity>& set, Slots& values) {
    bool any = false;
    for (const SlotRow& row : problem.rows) {
        const bool listed = std::find(set.begin(), set.end(), row.quantity) != set.end();
        if (row.readAtEntry && listed && IsKnown(values[row.slot])) {
            values[row.slot] = EmptyValue;
            any = true;
        }
    }
    return any;
}

// A withheld value against the one the others give, in activity terms: a pH to PHAgreement,
// [H+] and [OH-] in pH units, alpha to the usual 1 %. Empty when they agree.
std::string disagreement(const ProblemType& problem, const Slots& given, const Slots& found) {
    for (const SlotRow& row : problem.rows) {
        const double a = given[row.slot], b = found[row.slot];
        if (!row.readAtEntry || IsEmpty(a) || IsEmpty(b)) continue;
        const Quantity q = row.quantity;
        const bool agrees = q == Quantity::pH || q == Quantity::pH_eq
                                ? std::abs(a - b) <= PHAgreement
                            : q == Quantity::H_plus || q == Quantity::OH_minus ? PHUnitsAgree(a, b)
                            : q == Quantity::alpha ? RelativeMismatch(a - b, a + b) <= 0.01
                                                   : true;
        if (!agrees) return DependentReason(SymbolName(q), a, b);
    }
    return {};
}

// Over-determined input: the coefficients are found from the values without those that the
// others fix, then one run with everything given checks them at those coefficients; a refusal
// there names the values in activity terms. Otherwise the passes run on everything given.
bool solveSettled(EquilAB& state, const ProblemType& problem, const IonTable& ions,
                  const Slots& given, const GammaFunction& gammasAt) {
    Gammas g;
    for (const std::vector<Quantity>& set : withholdings()) {
        Slots rest = given;
        if (!withhold(problem, set, rest) || !iterate(state, problem, ions, rest, gammasAt, g))
            continue;
        // Without them the pH must still follow, or they were needed.
        if (IsEmpty(state.IOValues[ions.pHSlots.front()])) continue;
        const ActivityResult settled = state.Activities;
        const Slots found = state.IOValues;
        if (runAt(state, problem, ions, given, g)) {
            state.Activities = settled;
            return true;
        }
        const std::string reason = disagreement(problem, given, found);
        if (!reason.empty()) {
            state.ClearCalcError();
            state.Fail(reason);
        }
        state.IOValues = given;
        return false;
    }
    return iterate(state, problem, ions, given, gammasAt, g);
}

} // namespace

void SolveWithActivities(EquilAB& state, const ProblemType& problem,
                         const GammaFunction& gammasAt) {
    const IonTable& ions = *IonsOf(problem.code);
    const Slots given = state.IOValues;
    if (!solveSettled(state, problem, ions, given, gammasAt)) return;
    for (const EarlierPoint& point : ions.earlier)
        if (!settleEarlierPoint(state, ions, point, gammasAt)) {
            state.IOValues = given;
            return;
        }
}

} // namespace corvane::engine
