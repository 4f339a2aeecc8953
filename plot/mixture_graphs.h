// \brief The graphs of free mixtures in the program's plot frame: the distribution diagram of
// one component (the fraction of each form against pH) and the titration curve of a mixture
// with its equivalence points marked. The values are computed apart from the drawing.
#pragma once

#include "graphs/mixture_numbers.h"
#include "plot.h"

#include <vector>

namespace corvane::plot {

/// The colour of the curve of form k: the four curve colours, then three more.
QColor FormColor(const PlotColors& colors, int k);

/// Each form's curve in its colour with its formula above the curve's highest point.
void DrawDistribution(markup::DrawingSurface& surface, const PlotState& plot,
                      const engine::Component& component, const graphs::Distribution& distribution,
                      const PlotColors& colors);

/// A dotted drop line from each mark to the volume axis, the volume written above the mark.
void DrawDropLineMarks(markup::DrawingSurface& surface, const PlotState& plot,
                       const std::vector<graphs::CurveMark>& marks, const PlotColors& colors,
                       char decimalSeparator);

/// The distribution diagram of a component as a graph's own curves, with its table rows.
OwnCurves DistributionCurves(const engine::Component& component);

/// The titration curve of a mixture with these marks as a graph's own curves, with its table
/// rows.
OwnCurves TitrationCurves(const graphs::MixtureTitrationGraph& graph,
                          const std::vector<graphs::CurveMark>& marks, char decimalSeparator);

} // namespace corvane::plot
