#include "plot.h"
#include "measuredmarks.h"

#include "graphs/valueat.h"
#include "markdrawing.h"

#include "markup/renderer.h"
#include "markup/surface.h"
#include "numtext/numbertext.h"

#include <algorithm>
#include <cmath>

namespace corvane::graphs {

using markup::DrawingSurface;
using markup::DrawMarkup;

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

// Tick values from lo by step while they stay within hi + step / 10.
template <class F> void forEachTick(double lo, double hi, double step, F f) {
    for (int i = 0;; ++i) {
        const double v = lo + i * step;
        if (!(v <= hi + step / 10)) break;
        f(i, v);
    }
}

} // namespace

GraphPlot::GraphPlot(const GraphSettings& settings, const engine::EquilAB& state, GraphTable& table)
    : m_settings(settings), m_state(state), m_table(table) {}

bool GraphPlot::Dibujar(DrawingSurface& surface, bool drawCurves) {
    const GraphSettings& s = m_settings;
    PlotState& p = m_plot;
    const bool printer = surface.isPrinter();
    if (!printer) surface.clear();
    m_table.Clear();
    m_curves = {};
    m_marks.clear();

    const PlotScales used = usedScales();
    p = PlotState{};
    p.PlotWidth = surface.scaleWidth();
    p.PlotHeight = surface.scaleHeight();
    p.XMin = used.x.Min;
    p.XMax = used.x.Max;
    p.YMin = used.y.Min;
    p.YMax = used.y.Max;
    p.XStep = used.x.Step;
    p.YStep = used.y.Step;
    p.XRange = p.XMax - p.XMin;
    p.YRange = p.YMax - p.YMin;
    if (!(p.XRange > 0) || !(p.YRange > 0) || !(p.XStep > 0) || !(p.YStep > 0)) return false;

    markup::MeasuringSurface measuring(surface);
    p.LineHeight = surface.textHeight(QStringLiteral("C3PO"));
    p.SampleWidth = surface.textWidth(QStringLiteral("R2D2X"));
    p.YScale = (p.PlotHeight - 6.5 * p.LineHeight) / p.YRange;

    surface.setBold(true);
    measuring.setBold(true);
    surface.setTextColor(colors.TextColor);

    // Title lines centred.
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

    p.PenWidth = printer ? printerPen(surface, 0.1, 1) : 1;
    surface.setPenWidth(p.PenWidth);

    std::int16_t formatError = 0;
    auto label = [&](double v) {
        return markupText(numtext::FormatNumberMarkup(v, 4, decimalSeparator, formatError));
    };

    // Every y label is measured, labelled or not.
    p.LeftMargin = 0;
    forEachTick(p.YMin, p.YMax, p.YStep, [&](int, double v) {
        p.LeftMargin = std::max(p.LeftMargin, measure(measuring, label(v)) + 0.1 * p.SampleWidth);
    });

    const QColor black(0, 0, 0);
    const QColor textColor = printer ? black : colors.TextColor;
    const QColor axisColor = printer ? black : colors.AxisColor;
    const QColor gridColor = printer ? black : colors.GridColor;
    surface.setTextColor(textColor);

    const double left = 0.1 * p.SampleWidth + p.LeftMargin;
    const double right = p.PlotWidth - 0.5 * p.SampleWidth;
    const double top = 3.5 * p.LineHeight;
    const double bottom = p.PlotHeight - 3 * p.LineHeight;
    if (indicator != nullptr && PlotsPH(s.GraphKind))
        DrawIndicatorBand(surface, p, left, right, *indicator, textColor);

    forEachTick(p.YMin, p.YMax, p.YStep, [&](int i, double v) {
        if (i % used.y.LabelEvery == 0) {
            const QString text = label(v);
            drawAt(surface, text, p.LeftMargin - measure(measuring, text),
                   p.PlotHeight - 3.5 * p.LineHeight - (v - p.YMin) * p.YScale);
        }
        const double y = p.Y(v);
        surface.drawLine(left, y, right, y, gridColor);
    });

    p.XScale = (p.PlotWidth - p.LeftMargin - 0.61 * p.SampleWidth) / p.XRange;
    forEachTick(p.XMin, p.XMax, p.XStep, [&](int i, double v) {
        const double x = p.X(v);
        if (i % used.x.LabelEvery == 0) {
            const QString text = label(v);
            drawAt(surface, text, x - measure(measuring, text) / 2,
                   p.PlotHeight - 2.7 * p.LineHeight);
        }
        surface.drawLine(x, top, x, bottom, gridColor);
    });

    p.PenWidth = printer ? printerPen(surface, 0.3, 3) : 3;
    p.SweepDensity = printer ? 4 : 1;
    surface.setPenWidth(p.PenWidth);
    surface.drawLine(left, bottom, right, bottom, axisColor);
    surface.drawLine(left, top, left, bottom, axisColor);

    if (drawCurves) DibujarGrafica(surface);
    return true;
}

void GraphPlot::DibujarGrafica(DrawingSurface& surface) {
    if (ownCurves) {
        ownCurves(surface, m_plot);
        return;
    }
    const GeneratorInput in{m_settings.GraphKind, m_state, m_plot.frame()};
    m_curves = GenerateCurves(m_settings.ProblemCode, in, m_table);
    DrawCurves(surface, m_plot, m_curves, colors);
    DrawMeasuredPoints(surface, m_plot, measuredPoints, colors.MeasuredColor);
    if (!showMarks) return;
    m_marks = TitrationMarks(m_settings.ProblemCode, m_settings.GraphKind, m_state, in.frame);
    DrawMarks(surface, m_plot, m_marks, m_settings.GraphKind, decimalSeparator);
}

void DrawCurves(DrawingSurface& surface, const PlotState& plot, const Curves& curves,
                const PlotColors& colors) {
    const SweepPoint* previous = nullptr;
    for (const SweepPoint& point : curves.points) {
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

} // namespace corvane::graphs
