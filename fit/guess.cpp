#include "guess.h"

#include "titrationmodel.h"

#include <algorithm>
#include <cmath>

namespace corvane::fit {

namespace {

std::vector<MeasuredPoint> byVolume(std::vector<MeasuredPoint> points) {
    std::stable_sort(points.begin(), points.end(),
                     [](const MeasuredPoint& a, const MeasuredPoint& b) { return a.x < b.x; });
    return points;
}

} // namespace

double SteepestStepVolume(const std::vector<MeasuredPoint>& points) {
    const std::vector<MeasuredPoint> sorted = byVolume(points);
    double steepest = -1, volume = std::nan("");
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        const double dx = sorted[i].x - sorted[i - 1].x;
        if (dx <= 0) continue;
        const double slope = std::abs(sorted[i].y - sorted[i - 1].y) / dx;
        if (slope > steepest) {
            steepest = slope;
            volume = (sorted[i].x + sorted[i - 1].x) / 2;
        }
    }
    return volume;
}

double PHAt(const std::vector<MeasuredPoint>& points, double V) {
    const std::vector<MeasuredPoint> sorted = byVolume(points);
    if (sorted.empty()) return std::nan("");
    if (V <= sorted.front().x) return sorted.front().y;
    for (std::size_t i = 1; i < sorted.size(); ++i)
        if (V <= sorted[i].x) {
            const MeasuredPoint &a = sorted[i - 1], &b = sorted[i];
            return b.x > a.x ? a.y + (b.y - a.y) * (V - a.x) / (b.x - a.x) : b.y;
        }
    return sorted.back().y;
}

double GuessedPK(const std::vector<MeasuredPoint>& points, std::string_view code, int slot,
                 double Veq, double pKw) {
    // The constant's proton: slot 2 the only one, slots 3, 4, 5 the first, second and third.
    const int proton = slot == 2 ? 1 : slot - 2;
    const double firstVeq = Veq / TitratedProtons(code);
    const double pH = PHAt(points, (proton - 0.5) * firstVeq);
    return BaseTitrated(code) ? pKw - pH : pH;
}

} // namespace corvane::fit
