// \brief The rows of the Free mixture task as a mixture: each row names a component as the mix
// command does, or a reagent of the table ("Na2HPO4", "sodium acetate") that adds its system
// and its counter-ions, with a concentration in mol/L.
#pragma once

#include "compounds/compounds.h"
#include "engine/mixture.h"
#include "numtext/numbertext.h"

#include <string>
#include <vector>

namespace corvane::mainwin {

struct MixtureRow {
    std::string component;
    std::string concentration;
};

struct RowsMixture {
    bool ok = false;
    std::string reason; // why the rows make no mixture
    std::vector<engine::Component> components;
};

/// The reagent whose name or plain formula is the text (ignoring case), with its system; null
/// when none is.
struct NamedReagent {
    const compounds::Compound* system = nullptr;
    const compounds::Reagent* reagent = nullptr;
};
NamedReagent ReagentNamed(const std::string& text);

/// The mixture of the rows that name something; a row with neither name nor concentration is
/// skipped. A name that stands for nothing, a concentration that cannot be read and more than
/// engine::MaxComponents components are reasons.
RowsMixture MixtureOfRows(const std::vector<MixtureRow>& rows, numtext::NumberSettings& numbers,
                          double pKw);

} // namespace corvane::mainwin
