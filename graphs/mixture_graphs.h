// \brief The graphs of free mixtures in the program's plot frame: the distribution diagram of
// one component (the fraction of each form against pH) and the titration curve of a mixture
// with its equivalence points marked. The values are computed apart from the drawing.
#pragma once

#include "plot.h"
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

/// pH 0 to 14 against fractions 0 to 1, titled with the component's name.
GraphSettings DistributionSettings(const engine::Component& component);

/// The colour of the curve of form k: the four curve colours, then three more.
QColor FormColor(const PlotColors& colors, int k);

/// Each form's curve in its colour with its formula above the curve's highest point.
void DrawDistribution(markup::DrawingSurface& surface, const PlotState& plot,
                      const engine::Component& component, const Distribution& distribution,
                      const PlotColors& colors);

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

/// pH 0 to 14 against 0 to `to` mL of titrant.
GraphSettings TitrationSettings(const MixtureTitrationGraph& graph);

/// The pH after each volume of the sweep (a single curve, points outside pH 0 to 14 break it).
Curves SweepTitration(const MixtureTitrationGraph& graph, const SweepFrame& frame);

/// An equivalence point on the curve.
struct Mark {
    double volume;
    double pH;
};
std::vector<Mark> EquivalenceMarks(const MixtureTitrationGraph& graph);

/// A dotted drop line from each mark to the volume axis, the volume written above the mark.
void DrawMarks(markup::DrawingSurface& surface, const PlotState& plot,
               const std::vector<Mark>& marks, const PlotColors& colors, char decimalSeparator);

} // namespace corvane::graphs
