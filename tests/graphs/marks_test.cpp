// Marked points of titration curves: where the equivalence and half-equivalence points lie,
// against the solved problem and the pK values, and the indicator table.
#include "tests/support/graph_fixture.h"

#include "graphs/indicators.h"
#include "graphs/marks.h"
#include "graphs/valueat.h"

#include "engine/slots.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvane::graphs {
namespace {

namespace solution = engine::slot::solution;
namespace titration = engine::slot::titration;
namespace polyprotic = engine::slot::polyprotic_titration;

using test::SolveAndChoose;

SweepFrame frameOf(const GraphSettings& s) {
    return {s.XMin, s.XMax, s.YMin, s.YMax, 1};
}

void expectMark(const CurveMark& m, MarkKind kind, double x, double pH, double tolerance) {
    EXPECT_EQ(m.kind, kind) << x;
    EXPECT_NEAR(m.x, x, 1e-9);
    EXPECT_NEAR(m.pH, pH, tolerance) << x;
}

std::vector<CurveMark> marksOf(const test::SolvedGraph& g) {
    return TitrationMarks(g.settings.ProblemCode, g.settings.GraphKind, g.state,
                          frameOf(g.settings));
}

TEST(Marks, StrongAcidHasOnlyItsEquivalencePoint) {
    auto g = SolveAndChoose("50", 29,
                            {{titration::C, 0.1}, {titration::V, 25}, {titration::Titrant, 0.1}});
    const auto m = marksOf(g);
    ASSERT_EQ(m.size(), 1u);
    expectMark(m[0], MarkKind::Equivalence, 25, 7.0, 1e-6);
    EXPECT_EQ(m[0].y, m[0].pH);
}

TEST(Marks, WeakAcidHalfEquivalenceLiesAtItsPk) {
    auto g = SolveAndChoose("51", 29,
                            {{titration::C, 0.1},
                             {titration::V, 25},
                             {titration::K, 1.8e-5},
                             {titration::Titrant, 0.1}});
    const auto m = marksOf(g);
    ASSERT_EQ(m.size(), 2u);
    expectMark(m[0], MarkKind::HalfEquivalence, 12.5, 4.7447, 2e-3); // pk_a
    // At the equivalence point 0.05 M acetate: [OH-] = sqrt(Kw / k_a · 0.05), pH 8.72.
    expectMark(m[1], MarkKind::Equivalence, 25, 14 + std::log10(std::sqrt(1e-14 / 1.8e-5 * 0.05)),
               2e-3);
    // The solver's pH at equivalence lies on the curve the engine draws.
    const auto onCurve = ReadCurve("51", 29, g.state, frameOf(g.settings), {m[1].x});
    EXPECT_NEAR(onCurve[0].y[0], m[1].pH, 1e-6);
}

TEST(Marks, OnTheSlopeCurveTheMarksSitOnTheSlope) {
    auto g = SolveAndChoose("51", 33,
                            {{titration::C, 0.1},
                             {titration::V, 25},
                             {titration::K, 1.8e-5},
                             {titration::Titrant, 0.1}});
    const auto m = marksOf(g);
    ASSERT_EQ(m.size(), 2u);
    // The solver's slope at the equivalence point, which sets the y axis.
    EXPECT_NEAR(m[1].y / g.state.IOValues[engine::slot::titration::Slope], 1, 0.02);
    EXPECT_GT(m[1].y, 20 * m[0].y);
    EXPECT_NEAR(m[1].pH, 8.72, 0.01);
}

TEST(Marks, TriproticAcidHasThreePointsOfEachKind) {
    // Phosphoric acid: pk 2.149, 7.201, 12.35; V_eq 25, 50, 75 mL.
    auto g = SolveAndChoose("55", 29,
                            {{polyprotic::Ca, 0.1},
                             {polyprotic::Va, 25},
                             {polyprotic::K1, 7.1e-3},
                             {polyprotic::K2, 6.3e-8},
                             {polyprotic::K3, 4.5e-13},
                             {polyprotic::Titrant, 0.1}});
    const auto m = marksOf(g);
    ASSERT_EQ(m.size(), 6u);
    const double x[] = {12.5, 25, 37.5, 50, 62.5, 75};
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(m[i].x, x[i], 1e-6) << i;
        EXPECT_EQ(m[i].kind, i % 2 == 0 ? MarkKind::HalfEquivalence : MarkKind::Equivalence);
    }
    EXPECT_NEAR(m[2].pH, -std::log10(6.3e-8), 0.02);
    EXPECT_NEAR(m[3].pH, g.state.IOValues[engine::slot::polyprotic_titration::PHeq2], 1e-12);
}

