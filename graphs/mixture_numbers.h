// \brief The numbers of the graphs of free mixtures, apart from their drawing: the distribution
// of one component's forms over pH and the titration curve of a mixture with its equivalence
// points.
#pragma once

#include "marks.h"
#include "settings.h"
#include "sweep.h"

#include "engine/mixture_titration.h"

#include <string>
#include <vector>

namespace corvane::graphs {

/// The fractions of every form of a component over the pH axis of a frame, swept as the curve
/// sweep does: 257 points on screen, 1025 on a printer.
struct Distribution {
    std::vector<double> pH;
    std::vector<std::vector<double>> fractions; // [form][point]
};
Distribution SweepDistribution(const engine::Component& component, const SweepFrame& frame);

/// Every fourth point of an on-screen sweep into the table: pH, then the fractions of the first
/// forms, as many as the table has columns for. A printer's sweep records nothing.
void RecordDistribution(const Distribution& distribution, int sweepDensity, GraphTable& table);

/// pH 0 to 14 against fractions 0 to 1, titled with the component's name; the table's columns
/// headed by pH and the formulas of the forms.
GraphSettings DistributionSettings(const engine::Component& component);

struct MixtureTitrationGraph {
    engine::MixtureTitration titration;
    double pKw;
    std::string titrantText; // "NaOH 0.1 mol/L", mark-up
    std::string mixtureText; // "25 mL of Acetic acid 0.1 mol/L, ...", mark-up
    double to;               // the last volume, mL
    /// Each point's activity coefficients at its own ionic strength, A at this temperature (°C).
    engine::ActivityModel activity = engine::ActivityModel::Ideal;
    double temperature = 25.0;
};

/// "Acetic acid 0.1 M" in mark-up, the concentration with four digits.
std::string AmountText(const engine::Component& component, char decimalSeparator);
/// "25 mL of Acetic acid 0.1 M, Na 0.1 M" in mark-up.
std::string MixtureText(const engine::MixtureTitration& titration, char decimalSeparator);

/// pH 0 to 14 against 0 to `to` mL of titrant.
GraphSettings TitrationSettings(const MixtureTitrationGraph& graph);

/// The pH after each volume of the sweep (a single curve, points outside pH 0 to 14 break it).
Curves SweepTitration(const MixtureTitrationGraph& graph, const SweepFrame& frame);

/// The equivalence points on the curve up to its last volume: x the volume, y and pH the pH.
std::vector<CurveMark> EquivalenceMarks(const MixtureTitrationGraph& graph);

} // namespace corvane::graphs
