#include "plot.h"
#include "markdrawing.h"
#include "measuredmarks.h"

#include "graphs/valueat.h"
#include "markup/renderer.h"
#include "markup/surface.h"
#include "numtext/numbertext.h"

#include <algorithm>
#include <cmath>

namespace corvane::plot {

using markup::DrawingSurface;
using markup::DrawMarkup;
using markup::MeasuringSurface;

namespace {

QString markupText(const std::string& text) {
    return QString::fromStdString(text);
}

// The width a mark-up text will have on the target, measured by drawing it on the measuring
// surface from x = 0.
double measure(DrawingSurface& measuring, const QString& text) {
    measuring.setCurrentX(0);
    measuring.setCurrentY(0);
    DrawMarkup(text, measuring);
    return measuring.currentX();
}

void drawAt(DrawingSurface& surface, const QString& text, double x, double y) {
    surface.setCurrentX(x);
    surface.setCurrentY(y);
    DrawMarkup(text, surface);
}

// A length in millimetres as printer pixels, at least `least`.
int printerPen(const DrawingSurface& surface, double mm, int least) {
    const double pixels = mm / 25.4 * 1440 / surface.twipsPerPixelX();
    return std::max(least, static_cast<int>(std::lround(pixels)));
}

int gridPen(const DrawingSurface& surface) {
    return surface.isPrinter() ? printerPen(surface, 0.1, 1) : 1;
}

int axisPen(const DrawingSurface& surface) {
    return surface.isPrinter() ? printerPen(surface, 0.3, 3) : 3;
}

// Tick values from lo by step while they stay within hi + step / 10.
template <class F> void forEachTick(double lo, double hi, double step, F f) {
    for (int i = 0;; ++i) {
        const double v = lo + i * step;
        if (!(v <= hi + step / 10)) break;
        f(i, v);
    }
}

QString tickLabel(double v, char decimalSeparator) {
    std::int16_t formatError = 0;
    return markupText(numtext::FormatNumberMarkup(v, 4, decimalSeparator, formatError));
}

// The ranges of the scales drawn; false when one is empty or reversed or a step is not above 0.
bool takeRanges(PlotState& p, const PlotScales& used) {
    p.XMin = used.x.Min;
    p.XMax = used.x.Max;
    p.YMin = used.y.Min;
    p.YMax = used.y.Max;
    p.XStep = used.x.Step;
    p.YStep = used.y.Step;
    p.XRange = p.XMax - p.XMin;
    p.YRange = p.YMax - p.YMin;
    return p.XRange > 0 && p.YRange > 0 && p.XStep > 0 && p.YStep > 0;
}

// The text sizes and scale factors on the target; every y label is measured, labelled or not.
void layOut(PlotState& p, const DrawingSurface& target, char decimalSeparator) {
    MeasuringSurface measuring(target);
    measuring.setBold(false); // the labels' weight, whatever the target's font
    p.LineHeight = target.textHeight(QStringLiteral("C3PO"));
    p.SampleWidth = target.textWidth(QStringLiteral("R2D2X"));
    p.YScale = (p.PlotHeight - 6.5 * p.LineHeight) / p.YRange;
    p.LeftMargin = 0;
    forEachTick(p.YMin, p.YMax, p.YStep, [&](int, double v) {
        p.LeftMargin = std::max(p.LeftMargin, measure(measuring, tickLabel(v, decimalSeparator)) +
                                                  0.1 * p.SampleWidth);
    });
    p.XScale = (p.PlotWidth - p.LeftMargin - 0.61 * p.SampleWidth) / p.XRange;
    p.PenWidth = axisPen(target);
    p.SweepDensity = target.isPrinter() ? 4 : 1;
}

// The three title lines centred, the axis names; in bold and the text colour, on a printer too.
void paintTitles(const PlottedGraph& g, DrawingSurface& surface, DrawingSurface& measuring) {
    const GraphSettings& s = g.settings;
    const PlotState& p = g.plot;
    surface.setBold(true);
    measuring.setBold(true);
    surface.setTextColor(g.colors.TextColor);

    const QString title = markupText(s.GraphTitle);
    const double titleRoom = p.PlotWidth - measure(measuring, title) + p.SampleWidth;
    drawAt(surface, title, titleRoom <= 0 ? 0 : titleRoom / 2, 0.2 * p.LineHeight);
    const QString subtitle = markupText(s.GraphSubtitle);
    drawAt(surface, subtitle, (p.PlotWidth - measure(measuring, subtitle) + p.SampleWidth) / 2,
           1.2 * p.LineHeight);
    const QString caption = markupText(s.ParamCaption);
    drawAt(surface, caption, (p.PlotWidth - measure(measuring, caption) + p.SampleWidth) / 2,
           2.2 * p.LineHeight);

    drawAt(surface, markupText(s.YAxisName), 0.3 * p.SampleWidth, 1.0 * p.LineHeight);
    const QString xName = markupText(s.XAxisName);
    drawAt(surface, xName, (p.PlotWidth - measure(measuring, xName)) / 2,
           p.PlotHeight - 1.5 * p.LineHeight);

    surface.setBold(false);
    measuring.setBold(false);
}

// Where the grid and the axes lie on the surface.
struct PlotBox {
    double left, right, top, bottom;
};

PlotBox boxOf(const PlotState& p) {
    return {0.1 * p.SampleWidth + p.LeftMargin, p.PlotWidth - 0.5 * p.SampleWidth,
            3.5 * p.LineHeight, p.PlotHeight - 3 * p.LineHeight};
}

// The indicator's band under the grid, then the labelled grid lines of both axes; on a printer
// in black.
void paintGrid(const PlottedGraph& g, DrawingSurface& surface, DrawingSurface& measuring) {
    const PlotState& p = g.plot;
    const bool printer = surface.isPrinter();
    surface.setPenWidth(gridPen(surface));
    const QColor black(0, 0, 0);
    const QColor textColor = printer ? black : g.colors.TextColor;
    const QColor gridColor = printer ? black : g.colors.GridColor;
    surface.setTextColor(textColor);

    const PlotBox box = boxOf(p);
    if (g.indicator != nullptr && graphs::PlotsPH(g.settings.GraphKind))
        DrawIndicatorBand(surface, p, box.left, box.right, *g.indicator, textColor);

    forEachTick(p.YMin, p.YMax, p.YStep, [&](int i, double v) {
        if (i % g.scales.y.LabelEvery == 0) {
            const QString text = tickLabel(v, g.decimalSeparator);
            drawAt(surface, text, p.LeftMargin - measure(measuring, text),
                   p.PlotHeight - 3.5 * p.LineHeight - (v - p.YMin) * p.YScale);
        }
        const double y = p.Y(v);
        surface.drawLine(box.left, y, box.right, y, gridColor);
    });
    forEachTick(p.XMin, p.XMax, p.XStep, [&](int i, double v) {
        const double x = p.X(v);
        if (i % g.scales.x.LabelEvery == 0) {
            const QString text = tickLabel(v, g.decimalSeparator);
            drawAt(surface, text, x - measure(measuring, text) / 2,
                   p.PlotHeight - 2.7 * p.LineHeight);
        }
        surface.drawLine(x, box.top, x, box.bottom, gridColor);
    });
}

void paintAxes(const PlottedGraph& g, DrawingSurface& surface) {
    const QColor axisColor = surface.isPrinter() ? QColor(0, 0, 0) : g.colors.AxisColor;
    const PlotBox box = boxOf(g.plot);
    surface.setPenWidth(g.plot.PenWidth);
    surface.drawLine(box.left, box.bottom, box.right, box.bottom, axisColor);
    surface.drawLine(box.left, box.top, box.left, box.bottom, axisColor);
}

void paintCurves(const PlottedGraph& g, DrawingSurface& surface) {
    if (g.ownCurves) {
        g.ownCurves(surface, g.plot, g.colors);
        return;
    }
    DrawCurves(surface, g.plot, g.values.curves, g.colors);
    DrawMeasuredPoints(surface, g.plot, g.measuredPoints, g.colors.MeasuredColor);
    DrawMarks(surface, g.plot, g.values.marks, g.settings.GraphKind, g.decimalSeparator);
}

} // namespace

GraphPlot::GraphPlot(const GraphSettings& settings, const engine::EquilAB& state)
    : m_settings(settings), m_state(state) {}

PlottedGraph GraphPlot::Compute(const DrawingSurface& target, bool withCurves) const {
    PlottedGraph g;
    g.settings = m_settings;
    g.scales = usedScales();
    g.colors = colors;
    g.decimalSeparator = decimalSeparator;
    g.indicator = indicator;
    g.measuredPoints = measuredPoints;
    g.withCurves = withCurves;
    g.plot.PlotWidth = target.scaleWidth();
    g.plot.PlotHeight = target.scaleHeight();
    g.drawable = takeRanges(g.plot, g.scales);
    if (!g.drawable) return g;
    layOut(g.plot, target, decimalSeparator);
    if (!withCurves) return g;
    if (ownCurves) {
        g.ownCurves = ownCurves(g.plot.frame(), g.values.table);
        return g;
    }
    const graphs::GeneratorInput in{m_settings.GraphKind, m_state, g.plot.frame()};
    g.values = graphs::ComputeGraphValues(m_settings.ProblemCode, in, showMarks);
    return g;
}

PlottedGraph GraphPlot::Dibujar(DrawingSurface& surface, bool drawCurves) const {
    PlottedGraph graph = Compute(surface, drawCurves);
    Paint(graph, surface);
    return graph;
}

void Paint(const PlottedGraph& graph, DrawingSurface& surface) {
    if (!surface.isPrinter()) surface.clear();
    if (!graph.drawable) return;
    MeasuringSurface measuring(surface);
    paintTitles(graph, surface, measuring);
    paintGrid(graph, surface, measuring);
    paintAxes(graph, surface);
    if (graph.withCurves) paintCurves(graph, surface);
}

void DrawCurves(DrawingSurface& surface, const PlotState& plot, const graphs::Curves& curves,
                const PlotColors& colors) {
    const graphs::SweepPoint* previous = nullptr;
    for (const graphs::SweepPoint& point : curves.points) {
        if (!point.accepted) {
            previous = nullptr;
            continue;
        }
        if (previous != nullptr) {
            const double x0 = plot.X(previous->x), x1 = plot.X(point.x);
            for (int k = curves.count - 1; k >= 0; --k)
                surface.drawLine(x0, plot.Y(previous->y[k]), x1, plot.Y(point.y[k]),
                                 colors.CurveColor[k]);
        }
        previous = &point;
    }
}

} // namespace corvane::plot
