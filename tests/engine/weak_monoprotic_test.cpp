#include "engine/solvers.h"
#include "solver_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace corvane::engine;
using namespace corvane::engine::test;

namespace {

constexpr double E = EmptyValue;

// Slots of code 11 and code 15.
enum AcidSlot { Ca = 0, pHa = 1, Ha = 2, ka = 3, alphaA = 4, HA = 6, A = 7, OHa = 9 };
enum BaseSlot { Cb = 0, pHb = 1, Hb = 2, kb = 3, alphaB = 4, OHb = 5, BOH = 6, B = 7 };

class WeakMonoproticTest : public ::testing::TestWithParam<SolveCase> {};

TEST_P(WeakMonoproticTest, FillsInTheReferenceValues) {
    const SolveCase& c = GetParam();
    EquilAB state;
    for (auto [slot, value] : c.given)
        state.IOValues[slot] = value;
    c.solver(state);
    ASSERT_EQ(state.CalcError, 0);
    for (const Expected& e : c.expected)
        ExpectSlot(state, e.slot, e.value, c.tolerance);
}

const double Neutral = 1e-7;

INSTANTIATE_TEST_SUITE_P(
    Cases, WeakMonoproticTest,
    ::testing::Values(
        SolveCase{"AcidForwards",
                  Calc11,
                  {{Ca, 0.1}, {ka, 1.8e-5}},
                  {{Ha, 1.33267e-3},
                   {pHa, 2.87528},
                   {alphaA, 0.0133267},
                   {A, 1.33267e-3},
                   {HA, 0.0986673},
                   {OHa, 7.5037e-12}}},
        SolveCase{"AcidConstantFromPH", Calc11, {{Ca, 0.1}, {pHa, 2.87528}}, {{ka, 1.8e-5}}, 1e-4},
        SolveCase{"AcidConcentrationFromPHAndConstant",
                  Calc11,
                  {{pHa, 2.87528}, {ka, 1.8e-5}},
                  {{Ca, 0.1}},
                  1e-4},
        SolveCase{"AcidConstantZero",
                  Calc11,
                  {{Ca, 0.1}, {ka, 0}},
                  {{alphaA, 0}, {A, 0}, {HA, 0.1}, {Ha, Neutral}, {pHa, 7}, {OHa, Neutral}}},
        SolveCase{"AcidConcentrationZero",
                  Calc11,
                  {{Ca, 0}, {ka, 1e-3}},
                  {{Ha, Neutral}, {pHa, 7}, {alphaA, 0}, {A, 0}, {HA, 0}}},
        SolveCase{"AcidFromDegreeAndConstant",
                  Calc11,
                  {{alphaA, 0.5}, {ka, 1e-4}},
                  {{Ha, 1e-4}, {Ca, 1.99999e-4}, {A, 1e-4 * 0.99999}}},
        SolveCase{"AcidFromConcentrationAndDegree",
                  Calc11,
                  {{Ca, 0.1}, {alphaA, 0.0133267}},
                  {{Ha, 1.33267e-3}, {ka, 1.8e-5}},
                  1e-4},
        SolveCase{"BaseForwards",
                  Calc15,
                  {{Cb, 0.1}, {kb, 1.8e-5}},
                  {{OHb, 1.33267e-3},
                   {pHb, 11.12472},
                   {alphaB, 0.0133267},
                   {B, 1.33267e-3},
                   {BOH, 0.0986673}}},
        SolveCase{"BaseConstantFromPH", Calc15, {{Cb, 0.1}, {pHb, 11.12472}}, {{kb, 1.8e-5}}, 1e-4},
        SolveCase{"BaseConcentrationFromOHAndDegree",
                  Calc15,
                  {{OHb, 1.33267e-3}, {alphaB, 0.0133267}},
                  {{Cb, 0.1}, {kb, 1.8e-5}},
                  1e-4},
        // Neutral within 1e-8, but the base keeps its concentration and dissociates into
        // neutral water: alpha = k_b / (k_b + 1e-7).
        SolveCase{"BaseSoDiluteKeepsItsConcentration",
                  Calc15,
                  {{Cb, 1e-16}, {kb, 1e-5}},
                  {{Cb, 1e-16},
                   {alphaB, 1 / 1.01},
                   {B, 1e-16 / 1.01},
                   {BOH, 1e-18 / 1.01},
                   {Hb, Neutral},
                   {OHb, Neutral},
                   {pHb, 7}},
                  1e-9},
        SolveCase{"BaseConstantZero",
                  Calc15,
                  {{Cb, 0.1}, {kb, 0}},
                  {{alphaB, 0}, {B, 0}, {BOH, 0.1}, {Hb, Neutral}}}),
    CaseName<SolveCase>);

class WeakMonoproticRejectionTest : public ::testing::TestWithParam<RejectCase> {};

TEST_P(WeakMonoproticRejectionTest, SetsCalcErrorAndLeavesIOValuesAsRead) {
    EquilAB state;
    for (auto [slot, value] : GetParam().given)
        state.IOValues[slot] = value;
    const Slots before = state.IOValues;
    GetParam().solver(state);
    EXPECT_EQ(state.CalcError, 1);
    EXPECT_TRUE(SameBits(state.IOValues, before));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WeakMonoproticRejectionTest,
    ::testing::Values(
        RejectCase{"AcidGivenABasicPH", Calc11, {{pHa, 7.5}}},
        RejectCase{"BaseGivenAnAcidicPH", Calc15, {{pHb, 6.5}}},
        RejectCase{"AcidConcentrationAbove100", Calc11, {{Ca, 100.001}, {ka, 1e-5}}},
        RejectCase{"BaseConcentrationNegative", Calc15, {{Cb, -0.001}}},
        RejectCase{"DegreeOne", Calc11, {{alphaA, 1}}},
        RejectCase{"ConstantAbove1e90", Calc15, {{kb, 1e91}}},
        RejectCase{"PHBelowPHMin", Calc11, {{pHa, -2.5}}}, RejectCase{"ZeroH", Calc11, {{Ha, 0}}},
        RejectCase{"PHAndHDisagree", Calc11, {{pHa, 3}, {Ha, 2e-3}, {Ca, 0.1}}},
        // alpha = 0.005 at pH 0 needs C_a = 200: the derived value fails the next pass.
        RejectCase{"DerivedConcentrationAbove100", Calc11, {{pHa, 0}, {alphaA, 0.005}}},
        // Slightly below neutral [H+] passes the acid bound but gives a negative C_a.
        RejectCase{
            "DerivedConcentrationNegative", Calc11, {{Ha, 1e-7 / 1.00000000005}, {alphaA, 0.5}}},
        // alpha and k_a derived from C_a and [H+] break the charge balance.
        RejectCase{"OverDetermined", Calc11, {{Ca, 0.1}, {Ha, 1e-3}, {ka, 1e-3}}},
        // alpha = 0 leaves C_a undetermined: 0 / 0 in R3.
        RejectCase{"DegreeZeroAlone", Calc11, {{alphaA, 0}}}),
    CaseName<RejectCase>);

// The forward results satisfy their own charge balance, equilibrium and mass balance.
class WeakAcidBalanceTest : public ::testing::TestWithParam<std::pair<double, double>> {};

TEST_P(WeakAcidBalanceTest, ResultsBalance) {
    const auto [C, k] = GetParam();
    const EquilAB acid = Solve(Calc11, {{Ca, C}, {ka, k}});
    ASSERT_EQ(acid.CalcError, 0);
    const auto& a = acid.IOValues;
    EXPECT_NEAR(a[Ha], a[OHa] + a[A], 1e-9 * a[Ha]);
    EXPECT_NEAR(a[HA] + a[A], C, 1e-9 * C);
    EXPECT_NEAR(a[Ha] * a[A] / a[HA], k, 1e-9 * k);

    const EquilAB base = Solve(Calc15, {{Cb, C}, {kb, k}});
    ASSERT_EQ(base.CalcError, 0);
    const auto& b = base.IOValues;
    EXPECT_NEAR(b[OHb], b[Hb] + b[B], 1e-9 * b[OHb]);
    EXPECT_NEAR(b[BOH] + b[B], C, 1e-9 * C);
    EXPECT_NEAR(b[B] * b[OHb] / b[BOH], k, 1e-9 * k);
}

INSTANTIATE_TEST_SUITE_P(Grid, WeakAcidBalanceTest,
                         ::testing::Values(std::pair{0.1, 1.8e-5}, std::pair{1e-3, 1e-2},
                                           std::pair{10.0, 1e-9}, std::pair{1e-5, 1e-5},
                                           std::pair{1.0, 5.0}));

TEST(Calc11, BackwardsRoundTripRecoversTheInputs) {
    const EquilAB forwards = Solve(Calc11, {{Ca, 0.02}, {ka, 6.3e-5}});
    ASSERT_EQ(forwards.CalcError, 0);
    const double pH = forwards.IOValues[pHa];
    const EquilAB fromConstant = Solve(Calc11, {{pHa, pH}, {ka, 6.3e-5}});
    ASSERT_EQ(fromConstant.CalcError, 0);
    ExpectSlot(fromConstant, Ca, 0.02, 1e-9);
    const EquilAB fromConcentration = Solve(Calc11, {{pHa, pH}, {Ca, 0.02}});
    ASSERT_EQ(fromConcentration.CalcError, 0);
    ExpectSlot(fromConcentration, ka, 6.3e-5, 1e-9);
}

TEST(Calc11, NothingGivenComputesNothing) {
    const EquilAB state = Solve(Calc11, {});
    EXPECT_EQ(state.CalcError, 0);
    for (double v : state.IOValues)
        EXPECT_TRUE(IsEmpty(v));
}

TEST(Calc11, PureWaterAt37Degrees) {
    const EquilAB state = Solve(Calc11, {{Ca, 0}}, 13.59);
    ASSERT_EQ(state.CalcError, 0);
    ExpectSlot(state, pHa, 6.795, 1e-9);
}

TEST(Calc15, DegreeZeroAloneLeavesTheConcentrationUndetermined) {
    // Code 15's R3 divides by alpha too, so C_b stays undetermined and the run fails.
    const EquilAB state = Solve(Calc15, {{alphaB, 0}});
    EXPECT_EQ(state.CalcError, 1);
}

TEST(Calc15, TypedResultSlotsAreNotRead) {
    const EquilAB state = Solve(Calc15, {{Cb, 0.1}, {kb, 1.8e-5}, {BOH, 42}, {B, E}});
    ASSERT_EQ(state.CalcError, 0);
    ExpectSlot(state, BOH, 0.0986673);
}

} // namespace
