#include "mixture_graphs.h"

#include "scales.h"

#include "compounds/species.h"
#include "markup/renderer.h"
#include "markup/surface.h"
#include "numtext/numbertext.h"

#include <algorithm>
#include <cmath>

namespace corvane::graphs {

namespace {

using markup::DrawingSurface;

void drawMarkupAt(DrawingSurface& surface, const std::string& text, double x, double y) {
    surface.setCurrentX(x);
    surface.setCurrentY(y);
    markup::DrawMarkup(QString::fromStdString(text), surface);
}

double markupWidth(DrawingSurface& surface, const std::string& text) {
    markup::MeasuringSurface measuring(surface);
    measuring.setBold(surface.bold());
    measuring.setCurrentX(0);
    measuring.setCurrentY(0);
    markup::DrawMarkup(QString::fromStdString(text), measuring);
    return measuring.currentX();
}

std::string numberMarkup(double v, char decimalSeparator = '.') {
    std::int16_t formatError = 0;
    return numtext::FormatNumberMarkup(v, 4, decimalSeparator, formatError);
}

void setPHAxis(GraphSettings& s) {
    s.XAxisName = "pH";
    s.XMin = 0;
    s.XMax = 14;
    s.XStep = 1;
    s.XLabelEvery = 1;
}

} // namespace

Distribution SweepDistribution(const engine::Component& component, const SweepFrame& frame) {
    Distribution d;
    d.fractions.resize(component.forms.size());
    const int steps = 256 * frame.SweepDensity;
    const double dx = frame.XRange() / steps;
    for (int i = 0; i <= steps; ++i) {
        const double pH = frame.XMin + i * dx;
        d.pH.push_back(pH);
        const std::vector<double> fractions = engine::Fractions(component, std::pow(10.0, -pH));
        for (std::size_t k = 0; k < fractions.size(); ++k)
            d.fractions[k].push_back(fractions[k]);
    }
    return d;
}

GraphSettings DistributionSettings(const engine::Component& component) {
    GraphSettings s;
    s.GraphTitle = "Distribution of " + component.name;
    s.GraphSubtitle = "Molar fractions &alfa_i of its forms versus pH";
    std::string pks;
    for (double pk : component.pk)
        pks += (pks.empty() ? "pK_a = " : ", ") + numberMarkup(pk);
    s.ParamCaption = pks;
    s.TableCaption = s.GraphTitle;
    setPHAxis(s);
    s.YAxisName = "&alfa_i";
    s.YMin = 0;
    s.YMax = 1;
    s.YStep = 0.05;
    s.YLabelEvery = 2;
    s.ColumnHeading[0] = "pH";
    return s;
}

QColor FormColor(const PlotColors& colors, int k) {
    static const QColor More[] = {QColor(128, 0, 160), QColor(0, 140, 140), QColor(200, 0, 140)};
    return k < MaxCurves ? colors.CurveColor[k] : More[(k - MaxCurves) % 3];
}

void DrawDistribution(DrawingSurface& surface, const PlotState& plot,
                      const engine::Component& component, const Distribution& distribution,
                      const PlotColors& colors) {
    const int forms = static_cast<int>(distribution.fractions.size());
    for (int k = forms - 1; k >= 0; --k) {
        const std::vector<double>& f = distribution.fractions[k];
        for (std::size_t i = 1; i < f.size(); ++i)
            surface.drawLine(plot.X(distribution.pH[i - 1]), plot.Y(f[i - 1]),
                             plot.X(distribution.pH[i]), plot.Y(f[i]), FormColor(colors, k));
    }
    // Each formula above its curve's highest point, kept inside the plot; a curve that
    // reaches the top gets its formula just below it.
    const QColor text = surface.textColor();
    surface.setBold(true);
    for (int k = 0; k < forms; ++k) {
        const std::vector<double>& f = distribution.fractions[k];
        if (f.empty()) continue;
        const std::size_t top = std::max_element(f.begin(), f.end()) - f.begin();
        const std::string label = compounds::SpeciesMarkup(component.forms[k]);
        const double width = markupWidth(surface, label);
        const double left = plot.X(plot.XMin) + 0.2 * plot.SampleWidth;
        const double right = plot.X(plot.XMax) - width - 0.2 * plot.SampleWidth;
        const double x = std::clamp(plot.X(distribution.pH[top]) - width / 2, left, right);
        const double above = plot.Y(f[top]) - 1.1 * plot.LineHeight;
        const double y = above < plot.Y(plot.YMax) ? plot.Y(f[top]) + 0.2 * plot.LineHeight : above;
        surface.setTextColor(FormColor(colors, k));
        drawMarkupAt(surface, label, x, y);
    }
    surface.setBold(false);
    surface.setTextColor(text);
}

GraphSettings TitrationSettings(const MixtureTitrationGraph& graph) {
    GraphSettings s;
    s.GraphTitle = "Titration of a mixture";
    s.GraphSubtitle = "pH versus volume of added " + graph.titrantText;
    s.ParamCaption = graph.mixtureText;
    s.TableCaption = graph.mixtureText;
    s.XAxisName = "Volume of added " + graph.titrantText + " V (mL)";
    s.YAxisName = "pH";
    s.XMin = 0;
    s.XMax = graph.to;
    s.XStep = 2 * DecadeStep(graph.to).value_or(graph.to / 10);
    s.XLabelEvery = 1;
    s.YMin = 0;
    s.YMax = 14;
    s.YStep = 1;
    s.YLabelEvery = 1;
    s.ColumnHeading = {"V (mL)", "pH", "", "", ""};
    return s;
}

namespace {

engine::MixtureModel modelOf(const MixtureTitrationGraph& graph) {
    return {graph.pKw, graph.activity, graph.temperature};
}

} // namespace

Curves SweepTitration(const MixtureTitrationGraph& graph, const SweepFrame& frame) {
    const engine::EquilAB state(graph.pKw);
    return RunSweep({0, state, frame}, 1, false,
                    [&graph](double volume, engine::EquilAB& work, double* y) {
                        const engine::MixtureResult r =
                            engine::TitrationPoint(graph.titration, volume, modelOf(graph));
                        if (!r.ok) work.CalcError = 1;
                        y[0] = r.pH;
                    });
}

std::vector<Mark> EquivalenceMarks(const MixtureTitrationGraph& graph) {
    std::vector<Mark> marks;
    for (double v : engine::EquivalenceVolumes(graph.titration, graph.pKw)) {
        if (v > graph.to) break;
        const engine::MixtureResult r = engine::TitrationPoint(graph.titration, v, modelOf(graph));
        if (r.ok) marks.push_back({v, r.pH});
    }
    return marks;
}

void DrawMarks(DrawingSurface& surface, const PlotState& plot, const std::vector<Mark>& marks,
               const PlotColors& colors, char decimalSeparator) {
    const QColor color = surface.isPrinter() ? QColor(0, 0, 0) : colors.AxisColor;
    const int pen = plot.PenWidth;
    surface.setPenWidth(std::max(1, pen / 3));
    for (const Mark& m : marks) {
        const double x = plot.X(m.volume);
        const double bottom = plot.Y(plot.YMin);
        const double y = plot.Y(std::clamp(m.pH, plot.YMin, plot.YMax));
        const double dash = 0.25 * plot.LineHeight;
        for (double d = bottom; d > y; d -= 2 * dash)
            surface.drawLine(x, d, x, std::max(y, d - dash), color);
        surface.drawLine(x - dash, y, x + dash, y, color);
        surface.drawLine(x, y - dash, x, y + dash, color);
        const std::string label = numberMarkup(m.volume, decimalSeparator) + " mL";
        surface.setTextColor(color);
        drawMarkupAt(surface, label, x + 0.5 * dash, y - 1.2 * plot.LineHeight);
    }
    surface.setPenWidth(pen);
}

} // namespace corvane::graphs
