// \brief Free mixtures in water: any weak acid systems, strong acids and bases and spectator
// ions together, solved for [H+] by their charge balance.
//
// A weak acid system H_nA^z with total C and constants K_1..K_n holds its forms H_(n-k)A^(z-k)
// in the fractions  a_k = K_1···K_k / h^k / D,  D = sum over k of the same terms. A strong acid
// or base and a spectator ion are one form that is always complete (the anion of the acid, the
// cation of the base). The charge balance
//     h - Kw/h + sum over ions z·c + sum over systems C·sum_k a_k·(z - k) = 0
// grows strictly with h, so it has exactly one root, which is bracketed on log10 h.
//
// With activity coefficients the constants are thermodynamic: the balance is solved with the
// conditional constants of the current ionic strength, whose result gives the next one, until
// the pH (−log10 of the H+ activity) settles.
#pragma once

#include "equilab.h"

#include <string>
#include <vector>

namespace corvane::engine {

inline constexpr int MaxComponents = 20;
inline constexpr int MaxSteps = 6;
inline constexpr double MaxConcentration = 100;
/// pK values an acid system may have: beyond them a step is not weak in water.
inline constexpr double LowestMixturePK = -5;
inline constexpr double HighestMixturePK = 30;
inline constexpr int MaxIonCharge = 6;

/// One form of a component: its formula mark-up without the charge, and the charge.
struct Species {
    std::string formula;
    int charge;
};

struct Component {
    std::string name;
    double total; // mol/L
    /// The forms from the most protonated one down; each has one charge less than the one before.
    /// An ion, or what a strong acid or base leaves in water, has one form.
    std::vector<Species> forms;
    /// pK_a of each step, forms.size() - 1 of them.
    std::vector<double> pk;
};

/// An ion (or a strong acid's anion, a strong base's cation) that takes no part in equilibria.
Component IonComponent(std::string name, std::string formula, int charge, double total);

struct SpeciesAmount {
    Species species;
    double concentration;
    double fraction; // of the component's total
};

struct ComponentAmounts {
    std::string name;
    double total;
    std::vector<SpeciesAmount> species;
};

struct MixtureResult {
    bool ok = false;
    std::string reason;           // why there is no result
    double pH = 0, h = 0, oh = 0; // [H+] and [OH-] are concentrations
    double ionicStrength = 0;
    std::vector<ComponentAmounts> components;
    /// The coefficients of the charges 1 to 3 the result was solved with.
    Gammas gamma = IdealGammas;
    /// A warning that does not refuse the result (an ionic strength beyond the Davies range).
    std::string warning;
};

/// What a mixture is solved with: the thermodynamic ionic product 10^-pKw and the activity
/// model, with the temperature (°C) of A in the Davies equation.
struct MixtureModel {
    double pKw = 14.0;
    ActivityModel activity = ActivityModel::Ideal;
    double temperature = 25.0;
};

/// The equilibrium of a mixture with the ionic product 10^-pKw (ideal activities).
MixtureResult SolveMixture(const std::vector<Component>& components, double pKw);
/// The equilibrium of a mixture in the model; ideal activities give what the pKw form gives.
MixtureResult SolveMixture(const std::vector<Component>& components, const MixtureModel& model);

/// The fractions of a component's forms at [H+] = h (ideal activities), most protonated first.
std::vector<double> Fractions(const Component& component, double h);

/// The equilibrium in which component `index` has the concentration (0 to MaxConcentration)
/// that gives the required pH; its given total is ignored. The concentration is bracketed and
/// bisected; a pH that no concentration gives is a reason.
MixtureResult FindConcentration(std::vector<Component> components, int index, double pH,
                                double pKw);
/// The same in the model, the pH being −log10 of the H+ activity.
MixtureResult FindConcentration(std::vector<Component> components, int index, double pH,
                                const MixtureModel& model);

} // namespace corvane::engine
