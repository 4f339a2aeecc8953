// \brief The components of a free mixture by the names people type: table compounds, acid: and
// base: systems, strong acids and bases and spectator ions. The command line and the Free
// mixture task read them alike.
#pragma once

#include "engine/mixture.h"
#include "numtext/numbertext.h"

#include <optional>
#include <string>

namespace corvane::compounds {

/// A name that stands for no component, with the reason.
struct ComponentNameError {
    std::string message;
};

/// The component NAME stands for, with total 0: a strong acid or base ("HCl", "NaOH"), an ion
/// ("Na+", "Cl-", "ion:+2"), "acid:PK1[,PK2...][/CHARGE]", "base:PKB[,...]" or a compound of
/// the table by its name, the start of its name or its formula. Anything else throws
/// ComponentNameError.
engine::Component ComponentNamed(const std::string& name, double pKw);

/// The ion a strong acid or base leaves in water; nothing for any other name.
std::optional<engine::Component> StrongAcidOrBase(const std::string& name);

/// A concentration typed for NAME, one whole number as the command line reads values ("1mM"
/// is not one); nothing, with the reason, when it cannot be read or is negative.
std::optional<double> ReadConcentration(const std::string& name, const std::string& text,
                                        numtext::NumberSettings& settings, std::string& reason);

} // namespace corvane::compounds
