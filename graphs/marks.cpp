#include "marks.h"

#include "valueat.h"

#include <algorithm>

namespace corvane::graphs {

const char* MarkKindName(MarkKind kind) {
    return kind == MarkKind::Equivalence ? "equivalence" : "half-equivalence";
}

namespace {

struct EquivalenceSlots {
    int volume, pH;
};

// Where each titration keeps its equivalence points, first to last, and whether its analyte
// is weak from the first proton on (a half-equivalence point before the first equivalence).
struct TitrationMarksOf {
    std::string_view code;
    std::vector<EquivalenceSlots> points;
    bool firstHalf;
};

const TitrationMarksOf* marksOf(std::string_view code) {
    static const TitrationMarksOf Titrations[] = {
        {"50", {{4, 5}}, false},
        {"51", {{4, 5}}, true},
        {"52", {{4, 5}}, false},
        {"53", {{4, 5}}, true},
        {"54", {{10, 11}, {7, 8}}, true},
        {"54C", {{10, 11}, {7, 8}}, false},
        {"55", {{10, 11}, {13, 14}, {7, 8}}, true},
        {"55C", {{10, 11}, {13, 14}, {7, 8}}, false},
    };
    for (const TitrationMarksOf& t : Titrations)
        if (t.code == code) return &t;
    return nullptr;
}

} // namespace

bool HasMarks(std::string_view code, int kind) {
    return marksOf(code) != nullptr && IsVolumeKind(kind);
}

std::vector<CurveMark> TitrationMarks(std::string_view code, int kind, const engine::EquilAB& state,
                                      const SweepFrame& frame) {
    if (!HasMarks(code, kind)) return {};
    const TitrationMarksOf& t = *marksOf(code);
    const engine::Slots& io = state.IOValues;
    std::vector<CurveMark> marks;
    double previous = 0;
    for (std::size_t i = 0; i < t.points.size(); ++i) {
        const double V = io[t.points[i].volume], pH = io[t.points[i].pH];
        if (engine::IsEmpty(V) || engine::IsEmpty(pH)) return {};
        // Strong monoprotic analytes (and a completely dissociated first proton) have no
        // buffer region before their first equivalence point.
        const bool weak = t.firstHalf || i > 0;
        if (weak) marks.push_back({MarkKind::HalfEquivalence, (previous + V) / 2, 0, 0});
        marks.push_back({MarkKind::Equivalence, V, pH, pH});
        previous = V;
    }

    std::vector<double> xs;
    for (const CurveMark& m : marks)
        xs.push_back(m.x);
    const std::vector<CurveReading> readings = ReadCurve(code, kind, state, frame, xs);
    std::vector<CurveMark> onCurve;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        CurveMark m = marks[i];
        const CurveReading& r = readings[i];
        if (!r.ok) continue;
        if (m.kind == MarkKind::HalfEquivalence) m.pH = *r.pH;
        m.y = IsSlopeKind(kind) ? r.y[0] : m.pH;
        onCurve.push_back(m);
    }
    return onCurve;
}

} // namespace corvane::graphs
