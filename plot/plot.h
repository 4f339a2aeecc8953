// \brief Dibujar and DibujarGrafica: the graph's frame (titles, axis names, labelled grid, axes)
// and its curves on any DrawingSurface, from the graph settings and the solved problem.
#pragma once

#include "graphs/indicators.h"
#include "graphs/marks.h"
#include "graphs/settings.h"
#include "graphs/sweep.h"
#include "graphs/userscales.h"

#include "engine/equilab.h"
#include "fit/measured.h"

#include <QColor>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace corvane::markup {
class DrawingSurface;
}

namespace corvane::graphs {

struct PlotColors {
    QColor TextColor{64, 64, 96};
    QColor AxisColor{0, 64, 128};
    QColor GridColor{196, 196, 196};
    std::array<QColor, MaxCurves> CurveColor{QColor(200, 0, 0), QColor(0, 100, 220),
                                             QColor(0, 128, 0), QColor(196, 128, 0)};
    QColor MeasuredColor{0, 64, 160};
};

/// The scale of one drawing: problem values to surface units (y grows downwards).
struct PlotState {
    double PlotWidth = 0, PlotHeight = 0;
    double XMin = 0, XMax = 0, YMin = 0, YMax = 0, XStep = 0, YStep = 0;
    double XRange = 0, YRange = 0;
    double LineHeight = 0, SampleWidth = 0;
    double YScale = 0, LeftMargin = 0, XScale = 0;
    int PenWidth = 1;
    int SweepDensity = 1;

    double X(double x) const { return (x - XMin) * XScale + LeftMargin + 0.1 * SampleWidth; }
    double Y(double y) const { return PlotHeight - (y - YMin) * YScale - 3 * LineHeight; }
    /// Surface coordinates back to problem values.
    double XValue(double X) const { return (X - LeftMargin - 0.1 * SampleWidth) / XScale + XMin; }
    double YValue(double Y) const { return (PlotHeight - 3 * LineHeight - Y) / YScale + YMin; }
    SweepFrame frame() const { return {XMin, XMax, YMin, YMax, SweepDensity}; }
};

/// One graph as the graph window draws it: the settings and problem it reads, the table it
/// fills, and the plot state and curves of its last drawing.
class GraphPlot {
public:
    GraphPlot(const GraphSettings& settings, const engine::EquilAB& state, GraphTable& table);

    PlotColors colors;
    char decimalSeparator = '.';
    /// Scales the user set in place of the settings' own; none: the settings' scales.
    std::optional<PlotScales> scales;
    /// Marks the equivalence and half-equivalence points of titration curves.
    bool showMarks = false;
    /// Shades this indicator's transition range on a pH axis.
    const Indicator* indicator = nullptr;
    /// Curves drawn instead of the problem code's generator, over the frame just drawn; they
    /// fill GraphTable themselves.
    std::function<void(markup::DrawingSurface&, const PlotState&)> ownCurves;
    /// Measured points drawn as markers over the curves.
    std::vector<fit::MeasuredPoint> measuredPoints;

    /// Clears GraphTable and draws the frame (a picture is cleared first); with drawCurves
    /// DibujarGrafica follows. Empty or reversed ranges or a non-positive step draw nothing
    /// and give false.
    bool Dibujar(markup::DrawingSurface& surface, bool drawCurves);

    /// Runs the generator of the problem code over the frame of the last Dibujar, records the
    /// on-screen points into GraphTable and draws the curves.
    void DibujarGrafica(markup::DrawingSurface& surface);

    /// What the graph is drawn from.
    const GraphSettings& settings() const { return m_settings; }
    const engine::EquilAB& state() const { return m_state; }
    const PlotState& plot() const { return m_plot; }
    const Curves& curves() const { return m_curves; }
    /// The scales drawn: the user's or the settings' own.
    PlotScales usedScales() const { return scales.value_or(ScalesOf(m_settings)); }
    /// The marks of the last drawing with curves (none unless showMarks).
    const std::vector<CurveMark>& marks() const { return m_marks; }

private:
    const GraphSettings& m_settings;
    const engine::EquilAB& m_state;
    GraphTable& m_table;
    PlotState m_plot;
    Curves m_curves;
    std::vector<CurveMark> m_marks;
};

/// Draws the accepted points of a sweep as line segments; a rejected point breaks the curves.
/// Molar fractions are drawn from the highest curve down, so that the first lies on top.
void DrawCurves(markup::DrawingSurface& surface, const PlotState& plot, const Curves& curves,
                const PlotColors& colors);

} // namespace corvane::graphs
