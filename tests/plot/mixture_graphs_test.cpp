// The numbers of the free-mixture graphs: the distribution sweep, the titration sweep and its
// recorded rows against a hand formula, the equivalence marks and the axes.
#include "plot/mixture_graphs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvane::plot {
namespace {

using namespace graphs;

engine::Component Acid(double total, std::vector<double> pk) {
    engine::Component c{"acid", total, {}, pk};
    for (std::size_t k = 0; k <= pk.size(); ++k)
        c.forms.push_back({"A", -static_cast<int>(k)});
    return c;
}

const engine::Component Phosphoric = Acid(0.1, {2.16, 7.21, 12.32});

MixtureTitrationGraph WithSodiumHydroxide(engine::Component acid, double to) {
    return {
        {{std::move(acid)}, 25, engine::IonComponent("NaOH", "Na", 1, 0.1)}, 14, "NaOH", "", to};
}

TEST(SweepDistribution, CoversPH0To14AsTheCurveSweepDoes) {
    const Distribution screen = SweepDistribution(Phosphoric, {0, 14, 0, 1, 1});
    ASSERT_EQ(screen.pH.size(), 257u);
    ASSERT_EQ(screen.fractions.size(), 4u);
    EXPECT_EQ(screen.pH[128], 7);
    EXPECT_EQ(SweepDistribution(Phosphoric, {0, 14, 0, 1, 4}).pH.size(), 1025u);
    for (std::size_t i = 0; i < screen.pH.size(); ++i) {
        double sum = 0;
        for (const std::vector<double>& f : screen.fractions)
            sum += f[i];
        EXPECT_NEAR(sum, 1, 1e-12) << screen.pH[i];
    }
    // At pH 7 (0.21 below pK2) [HPO4 2-] / [H2PO4-] = 10^-0.21.
    EXPECT_NEAR(screen.fractions[2][128] / screen.fractions[1][128], std::pow(10.0, -0.21), 1e-12);
}

TEST(SweepTitration, HalfwayPHFollowsTheBufferEquation) {
    // 25 mL of a weak acid (pK 4.76) 0.1 mol/L with 12.5 mL of NaOH 0.1 mol/L: sweep point 64
    // of 0 to 50 mL. With Ca and Cb the diluted totals, h = K·(Ca - Cb - h + oh)/(Cb + h - oh).
    const MixtureTitrationGraph graph = WithSodiumHydroxide(Acid(0.1, {4.76}), 50);
    const Curves curves = SweepTitration(graph, {0, 50, 0, 14, 1});
    ASSERT_EQ(curves.points.size(), 257u);
    EXPECT_EQ(curves.accepted, 257);
    const double ca = 0.1 * 25 / 37.5, cb = 0.1 * 12.5 / 37.5, k = std::pow(10.0, -4.76);
    double h = k;
    for (int i = 0; i < 200; ++i)
        h = k * (ca - cb - h + 1e-14 / h) / (cb + h - 1e-14 / h);
    EXPECT_DOUBLE_EQ(curves.points[64].x, 12.5);
    EXPECT_NEAR(curves.points[64].y[0], -std::log10(h), 1e-9);

    GraphTable table;
    RecordTable(curves, 1, table);
    EXPECT_EQ(table.RecordedRows, 65);
    EXPECT_DOUBLE_EQ(table.Value[0][17], 12.5);
}

TEST(SweepTitration, PointsOutsidePH0To14BreakTheCurve) {
    // Sodium hydroxide 2 mol/L added to water passes pH 14.
    const MixtureTitrationGraph graph{
        {{}, 25, engine::IonComponent("NaOH", "Na", 1, 2)}, 14, "", "", 50};
    const Curves curves = SweepTitration(graph, {0, 50, 0, 14, 1});
    EXPECT_LT(curves.accepted, 257);
    EXPECT_TRUE(curves.points.front().accepted);
    EXPECT_FALSE(curves.points.back().accepted);
}

TEST(EquivalenceMarks, OnlyThoseTheAxisReaches) {
    const std::vector<CurveMark> marks = EquivalenceMarks(WithSodiumHydroxide(Phosphoric, 60));
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_NEAR(marks[0].x, 25, 1e-12);
    EXPECT_NEAR(marks[1].x, 50, 1e-12);
    // The first equivalence point of phosphoric acid lies near (pK1 + pK2) / 2.
    EXPECT_NEAR(marks[0].pH, (2.16 + 7.21) / 2, 0.1);
}

TEST(MixtureGraphSettings, AxesOfTheTwoGraphs) {
    const GraphSettings titration = TitrationSettings(WithSodiumHydroxide(Phosphoric, 150));
    EXPECT_EQ(titration.XMax, 150);
    EXPECT_EQ(titration.XStep, 10);
    EXPECT_EQ(titration.YMax, 14);
    const GraphSettings distribution = DistributionSettings(Phosphoric);
    EXPECT_EQ(distribution.XMax, 14);
    EXPECT_EQ(distribution.YMax, 1);
    EXPECT_EQ(distribution.ParamCaption, "pK_a = 2.16, 7.21, 12.32");
}

TEST(FormColor, SevenFormsHaveSevenColours) {
    const PlotColors colors;
    for (int a = 0; a < 7; ++a)
        for (int b = a + 1; b < 7; ++b)
            EXPECT_NE(FormColor(colors, a), FormColor(colors, b)) << a << " " << b;
}

} // namespace
} // namespace corvane::plot
