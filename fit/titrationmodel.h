// \brief The titration curve of codes 50 to 55C at any titrant volume, from the curve's
// parameters in their slots: the pH the graph's generator computes there.
#pragma once

#include "engine/equilab.h"

#include <string_view>
#include <vector>

namespace corvane::fit {

/// The slots a titration curve reads (concentrations, volume, constants), in slot order; empty
/// for a code that is not a titration.
std::vector<int> CurveSlots(std::string_view code);

/// The protons titrated up to the last equivalence point: 1, 2 (54, 54C) or 3 (55, 55C).
int TitratedProtons(std::string_view code);

/// True for the codes whose flask holds a base titrated with a strong acid (52, 53).
bool BaseTitrated(std::string_view code);

/// The slots of the analyte's concentration and volume and of the titrant's concentration.
struct FlaskSlots {
    int analyte, volume, titrant;
};
FlaskSlots FlaskSlotsOf(std::string_view code);

/// True for a curve slot that holds an equilibrium constant (not a flask's amount).
bool IsConstantSlot(std::string_view code, int slot);

class TitrationModel {
public:
    /// `values` must hold every slot of CurveSlots(code). A model other than the ideal one
    /// has A at `temperature` (°C).
    TitrationModel(std::string_view code, const engine::Slots& values, double pKw,
                   engine::ActivityModel activity = engine::ActivityModel::Ideal,
                   double temperature = 25.0);

    /// The pH after V mL of titrant: the root of the code's [H+] polynomial at the flask
    /// concentrations C_A(V), C_B(V), or with activity coefficients the flask solved as the
    /// mixture it is; NaN when there is no root.
    double pH(double V) const;

private:
    int m_code; // index into the titration codes
    engine::Slots m_values;
    mutable engine::EquilAB m_work;
};

} // namespace corvane::fit
