#include "measuredmarks.h"

#include "markup/surface.h"

namespace corvane::plot {

void DrawMeasuredPoints(markup::DrawingSurface& surface, const PlotState& plot,
                        const std::vector<fit::MeasuredPoint>& points, const QColor& color) {
    const double r = plot.LineHeight / 4;
    for (const fit::MeasuredPoint& p : points) {
        if (p.x < plot.XMin || p.x > plot.XMax || p.y < plot.YMin || p.y > plot.YMax) continue;
        const double x = plot.X(p.x), y = plot.Y(p.y);
        surface.drawLine(x - r, y, x, y - r, color);
        surface.drawLine(x, y - r, x + r, y, color);
        surface.drawLine(x + r, y, x, y + r, color);
        surface.drawLine(x, y + r, x - r, y, color);
    }
}

} // namespace corvane::plot
