// Titrations, codes 50 to 55C.
#include "engine/solvers.h"
#include "solver_fixture.h"

#include <gtest/gtest.h>

using namespace corvane::engine;
using namespace corvane::engine::test;

namespace {

// Slots of codes 50 to 53: 0 analyte, 1 its volume, 2 constant, 3 titrant, 4 V_eq, 5 pH_eq,
// 9 [H+], 12 [OH-], 15 EquivalenceSlope.
const Given StrongAcid{{0, 0.1}, {1, 25}, {3, 0.1}};
const Given WeakAcid{{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}};

// Slots of codes 54 to 55C: 0 C_a, 1 V_a, 3 to 5 k_1 to k_3, 6 C_SB, 7 V_eq, 8 pH_eq, 9 [H+],
// 10 V_eq1, 11 pH_eq1, 12 [OH-], 13 V_eq2, 14 pH_eq2.
const Given Diprotic{{0, 0.1}, {1, 25}, {6, 0.1}, {3, 1e-4}, {4, 1e-8}};
const Given DiproticC{{0, 0.1}, {1, 25}, {6, 0.1}, {4, 1e-8}};
const Given Triprotic{{0, 0.1}, {1, 25}, {6, 0.1}, {3, 7.1e-3}, {4, 6.3e-8}, {5, 4.5e-13}};
const Given TriproticC{{0, 0.1}, {1, 25}, {6, 0.1}, {4, 6.3e-8}, {5, 4.5e-13}};

class TitrationTest : public ::testing::TestWithParam<SolveCase> {};
TEST_P(TitrationTest, FillsInTheReferenceValues) {
    CheckSolves(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TitrationTest,
    ::testing::Values(
        SolveCase{"StrongAcid",
                  Calc50,
                  StrongAcid,
                  {{4, 25}, {5, 7}, {9, 1e-7}, {12, 1e-7}, {15, 3048.6}},
                  1e-4},
        SolveCase{"WeakAcid", Calc51, WeakAcid, {{4, 25}, {5, 8.7219}, {15, 82.37}}, 1e-4},
        SolveCase{"WeakAcidConstantFromPH",
                  Calc51,
                  {{0, 0.1}, {1, 25}, {3, 0.1}, {5, 8.7219}},
                  {{2, 1.8e-5}},
                  1e-4},
        SolveCase{"StrongBase", Calc52, StrongAcid, {{4, 25}, {5, 7}, {15, 3048.6}}, 1e-4},
        SolveCase{"WeakBase", Calc53, WeakAcid, {{5, 5.2781}, {15, 82.37}}, 1e-4},
        SolveCase{
            "NoEquivalenceVolume", Calc50, {{0, 0.1}, {1, 25}}, {{5, 7}}, 1e-9, 14.0, {4, 15}},
        SolveCase{"Diprotic",
                  Calc54,
                  Diprotic,
                  {{7, 50}, {10, 25}, {8, 10.2603}, {11, 6.0004}, {15, 1.5916}},
                  1e-4},
        SolveCase{"DiproticFirstComplete",
                  Calc54C,
                  DiproticC,
                  {{8, 10.2603}, {11, 4.6506}, {15, 19.43}},
                  1e-3},
        SolveCase{
            "Triprotic",
            Calc55,
            Triprotic,
            {{7, 75}, {10, 25}, {13, 50}, {8, 12.1746}, {11, 4.7037}, {14, 9.6623}, {15, 2.744}},
            1e-3},
        SolveCase{"TriproticFirstComplete",
                  Calc55C,
                  TriproticC,
                  {{7, 75}, {8, 12.1746}, {11, 4.2511}, {14, 9.6623}},
                  1e-4},
        SolveCase{"DiproticBaseFactorTwo", Calc54, {{0, 0.1}, {1, 25}, {7, 50}}, {{6, 0.1}}, 1e-12},
        SolveCase{
            "DiproticBaseAtHalfVolume", Calc54, {{0, 0.1}, {1, 25}, {7, 25}}, {{6, 0.2}}, 1e-12},
        SolveCase{"TriproticBaseFactorThree",
                  Calc55,
                  {{0, 0.1}, {1, 25}, {7, 75}},
                  {{6, 0.1}, {13, 50}},
                  1e-12},
        SolveCase{
            "DiproticVolumeFromBase", Calc54C, {{0, 0.1}, {6, 0.2}, {7, 50}}, {{1, 50}}, 1e-12}),
    CaseName<SolveCase>);

class TitrationRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};
TEST_P(TitrationRoundTripTest, RecoversTheConstantFromThePH) {
    CheckRoundTrip(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TitrationRoundTripTest,
    ::testing::Values(
        RoundTripCase{"WeakAcid", Calc51, WeakAcid, 5, 2},
        RoundTripCase{"WeakBase", Calc53, WeakAcid, 5, 2},
        RoundTripCase{
            "DiproticK1", Calc54, {{0, 0.1}, {1, 25}, {6, 0.1}, {3, 1e-2}, {4, 1e-3}}, 8, 3},
        RoundTripCase{"DiproticK2", Calc54, Diprotic, 8, 4},
        RoundTripCase{"DiproticCK2", Calc54C, DiproticC, 8, 4},
        RoundTripCase{"TriproticK3",
                      Calc55,
                      {{0, 0.1}, {1, 25}, {6, 0.1}, {3, 1e-2}, {4, 1e-4}, {5, 1e-8}},
                      8,
                      5},
        RoundTripCase{
            "TriproticCK3", Calc55C, {{0, 0.1}, {1, 25}, {6, 0.1}, {4, 1e-4}, {5, 1e-8}}, 8, 5}),
    CaseName<RoundTripCase>);

class TitrationRejectionTest : public ::testing::TestWithParam<RejectCase> {};
TEST_P(TitrationRejectionTest, SetsCalcErrorAndLeavesIOValuesAsRead) {
    CheckRejects(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TitrationRejectionTest,
    ::testing::Values(
        RejectCase{"AmountsDiffer", Calc50, {{0, 0.1}, {1, 25}, {3, 0.1}, {4, 26}}},
        RejectCase{"PolyproticAmountsDiffer", Calc54, {{0, 0.1}, {1, 25}, {6, 0.1}, {7, 52}}},
        RejectCase{"ZeroConcentration", Calc50, {{0, 0}}},
        RejectCase{"ZeroVolume", Calc52, {{1, 0}}}, RejectCase{"ZeroConstant", Calc51, {{2, 0}}},
        RejectCase{"ZeroTitrant", Calc55C, {{6, 0}}},
        RejectCase{"PHAboveMaximum", Calc53, {{5, 40}}}),
    CaseName<RejectCase>);

TEST(Titrations, TypedResultRowsAreIgnored) {
    Given typed = WeakAcid;
    typed.push_back({9, 0.5});
    const EquilAB state = Solve(Calc51, typed);
    ASSERT_EQ(state.CalcError, 0);
    ExpectSlot(state, 5, 8.7219, 1e-4);

    Given typedVolume = Diprotic;
    typedVolume.push_back({10, 99});
    ExpectSlot(Solve(Calc54, typedVolume), 10, 25);
}

TEST(Titrations, FirstCompleteVariantsLeaveSlot3Alone) {
    Given given = TriproticC;
    given.push_back({slot::polyprotic_titration::K1, 42});
    const EquilAB state = Solve(Calc55C, given);
    ASSERT_EQ(state.CalcError, 0);
    EXPECT_EQ(state.IOValues[slot::polyprotic_titration::K1], 42);
}

TEST(Titrations, AFailedSlopeKeepsTheWrittenValues) {
    // V_eq at the bottom of the double range: the slope step δ is zero and the difference 0 / 0.
    const EquilAB state = Solve(Calc50, {{1, 1}, {3, 1}, {4, 4.9406564584124654e-324}});
    EXPECT_EQ(state.CalcError, 1);
    namespace t = slot::titration;
    EXPECT_TRUE(IsEmpty(state.IOValues[t::Slope]));
    EXPECT_EQ(state.IOValues[t::Veq], 4.9406564584124654e-324);
    EXPECT_EQ(state.IOValues[t::V], 1);
    EXPECT_NEAR(state.IOValues[t::PHeq], 7, 1e-12);
    EXPECT_TRUE(IsKnown(state.IOValues[t::C]));
}

TEST(Titrations, TheSlopeIsTheLargestOverTheEquivalencePoints) {
    // The first point of code 54C is far sharper than the last.
    const EquilAB first = Solve(Calc54C, DiproticC);
    const EquilAB both = Solve(Calc54, Diprotic);
    ASSERT_EQ(first.CalcError, 0);
    ASSERT_EQ(both.CalcError, 0);
    namespace t = slot::polyprotic_titration;
    EXPECT_GT(first.IOValues[t::Slope], 10 * both.IOValues[t::Slope]);
}

} // namespace
