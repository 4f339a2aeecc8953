// \brief Which value fields of a problem type take the constants of a compound, and the one
// filling rule every front end uses.
#pragma once

#include "compounds.h"

#include "engine/catalogue.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvane::compounds {

/// One field a compound's constant goes into: IOValues slot and the compound's step (0 for
/// k_a, k_b and k_1, 1 for k_2, 2 for k_3).
struct ConstantSlot {
    int slot;
    int step;
};

/// A kind of compound a problem type asks for: a monoprotic, diprotic or triprotic acid, or
/// a base, with the fields its constants fill. Salts and mixtures of a weak acid and a weak
/// base ask for two.
struct ConstantRole {
    Kind kind;
    int protons;
    /// A "C" variant: the first proton counts as given up completely and k_1 is not typed, so
    /// any acid with the right number of protons fits, also one whose first step is strong.
    bool firstStepComplete;
    std::vector<ConstantSlot> fields;
    /// Every compound of the table fits: a component of a free mixture, which fills no field.
    bool anyCompound = false;

    /// "acid or base" for any compound; "monoprotic acid (k_a)", "diprotic acid (k_1, k_2)", "base
    /// (k_b)"...
    std::string caption() const;
};

/// The roles of a problem type in the order acid, base; empty for one without constants.
std::vector<ConstantRole> ConstantRoles(const engine::ProblemType& problem);

bool Fits(const Compound& compound, const ConstantRole& role);

/// The compounds that fit a role and match a filter text, in table order.
std::vector<const Compound*> Candidates(const ConstantRole& role, std::string_view text = {});
/// Why `c` does not fit `role`, for a user who named it: "Carbonic acid is a diprotic acid;
/// code 11 needs a monoprotic acid", or "this option needs ..." when `code` is empty.
std::string Misfit(const Compound& c, const ConstantRole& role, std::string_view code);

/// The constant fields of a problem type that an acid and a base (either may be null) fill,
/// as (slot, 10^(-pk)) pairs; or, when one of them does not fit the problem type, the reason.
struct Filling {
    std::vector<std::pair<int, double>> values;
    std::string error;
};
Filling FillConstants(const engine::ProblemType& problem, const Compound* acid,
                      const Compound* base);

/// FillConstants for an acid and a base given by name (FindCompound); a name that finds no
/// compound, or more than one, is the error.
Filling FillConstantsByName(const engine::ProblemType& problem,
                            const std::optional<std::string>& acidName,
                            const std::optional<std::string>& baseName);

} // namespace corvane::compounds
