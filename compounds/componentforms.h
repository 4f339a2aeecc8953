// \brief A table compound as a component of a free mixture: its forms with their formulas and
// charges, and how a species is written in mark-up and in plain text.
#pragma once

#include "compounds.h"

#include "engine/mixture.h"

#include <string>
#include <vector>

namespace corvane::compounds {

/// The formulas (mark-up, without charge) of the forms a compound has in water, from the most
/// protonated one down: H_3PO_4, H_2PO_4, HPO_4, PO_4; NH_4, NH_3. A sulfuric-type acid has no
/// form before its strong step. Where the formula does not show which hydrogen goes, the
/// forms are written H_3A, H_2A, HA, A (acids) or the base's formula with an H (bases).
std::vector<std::string> FormFormulas(const Compound& compound);

/// "", "H", "H_2", ...: hydrogens in formula mark-up.
std::string Hydrogens(int count);
/// H_nA, ..., HA, A: the forms of an acid whose formula is not known.
std::vector<std::string> GenericAcidFormulas(int protons);

/// The charge of the most protonated form the compound has in water: 0 for an acid, -1 after
/// a strong first step, +1 for the acid BH+ of a base.
int TopCharge(const Compound& compound);

/// The compound as a weak acid system of the given total: a base B with pK_b becomes the acid
/// BH+ with pK_a = pKw - pK_b.
engine::Component ComponentOf(const Compound& compound, double total, double pKw);

/// "H_2PO_4^-", "HPO_4^2^-", "NH_4^+": the formula mark-up with its charge.
std::string SpeciesMarkup(const engine::Species& species);
/// "H2PO4^-", "HPO4^2-", "NH4^+", "H3PO4".
std::string SpeciesText(const engine::Species& species);
/// "+", "-", "2-", "3+"; "" for no charge.
std::string ChargeText(int charge);

} // namespace corvane::compounds
