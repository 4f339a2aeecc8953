#include "userscales.h"

#include "catalogue.h"
#include "scales.h"

#include <algorithm>
#include <cmath>

namespace corvane::graphs {

PlotScales ScalesOf(const GraphSettings& s) {
    return {{s.XMin, s.XMax, s.XStep, s.XLabelEvery}, {s.YMin, s.YMax, s.YStep, s.YLabelEvery}};
}

std::optional<AxisScale> AutoAxis(double min, double max) {
    const std::optional<double> step = DecadeStep(max - min);
    if (!step) return std::nullopt;
    return AxisScale{min, max, 2 * *step, 2};
}

std::optional<XDomain> XDomainOf(int kind) {
    const GraphKindFacts& facts = KindFacts(kind);
    if (IsAddedVolume(facts.x)) return XDomain{0, "a volume cannot be negative"};
    const bool constant = facts.x == XQuantity::AcidConstant || facts.x == XQuantity::BaseConstant;
    if (!constant && !IsSolutionQuantity(facts.x) && !IsAddedConcentration(facts.x))
        return std::nullopt;
    if (constant)
        return facts.negativeLog ? XDomain{-90, "below -90 the constant would exceed 1E+90"}
                                 : XDomain{0, "a constant cannot be negative"};
    return facts.negativeLog ? XDomain{-2, "below -2 the concentration would exceed 100 mol/L"}
                             : XDomain{0, "a concentration cannot be negative"};
}

const char* ScaleFieldName(ScaleField field) {
    switch (field) {
    case ScaleField::XMin:
        return "x minimum";
    case ScaleField::XMax:
        return "x maximum";
    case ScaleField::XStep:
        return "x tick step";
    case ScaleField::XLabelEvery:
        return "x label spacing";
    case ScaleField::YMin:
        return "y minimum";
    case ScaleField::YMax:
        return "y maximum";
    case ScaleField::YStep:
        return "y tick step";
    case ScaleField::YLabelEvery:
        return "y label spacing";
    }
    return "";
}

namespace {

struct AxisFields {
    ScaleField min, max, step, every;
};

std::optional<ScaleRefusal> refuse(ScaleField field, const std::string& what) {
    return ScaleRefusal{field, std::string("The ") + ScaleFieldName(field) + " " + what + "."};
}

std::optional<ScaleRefusal> checkAxis(const AxisScale& a, const AxisFields& f) {
    if (!std::isfinite(a.Min)) return refuse(f.min, "is not a finite number");
    if (!std::isfinite(a.Max)) return refuse(f.max, "is not a finite number");
    if (!(a.Max > a.Min)) return refuse(f.max, "must be greater than the minimum");
    if (!std::isfinite(a.Step) || !(a.Step > 0)) return refuse(f.step, "must be greater than 0");
    if ((a.Max - a.Min) / a.Step > MaxTicks)
        return refuse(f.step, "gives more than 200 ticks; choose a larger step");
    if (a.LabelEvery < 1) return refuse(f.every, "must be a whole number of at least 1");
    return std::nullopt;
}

} // namespace

std::optional<ScaleRefusal> CheckScales(const PlotScales& scales, int kind) {
    if (auto r = checkAxis(scales.x, {ScaleField::XMin, ScaleField::XMax, ScaleField::XStep,
                                      ScaleField::XLabelEvery}))
        return r;
    if (auto r = checkAxis(scales.y, {ScaleField::YMin, ScaleField::YMax, ScaleField::YStep,
                                      ScaleField::YLabelEvery}))
        return r;
    if (const std::optional<XDomain> domain = XDomainOf(kind))
        if (scales.x.Min < domain->lowest)
            return refuse(ScaleField::XMin,
                          std::string("is outside the curve's domain: ") + domain->why);
    return std::nullopt;
}

namespace {

std::optional<AxisScale> roundAxis(double a, double b, std::optional<double> lowest) {
    std::optional<AxisScale> axis = AutoAxis(std::min(a, b), std::max(a, b));
    if (!axis) return std::nullopt;
    axis->Min = std::floor(axis->Min / axis->Step) * axis->Step;
    axis->Max = std::ceil(axis->Max / axis->Step) * axis->Step;
    if (lowest && axis->Min < *lowest) axis->Min = *lowest;
    return axis;
}

} // namespace

std::optional<PlotScales> ZoomedScales(int kind, double x0, double y0, double x1, double y1) {
    const std::optional<XDomain> domain = XDomainOf(kind);
    const std::optional<AxisScale> x =
        roundAxis(x0, x1, domain ? std::optional<double>(domain->lowest) : std::nullopt);
    const std::optional<AxisScale> y = roundAxis(y0, y1, std::nullopt);
    if (!x || !y || !(x->Max > x->Min)) return std::nullopt;
    return PlotScales{*x, *y};
}

} // namespace corvane::graphs
