#include "activity_cycle.h"

#include "ions.h"
#include "reason.h"
#include "solver.h"

#include <cmath>

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

double mainPH(const Slots& s, const IonTable& ions, const Gammas& g) {
    const double pH = s[ions.pHSlots.front()];
    return IsKnown(pH) ? pH - std::log10(g[0]) : 0.0;
}

} // namespace

void SolveWithActivities(EquilAB& state, const ProblemType& problem,
                         const GammaFunction& gammasAt) {
    const IonTable& ions = *IonsOf(problem.code);
    const Slots given = state.IOValues;
    const double Kw = state.Kw, pKw = state.pKw;
    Gammas g = IdealGammas;
    double lastPH = 0, lastI = 0;
    for (int pass = 0; pass < MaxActivityPasses; ++pass) {
        const Slots read = conditional(given, ions, g);
        state.IOValues = read;
        // Kw = a(H+)·a(OH-) = γ1²·[H+]·[OH-].
        state.Kw = Kw / (g[0] * g[0]);
        state.pKw = pKw + 2 * std::log10(g[0]);
        problem.solver(state);
        state.Kw = Kw;
        state.pKw = pKw;
        if (state.CalcError != 0) {
            // A failure after the write-back (the slope of a titration) keeps what was written.
            if (sameBits(state.IOValues, read))
                state.IOValues = given;
            else
                toActivities(state.IOValues, given, read, ions, g);
            return;
        }
        const double I = IonicStrength(ions, state.IOValues);
        const Gammas next = gammasAt(I);
        const double pH = mainPH(state.IOValues, ions, g);
        const bool settled = pass > 0 && std::abs(pH - lastPH) < ActivitySettled &&
                             std::abs(std::log10(next[0] / g[0])) < ActivitySettled;
        if (settled) {
            toActivities(state.IOValues, given, read, ions, g);
            state.Activities.ionicStrength = I;
            state.Activities.gamma = g;
            return;
        }
        lastPH = pH;
        lastI = I;
        g = next;
    }
    state.IOValues = given;
    state.Fail("The activity coefficients do not settle for the values given: the ionic "
               "strength still changes from " +
               ReasonNumber(lastI) + " mol/L after " + std::to_string(MaxActivityPasses) +
               " passes");
}

} // namespace corvane::engine
