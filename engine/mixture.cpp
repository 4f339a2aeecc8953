#include "mixture.h"

#include "reason.h"
#include "settling.h"

#include <cmath>
#include <optional>
#include <utility>

namespace corvane::engine {

namespace {

// The pKw values a mixture may be solved with.
constexpr double LowestPKw = 10, HighestPKw = 20;

std::optional<std::string> invalidComponent(const Component& c) {
    const std::string name = "\"" + c.name + "\"";
    if (!std::isfinite(c.total) || c.total < 0 || c.total > MaxConcentration)
        return "the concentration of " + name + " must be from 0 to " +
               ReasonNumber(MaxConcentration) + " mol/L, not " + ReasonNumber(c.total);
    if (c.forms.empty() || c.forms.size() != c.pk.size() + 1)
        return name + " needs one form more than it has pK values";
    if (c.pk.size() > MaxSteps)
        return name + " has " + std::to_string(c.pk.size()) + " pK values; at most " +
               std::to_string(MaxSteps) + " are allowed";
    if (std::abs(c.forms.front().charge) > MaxIonCharge)
        return "the charge of " + name + " must be from -" + std::to_string(MaxIonCharge) +
               " to +" + std::to_string(MaxIonCharge);
    for (std::size_t k = 1; k < c.forms.size(); ++k)
        if (c.forms[k].charge != c.forms[k - 1].charge - 1)
            return "each form of " + name + " must carry one charge less than the one before";
    for (double pk : c.pk)
        if (!std::isfinite(pk) || pk < LowestMixturePK || pk > HighestMixturePK)
            return "pK " + ReasonNumber(pk) + " of " + name + " is not from " +
                   ReasonNumber(LowestMixturePK) + " to " + ReasonNumber(HighestMixturePK);
    return std::nullopt;
}

std::optional<std::string> invalidMixture(const std::vector<Component>& components, double pKw) {
    if (components.size() > MaxComponents)
        return "a mixture holds at most " + std::to_string(MaxComponents) + " components, not " +
               std::to_string(components.size());
    if (!std::isfinite(pKw) || pKw < LowestPKw || pKw > HighestPKw)
        return "pKw must be from " + ReasonNumber(LowestPKw) + " to " + ReasonNumber(HighestPKw);
    for (const Component& c : components)
        if (std::optional<std::string> why = invalidComponent(c)) return why;
    return std::nullopt;
}

// The constants the charge balance is solved with, in concentrations. With ideal activities
// they are the thermodynamic ones; an activity model replaces them from the ionic strength.
struct ConcentrationConstants {
    double Kw;
    std::vector<std::vector<double>> K; // of each component's steps
};

std::vector<double> stepConstants(const Component& c) {
    std::vector<double> K;
    K.reserve(c.pk.size());
    for (double pk : c.pk)
        K.push_back(std::pow(10.0, -pk));
    return K;
}

ConcentrationConstants idealConstants(const std::vector<Component>& components, double pKw) {
    ConcentrationConstants constants{std::pow(10.0, -pKw), {}};
    constants.K.reserve(components.size());
    for (const Component& c : components)
        constants.K.push_back(stepConstants(c));
    return constants;
}

// The fractions of the forms at [H+] = h, from the unnormalised amounts 1, K_1/h, K_1·K_2/h²,
// ... whose size stays within the double range for the pK values and the [H+] bracket allowed
// here.
void fractionsAt(const std::vector<double>& K, double h, std::vector<double>& fractions) {
    fractions.resize(K.size() + 1);
    fractions[0] = 1;
    double sum = 1;
    for (std::size_t k = 0; k < K.size(); ++k) {
        fractions[k + 1] = fractions[k] * K[k] / h;
        sum += fractions[k + 1];
    }
    for (double& f : fractions)
        f /= sum;
}

// The charge balance at log10 h: positive charge minus negative charge.
double chargeBalance(const std::vector<Component>& components, const ConcentrationConstants& kc,
                     double logH) {
    const double h = std::pow(10.0, logH);
    double balance = h - kc.Kw / h;
    for (std::size_t i = 0; i < components.size(); ++i) {
        const Component& c = components[i];
        const std::vector<double>& K = kc.K[i];
        const int top = c.forms.front().charge;
        double sum = 1, charged = top, term = 1;
        for (std::size_t k = 0; k < K.size(); ++k) {
            term *= K[k] / h;
            sum += term;
            charged += term * (top - static_cast<int>(k) - 1);
        }
        balance += c.total * charged / sum;
    }
    return balance;
}

// Every concentration is at most 100 mol/L and every charge at most 12, so the balance is
// negative at h = Kw·1e-6 (where [OH-] is 1e6 mol/L) and positive at h = 1e6 mol/L.
constexpr double BracketMargin = 6;
constexpr double LogHTolerance = 1e-14;

MixtureResult amounts(const std::vector<Component>& components, const ConcentrationConstants& kc,
                      double h) {
    MixtureResult r;
    r.ok = true;
    r.h = h;
    r.oh = kc.Kw / h;
    r.pH = -std::log10(h);
    double chargeSquares = h + r.oh;
    std::vector<double> fractions;
    for (std::size_t i = 0; i < components.size(); ++i) {
        const Component& c = components[i];
        fractionsAt(kc.K[i], h, fractions);
        ComponentAmounts out{c.name, c.total, {}};
        for (std::size_t k = 0; k < fractions.size(); ++k) {
            const double fraction = fractions[k];
            const double concentration = c.total * fraction;
            const int z = c.forms[k].charge;
            chargeSquares += concentration * z * z;
            out.species.push_back({c.forms[k], concentration, fraction});
        }
        r.components.push_back(std::move(out));
    }
    r.ionicStrength = chargeSquares / 2;
    return r;
}

MixtureResult failed(std::string reason) {
    MixtureResult r;
    r.reason = std::move(reason);
    return r;
}

} // namespace

Component IonComponent(std::string name, std::string formula, int charge, double total) {
    return {std::move(name), total, {{std::move(formula), charge}}, {}};
}

std::vector<double> Fractions(const Component& component, double h) {
    std::vector<double> fractions;
    fractionsAt(stepConstants(component), h, fractions);
    return fractions;
}

namespace {

// The root of the charge balance at the constants kc, bracketed on log10 h.
MixtureResult balanced(const std::vector<Component>& components, const ConcentrationConstants& kc,
                       double pKw) {
    double lo = -pKw - BracketMargin, hi = BracketMargin;
    if (!(chargeBalance(components, kc, lo) < 0) || !(chargeBalance(components, kc, hi) > 0))
        return failed("no [H+] balances the charges of the mixture");
    while (hi - lo > LogHTolerance) {
        const double mid = (lo + hi) / 2;
        if (chargeBalance(components, kc, mid) <= 0)
            lo = mid;
        else
            hi = mid;
    }
    return amounts(components, kc, std::pow(10.0, (lo + hi) / 2));
}

// The conditional constants at ionic strength I: Kw / γ1², and for the step from a form of
// charge z to the next, K·γ(z) / (γ1·γ(z − 1)).
ConcentrationConstants daviesConstants(const std::vector<Component>& components, double pKw,
                                       double I, double A) {
    const double log1 = DaviesLog10Gamma(1, I, A);
    ConcentrationConstants constants{std::pow(10.0, -pKw - 2 * log1), {}};
    constants.K.reserve(components.size());
    for (const Component& c : components) {
        std::vector<double> K;
        K.reserve(c.pk.size());
        for (std::size_t k = 0; k < c.pk.size(); ++k) {
            const int z = c.forms[k].charge;
            K.push_back(std::pow(10.0, -c.pk[k] + DaviesLog10Gamma(z, I, A) - log1 -
                                           DaviesLog10Gamma(z - 1, I, A)));
        }
        constants.K.push_back(std::move(K));
    }
    return constants;
}

// Passes at the ionic strength of the pass before, as the activity cycle of the problem types
// runs them, until the pH settles.
MixtureResult solveDavies(const std::vector<Component>& components, const MixtureModel& model) {
    const double A = DebyeHuckelA(model.temperature);
    auto gammasAt = [&](double I) { return DaviesGammas(I, model.temperature); };
    Settling settling(0.0);
    for (int pass = 0; pass < MaxActivityPasses; ++pass) {
        const double I = settling.next();
        MixtureResult r = balanced(components, daviesConstants(components, model.pKw, I, A),
                                   model.pKw + 2 * DaviesLog10Gamma(1, I, A));
        if (!r.ok) return r;
        r.gamma = gammasAt(I);
        r.pH -= std::log10(r.gamma[0]);
        if (settling.settled(r.pH, r.ionicStrength, r.gamma, gammasAt(r.ionicStrength))) {
            r.warning = DaviesRangeWarning(r.ionicStrength);
            return r;
        }
    }
    return failed(NotSettledReason("of the mixture", settling.lastResult()));
}

} // namespace

MixtureResult SolveMixture(const std::vector<Component>& components, double pKw) {
    if (std::optional<std::string> why = invalidMixture(components, pKw)) return failed(*why);
    return balanced(components, idealConstants(components, pKw), pKw);
}

MixtureResult SolveMixture(const std::vector<Component>& components, const MixtureModel& model) {
    if (model.activity == ActivityModel::Ideal) return SolveMixture(components, model.pKw);
    if (std::optional<std::string> why = invalidMixture(components, model.pKw)) return failed(*why);
    return solveDavies(components, model);
}

namespace {

constexpr double FindTolerance = 1e-15; // relative, on the concentration
constexpr double SmallestTriedConcentration = 1e-30;

} // namespace

MixtureResult FindConcentration(std::vector<Component> components, int index, double pH,
                                double pKw) {
    return FindConcentration(std::move(components), index, pH, MixtureModel{.pKw = pKw});
}

MixtureResult FindConcentration(std::vector<Component> components, int index, double pH,
                                const MixtureModel& model) {
    if (index < 0 || index >= static_cast<int>(components.size()))
        return failed("the mixture has no component to find");
    Component& unknown = components[index];
    if (!std::isfinite(pH)) return failed("the required pH must be a number");
    unknown.total = 0;
    if (std::optional<std::string> why = invalidMixture(components, model.pKw)) return failed(*why);

    auto solveAt = [&](double c) {
        unknown.total = c;
        return SolveMixture(components, model);
    };
    const double pHNone = solveAt(0).pH, pHMost = solveAt(MaxConcentration).pH;
    const bool rises = pHMost > pHNone;
    auto reached = [&](double c) {
        const double at = solveAt(c).pH;
        return rises ? at >= pH : at <= pH;
    };
    const double reachTolerance = 1e-12;
    if (std::abs(pH - pHNone) <= reachTolerance) return solveAt(0);
    if (rises ? (pH < pHNone || pH > pHMost + reachTolerance)
              : (pH > pHNone || pH < pHMost - reachTolerance))
        return failed("no concentration of \"" + unknown.name + "\" gives pH " + ReasonNumber(pH) +
                      ": from 0 to " + ReasonNumber(MaxConcentration) + " mol/L it gives pH " +
                      ReasonNumber(std::min(pHNone, pHMost)) + " to " +
                      ReasonNumber(std::max(pHNone, pHMost)));

    // The decade that holds the answer, then bisection on the logarithm of the concentration.
    double lo = 0, hi = MaxConcentration;
    for (double c = MaxConcentration / 10; c >= SmallestTriedConcentration; c /= 10) {
        if (!reached(c)) {
            lo = c;
            break;
        }
        hi = c;
    }
    for (int step = 0; step < 400 && hi - lo > FindTolerance * hi; ++step) {
        const double mid = lo > 0 ? std::sqrt(lo * hi) : hi / 2;
        if (reached(mid))
            hi = mid;
        else
            lo = mid;
    }
    return solveAt((lo + hi) / 2);
}

} // namespace corvane::engine
