#include "mixture_graphs.h"

#include "compounds/componentforms.h"
#include "markup/renderer.h"
#include "markup/surface.h"
#include "numtext/numbertext.h"

#include <algorithm>

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

} // namespace

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
        std::int16_t formatError = 0;
        const std::string label =
            numtext::FormatNumberMarkup(m.volume, 4, decimalSeparator, formatError) + " mL";
        surface.setTextColor(color);
        drawMarkupAt(surface, label, x + 0.5 * dash, y - 1.2 * plot.LineHeight);
    }
    surface.setPenWidth(pen);
}

} // namespace corvane::graphs
