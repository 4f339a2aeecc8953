// \brief Scales the user sets in place of the defaults: a range with its tick step and label
// spacing per axis, the checks that refuse a bad one (naming the field), steps chosen as the
// defaults choose them, and the zoom to a dragged rectangle.
#pragma once

#include "settings.h"

#include <cstdint>
#include <optional>
#include <string>

namespace corvane::graphs {

struct AxisScale {
    double Min = 0, Max = 0, Step = 0;
    std::int32_t LabelEvery = 1;
    bool operator==(const AxisScale&) const = default;
};

struct PlotScales {
    AxisScale x, y;
    bool operator==(const PlotScales&) const = default;
};

/// More ticks than this on one axis are refused.
inline constexpr double MaxTicks = 200;

/// The scales AjustaEscalasETC left in the settings.
PlotScales ScalesOf(const GraphSettings& settings);

/// A range with the step the defaults would take for its span: 2 · DecadeStep(span), every
/// second tick labelled; nothing when the span is not positive.
std::optional<AxisScale> AutoAxis(double min, double max);

/// The lowest x a kind's curve is defined at (a concentration, constant or volume is not
/// negative; a negative logarithm of a concentration stays above -2, 100 mol/L, of a constant
/// above -90); none for the molar-fraction kinds, whose x is any pH.
struct XDomain {
    double lowest;
    const char* why;
};
std::optional<XDomain> XDomainOf(int kind);

enum class ScaleField { XMin, XMax, XStep, XLabelEvery, YMin, YMax, YStep, YLabelEvery };

/// "x minimum", "y tick step", ...
const char* ScaleFieldName(ScaleField field);

struct ScaleRefusal {
    ScaleField field;
    std::string reason; // a whole sentence naming the field
};

/// Refuses min ≥ max, a step that is not positive, more than MaxTicks ticks, a label spacing
/// below 1, numbers that are not finite and an x minimum outside the kind's domain.
std::optional<ScaleRefusal> CheckScales(const PlotScales& scales, int kind);

/// The scales of a rectangle dragged between two points in problem units, with steps as
/// AutoAxis takes them and the ends widened to whole steps, so the labels are round numbers
/// (never below the kind's x domain); nothing when it has no width or no height.
std::optional<PlotScales> ZoomedScales(int kind, double x0, double y0, double x1, double y1);

} // namespace corvane::graphs
