#include "sweep.h"

#include "activitycurves.h"
#include "generators.h"

#include <cmath>

namespace corvane::graphs {

void GraphTable::Clear() {
    for (auto& column : Value)
        column.fill(0.0);
    RecordedRows = 0;
}

Curves RunSweep(const GeneratorInput& in, int count, bool fractions, const PointFunction& point,
                int fineness) {
    Curves curves;
    curves.count = count;
    curves.fractions = fractions;
    curves.fineness = fineness;
    const SweepFrame& f = in.frame;
    const int steps = 256 * f.SweepDensity * fineness;
    const double dx = f.XRange() / steps;
    if (!(dx > 0) || !std::isfinite(dx)) return curves;
    const int xCount = in.probes ? static_cast<int>(in.probes->size()) : steps + 1;
    curves.points.reserve(xCount);
    engine::EquilAB work = in.state;
    for (int i = 0; i < xCount; ++i) {
        SweepPoint p{in.probes ? (*in.probes)[i] : f.XMin + i * dx};
        work.CalcError = 0;
        point(p.x, work, p.y.data());
        bool ok = work.CalcError == 0;
        for (int k = 0; k < count && ok; ++k)
            ok = std::isfinite(p.y[k]);
        if (ok && fractions) {
            for (int k = 0; k < count; ++k)
                if (p.y[k] > 1) p.y[k] = 1;
        } else if (ok && !in.probes) {
            ok = p.y[0] >= f.YMin && p.y[0] <= f.YMax;
        }
        p.accepted = ok;
        if (ok) ++curves.accepted;
        curves.points.push_back(p);
    }
    return curves;
}

void RecordTable(const Curves& curves, int sweepDensity, GraphTable& table) {
    if (sweepDensity != 1) return;
    const int rhythm = 4 * curves.fineness;
    int i = 0;
    for (const SweepPoint& p : curves.points) {
        if (!p.accepted) continue;
        if (i % rhythm == 0 && table.RecordedRows < GraphTableLastRow) {
            const int row = ++table.RecordedRows;
            table.Value[0][row] = p.x;
            for (int k = 0; k < curves.count; ++k)
                table.Value[k + 1][row] = p.y[k];
        }
        ++i;
    }
}

Generator GeneratorFor(std::string_view code) {
    struct Entry {
        std::string_view code;
        Generator generator;
    };
    static const Entry Generators[] = {
        {"10", G10}, {"12", G12},   {"11", G11}, {"12C", G12C}, {"13", G13}, {"13C", G13C},
        {"14", G14}, {"15", G15},   {"20", G20}, {"21", G21},   {"22", G22}, {"23", G23},
        {"30", G30}, {"31", G31},   {"32", G32}, {"33", G33},   {"34", G34}, {"34C", G34C},
        {"35", G35}, {"35C", G35C}, {"40", G40}, {"41", G41},   {"42", G42}, {"43", G43},
        {"44", G44}, {"45", G45},   {"50", G50}, {"51", G51},   {"52", G52}, {"53", G53},
        {"54", G54}, {"54C", G54C}, {"55", G55}, {"55C", G55C},
    };
    for (const Entry& e : Generators)
        if (e.code == code) return e.generator;
    return nullptr;
}

Curves GenerateCurves(std::string_view code, const GeneratorInput& in) {
    const Generator generator = GeneratorFor(code);
    if (generator == nullptr) return {};
    const bool withActivities =
        in.state.Activity != engine::ActivityModel::Ideal && FollowsActivityModel(code, in.kind);
    return withActivities ? ActivityCurves(code, in) : generator(in);
}

} // namespace corvane::graphs
