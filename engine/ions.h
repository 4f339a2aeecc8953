// \brief The ions of every problem type: which rows hold a pH, which hold a constant and of
// which step, and every ion in the solution with its charge, the spectators included. From
// these the ionic strength of a solved problem follows.
#pragma once

#include "activity.h"
#include "equilab.h"
#include "polynomials.h"

#include <string_view>
#include <vector>

namespace corvane::engine {

/// The base constant k_b, whose step is not an acid's.
inline constexpr int BaseStep = 0;

/// A constant row: the step of an acid's dissociation it belongs to (1 to 3), or BaseStep.
struct ConstantRow {
    int slot;
    int step;
};

/// A species row of the result and the charge of its ion (signed).
struct IonRow {
    int slot;
    int charge;
};

/// An ion no row shows, computed from the solved rows (the Na+ and Cl- in the flask of a
/// titration, say): z²·c summed over the ions it stands for.
struct DerivedIons {
    const char* what;
    double (*chargeSquareSum)(const Slots& values);
};

/// The flask of a titration after V mL of titrant, from slots whose constants are conditional
/// ones: its charge-balance polynomial in [H+] and Σ z²·c of its ions other than H+ and OH-.
struct Flask {
    PolynomialCoefficients (*polynomial)(const Slots& values, double V, double Kw);
    double (*chargeSquareSum)(const Slots& values, double V, double h);
};

/// An equivalence point before the last, at its own ionic strength: its pH and volume rows.
struct EarlierPoint {
    int pHSlot;
    int volumeSlot;
};

struct IonTable {
    /// The pH-type rows, the main pH first.
    std::vector<int> pHSlots;
    std::vector<ConstantRow> constants;
    std::vector<IonRow> species;
    std::vector<DerivedIons> derived = {};
    /// The earlier equivalence points of a polyprotic titration and the flask they lie in.
    std::vector<EarlierPoint> earlier = {};
    Flask flask = {};
};

/// The ion table of a problem code, or nullptr for an unknown code.
const IonTable* IonsOf(std::string_view code);

/// I = ½·Σ c·z² over every ion of the solved values; an empty row counts as 0.
double IonicStrength(const IonTable& ions, const Slots& values);

/// K' / K for a constant at the activity coefficients: for step j of an acid
/// γ_(j−1) / (γ1·γ_j) with γ_0 = 1, for a base constant 1 / γ1².
double ConditionalFactor(const ConstantRow& row, const Gammas& gammas);

} // namespace corvane::engine
