// \brief Buffer recipes: the amounts of two reagents of an acid or base system that make a
// solution of a given total concentration and pH, and the solution a recipe makes.
//
// With [H+] fixed by the pH, the amounts n1, n2 (mol/L) of two reagents follow from two linear
// equations: the system's mass balance  s1·n1 + s2·n2 = C  and the charge balance
// q1·n1 + q2·n2 = -(h - Kw/h + C·z(h)), where s is the system a reagent brings per mole, q the
// charge of its counter-ions and z(h) the system's mean charge at that pH.
#pragma once

#include "compounds.h"

#include "engine/mixture.h"

#include <string>
#include <utility>
#include <vector>

namespace corvane::compounds {

struct RecipeAmount {
    const Reagent* reagent;
    double concentration; // mol/L in the made solution
};

/// The solution the amounts make: the system with the total they bring and their spectator
/// ions.
std::vector<engine::Component> RecipeMixture(const Compound& system,
                                             const std::vector<RecipeAmount>& amounts, double pKw);

/// The pair used when none is named: around the step whose pK is nearest the pH, the reagent
/// richest in protons below it and the one poorer above it, preferring anhydrous sodium salts,
/// then the acid or base itself, then potassium salts. Empty pair members when the system has
/// no reagent on a side.
std::pair<const Reagent*, const Reagent*> DefaultReagents(const Compound& system, double pH,
                                                          double pKw);

struct Recipe {
    bool ok = false;
    std::string reason;
    std::vector<RecipeAmount> amounts;
};

/// The concentrations of the two reagents that make total C of the system at the pH; a pH the
/// pair cannot reach is a reason that gives the range it reaches.
Recipe MakeRecipe(const Compound& system, const Reagent& first, const Reagent& second, double pH,
                  double total, double pKw);
/// The same in a model: with activity coefficients the pH is −log10 of the H+ activity of the
/// made solution.
Recipe MakeRecipe(const Compound& system, const Reagent& first, const Reagent& second, double pH,
                  double total, const engine::MixtureModel& model);

} // namespace corvane::compounds
