// \brief The titration of a free mixture with a strong acid or base: the pH after each volume
// added, and the equivalence volumes from the mixture's proton balance.
#pragma once

#include "mixture.h"

#include <vector>

namespace corvane::engine {

struct MixtureTitration {
    std::vector<Component> mixture;
    double volume; // mL of the mixture titrated
    /// The ion a strong acid (charge -1) or a strong base (charge +1) adds; its total is the
    /// titrant's concentration.
    Component titrant;
};

/// The mixture after `added` mL of titrant, every total diluted into the sum of the volumes.
MixtureResult TitrationPoint(const MixtureTitration& titration, double added, double pKw);
/// The same in the model (activity coefficients at the flask's own ionic strength).
MixtureResult TitrationPoint(const MixtureTitration& titration, double added,
                             const MixtureModel& model);

/// The volumes of titrant (mL, rising) at which it has taken up or given off the protons of
/// each titratable step: the step with pK from 0 to pKw, taken in the order of their pK. A
/// step that lies beyond that range in the titrant's direction is not titratable; a volume
/// at or below 0 is not one the titration reaches.
std::vector<double> EquivalenceVolumes(const MixtureTitration& titration, double pKw);

} // namespace corvane::engine
