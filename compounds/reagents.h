// \brief Reagents of the acid and base systems: reading their lines of the table, and what a
// reagent adds to a solution (amount of its system, counter-ions, acidic protons).
#pragma once

#include "compounds.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::compounds {

/// The spectator ions a reagent may supply, in formula mark-up.
inline constexpr std::string_view SpectatorIons[] = {"Na^+", "K^+", "Cl^-"};

/// "HPO_4^2^-" as its formula "HPO_4" and charge -2.
struct ChargedFormula {
    std::string formula;
    int charge;
};
ChargedFormula SplitCharge(std::string_view markup);

/// A reagent line "reagent;SYSTEM;name;formula;molar mass;supplies;KEY" (fields without the
/// source, which the caller resolved into `citation`) added to its system among `compounds`;
/// the fault it finds, or nothing.
std::optional<std::string> ReadReagent(const std::vector<std::string_view>& fields,
                                       const std::string& citation,
                                       std::vector<Compound>& compounds);

/// The form of the system a supply is (0 for the most protonated), or nothing for an ion.
std::optional<int> FormIndex(const Compound& system, const Supply& supply);

/// Moles of the system in one mole of the reagent.
int SystemAmount(const Compound& system, const Reagent& reagent);
/// The charge of the spectator ions one mole of the reagent gives.
int CounterCharge(const Reagent& reagent);
/// The protons one mole of the reagent can give up.
int Protons(const Compound& system, const Reagent& reagent);
/// The mean form index of the system amount the reagent gives.
double MeanForm(const Compound& system, const Reagent& reagent);

/// The reagent of a system a user names: its name or plain formula, ignoring case, else the
/// only one whose name starts with the text.
const Reagent* FindReagent(const Compound& system, std::string_view text);

} // namespace corvane::compounds
