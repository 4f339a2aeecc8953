#include "componentforms.h"

#include <cctype>
#include <string_view>

namespace corvane::compounds {

namespace {

// The hydrogens at the start of an inorganic formula (H_3PO_4: 3, HNO_2: 1), 0 for none.
int leadingHydrogens(std::string_view f) {
    if (f.empty() || f[0] != 'H' ||
        (f.size() > 1 && std::islower(static_cast<unsigned char>(f[1]))))
        return 0;
    if (f.size() > 2 && f[1] == '_' && std::isdigit(static_cast<unsigned char>(f[2])) &&
        (f.size() == 3 || f[3] != '_'))
        return f[2] - '0';
    return 1;
}

std::string withoutLeadingHydrogens(std::string_view f) {
    return std::string(f.substr(f.size() > 1 && f[1] == '_' ? 3 : 1));
}

// The forms of an acid whose formula shows the hydrogens it gives up, from all of them kept
// to all given up; empty when it does not.
std::vector<std::string> acidForms(std::string_view f, int protons) {
    std::vector<std::string> forms;
    const int leading = leadingHydrogens(f);
    if (f.find("COOH") == std::string_view::npos && leading >= protons) {
        const std::string rest = withoutLeadingHydrogens(f);
        for (int k = 0; k <= protons; ++k)
            forms.push_back(Hydrogens(leading - k) + rest);
    } else if (protons == 1 && (f.ends_with("COOH") || f.ends_with("OH"))) {
        forms = {std::string(f), std::string(f.substr(0, f.size() - 1))};
    }
    return forms;
}

// The acid BH+ of a base B: one hydrogen more on its nitrogen where the formula shows it.
std::string protonatedBase(const std::string& f) {
    auto replaceEnd = [&](std::string_view end, std::string_view by) {
        return f.substr(0, f.size() - end.size()) + std::string(by);
    };
    if (f.ends_with("NH_2")) return replaceEnd("NH_2", "NH_3");
    if (f.ends_with("NH_3")) return replaceEnd("NH_3", "NH_4");
    if (f.ends_with("NH")) return replaceEnd("NH", "NH_2");
    if (f.ends_with("N")) return f + "H";
    if (f.starts_with("NH_2")) return "NH_3" + f.substr(4);
    if (f.size() > 3 && f.ends_with("H_4") && f.find('C') == std::string::npos)
        return replaceEnd("H_4", "H_5");
    return "(" + f + ")H";
}

} // namespace

std::string Hydrogens(int count) {
    if (count == 0) return "";
    if (count == 1) return "H";
    return "H_" + std::to_string(count);
}

std::vector<std::string> GenericAcidFormulas(int protons) {
    std::vector<std::string> forms;
    for (int k = 0; k <= protons; ++k)
        forms.push_back(Hydrogens(protons - k) + "A");
    return forms;
}

std::vector<std::string> FormFormulas(const Compound& compound) {
    if (compound.kind == Kind::Base) return {protonatedBase(compound.formula), compound.formula};
    std::vector<std::string> forms = acidForms(compound.formula, compound.protons);
    if (forms.empty()) forms = GenericAcidFormulas(compound.protons);
    if (compound.firstStepComplete()) forms.erase(forms.begin());
    return forms;
}

int TopCharge(const Compound& compound) {
    if (compound.kind == Kind::Base) return 1;
    return compound.firstStepComplete() ? -1 : 0;
}

engine::Component ComponentOf(const Compound& compound, double total, double pKw) {
    engine::Component c{compound.name, total, {}, {}};
    const std::vector<std::string> formulas = FormFormulas(compound);
    for (std::size_t k = 0; k < formulas.size(); ++k)
        c.forms.push_back({formulas[k], TopCharge(compound) - static_cast<int>(k)});
    if (compound.kind == Kind::Base) {
        c.pk.push_back(pKw - *compound.pk.front());
        return c;
    }
    for (const std::optional<double>& pk : compound.pk)
        if (pk) c.pk.push_back(*pk);
    return c;
}

std::string ChargeText(int charge) {
    if (charge == 0) return "";
    const int size = charge < 0 ? -charge : charge;
    return (size == 1 ? "" : std::to_string(size)) + (charge < 0 ? "-" : "+");
}

std::string SpeciesMarkup(const engine::Species& species) {
    std::string markup = species.formula;
    for (char c : ChargeText(species.charge))
        markup += std::string("^") + c;
    return markup;
}

std::string SpeciesText(const engine::Species& species) {
    const std::string charge = ChargeText(species.charge);
    return PlainFormula(species.formula) + (charge.empty() ? "" : "^" + charge);
}

} // namespace corvane::compounds
