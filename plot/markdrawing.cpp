#include "markdrawing.h"

#include "graphs/catalogue.h"
#include "plot.h"

#include "markup/renderer.h"
#include "markup/surface.h"
#include "numtext/numbertext.h"

#include <algorithm>
#include <cmath>

namespace corvane::graphs {

using markup::DrawingSurface;

namespace {

void drawText(DrawingSurface& surface, const std::string& text, double x, double y) {
    surface.setCurrentX(x);
    surface.setCurrentY(y);
    markup::DrawMarkup(QString::fromStdString(text), surface);
}

// A dashed line from (x, y0) down to (x, y1), dashes and gaps of `dash` surface units.
void dashedLine(DrawingSurface& surface, double x, double y0, double y1, double dash,
                const QColor& color) {
    for (double y = y0; y < y1; y += 2 * dash)
        surface.drawLine(x, y, x, std::min(y + dash, y1), color);
}

} // namespace

void DrawIndicatorBand(DrawingSurface& surface, const PlotState& plot, double left, double right,
                       const Indicator& indicator, const QColor& textColor) {
    const int pen = surface.penWidth();
    surface.setPenWidth(1);
    const double rowStep = surface.twipsPerPixelY();
    for (int i = 0; i < indicator.rangeCount; ++i) {
        const IndicatorRange& range = indicator.ranges[i];
        const double low = std::max(range.LowPH, plot.YMin);
        const double high = std::min(range.HighPH, plot.YMax);
        if (!(high > low)) continue;
        const QColor shade(range.shade.r, range.shade.g, range.shade.b);
        const double top = plot.Y(high), bottom = plot.Y(low);
        // One line through the middle of each row of device pixels, so the rows fill evenly.
        for (double y = (std::floor(top / rowStep) + 0.5) * rowStep; y <= bottom; y += rowStep)
            surface.drawLine(left, y, right, y, shade);
        surface.setTextColor(textColor);
        drawText(surface, indicator.name, left + 0.2 * plot.SampleWidth, top);
    }
    surface.setPenWidth(pen);
}

std::string MarkLabel(const CurveMark& mark, char decimalSeparator) {
    std::int16_t error = 0;
    return std::string(mark.kind == MarkKind::Equivalence ? "EP" : "½EP") + "  pH " +
           numtext::FormatNumberMarkup(mark.pH, 4, decimalSeparator, error);
}

void DrawMarks(DrawingSurface& surface, const PlotState& plot, const std::vector<CurveMark>& marks,
               int kind, char decimalSeparator) {
    const bool printer = surface.isPrinter();
    const int pen = surface.penWidth();
    const double r = 0.25 * plot.LineHeight;
    for (const CurveMark& m : marks) {
        if (m.x < plot.XMin || m.x > plot.XMax || m.y < plot.YMin || m.y > plot.YMax) continue;
        const bool equivalence = m.kind == MarkKind::Equivalence;
        const QColor color = printer       ? QColor(0, 0, 0)
                             : equivalence ? EquivalenceMarkColor
                                           : HalfEquivalenceMarkColor;
        const double X = plot.X(m.x), Y = plot.Y(m.y);
        surface.setPenWidth(std::max(1, pen / 2));
        dashedLine(surface, X, Y + r, plot.Y(plot.YMin), 0.3 * plot.LineHeight, color);
        surface.setPenWidth(pen);
        if (equivalence) {
            surface.drawLine(X - r, Y, X, Y - r, color);
            surface.drawLine(X, Y - r, X + r, Y, color);
            surface.drawLine(X + r, Y, X, Y + r, color);
            surface.drawLine(X, Y + r, X - r, Y, color);
        } else {
            surface.drawLine(X - r, Y - r, X + r, Y - r, color);
            surface.drawLine(X + r, Y - r, X + r, Y + r, color);
            surface.drawLine(X + r, Y + r, X - r, Y + r, color);
            surface.drawLine(X - r, Y + r, X - r, Y - r, color);
        }
        // The pH curve rises through a half-equivalence point when base is added: the label goes
        // below it there, above it everywhere else.
        const bool below = !equivalence && KindFacts(kind).x == XQuantity::AddedBaseVolume &&
                           KindFacts(kind).y == YQuantity::PH;
        surface.setTextColor(color);
        drawText(surface, MarkLabel(m, decimalSeparator), X + 1.5 * r,
                 below ? Y + 0.3 * plot.LineHeight : Y - 1.1 * plot.LineHeight);
    }
}

} // namespace corvane::graphs