TEST(Marks, CompleteFirstDissociationHasNoFirstHalfPoint) {
    auto g = SolveAndChoose("54C", 29,
                            {{polyprotic::Ca, 0.1},
                             {polyprotic::Va, 25},
                             {polyprotic::K2, 1e-8},
                             {polyprotic::Titrant, 0.1}});
    const auto m = marksOf(g);
    ASSERT_EQ(m.size(), 3u);
    // pH values at the equivalence points as the titration's own tests give them.
    expectMark(m[0], MarkKind::Equivalence, 25, 4.6506, 1e-3);
    expectMark(m[1], MarkKind::HalfEquivalence, 37.5, 8.0, 0.02); // pk_2
    expectMark(m[2], MarkKind::Equivalence, 50, 10.2603, 1e-3);
}

TEST(Marks, OnlyTitrationCurvesAgainstVolumeHaveMarks) {
    EXPECT_TRUE(HasMarks("53", 31));
    EXPECT_TRUE(HasMarks("55C", 33));
    EXPECT_FALSE(HasMarks("42", 27)); // a buffer diluted by acid: no equivalence solved
    EXPECT_FALSE(HasMarks("11", 1));
    auto g = SolveAndChoose("11", 1, {{solution::C, 0.1}, {solution::K, 1.8e-5}});
    EXPECT_TRUE(marksOf(g).empty());
}

TEST(Indicators, TableCoversTheCommonOnes) {
    EXPECT_GE(Indicators().size(), 8u);
    for (const Indicator& i : Indicators())
        for (int r = 0; r < i.rangeCount; ++r) {
            const IndicatorRange& range = i.ranges[r];
            EXPECT_GT(range.HighPH - range.LowPH, 0.9) << i.name;
            EXPECT_LT(range.HighPH - range.LowPH, 2.1) << i.name;
            EXPECT_GE(range.LowPH, 0) << i.name;
            EXPECT_LE(range.HighPH, 14) << i.name;
            // Pale enough to draw the grid and curve over.
            EXPECT_GE(std::min({range.shade.r, range.shade.g, range.shade.b}), 160) << i.name;
        }
    for (const char* name : {"phenolphthalein", "methyl orange", "methyl red", "bromothymol blue",
                             "bromocresol green", "thymol blue"})
        EXPECT_NE(FindIndicator(name), nullptr) << name;
}

TEST(Indicators, NamesAreFoundByTheirStartIgnoringCase) {
    const Indicator* p = FindIndicator("Phenolphth");
    ASSERT_NE(p, nullptr);
    EXPECT_STREQ(p->name, "phenolphthalein");
    EXPECT_STREQ(FindIndicator("METHYL ORANGE")->name, "methyl orange");
    EXPECT_EQ(FindIndicator("thymol blue")->rangeCount, 2);
    // "methyl" and "phenol" start two names each.
    EXPECT_EQ(FindIndicator("methyl"), nullptr);
    EXPECT_EQ(FindIndicator("phenol"), nullptr);
    EXPECT_EQ(FindIndicator("litmus"), nullptr);
    EXPECT_EQ(FindIndicator(""), nullptr);
}

} // namespace
} // namespace corvane::graphs
