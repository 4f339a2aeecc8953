// Salt hydrolysis, codes 20 to 23.
#include "engine/solvers.h"
#include "solver_fixture.h"

#include <gtest/gtest.h>

using namespace corvane::engine;
using namespace corvane::engine::test;

namespace {

class HydrolysisTest : public ::testing::TestWithParam<SolveCase> {};
TEST_P(HydrolysisTest, FillsInTheReferenceValues) {
    CheckSolves(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HydrolysisTest,
    ::testing::Values(
        SolveCase{
            "NeutralSalt", Calc20, {{0, 0.5}}, {{6, 7}, {7, 1e-7}, {8, 1e-7}, {9, 0.5}, {10, 0.5}}},
        SolveCase{"NeutralSaltAt37Degrees", Calc20, {{0, 0.5}}, {{6, 6.795}}, 1e-9, 13.59},
        SolveCase{"WeakBaseSalt",
                  Calc21,
                  {{0, 0.1}, {4, 1.8e-5}},
                  {{2, 7.45395e-6}, {1, 5.12761}, {7, 0.0999925}, {6, 7.45261e-6}, {8, 0.1}}},
        SolveCase{"WeakAcidSalt",
                  Calc22,
                  {{0, 0.1}, {3, 1.8e-5}},
                  {{1, 8.87239}, {7, 0.0999925}, {6, 7.45261e-6}, {8, 0.1}}},
        SolveCase{"EqualConstantsAreNeutral",
                  Calc23,
                  {{0, 0.1}, {3, 1.8e-5}, {4, 1.8e-5}},
                  {{2, 1e-7}, {1, 7}},
                  1e-15},
        SolveCase{
            "WeakWeakSaltIsBasic", Calc23, {{0, 0.1}, {3, 6.2e-10}, {4, 1.8e-5}}, {{1, 9.23129}}},
        SolveCase{
            "WeakBaseSaltWithoutSalt", Calc21, {{0, 0}, {4, 1.8e-5}}, {{2, 1e-7}, {7, 0}, {6, 0}}}),
    CaseName<SolveCase>);

class HydrolysisRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};
TEST_P(HydrolysisRoundTripTest, RecoversTheLeftOutInput) {
    CheckRoundTrip(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HydrolysisRoundTripTest,
    ::testing::Values(
        RoundTripCase{"WeakBaseSaltConcentration", Calc21, {{0, 0.1}, {4, 1.8e-5}}, 2, 0},
        RoundTripCase{"WeakBaseSaltConstant", Calc21, {{0, 0.1}, {4, 1.8e-5}}, 2, 4},
        RoundTripCase{"WeakAcidSaltConcentration", Calc22, {{0, 0.1}, {3, 1.8e-5}}, 2, 0},
        RoundTripCase{"WeakAcidSaltConstant", Calc22, {{0, 0.1}, {3, 1.8e-5}}, 2, 3},
        RoundTripCase{
            "WeakWeakSaltConcentration", Calc23, {{0, 0.1}, {3, 6.2e-10}, {4, 1.8e-5}}, 2, 0},
        RoundTripCase{
            "WeakWeakSaltAcidConstant", Calc23, {{0, 0.1}, {3, 6.2e-10}, {4, 1.8e-5}}, 2, 3},
        RoundTripCase{
            "WeakWeakSaltBaseConstant", Calc23, {{0, 0.1}, {3, 6.2e-10}, {4, 1.8e-5}}, 2, 4}),
    CaseName<RoundTripCase>);

class HydrolysisRejectionTest : public ::testing::TestWithParam<RejectCase> {};
TEST_P(HydrolysisRejectionTest, SetsCalcErrorAndLeavesIOValuesAsRead) {
    CheckRejects(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HydrolysisRejectionTest,
    ::testing::Values(RejectCase{"WeakBaseSaltGivenABasicPH", Calc21, {{1, 8}}},
                      RejectCase{"WeakAcidSaltGivenAnAcidicPH", Calc22, {{1, 6}}},
                      RejectCase{"SaltAbove100", Calc23, {{0, 100.01}}},
                      // So little salt cannot reach pH 8: the derived k_a is negative.
                      RejectCase{"DerivedConstantNegative", Calc22, {{0, 1e-7}, {1, 8}}}),
    CaseName<RejectCase>);

TEST(Calc20, WritesItsResultsEvenForASaltOutOfRange) {
    const EquilAB state = Solve(Calc20, {{0, -1}});
    EXPECT_EQ(state.CalcError, 1);
    EXPECT_EQ(state.IOValues[slot::salt::CS], -1);
    EXPECT_EQ(state.IOValues[slot::salt::NeutralAnion], -1);
    EXPECT_NEAR(state.IOValues[slot::salt::NeutralPH], 7, 1e-12);
}

TEST(Calc23, NoAcidicOrBasicBound) {
    const EquilAB basic = Solve(Calc23, {{0, 0.1}, {3, 6.2e-10}, {4, 1.8e-5}});
    ASSERT_EQ(basic.CalcError, 0);
    EXPECT_GT(basic.IOValues[slot::salt::PH], 7.5);
    const EquilAB acidic = Solve(Calc23, {{0, 0.1}, {3, 1.8e-5}, {4, 6.2e-10}});
    ASSERT_EQ(acidic.CalcError, 0);
    EXPECT_LT(acidic.IOValues[slot::salt::PH], 6.5);
}

} // namespace
