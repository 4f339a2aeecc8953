// The sweep's rhythm and recording, and a random sweep over every code and offered kind.
#include "graphs/catalogue.h"
#include "graphs/generators.h"
#include "graphs/scales.h"

#include "engine/catalogue.h"
#include "engine/slots.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace corvane::graphs {
namespace {

using engine::EquilAB;

EquilAB problem(std::vector<std::pair<int, double>> given) {
    EquilAB state;
    for (auto [slot, v] : given)
        state.IOValues[slot] = v;
    return state;
}

TEST(Sweep, VisitsTheAxisIn256StepsAndRecordsEveryFourthPoint) {
    const EquilAB state = problem({});
    GraphTable table;
    const Curves curves = GenerateCurves("10", {1, state, {0, 1, -1, 8, 1}}, table);
    ASSERT_EQ(curves.points.size(), 257u);
    EXPECT_EQ(curves.accepted, 257);
    EXPECT_EQ(curves.points[1].x, 1.0 / 256);
    EXPECT_EQ(curves.points.back().x, 1.0);
    ASSERT_EQ(table.RecordedRows, 65);
    for (int row = 1; row <= 65; ++row)
        EXPECT_EQ(table.Value[0][row], 4.0 * (row - 1) / 256) << row;
    EXPECT_NEAR(table.Value[1][1], 7.0, 1e-9); // C_a = 0: pure water
    EXPECT_NEAR(table.Value[1][65], 0.0, 1e-8);
    EXPECT_EQ(table.Value[0][0], 0.0);
    EXPECT_EQ(table.Value[0][66], 0.0);
    EXPECT_EQ(table.Value[2][10], 0.0);
}

TEST(Sweep, ACurveLeavingTheRangeIsRecordedOnlyWhereItIsInside) {
    // The slope of a strong-acid titration peaks far above 100 near 25 mL.
    const EquilAB state = problem({{0, 0.1}, {1, 25}, {3, 0.1}});
    GraphTable table;
    const Curves curves = GenerateCurves("50", {33, state, {0, 50, 0, 100, 1}}, table);
    ASSERT_EQ(curves.points.size(), 257u);
    std::vector<double> accepted;
    bool leftAndReentered = false;
    for (std::size_t i = 0; i < curves.points.size(); ++i) {
        const SweepPoint& p = curves.points[i];
        if (p.accepted) {
            EXPECT_LE(p.y[0], 100);
            accepted.push_back(p.x);
            if (i > 0 && !curves.points[i - 1].accepted) leftAndReentered = true;
        }
    }
    EXPECT_TRUE(leftAndReentered);
    EXPECT_LT(curves.accepted, 257);
    EXPECT_GT(curves.accepted, 200);
    // Every fourth accepted point, counted over accepted points only.
    ASSERT_EQ(table.RecordedRows, static_cast<int>((accepted.size() + 3) / 4));
    for (int row = 1; row <= table.RecordedRows; ++row) {
        EXPECT_EQ(table.Value[0][row], accepted[4 * (row - 1)]) << row;
        EXPECT_LE(table.Value[1][row], 100) << row;
    }
}

TEST(Sweep, PrinterSweepIsFourTimesDenserAndRecordsNothing) {
    const EquilAB state = problem({{0, 0.1}, {1, 25}, {3, 0.1}});
    GraphTable table;
    const Curves curves = GenerateCurves("50", {29, state, {0, 50, -1, 15, 4}}, table);
    EXPECT_EQ(curves.points.size(), 1025u);
    EXPECT_EQ(curves.points.back().x, 50.0);
    EXPECT_EQ(table.RecordedRows, 0);
    EXPECT_EQ(table.Value[0][1], 0.0);
}

TEST(Sweep, DiproticTitrationSweepsFiveTimesFinerAndRecordsEveryTwentieth) {
    const EquilAB state = problem({{0, 0.1}, {1, 25}, {3, 4.3e-7}, {4, 5.6e-11}, {6, 0.1}});
    for (const char* code : {"54", "54C"}) {
        GraphTable table;
        const Curves curves = GenerateCurves(code, {29, state, {0, 75, -1, 15, 1}}, table);
        ASSERT_EQ(curves.points.size(), 1281u) << code;
        EXPECT_EQ(curves.accepted, 1281) << code;
        EXPECT_DOUBLE_EQ(curves.points[1].x, 75.0 / 1280);
        ASSERT_EQ(table.RecordedRows, 65) << code;
        for (int row = 1; row <= 65; ++row)
            EXPECT_DOUBLE_EQ(table.Value[0][row], 75.0 * 20 * (row - 1) / 1280) << row;
    }
    GraphTable table;
    EXPECT_EQ(GenerateCurves("54", {29, state, {0, 75, -1, 15, 4}}, table).points.size(), 5121u);
}

TEST(Sweep, AFailedPointIsSkippedAndBreaksTheCurve) {
    // Below pC_a ≈ -154.1, C_a² overflows in (C_a + √(C_a² + 4·Kw)) / 2: those points fail.
    const EquilAB state = problem({});
    GraphTable table;
    const Curves curves = GenerateCurves("10", {2, state, {-170, -150, -1e300, 1e300, 1}}, table);
    ASSERT_EQ(curves.points.size(), 257u);
    int failed = 0;
    for (const SweepPoint& p : curves.points) {
        if (p.x < -154.2 || p.x > -154) {
            EXPECT_EQ(p.accepted, p.x > -154) << p.x;
        }
        failed += p.accepted ? 0 : 1;
    }
    EXPECT_GT(failed, 100);
    EXPECT_EQ(curves.accepted, 257 - failed);
    for (int row = 1; row <= table.RecordedRows; ++row) {
        EXPECT_TRUE(std::isfinite(table.Value[1][row]));
        EXPECT_GE(table.Value[0][row], -154.2);
    }
    EXPECT_EQ(table.RecordedRows, (curves.accepted + 3) / 4);
}

TEST(Sweep, RecordingStopsAtRow100) {
    Curves curves;
    curves.count = 1;
    for (int i = 0; i < 1000; ++i)
        curves.points.push_back({double(i), {double(i)}, true});
    GraphTable table;
    RecordTable(curves, 1, table);
    EXPECT_EQ(table.RecordedRows, 100);
    EXPECT_EQ(table.Value[0][100], 396.0);
}

TEST(Sweep, EmptyOrReversedRangeGivesNoPoints) {
    const EquilAB state = problem({});
    GraphTable table;
    EXPECT_TRUE(GenerateCurves("10", {1, state, {1, 1, -1, 8, 1}}, table).points.empty());
    EXPECT_TRUE(GenerateCurves("10", {1, state, {1, 0, -1, 8, 1}}, table).points.empty());
    EXPECT_TRUE(GenerateCurves("99", {1, state, {0, 1, -1, 8, 1}}, table).points.empty());
    EXPECT_EQ(table.RecordedRows, 0);
}

// What the random problems of a code are made of: slots set to values spread over decades.
struct Given {
    int slot;
    double lowDecade, highDecade;
};

constexpr double Conc[2] = {-12, 2};  // 1e-12 to 100 mol/L
constexpr double Const[2] = {-14, 1}; // 1e-14 to 10
constexpr double Vol[2] = {-1, 3};    // 0.1 to 1000 mL

std::vector<Given> givenFor(std::string_view code) {
    auto c = [](int slot) { return Given{slot, Conc[0], Conc[1]}; };
    auto k = [](int slot) { return Given{slot, Const[0], Const[1]}; };
    auto v = [](int slot) { return Given{slot, Vol[0], Vol[1]}; };
    const std::string s(code);
    if (s == "10" || s == "14" || s == "20") return {c(0)};
    if (s == "11" || s == "15") return {c(0), k(3)};
    if (s == "12") return {c(0), k(3), k(4)};
    if (s == "12C") return {c(0), k(4)};
    if (s == "13") return {c(0), k(3), k(4), k(5)};
    if (s == "13C") return {c(0), k(4), k(5)};
    if (s == "21") return {c(0), k(4)};
    if (s == "22") return {c(0), k(3)};
    if (s == "23") return {c(0), k(3), k(4)};
    if (s == "30") return {c(0), c(1)};
    if (s == "31") return {c(0), c(1), k(4)};
    if (s == "32") return {c(0), c(1), k(3)};
    if (s == "33") return {c(0), c(1), k(3), k(4)};
    if (s == "34") return {c(0), c(1), k(3), k(4)};
    if (s == "34C") return {c(0), c(1), k(4)};
    if (s == "35") return {c(0), c(1), k(3), k(4), k(5)};
    if (s == "35C") return {c(0), c(1), k(4), k(5)};
    if (s == "40" || s == "41") return {c(0), c(1), k(3)};
    if (s[0] == '4') return {c(0), c(1), k(3), c(4)};
    if (s == "50" || s == "52") return {c(0), v(1), c(3)};
    if (s == "51" || s == "53") return {c(0), v(1), k(2), c(3)};
    if (s == "54") return {c(0), v(1), k(3), k(4), c(6)};
    if (s == "54C") return {c(0), v(1), k(4), c(6)};
    if (s == "55") return {c(0), v(1), k(3), k(4), k(5), c(6)};
    return {c(0), v(1), k(4), k(5), c(6)}; // 55C
}

TEST(Sweep, EveryCodeAndOfferedKindSweepsRandomProblemsCleanly) {
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> unit(0, 1);
    auto spread = [&](double lo, double hi) {
        return std::pow(10.0, lo + (hi - lo) * unit(random));
    };
    int graphs = 0;
    for (const engine::ProblemType& type : engine::Problems()) {
        const std::string code(type.code);
        int solved = 0;
        for (int attempt = 0; attempt < 60 && solved < 4; ++attempt) {
            EquilAB state(attempt % 3 == 2 ? 13.59 : 14.0);
            for (const Given& g : givenFor(code))
                state.IOValues[g.slot] = std::min(100.0, spread(g.lowDecade, g.highDecade));
            engine::RunProblem(state, code);
            if (state.CalcError != 0) continue;
            ++solved;
            for (int kind : OfferedKinds(Catalogue(), code)) {
                EquilAB s = state;
                if (NeedsExtraFields(code, kind)) {
                    namespace buffer = engine::slot::buffer;
                    s.IOValues[buffer::Volume] = spread(0, 3);
                    double& added = s.IOValues[buffer::AddedConcentration];
                    if (!(added > 0)) added = spread(Conc[0], Conc[1]);
                }
                GraphSettings settings;
                settings.ProblemCode = code;
                ChooseGraphKind(settings, Catalogue(), kind);
                if (!AjustaEscalasETC(settings, s)) continue;
                const SweepFrame frame{settings.XMin, settings.XMax, settings.YMin, settings.YMax,
                                       1};
                GraphTable table;
                const Curves curves = GenerateCurves(code, {kind, s, frame}, table);
                ++graphs;
                const std::string where = code + " kind " + std::to_string(kind);
                ASSERT_EQ(curves.points.size(), 256u * curves.fineness + 1) << where;
                EXPECT_LE(table.RecordedRows, 100) << where;
                EXPECT_EQ(table.RecordedRows,
                          (curves.accepted + 4 * curves.fineness - 1) / (4 * curves.fineness))
                    << where;
                const double dx = frame.XRange() / (256 * curves.fineness);
                for (int row = 1; row <= table.RecordedRows; ++row) {
                    const double steps = (table.Value[0][row] - frame.XMin) / dx;
                    EXPECT_NEAR(steps, std::round(steps), 1e-6) << where << " row " << row;
                    for (int column = 0; column < 5; ++column)
                        EXPECT_TRUE(std::isfinite(table.Value[column][row])) << where;
                    if (!curves.fractions) {
                        EXPECT_GE(table.Value[1][row], frame.YMin) << where;
                        EXPECT_LE(table.Value[1][row], frame.YMax) << where;
                    }
                }
            }
        }
        EXPECT_GT(solved, 0) << code;
    }
    EXPECT_GT(graphs, 300);
}

} // namespace
} // namespace corvane::graphs
