#include "valueat.h"

#include "catalogue.h"
#include "userscales.h"

#include "engine/equilab.h"
#include "numtext/numbertext.h"

#include <algorithm>
#include <cmath>

namespace corvane::graphs {

bool IsVolumeKind(int kind) {
    return IsAddedVolume(KindFacts(kind).x);
}

bool IsSlopeKind(int kind) {
    return KindFacts(kind).y == YQuantity::Slope;
}

bool PlotsPH(int kind) {
    return KindFacts(kind).y == YQuantity::PH;
}

namespace {

bool isFractionKind(int kind) {
    return KindFacts(kind).y == YQuantity::MolarFractions;
}

// The pH curve over the same x as a slope kind.
int pHKindAlong(int kind) {
    for (int k = 0; k < GraphKindCount; ++k)
        if (KindFacts(k).x == KindFacts(kind).x && KindFacts(k).y == YQuantity::PH) return k;
    return kind;
}

Curves probe(Generator generator, int kind, const engine::EquilAB& state, const SweepFrame& frame,
             const std::vector<double>& xs) {
    return generator({kind, state, frame, &xs});
}

// pH at x and on both sides of it; the slope kinds read the pH curve of the same titration.
void readVolumeKind(Generator generator, int kind, const engine::EquilAB& state,
                    const SweepFrame& frame, std::vector<CurveReading>& readings) {
    const double delta = frame.XRange() / 256 / 1000;
    std::vector<double> xs;
    for (const CurveReading& r : readings)
        xs.insert(xs.end(), {r.x - delta, r.x, r.x + delta});
    const int pHKind = pHKindAlong(kind);
    const std::vector<SweepPoint> points = probe(generator, pHKind, state, frame, xs).points;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        CurveReading& r = readings[i];
        if (!r.reason.empty()) continue;
        const SweepPoint &before = points[3 * i], &at = points[3 * i + 1],
                         &after = points[3 * i + 2];
        if (before.accepted && after.accepted)
            r.slope = std::abs(after.y[0] - before.y[0]) / (2 * delta);
        if (!at.accepted || (IsSlopeKind(kind) && !r.slope)) continue;
        r.ok = true;
        r.count = 1;
        r.y[0] = IsSlopeKind(kind) ? *r.slope : at.y[0];
        r.pH = at.y[0];
    }
}

} // namespace

std::vector<CurveReading> ReadCurve(std::string_view code, int kind, const engine::EquilAB& state,
                                    const SweepFrame& frame, const std::vector<double>& xs) {
    std::vector<CurveReading> readings;
    const std::optional<XDomain> domain = XDomainOf(kind);
    for (double x : xs) {
        CurveReading r;
        r.x = x;
        if (!std::isfinite(x))
            r.reason = "not a finite number";
        else if (domain && x < domain->lowest)
            r.reason = std::string("outside the curve's domain: ") + domain->why;
        readings.push_back(r);
    }
    const Generator generator = GeneratorFor(code);
    if (generator == nullptr || !(frame.XRange() > 0)) {
        for (CurveReading& r : readings)
            if (r.reason.empty()) r.reason = "this graph has no curve";
        return readings;
    }
    if (IsVolumeKind(kind)) {
        readVolumeKind(generator, kind, state, frame, readings);
    } else {
        const Curves curves = probe(generator, kind, state, frame, xs);
        for (std::size_t i = 0; i < readings.size(); ++i) {
            CurveReading& r = readings[i];
            const SweepPoint& point = curves.points[i];
            if (!r.reason.empty() || !point.accepted) continue;
            r.ok = true;
            r.count = curves.count;
            r.y = point.y;
            if (PlotsPH(kind)) r.pH = r.y[0];
            if (isFractionKind(kind)) r.pH = r.x;
        }
    }
    for (CurveReading& r : readings) {
        if (r.pH) r.hydrogen = std::pow(10.0, -*r.pH);
        if (!r.ok && r.reason.empty()) r.reason = "the curve has no value there";
    }
    return readings;
}

std::optional<double> ReadFieldNumber(std::string_view text, char& decimalSeparator) {
    constexpr std::string_view Accepted = "0123456789.,eE-+/%";
    if (text.empty() || text.find_first_not_of(Accepted) != std::string_view::npos)
        return std::nullopt;
    numtext::NumberSettings numbers{decimalSeparator};
    std::int16_t error = 0;
    const double v = numtext::ParseNumber(text, numbers, error);
    if (error != 0 || engine::IsEmpty(v) || !std::isfinite(v)) return std::nullopt;
    decimalSeparator = numbers.DecimalSeparator;
    return v;
}

std::optional<std::vector<double>> ParseValueList(std::string_view text, char& decimalSeparator,
                                                  std::string& bad) {
    constexpr std::string_view Separators = "; \t";
    std::vector<double> values;
    std::size_t i = text.find_first_not_of(Separators);
    while (i != std::string_view::npos) {
        const std::size_t end = std::min(text.find_first_of(Separators, i), text.size());
        const std::string_view item = text.substr(i, end - i);
        const std::optional<double> v = ReadFieldNumber(item, decimalSeparator);
        if (!v) {
            bad = std::string(item);
            return std::nullopt;
        }
        values.push_back(*v);
        i = text.find_first_not_of(Separators, end);
    }
    return values;
}

} // namespace corvane::graphs
