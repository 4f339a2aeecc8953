// Mixtures of an acid and a base, codes 30 to 35C.
#include "engine/solvers.h"
#include "solver_fixture.h"

#include <gtest/gtest.h>

using namespace corvane::engine;
using namespace corvane::engine::test;

namespace {

class MixtureTest : public ::testing::TestWithParam<SolveCase> {};
TEST_P(MixtureTest, FillsInTheReferenceValues) {
    CheckSolves(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MixtureTest,
    ::testing::Values(
        SolveCase{"StrongStrong",
                  Calc30,
                  {{0, 0.1}, {1, 0.05}},
                  {{5, 0.05}, {2, 1.30103}, {7, 0.1}, {10, 0.05}, {6, 0}, {9, 0}}},
        SolveCase{"StrongStrongNeutral", Calc30, {{0, 0.1}, {1, 0.1}}, {{2, 7.0}}, 1e-10},
        SolveCase{
            "StrongStrongAcidFromPH", Calc30, {{1, 0.1}, {2, 2}}, {{0, 0.01 + 0.1 - 1e-12}}, 1e-12},
        SolveCase{"StrongAcidWeakBase",
                  Calc31,
                  {{0, 0.1}, {1, 0.1}, {4, 1.8e-5}},
                  {{2, 5.12761}, {6, 0}}},
        SolveCase{"WeakAcidStrongBase",
                  Calc32,
                  {{0, 0.1}, {1, 0.05}, {3, 1.8e-5}},
                  {{2, 4.74504}, {9, 0}}},
        SolveCase{
            "WeakWeak", Calc33, {{0, 0.1}, {1, 0.1}, {3, 1.8e-5}, {4, 1.8e-5}}, {{2, 7.0}}, 1e-9},
        SolveCase{"Diprotic",
                  Calc34,
                  {{0, 0.1}, {1, 0.1}, {3, 4.3e-7}, {4, 5.6e-11}},
                  {{5, 4.91161e-9}, {2, 8.30878}, {9, 0}, {10, 0.1}}},
        SolveCase{"DiproticFirstComplete",
                  Calc34C,
                  {{0, 0.01}, {1, 0.01}, {4, 1.2e-2}},
                  {{2, 2.18776}, {6, 0}}},
        SolveCase{"Triprotic",
                  Calc35,
                  {{0, 0.1}, {1, 0.1}, {3, 7.5e-3}, {4, 6.2e-8}, {5, 4.8e-13}},
                  {{2, 4.68206}, {12, 0}}},
        SolveCase{"TriproticFirstComplete",
                  Calc35C,
                  {{0, 0.1}, {1, 0.05}, {4, 6.2e-8}, {5, 4.8e-13}},
                  {{2, 1.30103}, {6, 0}, {12, 0}}},
        // No acid: the two most charged species are cleared, [H2A-] stays unknown.
        SolveCase{"TriproticWithoutAcid",
                  Calc35,
                  {{0, 0}, {1, 0.1}, {2, 13}},
                  {{8, 0}, {9, 0}, {13, 0.1}},
                  1e-5,
                  14.0,
                  {7}},
        SolveCase{"DiproticNothing", Calc34, {{0, 0}, {1, 0}}, {{5, 1e-7}, {2, 7}}}),
    CaseName<SolveCase>);

class MixtureRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};
TEST_P(MixtureRoundTripTest, RecoversTheLeftOutInput) {
    CheckRoundTrip(GetParam());
}

const Given Weak31{{0, 0.05}, {1, 0.1}, {4, 1.8e-5}};
const Given Weak32{{0, 0.1}, {1, 0.05}, {3, 1.8e-5}};
const Given Weak33{{0, 0.1}, {1, 0.1}, {3, 1.8e-5}, {4, 1e-6}};
const Given Di34{{0, 0.1}, {1, 0.05}, {3, 1e-3}, {4, 1e-6}};
const Given Di34C{{0, 0.1}, {1, 0.05}, {4, 1e-3}};
const Given Tri35{{0, 0.1}, {1, 0.15}, {3, 1e-2}, {4, 1e-5}, {5, 1e-8}};
const Given Tri35C{{0, 0.1}, {1, 0.15}, {4, 1e-3}, {5, 1e-6}};

INSTANTIATE_TEST_SUITE_P(
    Cases, MixtureRoundTripTest,
    ::testing::Values(RoundTripCase{"StrongStrongAcid", Calc30, {{0, 0.1}, {1, 0.05}}, 5, 0},
                      RoundTripCase{"StrongStrongBase", Calc30, {{0, 0.1}, {1, 0.05}}, 5, 1},
                      RoundTripCase{"StrongAcidWeakBaseAcid", Calc31, Weak31, 5, 0},
                      RoundTripCase{"StrongAcidWeakBaseBase", Calc31, Weak31, 5, 1},
                      RoundTripCase{"StrongAcidWeakBaseConstant", Calc31, Weak31, 5, 4},
                      RoundTripCase{"WeakAcidStrongBaseAcid", Calc32, Weak32, 5, 0},
                      RoundTripCase{"WeakAcidStrongBaseBase", Calc32, Weak32, 5, 1},
                      RoundTripCase{"WeakAcidStrongBaseConstant", Calc32, Weak32, 5, 3},
                      RoundTripCase{"WeakWeakAcid", Calc33, Weak33, 5, 0},
                      RoundTripCase{"WeakWeakBase", Calc33, Weak33, 5, 1},
                      RoundTripCase{"WeakWeakAcidConstant", Calc33, Weak33, 5, 3},
                      RoundTripCase{"WeakWeakBaseConstant", Calc33, Weak33, 5, 4},
                      RoundTripCase{"DiproticAcid", Calc34, Di34, 5, 0},
                      RoundTripCase{"DiproticBase", Calc34, Di34, 5, 1},
                      RoundTripCase{"DiproticK1", Calc34, Di34, 5, 3},
                      RoundTripCase{"DiproticK2", Calc34, Di34, 5, 4},
                      RoundTripCase{"DiproticCAcid", Calc34C, Di34C, 5, 0},
                      RoundTripCase{"DiproticCBase", Calc34C, Di34C, 5, 1},
                      RoundTripCase{"DiproticCK2", Calc34C, Di34C, 5, 4},
                      RoundTripCase{"TriproticAcid", Calc35, Tri35, 2, 0},
                      RoundTripCase{"TriproticBase", Calc35, Tri35, 2, 1},
                      RoundTripCase{"TriproticK1", Calc35, Tri35, 2, 3},
                      RoundTripCase{"TriproticK2", Calc35, Tri35, 2, 4},
                      RoundTripCase{"TriproticK3", Calc35, Tri35, 2, 5},
                      RoundTripCase{"TriproticCAcid", Calc35C, Tri35C, 2, 0},
                      RoundTripCase{"TriproticCBase", Calc35C, Tri35C, 2, 1},
                      RoundTripCase{"TriproticCK2", Calc35C, Tri35C, 2, 4},
                      RoundTripCase{"TriproticCK3", Calc35C, Tri35C, 2, 5}),
    CaseName<RoundTripCase>);

class MixtureRejectionTest : public ::testing::TestWithParam<RejectCase> {};
TEST_P(MixtureRejectionTest, SetsCalcErrorAndLeavesIOValuesAsRead) {
    CheckRejects(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Cases, MixtureRejectionTest,
                         ::testing::Values(
                             // Kw / [OH-] divides by zero in the water triplet.
                             RejectCase{"ZeroHydroxide", Calc30, {{4, 0}}},
                             // pH 13.5 is out of reach of C_b = 0.1: the derived C_a is negative.
                             RejectCase{"DerivedAcidNegative", Calc30, {{1, 0.1}, {2, 13.5}}},
                             RejectCase{"BaseAbove100", Calc31, {{1, 120}}},
                             RejectCase{"InconsistentPHAndH", Calc32, {{2, 3}, {5, 2e-3}}},
                             RejectCase{"DiproticConstantAbove1e90", Calc34, {{4, 2e90}}},
                             RejectCase{"TriproticPHBelowMinimum", Calc35C, {{2, -3}}}),
                         CaseName<RejectCase>);

TEST(Mixtures, ForwardResultsBalanceTheirCharges) {
    const EquilAB weak = Solve(Calc33, Weak33);
    ASSERT_EQ(weak.CalcError, 0);
    const auto& w = weak.IOValues;
    EXPECT_NEAR(w[5] + w[10], w[11] + w[7], 1e-9 * (w[5] + w[10]));
    const EquilAB tri = Solve(Calc35, Tri35);
    ASSERT_EQ(tri.CalcError, 0);
    const auto& t = tri.IOValues;
    EXPECT_NEAR(t[10] + t[13], t[11] + t[7] + 2 * t[8] + 3 * t[9], 1e-9 * t[13]);
    EXPECT_NEAR(t[6] + t[7] + t[8] + t[9], 0.1, 1e-9);
}

} // namespace
