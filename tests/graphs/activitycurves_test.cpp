// Curves with activity coefficients: the pH kinds solved point by point with the Davies
// equation meet the solved problem where their x is its input, the titration curves pass
// through its equivalence points, and the subtitle names the model each kind is computed with.
#include "graphs/activitycurves.h"
#include "graphs/sweep.h"

#include "engine/catalogue.h"
#include "engine/slots.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace corvane::graphs::test {
namespace {

namespace buffer = engine::slot::buffer;
namespace titration = engine::slot::titration;
namespace polyprotic = engine::slot::polyprotic_titration;

// The acetate buffer: 0.1 mol/L acetic acid, 0.1 mol/L sodium acetate, k_a = 1.8e-5.
engine::EquilAB SolvedBuffer(engine::ActivityModel model) {
    engine::EquilAB state;
    state.Activity = model;
    state.IOValues[buffer::C] = 0.1;
    state.IOValues[buffer::CS] = 0.1;
    state.IOValues[buffer::K] = 1.8e-5;
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
    EXPECT_NEAR(FirstPoint("40", 1, davies, 0.1), davies.IOValues[buffer::PH], 1e-9);
    EXPECT_NEAR(FirstPoint("40", 1, davies, 0.1), 4.6379, 2e-4);
    EXPECT_NEAR(FirstPoint("40", 2, davies, 1.0), davies.IOValues[buffer::PH], 1e-9);
    const engine::EquilAB ideal = SolvedBuffer(engine::ActivityModel::Ideal);
    EXPECT_NEAR(FirstPoint("40", 1, ideal, 0.1), 4.7450, 2e-4);
}

// A weak acid's degree of dissociation grows with the activity correction: k_a / γ1² is the
// conditional constant, so alpha at C_a = 0.1 exceeds the ideal 0.01333.
TEST(ActivityCurves, DegreeOfDissociationFollowsTheModel) {
    engine::EquilAB state;
    state.Activity = engine::ActivityModel::Davies;
    namespace solution = engine::slot::solution;
    state.IOValues[solution::C] = 0.1;
    state.IOValues[solution::K] = 1.8e-5;
    engine::RunProblem(state, "11");
    ASSERT_EQ(state.CalcError, 0);
    const double alpha = FirstPoint("11", 11, state, 0.1);
    EXPECT_NEAR(alpha, state.IOValues[solution::Alpha], 1e-12);
    EXPECT_GT(alpha, 0.01333 * 1.03);
}

engine::EquilAB SolvedDavies(std::string_view code, std::vector<std::pair<int, double>> given) {
    engine::EquilAB state;
    state.Activity = engine::ActivityModel::Davies;
    for (auto [slot, value] : given)
        state.IOValues[slot] = value;
    engine::RunProblem(state, code);
    EXPECT_EQ(state.CalcError, 0) << state.CalcErrorReason;
    return state;
}

// A titration curve passes through the equivalence points the titration solver found: the
// flask after V mL is solved as the mixture it is (code 32 for code 51, 35 for 55), a path
// of its own to the same ionic strength.
TEST(ActivityCurves, TitrationCurvesPassThroughTheEquivalencePoints) {
    const engine::EquilAB weak = SolvedDavies("51", {{titration::C, 0.1},
                                                     {titration::V, 25},
                                                     {titration::K, 1.8e-5},
                                                     {titration::Titrant, 0.1}});
    EXPECT_NEAR(FirstPoint("51", 29, weak, weak.IOValues[titration::Veq]),
                weak.IOValues[titration::PHeq], 1e-6);
    const engine::EquilAB triprotic = SolvedDavies("55", {{polyprotic::Ca, 0.1},
                                                          {polyprotic::Va, 25},
                                                          {polyprotic::Titrant, 0.1},
                                                          {polyprotic::K1, 7.1e-3},
                                                          {polyprotic::K2, 6.3e-8},
                                                          {polyprotic::K3, 4.5e-13}});
    const engine::Slots& t = triprotic.IOValues;
    EXPECT_NEAR(FirstPoint("55", 29, triprotic, t[polyprotic::Veq]), t[polyprotic::PHeq], 1e-6);
    EXPECT_NEAR(FirstPoint("55", 29, triprotic, t[polyprotic::Veq1]), t[polyprotic::PHeq1], 1e-6);
    EXPECT_NEAR(FirstPoint("55", 29, triprotic, t[polyprotic::Veq2]), t[polyprotic::PHeq2], 1e-6);
}

// Before any strong acid is added, the buffer of code 42 is the plain buffer of code 40.
TEST(ActivityCurves, BufferVolumeCurveStartsAtThePlainBuffer) {
    engine::EquilAB added = SolvedDavies(
        "42", {{buffer::C, 0.1}, {buffer::CS, 0.1}, {buffer::K, 1.8e-5}, {buffer::Added, 0.01}});
    added.IOValues[buffer::Volume] = 100;
    const engine::EquilAB plain = SolvedBuffer(engine::ActivityModel::Davies);
    EXPECT_NEAR(FirstPoint("42", 27, added, 0), plain.IOValues[buffer::PH], 1e-9);
}

TEST(ActivityCurves, KindsThatFollowTheModel) {
    EXPECT_TRUE(FollowsActivityModel("40", 1));
    EXPECT_TRUE(FollowsActivityModel("11", 11));
    EXPECT_TRUE(FollowsActivityModel("44", 25));
    EXPECT_FALSE(FollowsActivityModel("11", 16)); // molar fractions against pH
    EXPECT_FALSE(FollowsActivityModel("12", 11)); // no degree-of-dissociation row
    EXPECT_TRUE(FollowsActivityModel("51", 29));
    EXPECT_TRUE(FollowsActivityModel("55C", 33));
    EXPECT_TRUE(FollowsActivityModel("45", 29));
    EXPECT_FALSE(FollowsActivityModel("40", 27)); // no added acid or base
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
