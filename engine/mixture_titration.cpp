#include "mixture_titration.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace corvane::engine {

MixtureResult TitrationPoint(const MixtureTitration& titration, double added, double pKw) {
    return TitrationPoint(titration, added, MixtureModel{.pKw = pKw});
}

MixtureResult TitrationPoint(const MixtureTitration& titration, double added,
                             const MixtureModel& model) {
    MixtureResult refused;
    if (titration.mixture.size() >= MaxComponents)
        refused.reason = "a titrated mixture holds at most " + std::to_string(MaxComponents - 1) +
                         " components besides the titrant";
    if (!(titration.volume > 0) || !(added >= 0) || !std::isfinite(added))
        refused.reason = "the volumes must be positive numbers";
    if (!refused.reason.empty()) return refused;
    const double whole = titration.volume + added;
    std::vector<Component> diluted = titration.mixture;
    for (Component& c : diluted)
        c.total *= titration.volume / whole;
    diluted.push_back(titration.titrant);
    diluted.back().total *= added / whole;
    return SolveMixture(diluted, model);
}

std::vector<double> EquivalenceVolumes(const MixtureTitration& titration, double pKw) {
    // The charge the mixture's species carry per litre when every step up to a level has
    // given off its proton; the titrant's ions make up what the level lacks.
    struct Step {
        double pk;
        double total;
    };
    double levelCharge = 0;
    std::vector<Step> steps;
    for (const Component& c : titration.mixture) {
        levelCharge += c.total * c.forms.front().charge;
        for (double pk : c.pk) {
            if (pk <= 0)
                levelCharge -= c.total;
            else if (pk < pKw)
                steps.push_back({pk, c.total});
        }
    }
    std::stable_sort(steps.begin(), steps.end(),
                     [](const Step& a, const Step& b) { return a.pk < b.pk; });

    const double perVolume =
        titration.volume / (titration.titrant.total * titration.titrant.forms.front().charge);
    std::vector<double> volumes;
    auto add = [&](double charge) {
        const double v = -charge * perVolume;
        if (!(v > 0) || !std::isfinite(v)) return;
        if (!volumes.empty() && std::abs(v - volumes.back()) <= 1e-9 * v) return;
        volumes.push_back(v);
    };
    add(levelCharge);
    for (const Step& s : steps) {
        levelCharge -= s.total;
        add(levelCharge);
    }
    std::sort(volumes.begin(), volumes.end());
    return volumes;
}

} // namespace corvane::engine
