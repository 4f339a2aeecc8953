#include "reagents.h"

#include "componentforms.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace corvane::compounds {

namespace {

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// "2 Na^+" or "HPO_4^2^-": the count (1 when left out) and the formula.
std::optional<Supply> readSupply(std::string_view item) {
    item = trimmed(item);
    Supply supply{1, std::string(item)};
    const std::size_t space = item.find(' ');
    if (space != std::string_view::npos) {
        const std::string_view count = item.substr(0, space);
        const auto [end, ec] =
            std::from_chars(count.data(), count.data() + count.size(), supply.count);
        if (ec != std::errc() || end != count.data() + count.size() || supply.count < 1)
            return std::nullopt;
        supply.formula = std::string(trimmed(item.substr(space + 1)));
    }
    if (supply.formula.empty()) return std::nullopt;
    return supply;
}

bool isSpectator(const std::string& formula) {
    return std::find(std::begin(SpectatorIons), std::end(SpectatorIons), formula) !=
           std::end(SpectatorIons);
}

} // namespace

ChargedFormula SplitCharge(std::string_view markup) {
    // The charge is the last superscripts: a sign, after the digits of its size.
    std::size_t end = markup.size();
    if (end < 2 || markup[end - 2] != '^' || (markup[end - 1] != '+' && markup[end - 1] != '-'))
        return {std::string(markup), 0};
    const int sign = markup[end - 1] == '+' ? 1 : -1;
    end -= 2;
    int size = 0, place = 1;
    while (end >= 2 && markup[end - 2] == '^' && markup[end - 1] >= '0' && markup[end - 1] <= '9') {
        size += (markup[end - 1] - '0') * place;
        place *= 10;
        end -= 2;
    }
    return {std::string(markup.substr(0, end)), sign * (size == 0 ? 1 : size)};
}

std::optional<int> FormIndex(const Compound& system, const Supply& supply) {
    const ChargedFormula f = SplitCharge(supply.formula);
    const std::vector<std::string> forms = FormFormulas(system);
    for (std::size_t k = 0; k < forms.size(); ++k)
        if (forms[k] == f.formula && TopCharge(system) - static_cast<int>(k) == f.charge)
            return static_cast<int>(k);
    return std::nullopt;
}

std::optional<std::string> ReadReagent(const std::vector<std::string_view>& f,
                                       const std::string& citation,
                                       std::vector<Compound>& compounds) {
    const auto system = std::find_if(compounds.begin(), compounds.end(),
                                     [&](const Compound& c) { return c.name == f[1]; });
    if (system == compounds.end())
        return "reagent of an unknown system \"" + std::string(f[1]) + "\"";
    Reagent r{std::string(f[2]), std::string(f[3]), 0, {}, citation};
    if (r.name.empty() || r.formula.empty()) return "a reagent needs a name and a formula";
    const std::string_view mass = f[4];
    const auto [end, ec] = std::from_chars(mass.data(), mass.data() + mass.size(), r.molarMass);
    if (ec != std::errc() || end != mass.data() + mass.size() || !(r.molarMass > 0))
        return r.name + ": the molar mass is not a positive number";
    std::string_view supplies = f[5];
    while (true) {
        const std::size_t plus = supplies.find(" + ");
        const std::optional<Supply> s = readSupply(supplies.substr(0, plus));
        if (!s) return r.name + ": \"supplies\" must read COUNT FORMULA + COUNT FORMULA ...";
        if (!FormIndex(*system, *s) && !isSpectator(s->formula))
            return r.name + ": " + s->formula + " is neither a form of " + system->name +
                   " nor Na^+, K^+ or Cl^-";
        r.supplies.push_back(*s);
        if (plus == std::string_view::npos) break;
        supplies.remove_prefix(plus + 3);
    }
    if (SystemAmount(*system, r) == 0) return r.name + " supplies nothing of " + system->name;
    int charge = CounterCharge(r);
    for (const Supply& s : r.supplies)
        if (FormIndex(*system, s)) charge += s.count * SplitCharge(s.formula).charge;
    if (charge != 0)
        return r.name + " is not neutral: its supplies carry " + std::to_string(charge);
    system->reagents.push_back(std::move(r));
    return std::nullopt;
}

int SystemAmount(const Compound& system, const Reagent& reagent) {
    int amount = 0;
    for (const Supply& s : reagent.supplies)
        if (FormIndex(system, s)) amount += s.count;
    return amount;
}

int CounterCharge(const Reagent& reagent) {
    int charge = 0;
    for (const Supply& s : reagent.supplies)
        if (isSpectator(s.formula)) charge += s.count * SplitCharge(s.formula).charge;
    return charge;
}

int Protons(const Compound& system, const Reagent& reagent) {
    const int steps = static_cast<int>(FormFormulas(system).size()) - 1;
    int protons = 0;
    for (const Supply& s : reagent.supplies)
        if (const std::optional<int> k = FormIndex(system, s)) protons += s.count * (steps - *k);
    return protons;
}

double MeanForm(const Compound& system, const Reagent& reagent) {
    int weighted = 0;
    for (const Supply& s : reagent.supplies)
        if (const std::optional<int> k = FormIndex(system, s)) weighted += s.count * *k;
    return static_cast<double>(weighted) / SystemAmount(system, reagent);
}

const Reagent* FindReagent(const Compound& system, std::string_view text) {
    const std::string wanted = Lowercase(trimmed(text));
    const Reagent* prefix = nullptr;
    int prefixes = 0;
    for (const Reagent& r : system.reagents) {
        if (Lowercase(r.name) == wanted || Lowercase(PlainFormula(r.formula)) == wanted) return &r;
        if (Lowercase(r.name).starts_with(wanted)) {
            prefix = &r;
            ++prefixes;
        }
    }
    return prefixes == 1 ? prefix : nullptr;
}

} // namespace corvane::compounds
