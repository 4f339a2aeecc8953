// \brief The components of corvane-cli mix and species: table compounds, acid: and base:
// systems, strong acids and bases and spectator ions, named as the command line names them.
#pragma once

#include "engine/mixture.h"
#include "numtext/numbertext.h"

#include <optional>
#include <string>

namespace corvane::cli {

/// The component NAME stands for, with total 0: a strong acid or base ("HCl", "NaOH"), an ion
/// ("Na+", "Cl-", "ion:+2"), "acid:PK1[,PK2...][/CHARGE]", "base:PKB[,...]" or a compound of
/// the table by its name, the start of its name or its formula. Anything else is a usage error.
engine::Component ComponentNamed(const std::string& name, double pKw);

/// The ion a strong acid or base leaves in water; nothing for any other name.
std::optional<engine::Component> StrongAcidOrBase(const std::string& name);

/// A concentration typed for NAME, read as solve reads values; nothing, with the reason, when
/// it cannot be read or is negative.
std::optional<double> ReadConcentration(const std::string& name, const std::string& text,
                                        numtext::NumberSettings& settings, std::string& reason);

} // namespace corvane::cli
