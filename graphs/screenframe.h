// \brief The frame a graph's curves are swept over on the screen, from the scales it is drawn
// with.
#pragma once

#include "sweep.h"
#include "userscales.h"

namespace corvane::graphs {

/// The ranges of the scales at the screen's sweep density.
SweepFrame ScreenFrame(const PlotScales& used);

/// Whether a graph of these scales has curves: no range is empty or reversed and no step is
/// below or at 0; otherwise it draws nothing.
bool HasCurves(const PlotScales& used);

} // namespace corvane::graphs
