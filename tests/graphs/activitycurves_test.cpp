// Curves with activity coefficients: the pH kinds solved point by point with the Davies
// equation meet the solved problem where their x is its input, and the subtitle names the
// model each kind is computed with.
#include "graphs/activitycurves.h"
#include "graphs/sweep.h"

#include "engine/catalogue.h"

#include <gtest/gtest.h>

namespace corvane::graphs::test {
namespace {

// The acetate buffer: 0.1 mol/L acetic acid, 0.1 mol/L sodium acetate, k_a = 1.8e-5.
engine::EquilAB SolvedBuffer(engine::ActivityModel model) {
    engine::EquilAB state;
    state.Activity = model;
    state.IOValues[0] = 0.1;
    state.IOValues[1] = 0.1;
    state.IOValues[3] = 1.8e-5;
    engine::RunProblem(state, "40");
    EXPECT_EQ(state.CalcError, 0);
    return state;
}

double FirstPoint(std::string_view code, int kind, const engine::EquilAB& state, double x) {
    GraphTable table;
    const GeneratorInput in{kind, state, {x, x + 1, -1e300, 1e300, 1}};
    const Curves curves = GenerateCurves(code, in, table);
    EXPECT_FALSE(curves.points.empty());
    if (curves.points.empty()) return 0;
    EXPECT_TRUE(curves.points.front().accepted);
    return curves.points.front().y[0];
}

// pH = pk_a + log([A-]/[HA]) + log γ1 = 4.7447 + 0.0003 − 0.1071 at the solved point, as
// C_a = 0.1 (kind 1) and as pC_a = 1 (kind 2); the ideal curve keeps 4.7450.
TEST(ActivityCurves, MeetTheSolvedProblemAtItsInput) {
    const engine::EquilAB davies = SolvedBuffer(engine::ActivityModel::Davies);
    EXPECT_NEAR(FirstPoint("40", 1, davies, 0.1), davies.IOValues[2], 1e-9);
    EXPECT_NEAR(FirstPoint("40", 1, davies, 0.1), 4.6379, 2e-4);
    EXPECT_NEAR(FirstPoint("40", 2, davies, 1.0), davies.IOValues[2], 1e-9);
    const engine::EquilAB ideal = SolvedBuffer(engine::ActivityModel::Ideal);
    EXPECT_NEAR(FirstPoint("40", 1, ideal, 0.1), 4.7450, 2e-4);
}

// A weak acid's degree of dissociation grows with the activity correction: k_a / γ1² is the
// conditional constant, so alpha at C_a = 0.1 exceeds the ideal 0.01333.
TEST(ActivityCurves, DegreeOfDissociationFollowsTheModel) {
    engine::EquilAB state;
    state.Activity = engine::ActivityModel::Davies;
    state.IOValues[0] = 0.1;
    state.IOValues[3] = 1.8e-5;
    engine::RunProblem(state, "11");
    ASSERT_EQ(state.CalcError, 0);
    const double alpha = FirstPoint("11", 11, state, 0.1);
    EXPECT_NEAR(alpha, state.IOValues[4], 1e-12);
    EXPECT_GT(alpha, 0.01333 * 1.03);
}

TEST(ActivityCurves, KindsThatFollowTheModel) {
    EXPECT_TRUE(FollowsActivityModel("40", 1));
    EXPECT_TRUE(FollowsActivityModel("11", 11));
    EXPECT_TRUE(FollowsActivityModel("44", 25));
    EXPECT_FALSE(FollowsActivityModel("11", 16)); // molar fractions against pH
    EXPECT_FALSE(FollowsActivityModel("12", 11)); // no degree-of-dissociation row
    EXPECT_FALSE(FollowsActivityModel("51", 1));  // titrations draw against the volume
}

TEST(ActivityCurves, SubtitleNamesTheModel) {
    engine::EquilAB state;
    EXPECT_EQ(ModelSubtitle(state, "40", 1), "");
    state.Activity = engine::ActivityModel::Davies;
    EXPECT_EQ(ModelSubtitle(state, "40", 1), " (Davies equation, 25 °C)");
    EXPECT_EQ(ModelSubtitle(state, "11", 16), " (curves for an ideal solution)");
    state.SetPKw(13.59);
    EXPECT_EQ(ModelSubtitle(state, "40", 1), " (Davies equation, 37 °C)");
}

} // namespace
} // namespace corvane::graphs::test
