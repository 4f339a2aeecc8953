// \brief The graphs of free mixtures in the program's plot frame: the distribution diagram of
// one component (the fraction of each form against pH) and the titration curve of a mixture
// with its equivalence points marked. The values are computed apart from the drawing.
#pragma once

#include "graphs/mixture_numbers.h"
#include "plot.h"

#include <vector>

namespace corvane::graphs {

/// The colour of the curve of form k: the four curve colours, then three more.
QColor FormColor(const PlotColors& colors, int k);

/// Each form's curve in its colour with its formula above the curve's highest point.
void DrawDistribution(markup::DrawingSurface& surface, const PlotState& plot,
                      const engine::Component& component, const Distribution& distribution,
                      const PlotColors& colors);

/// A dotted drop line from each mark to the volume axis, the volume written above the mark.
void DrawMarks(markup::DrawingSurface& surface, const PlotState& plot,
               const std::vector<Mark>& marks, const PlotColors& colors, char decimalSeparator);

} // namespace corvane::graphs
