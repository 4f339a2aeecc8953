// \brief A graph computed for one surface and painted there: GraphPlot holds what a graph is
// drawn from and computes it (its frame's layout on the surface, its curves, marks and table
// rows) into a PlottedGraph, which Paint draws (titles, axis names, labelled grid, axes and
// curves) without changing anything but the surface.
#pragma once

#include "graphs/graphvalues.h"
#include "graphs/indicators.h"
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

namespace corvane::plot {

using graphs::GraphSettings;
using graphs::PlotScales;

struct PlotColors {
    QColor TextColor{64, 64, 96};
    QColor AxisColor{0, 64, 128};
    QColor GridColor{196, 196, 196};
    std::array<QColor, graphs::MaxCurves> CurveColor{QColor(200, 0, 0), QColor(0, 100, 220),
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
    /// The axis pen, which the curves are drawn with.
    int PenWidth = 1;
    int SweepDensity = 1;

    double X(double x) const { return (x - XMin) * XScale + LeftMargin + 0.1 * SampleWidth; }
    double Y(double y) const { return PlotHeight - (y - YMin) * YScale - 3 * LineHeight; }
    /// Surface coordinates back to problem values.
    double XValue(double X) const { return (X - LeftMargin - 0.1 * SampleWidth) / XScale + XMin; }
    double YValue(double Y) const { return (PlotHeight - 3 * LineHeight - Y) / YScale + YMin; }
    graphs::SweepFrame frame() const { return {XMin, XMax, YMin, YMax, SweepDensity}; }
};

/// Paints curves computed beforehand over the frame; it changes nothing but the surface.
using CurvePainter =
    std::function<void(markup::DrawingSurface&, const PlotState&, const PlotColors&)>;
/// Curves in place of a problem code's generator: computes them once over `frame`, puts the rows
/// they give the table window into `rows` (an on-screen sweep only) and returns their painter.
using OwnCurves =
    std::function<CurvePainter(const graphs::SweepFrame& frame, graphs::GraphTable& rows)>;

/// One graph computed for one surface, with everything its painting reads.
struct PlottedGraph {
    GraphSettings settings;
    /// The scales drawn: the user's or the settings' own.
    PlotScales scales;
    PlotColors colors;
    char decimalSeparator = '.';
    const graphs::Indicator* indicator = nullptr;
    std::vector<fit::MeasuredPoint> measuredPoints;
    /// False for empty or reversed ranges or a non-positive step: nothing is drawn.
    bool drawable = false;
    bool withCurves = false;
    PlotState plot;
    /// The curves with their table rows and marks; of own curves only the rows, their painter
    /// holding the rest.
    graphs::GraphValues values;
    CurvePainter ownCurves;
};

/// One graph as the graph window draws it: the settings and problem it reads and the choices
/// over them.
class GraphPlot {
public:
    GraphPlot(const GraphSettings& settings, const engine::EquilAB& state);

    PlotColors colors;
    char decimalSeparator = '.';
    /// Scales the user set in place of the settings' own; none: the settings' scales.
    std::optional<PlotScales> scales;
    /// Marks the equivalence and half-equivalence points of titration curves.
    bool showMarks = false;
    /// Shades this indicator's transition range on a pH axis.
    const graphs::Indicator* indicator = nullptr;
    /// Curves drawn instead of the problem code's generator.
    OwnCurves ownCurves;
    /// Measured points drawn as markers over the curves.
    std::vector<fit::MeasuredPoint> measuredPoints;

    /// The graph as `target` will show it: the frame laid out in the target's size and font,
    /// and with `withCurves` the curves swept at the target's density (4 on a printer, which
    /// gives no table rows) with their marks.
    PlottedGraph Compute(const markup::DrawingSurface& target, bool withCurves) const;

    /// Computes the graph for `surface` and paints it there (with drawCurves the curves too);
    /// gives the computed graph.
    PlottedGraph Dibujar(markup::DrawingSurface& surface, bool drawCurves) const;

    /// What the graph is drawn from.
    const GraphSettings& settings() const { return m_settings; }
    const engine::EquilAB& state() const { return m_state; }
    /// The scales drawn: the user's or the settings' own.
    PlotScales usedScales() const { return scales.value_or(ScalesOf(m_settings)); }

private:
    const GraphSettings& m_settings;
    const engine::EquilAB& m_state;
};

/// Paints a computed graph: a picture is cleared, then the titles, axis names, labelled grid,
/// axes and curves are drawn. An undrawable graph leaves a cleared picture blank.
void Paint(const PlottedGraph& graph, markup::DrawingSurface& surface);

/// Draws the accepted points of a sweep as line segments; a rejected point breaks the curves.
/// Molar fractions are drawn from the highest curve down, so that the first lies on top.
void DrawCurves(markup::DrawingSurface& surface, const PlotState& plot,
                const graphs::Curves& curves, const PlotColors& colors);

} // namespace corvane::plot
