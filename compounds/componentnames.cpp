#include "componentnames.h"

#include "componentforms.h"

#include "engine/equilab.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace corvane::compounds {

namespace {

struct Electrolyte {
    const char* name;
    const char* formula; // of the ion it leaves in water
    int charge;
};

constexpr Electrolyte StrongAcidsAndBases[] = {
    {"HCl", "Cl", -1}, {"HNO3", "NO_3", -1}, {"HClO4", "ClO_4", -1},
    {"NaOH", "Na", 1}, {"KOH", "K", 1},
};

constexpr Electrolyte Ions[] = {
    {"Na+", "Na", 1},
    {"K+", "K", 1},
    {"Cl-", "Cl", -1},
    {"NO3-", "NO_3", -1},
};

std::optional<double> number(std::string_view text) {
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<int> charge(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int z = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), z);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
        std::abs(z) > engine::MaxIonCharge)
        return std::nullopt;
    return z;
}

std::vector<double> pkList(const std::string& name, std::string_view text) {
    std::vector<double> pks;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::optional<double> pk = number(text.substr(0, comma));
        if (!pk)
            throw ComponentNameError{"\"" + name +
                                     "\" needs pK values such as acid:4.76 or acid:2.16,7.21"};
        pks.push_back(*pk);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    if (pks.size() > static_cast<std::size_t>(engine::MaxSteps))
        throw ComponentNameError{"\"" + name + "\" has more than " +
                                 std::to_string(engine::MaxSteps) + " pK values"};
    return pks;
}

// acid:PK1[,PK2...][/CHARGE]: the forms H_nA down to A, the first carrying CHARGE (0 unless
// given).
engine::Component typedAcid(const std::string& name, std::string_view values) {
    const std::size_t slash = values.find('/');
    int top = 0;
    if (slash != std::string_view::npos) {
        const std::optional<int> z = charge(values.substr(slash + 1));
        if (!z)
            throw ComponentNameError{"\"" + name +
                                     "\": the charge after / must be a whole number from -" +
                                     std::to_string(engine::MaxIonCharge) + " to +" +
                                     std::to_string(engine::MaxIonCharge)};
        top = *z;
    }
    engine::Component c{name, 0, {}, pkList(name, values.substr(0, slash))};
    const std::vector<std::string> formulas = GenericAcidFormulas(static_cast<int>(c.pk.size()));
    for (std::size_t k = 0; k < formulas.size(); ++k)
        c.forms.push_back({formulas[k], top - static_cast<int>(k)});
    return c;
}

// base:PKB1[,PKB2...]: a base taking up n protons is the acid BH_n^n+ whose step k has
// pK_a = pKw - pK_b of the step that gives it back.
engine::Component typedBase(const std::string& name, std::string_view values, double pKw) {
    const std::vector<double> pkb = pkList(name, values);
    const int n = static_cast<int>(pkb.size());
    engine::Component c{name, 0, {}, {}};
    for (int k = 0; k <= n; ++k) {
        std::string formula = "B";
        formula += Hydrogens(n - k);
        c.forms.push_back({formula, n - k});
    }
    for (int k = 0; k < n; ++k)
        c.pk.push_back(pKw - pkb[n - 1 - k]);
    return c;
}

engine::Component typedIon(const std::string& name, std::string_view values) {
    const std::optional<int> z = charge(values);
    if (!z || *z == 0)
        throw ComponentNameError{"\"" + name + "\" needs a charge such as ion:+2 or ion:-1"};
    return engine::IonComponent(name, *z > 0 ? "M" : "X", *z, 0);
}

std::string candidateNames(const std::vector<const Compound*>& candidates) {
    std::string names;
    for (const Compound* c : candidates)
        names += (names.empty() ? "" : ", ") + c->name;
    return names;
}

} // namespace

std::optional<engine::Component> StrongAcidOrBase(const std::string& name) {
    for (const Electrolyte& e : StrongAcidsAndBases)
        if (name == e.name) return engine::IonComponent(name, e.formula, e.charge, 0);
    return std::nullopt;
}

engine::Component ComponentNamed(const std::string& name, double pKw) {
    if (std::optional<engine::Component> strong = StrongAcidOrBase(name)) return *strong;
    for (const Electrolyte& e : Ions)
        if (name == e.name) return engine::IonComponent(name, e.formula, e.charge, 0);
    const std::string_view text = name;
    if (text.starts_with("acid:")) return typedAcid(name, text.substr(5));
    if (text.starts_with("base:")) return typedBase(name, text.substr(5), pKw);
    if (text.starts_with("ion:")) return typedIon(name, text.substr(4));

    std::vector<const Compound*> all;
    for (const Compound& c : Compounds())
        all.push_back(&c);
    const Lookup found = FindCompound(name, all);
    if (found.status == LookupStatus::Ambiguous)
        throw ComponentNameError{"\"" + name +
                                 "\" names several compounds: " + candidateNames(found.candidates)};
    if (found.status == LookupStatus::NotFound)
        throw ComponentNameError{
            "unknown component \"" + name +
            "\" (a compound of corvane-cli compounds, acid:PK, base:PK, HCl, HNO3, "
            "HClO4, NaOH, KOH, Na+, K+, Cl-, NO3- or ion:CHARGE)"};
    return ComponentOf(*found.compound, 0, pKw);
}

std::optional<double> ReadConcentration(const std::string& name, const std::string& text,
                                        numtext::NumberSettings& settings, std::string& reason) {
    std::int16_t error = 0;
    const double v = numtext::ParseNumberToken(text, settings, error);
    if (error != 0 || engine::IsEmpty(v)) {
        reason = name + " = \"" + text + "\" cannot be read as a number";
        return std::nullopt;
    }
    if (v < 0) {
        reason = "the concentration of " + name + " cannot be negative: \"" + text + "\"";
        return std::nullopt;
    }
    return v;
}

} // namespace corvane::compounds
