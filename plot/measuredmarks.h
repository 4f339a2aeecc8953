// \brief Measured points on a graph, drawn as small diamonds over the curves.
#pragma once

#include "graphs/measuredrms.h"
#include "plot.h"

#include "fit/measured.h"

#include <QColor>

#include <vector>

namespace corvane::plot {

/// Draws each point inside the plot's ranges as a diamond half a line high; points outside
/// them are left out.
void DrawMeasuredPoints(markup::DrawingSurface& surface, const PlotState& plot,
                        const std::vector<fit::MeasuredPoint>& points, const QColor& color);

} // namespace corvane::plot
