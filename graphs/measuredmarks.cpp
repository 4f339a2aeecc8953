#include "measuredmarks.h"

#include "fit/titrationmodel.h"
#include "markup/surface.h"

#include <cmath>

namespace corvane::graphs {

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

double MeasuredRms(std::string_view code, int kind, const engine::EquilAB& state,
                   const std::vector<fit::MeasuredPoint>& points) {
    if (fit::CurveSlots(code).empty() || (kind != 27 && kind != 29)) return std::nan("");
    const fit::TitrationModel model(code, state.IOValues, state.pKw);
    return fit::ResidualRms(points, [&model](double V) { return model.pH(V); });
}

} // namespace corvane::graphs
