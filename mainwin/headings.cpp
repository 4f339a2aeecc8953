#include "headings.h"

#include <utility>
#include <vector>

namespace corvane::mainwin {

namespace {

using Replacements = std::vector<std::pair<const char*, const char*>>;

struct Expansion {
    int extraCharacters;
    Replacements replacements;
};

const std::vector<Expansion> Expansions = {
    {2, {{"pt.", "point"}}},
    {2, {{"Vol.", "Volume"}, {"vol.", "volume"}}},
    {4, {{" (M)", " (mol/L)"}}},
    {5, {{"equil.", "equilibrium"}}},
    {2, {{"const.", "constant"}, {"Const.", "Constant"}}},
    {5, {{"equiv.", "equivalence"}}},
    {5, {{"dissoc.", "dissociation"}}},
    {8, {{"conc.", "concentration"}, {"Conc.", "Concentration"}}},
};

const std::vector<Replacements> Shortenings = {
    {{"equivalence", "equiv."}, {"concentration", "conc."}, {"Concentration", "Conc."}},
    {{"constant", "const."}, {"Constant", "Const."}, {"point", "pt."}},
    {{"dissociation", "dissoc."},
     {"Volume", "Vol."},
     {"volume", "vol."},
     {" (mol/L)", " (M)"},
     {"equilibrium", "equil."}},
};

void apply(QString& text, const Replacements& replacements) {
    for (const auto& [from, to] : replacements)
        text.replace(QLatin1String(from), QLatin1String(to), Qt::CaseSensitive);
}

} // namespace

QString FitHeading(QString heading, double width) {
    for (const Expansion& e : Expansions)
        if (static_cast<double>(heading.size() + e.extraCharacters) * 6.7 < width)
            apply(heading, e.replacements);
    for (const Replacements& r : Shortenings)
        if (static_cast<double>(heading.size()) * 6.8 > width) apply(heading, r);
    return heading;
}

} // namespace corvane::mainwin
