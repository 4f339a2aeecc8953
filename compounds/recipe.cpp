#include "recipe.h"

#include "componentforms.h"
#include "reagents.h"

#include "engine/reason.h"
#include "engine/settling.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace corvane::compounds {

std::vector<engine::Component> RecipeMixture(const Compound& system,
                                             const std::vector<RecipeAmount>& amounts, double pKw) {
    double total = 0;
    std::map<std::string, double> ions;
    for (const RecipeAmount& a : amounts) {
        total += a.concentration * SystemAmount(system, *a.reagent);
        for (const Supply& s : a.reagent->supplies)
            if (!FormIndex(system, s)) ions[s.formula] += a.concentration * s.count;
    }
    std::vector<engine::Component> mixture{ComponentOf(system, total, pKw)};
    for (const auto& [formula, c] : ions) {
        const ChargedFormula ion = SplitCharge(formula);
        mixture.push_back(engine::IonComponent(PlainFormula(formula), ion.formula, ion.charge, c));
    }
    return mixture;
}

namespace {

// Lower is preferred: an anhydrous sodium salt, the acid or base itself, a potassium salt,
// then anything else; a hydrate after all anhydrous reagents.
int preference(const Reagent& r) {
    int ionRank = 1;
    for (const Supply& s : r.supplies) {
        if (s.formula == "Na^+") ionRank = 0;
        if (s.formula == "K^+") ionRank = 2;
        if (s.formula == "Cl^-") ionRank = 3;
    }
    const bool hydrate = r.formula.find("·") != std::string::npos;
    return ionRank + (hydrate ? 10 : 0);
}

} // namespace

std::pair<const Reagent*, const Reagent*> DefaultReagents(const Compound& system, double pH,
                                                          double pKw) {
    const engine::Component c = ComponentOf(system, 0, pKw);
    std::size_t step = 0;
    for (std::size_t k = 1; k < c.pk.size(); ++k)
        if (std::abs(c.pk[k] - pH) < std::abs(c.pk[step] - pH)) step = k;
    // The more protonated reagent holds forms up to `step`, the other beyond it; the closest
    // to the step's two forms wins, then the preferred kind.
    const Reagent* best[2] = {nullptr, nullptr};
    double bestKey[2] = {0, 0};
    for (const Reagent& r : system.reagents) {
        const double form = MeanForm(system, r);
        const int side = form <= static_cast<double>(step) ? 0 : 1;
        const double target = static_cast<double>(step) + side;
        const double key = std::abs(form - target) * 100 + preference(r);
        if (best[side] == nullptr || key < bestKey[side]) {
            best[side] = &r;
            bestKey[side] = key;
        }
    }
    return {best[0], best[1]};
}

namespace {

// The amounts that make the pH with ideal activities; a pair the pH lies beyond leaves the
// reason empty.
Recipe idealAmounts(const Compound& system, const Reagent& first, const Reagent& second, double pH,
                    double total, double pKw) {
    Recipe recipe;
    const double h = std::pow(10.0, -pH), Kw = std::pow(10.0, -pKw);
    const engine::Component c = ComponentOf(system, total, pKw);
    const std::vector<double> fractions = engine::Fractions(c, h);
    double meanCharge = 0;
    for (std::size_t k = 0; k < fractions.size(); ++k)
        meanCharge += fractions[k] * c.forms[k].charge;
    const double s1 = SystemAmount(system, first), s2 = SystemAmount(system, second);
    const double q1 = CounterCharge(first), q2 = CounterCharge(second);
    const double counter = -(h - Kw / h + total * meanCharge);
    const double det = s1 * q2 - s2 * q1;
    if (det == 0) {
        recipe.reason = first.name + " and " + second.name +
                        " bring the system in the same proportion to their ions: no pair";
        return recipe;
    }
    const double n1 = (total * q2 - s2 * counter) / det;
    const double n2 = (s1 * counter - q1 * total) / det;
    if (!(n1 >= 0) || !(n2 >= 0)) return recipe;
    recipe.ok = true;
    recipe.amounts = {{&first, n1}, {&second, n2}};
    return recipe;
}

// What each reagent alone gives: the ends of the pair's reach.
std::string unreachable(const Compound& system, const Reagent& first, const Reagent& second,
                        double pH, double total, const engine::MixtureModel& model) {
    auto alone = [&](const Reagent& r) {
        return engine::SolveMixture(
                   RecipeMixture(system, {{&r, total / SystemAmount(system, r)}}, model.pKw), model)
            .pH;
    };
    const double a = alone(first), b = alone(second);
    return first.name + " and " + second.name + " cannot make pH " + engine::ReasonNumber(pH) +
           " at " + engine::ReasonNumber(total) + " mol/L: they reach pH " +
           engine::ReasonNumber(std::min(a, b)) + " to " + engine::ReasonNumber(std::max(a, b));
}

} // namespace

Recipe MakeRecipe(const Compound& system, const Reagent& first, const Reagent& second, double pH,
                  double total, double pKw) {
    return MakeRecipe(system, first, second, pH, total, engine::MixtureModel{.pKw = pKw});
}

Recipe MakeRecipe(const Compound& system, const Reagent& first, const Reagent& second, double pH,
                  double total, const engine::MixtureModel& model) {
    // With activity coefficients the ideal pH aimed at moves by what the made solution misses
    // until it gives the pH; the miss shrinks with the small change of the ionic strength.
    double aim = pH, lastIonicStrength = 0;
    for (int pass = 0; pass < engine::MaxActivityPasses; ++pass) {
        Recipe recipe = idealAmounts(system, first, second, aim, total, model.pKw);
        if (!recipe.ok) {
            if (recipe.reason.empty())
                recipe.reason = unreachable(system, first, second, pH, total, model);
            return recipe;
        }
        if (model.activity == engine::ActivityModel::Ideal) return recipe;
        const engine::MixtureResult made =
            engine::SolveMixture(RecipeMixture(system, recipe.amounts, model.pKw), model);
        if (!made.ok) return {false, made.reason, {}};
        lastIonicStrength = made.ionicStrength;
        const double miss = pH - made.pH;
        if (std::abs(miss) < engine::ActivitySettled) return recipe;
        aim += miss;
    }
    return {false, engine::NotSettledReason("of the recipe", lastIonicStrength), {}};
}

} // namespace corvane::compounds
