// \brief Measured points on a graph: drawn as small diamonds over the curves, and their RMS
// residual against a titration's pH curve.
#pragma once

#include "plot.h"

#include "fit/measured.h"

#include <QColor>

#include <string_view>
#include <vector>

namespace corvane::graphs {

/// Draws each point inside the plot's ranges as a diamond half a line high; points outside
/// them are left out.
void DrawMeasuredPoints(markup::DrawingSurface& surface, const PlotState& plot,
                        const std::vector<fit::MeasuredPoint>& points, const QColor& color);

/// The RMS of measured minus computed pH against the pH curve (kinds 27 and 29) of a titration
/// code; NaN for the other graphs, which plot no pH of the added volume.
double MeasuredRms(std::string_view code, int kind, const engine::EquilAB& state,
                   const std::vector<fit::MeasuredPoint>& points);

} // namespace corvane::graphs
