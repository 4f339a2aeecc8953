// Strong acid and base (codes 10, 14) and polyprotic acids (codes 12, 12C, 13, 13C).
#include "engine/solvers.h"
#include "solver_fixture.h"

#include <gtest/gtest.h>

using namespace corvane::engine;
using namespace corvane::engine::test;

namespace {

constexpr double Neutral = 1e-7;

class SingleSolutionTest : public ::testing::TestWithParam<SolveCase> {};
TEST_P(SingleSolutionTest, FillsInTheReferenceValues) {
    CheckSolves(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SingleSolutionTest,
    ::testing::Values(
        SolveCase{"StrongAcid",
                  Calc10,
                  {{0, 0.01}},
                  {{2, 0.010000000001}, {1, 2.0}, {7, 0.01}, {6, 0}, {9, 1e-12}},
                  1e-9},
        SolveCase{"StrongAcidDilute", Calc10, {{0, 1e-8}}, {{2, 1.05125e-7}, {1, 6.97829}}},
        SolveCase{"StrongAcidFromPH",
                  Calc10,
                  {{1, 3}},
                  {{2, 1e-3}, {0, 1e-3 - 1e-11}, {7, 1e-3 - 1e-11}},
                  1e-12},
        SolveCase{"StrongAcidNeutralPH", Calc10, {{1, 7}}, {{0, 0}, {7, 0}, {2, Neutral}}},
        SolveCase{"StrongAcidNone", Calc10, {{0, 0}}, {{2, Neutral}, {1, 7}, {7, 0}}},
        SolveCase{"StrongAcidAt37Degrees", Calc10, {{0, 0}}, {{1, 6.795}}, 1e-9, 13.59},
        SolveCase{"StrongBase",
                  Calc14,
                  {{0, 0.01}},
                  {{5, 0.010000000001}, {1, 12.0}, {7, 0.01}, {6, 0}},
                  1e-9},
        SolveCase{"StrongBaseFromPH", Calc14, {{1, 11}}, {{0, 1e-3 - 1e-11}}, 1e-9},
        SolveCase{
            "Diprotic",
            Calc12,
            {{0, 0.1}, {3, 4.3e-7}, {4, 5.6e-11}},
            {{2, 2.07150e-4}, {1, 3.68372}, {8, 5.6000e-11}, {7, 2.07149e-4}, {6, 0.0997929}}},
        SolveCase{"DiproticFirstConstantFromPH",
                  Calc12,
                  {{0, 0.1}, {4, 5.6e-11}, {1, 3.68372}},
                  {{3, 4.3e-7}},
                  1e-4},
        SolveCase{"DiproticFirstConstantZero",
                  Calc12,
                  {{0, 0.1}, {3, 0}},
                  {{6, 0.1}, {7, 0}, {8, 0}, {1, 7}}},
        SolveCase{"DiproticFirstComplete",
                  Calc12C,
                  {{0, 0.01}, {4, 1.2e-2}},
                  {{2, 0.0145242}, {1, 1.83791}, {8, 4.52417e-3}, {7, 5.47583e-3}, {6, 0}}},
        SolveCase{"Triprotic",
                  Calc13,
                  {{0, 0.1}, {3, 7.5e-3}, {4, 6.2e-8}, {5, 4.8e-13}},
                  {{2, 0.0238917}, {1, 1.62175}}},
        SolveCase{"TriproticNone",
                  Calc13,
                  {{0, 0}},
                  {{6, 0}, {7, 0}, {8, 0}, {9, 0}, {2, Neutral}, {1, 7}, {10, Neutral}}},
        SolveCase{"TriproticFirstConstantZero",
                  Calc13,
                  {{0, 0.1}, {3, 0}, {4, 1e-5}, {5, 1e-9}},
                  {{6, 0.1}, {7, 0}, {8, 0}, {9, 0}, {1, 7}}},
        SolveCase{"TriproticFirstComplete",
                  Calc13C,
                  {{0, 0.1}, {4, 6.2e-8}, {5, 4.8e-13}},
                  {{2, 0.100000062}, {1, 0.99999973}, {6, 0}},
                  1e-8}),
    CaseName<SolveCase>);

class SingleSolutionRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};
TEST_P(SingleSolutionRoundTripTest, RecoversTheLeftOutInput) {
    CheckRoundTrip(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SingleSolutionRoundTripTest,
    ::testing::Values(
        RoundTripCase{"StrongAcidConcentration", Calc10, {{0, 2e-4}}, 2, 0},
        RoundTripCase{"StrongBaseConcentration", Calc14, {{0, 2e-4}}, 5, 0},
        RoundTripCase{"DiproticConcentration", Calc12, {{0, 0.05}, {3, 1e-2}, {4, 1e-3}}, 2, 0},
        RoundTripCase{"DiproticK1", Calc12, {{0, 0.05}, {3, 1e-2}, {4, 1e-3}}, 2, 3},
        RoundTripCase{"DiproticK2", Calc12, {{0, 0.05}, {3, 1e-2}, {4, 1e-3}}, 2, 4},
        RoundTripCase{"DiproticCConcentration", Calc12C, {{0, 0.05}, {4, 1e-2}}, 2, 0},
        RoundTripCase{"DiproticCK2", Calc12C, {{0, 0.05}, {4, 1e-2}}, 2, 4},
        RoundTripCase{
            "TriproticConcentration", Calc13, {{0, 0.05}, {3, 1e-2}, {4, 1e-3}, {5, 1e-4}}, 2, 0},
        RoundTripCase{"TriproticK1", Calc13, {{0, 0.05}, {3, 1e-2}, {4, 1e-3}, {5, 1e-4}}, 2, 3},
        RoundTripCase{"TriproticK2", Calc13, {{0, 0.05}, {3, 1e-2}, {4, 1e-3}, {5, 1e-4}}, 2, 4},
        RoundTripCase{"TriproticK3", Calc13, {{0, 0.05}, {3, 1e-2}, {4, 1e-3}, {5, 1e-4}}, 2, 5},
        RoundTripCase{"TriproticCConcentration", Calc13C, {{0, 0.05}, {4, 1e-2}, {5, 1e-3}}, 2, 0},
        RoundTripCase{"TriproticCK2", Calc13C, {{0, 0.05}, {4, 1e-2}, {5, 1e-3}}, 2, 4},
        RoundTripCase{"TriproticCK3", Calc13C, {{0, 0.05}, {4, 1e-2}, {5, 1e-3}}, 2, 5}),
    CaseName<RoundTripCase>);

class SingleSolutionRejectionTest : public ::testing::TestWithParam<RejectCase> {};
TEST_P(SingleSolutionRejectionTest, SetsCalcErrorAndLeavesIOValuesAsRead) {
    CheckRejects(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SingleSolutionRejectionTest,
    ::testing::Values(
        RejectCase{"StrongAcidGivenABasicPH", Calc10, {{1, 8}}},
        RejectCase{"StrongBaseGivenAnAcidicPH", Calc14, {{1, 6}}},
        RejectCase{"StrongAcidAbove100", Calc10, {{0, 100.5}}},
        RejectCase{"DiproticAbove100", Calc12, {{0, 101}, {3, 1e-3}, {4, 1e-6}}},
        RejectCase{"DiproticConstantAbove1e90", Calc12, {{3, 1e91}}},
        RejectCase{"DiproticBasicPH", Calc12C, {{1, 7.2}}},
        // k_2 = 0 leaves [HA-] = h·0 / 0 when C_a is not given.
        RejectCase{"DiproticCSecondConstantZeroWithoutConcentration", Calc12C, {{4, 0}, {1, 2}}},
        RejectCase{"TriproticNegativeConstant", Calc13, {{5, -1e-9}}}),
    CaseName<RejectCase>);

// The forward results of the polyprotic acids satisfy their charge and mass balances.
TEST(Polyprotic, ForwardResultsBalance) {
    const EquilAB di = Solve(Calc12, {{0, 0.05}, {3, 1e-2}, {4, 1e-3}});
    ASSERT_EQ(di.CalcError, 0);
    const auto& d = di.IOValues;
    EXPECT_NEAR(d[2], d[9] + d[7] + 2 * d[8], 1e-9 * d[2]);
    EXPECT_NEAR(d[6] + d[7] + d[8], 0.05, 1e-9);
    const EquilAB tri = Solve(Calc13, {{0, 0.05}, {3, 1e-2}, {4, 1e-3}, {5, 1e-4}});
    ASSERT_EQ(tri.CalcError, 0);
    const auto& t = tri.IOValues;
    EXPECT_NEAR(t[2], t[10] + t[7] + 2 * t[8] + 3 * t[9], 1e-9 * t[2]);
    EXPECT_NEAR(t[6] + t[7] + t[8] + t[9], 0.05, 1e-9);
    EXPECT_NEAR(t[2] * t[9] / t[8], 1e-4, 1e-12);
}

} // namespace
