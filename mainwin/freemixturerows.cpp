#include "freemixturerows.h"

#include "compounds/componentnames.h"
#include "compounds/recipe.h"

namespace corvane::mainwin {

namespace {

std::string trimmed(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

} // namespace

NamedReagent ReagentNamed(const std::string& text) {
    const std::string wanted = compounds::Lowercase(trimmed(text));
    for (const compounds::Compound& c : compounds::Compounds())
        for (const compounds::Reagent& r : c.reagents)
            if (compounds::Lowercase(r.name) == wanted ||
                compounds::Lowercase(compounds::PlainFormula(r.formula)) == wanted)
                return {&c, &r};
    return {};
}

RowsMixture MixtureOfRows(const std::vector<MixtureRow>& rows, numtext::NumberSettings& numbers,
                          double pKw) {
    RowsMixture mixture;
    for (const MixtureRow& row : rows) {
        const std::string name = trimmed(row.component);
        const std::string amount = trimmed(row.concentration);
        if (name.empty() && amount.empty()) continue;
        if (name.empty()) {
            mixture.reason = "the concentration \"" + amount + "\" has no component";
            return mixture;
        }
        const std::optional<double> c =
            compounds::ReadConcentration(name, amount, numbers, mixture.reason);
        if (!c) return mixture;
        if (const NamedReagent r = ReagentNamed(name); r.reagent) {
            for (engine::Component& part :
                 compounds::RecipeMixture(*r.system, {{r.reagent, *c}}, pKw))
                mixture.components.push_back(std::move(part));
        } else {
            try {
                engine::Component part = compounds::ComponentNamed(name, pKw);
                part.total = *c;
                mixture.components.push_back(std::move(part));
            } catch (const compounds::ComponentNameError& e) {
                mixture.reason = e.message;
                return mixture;
            }
        }
    }
    if (mixture.components.empty()) {
        mixture.reason = "the mixture has no component: give a component and its concentration";
        return mixture;
    }
    if (mixture.components.size() > static_cast<std::size_t>(engine::MaxComponents)) {
        mixture.reason = "a mixture holds at most " + std::to_string(engine::MaxComponents) +
                         " components, not " + std::to_string(mixture.components.size());
        return mixture;
    }
    mixture.ok = true;
    return mixture;
}

} // namespace corvane::mainwin
