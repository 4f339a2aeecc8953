// \brief The curve sweep: x runs over the axis, the generator of the problem code computes the
// curve values at each x, and every fourth accepted point is recorded into GraphTable. The
// values are computed apart from any drawing.
#pragma once

#include "engine/equilab.h"

#include <array>
#include <functional>
#include <string_view>
#include <vector>

namespace corvane::graphs {

inline constexpr int GraphTableColumns = 5;
inline constexpr int GraphTableLastRow = 100;

/// The points of the last on-screen sweep, for the table window: column 0 the x values,
/// columns 1..4 the plotted values in the order of the column headings. Row 0 is never
/// written; columns a kind does not plot stay 0.
struct GraphTable {
    std::array<std::array<double, GraphTableLastRow + 1>, GraphTableColumns> Value{};
    /// Rows 1..RecordedRows hold recorded points.
    int RecordedRows = 0;

    void Clear();
};

/// What a sweep needs from the plot: the axis ranges and the density (1 on screen, 4 on a
/// printer).
struct SweepFrame {
    double XMin = 0, XMax = 0, YMin = 0, YMax = 0;
    int SweepDensity = 1;

    double XRange() const { return XMax - XMin; }
};

inline constexpr int MaxCurves = 4;

/// One sweep value: the curve values there, or a failed or rejected point that breaks the
/// curves.
struct SweepPoint {
    double x;
    std::array<double, MaxCurves> y{};
    bool accepted = false;
};

/// The outcome of one sweep.
struct Curves {
    int count = 0;          // curves per point: 1, or 2 to 4 molar fractions
    bool fractions = false; // molar fractions: no y-range test, drawn from the highest down
    int fineness = 1;       // the sweep step is the usual one divided by this
    std::vector<SweepPoint> points;
    int accepted = 0;
};

/// Everything a generator reads: the kind, the solved problem (IOValues and Kw) and the frame.
struct GeneratorInput {
    int kind;
    const engine::EquilAB& state;
    SweepFrame frame;
    /// When set, the sweep computes exactly these x values instead of the axis grid, with no
    /// y-range test: the curve's values read off at chosen points.
    const std::vector<double>* probes = nullptr;
};

using Generator = Curves (*)(const GeneratorInput&);

/// Point values: set y[0..count) and return normally; a failure shows as CalcError set in
/// `work` or a value that is not finite.
using PointFunction = std::function<void(double x, engine::EquilAB& work, double* y)>;

/// The shared sweep over `count` curves. `fineness` divides the step further (5 for the
/// diprotic titrations), and the recording rhythm grows with it.
Curves RunSweep(const GeneratorInput& in, int count, bool fractions, const PointFunction& point,
                int fineness = 1);

/// Records every fourth accepted point (every 4·fineness-th) of an on-screen sweep into rows 1
/// onward; rows beyond 100 are dropped. A printer sweep records nothing.
void RecordTable(const Curves& curves, int sweepDensity, GraphTable& table);

/// The generator of a problem code, in the order the graph's drawing compares them; null for a
/// code that has none.
Generator GeneratorFor(std::string_view code);

/// The sweep of `code` and `kind`, with the activity model where the kind follows it. A code
/// without a generator gives no curves.
Curves GenerateCurves(std::string_view code, const GeneratorInput& in);

} // namespace corvane::graphs
