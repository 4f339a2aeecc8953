// \brief Measured points drawn as small diamonds over the curves of a graph.
#pragma once

#include "plot.h"

#include "fit/measured.h"

#include <QColor>

#include <vector>

namespace corvane::graphs {

inline const QColor MeasuredColor{0, 64, 160};

/// Draws each point inside the plot's ranges as a diamond half a line high; points outside
/// them are left out.
void DrawMeasuredPoints(markup::DrawingSurface& surface, const PlotState& plot,
                        const std::vector<fit::MeasuredPoint>& points,
                        const QColor& color = MeasuredColor);

} // namespace corvane::graphs
