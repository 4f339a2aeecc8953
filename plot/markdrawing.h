// \brief Painting what the graph adds over its curves: an indicator's shaded transition range
// under the grid and the marked points of a titration curve with their drop lines and labels.
#pragma once

#include "graphs/indicators.h"
#include "graphs/marks.h"

#include <QColor>

#include <vector>

namespace corvane::markup {
class DrawingSurface;
}

namespace corvane::plot {

struct PlotState;

inline const QColor EquivalenceMarkColor{120, 0, 140};
inline const QColor HalfEquivalenceMarkColor{0, 110, 110};

/// Fills the part of each transition range inside the y axis from `left` to `right` with the
/// range's pale shade and names the indicator in it.
void DrawIndicatorBand(markup::DrawingSurface& surface, const PlotState& plot, double left,
                       double right, const graphs::Indicator& indicator, const QColor& textColor);

/// A diamond (equivalence) or a square (half-equivalence) at each mark inside the axes, a
/// dashed line down to the x axis and a label with the pH, put where graph `kind`'s curve
/// leaves room for it.
void DrawMarks(markup::DrawingSurface& surface, const PlotState& plot,
               const std::vector<graphs::CurveMark>& marks, int kind, char decimalSeparator);

/// The label of a mark in mark-up: "EP  pH 8.724", "½EP  pH 4.757".
std::string MarkLabel(const graphs::CurveMark& mark, char decimalSeparator);

} // namespace corvane::plot
