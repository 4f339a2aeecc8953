// Buffer solutions, codes 40 to 45.
#include "engine/solvers.h"
#include "solver_fixture.h"

#include <gtest/gtest.h>

using namespace corvane::engine;
using namespace corvane::engine::test;

namespace {

// Slots: 0 C_a or C_b, 1 C_S, 2 pH, 3 k, 4 [OH-] (40, 41) or C_SA / C_SB, 5 [H+], 6 to 8 the
// species, 9 [HX] or [ZOH], 10 [X-] or [Z+], 11 [OH-], 16 the added concentration.
const Given Acid{{0, 0.1}, {1, 0.1}, {3, 1.8e-5}};
const Given AcidWithAdded{{0, 0.1}, {1, 0.1}, {3, 1.8e-5}, {4, 0.05}};

class BufferTest : public ::testing::TestWithParam<SolveCase> {};
TEST_P(BufferTest, FillsInTheReferenceValues) {
    CheckSolves(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BufferTest,
    ::testing::Values(
        SolveCase{"WeakAcid",
                  Calc40,
                  Acid,
                  {{5, 1.7994e-5}, {2, 4.7449}, {7, 0.1}, {6, 0.1}, {8, 0.1}, {4, 5.557e-10}},
                  1e-3},
        SolveCase{"WeakBase", Calc41, Acid, {{2, 9.2551}, {8, 0.1}}, 1e-4},
        SolveCase{"WeakAcidStrongAcidAdded",
                  Calc42,
                  AcidWithAdded,
                  {{2, 4.2682}, {9, 0}, {10, 0.05}, {16, 0.05}},
                  1e-4},
        SolveCase{"WeakBaseStrongAcidAdded", Calc43, AcidWithAdded, {{2, 8.7781}, {9, 0}}, 1e-4},
        SolveCase{
            "WeakAcidStrongBaseAdded", Calc44, AcidWithAdded, {{2, 5.2219}, {16, 0.05}}, 1e-4},
        SolveCase{
            "WeakBaseStrongBaseAdded", Calc45, AcidWithAdded, {{2, 9.7318}, {10, 0.05}}, 1e-4},
        SolveCase{"SaltFromPH", Calc40, {{0, 0.1}, {3, 1.8e-5}, {2, 4.7449}}, {{1, 0.1}}, 1e-3},
        // R4 needs C_a ≠ 0: the constant and the species stay unknown.
        SolveCase{"NoAcidNoConstant",
                  Calc40,
                  {{0, 0}, {1, 0.1}, {2, 5}},
                  {{5, 1e-5}, {4, 1e-9}},
                  1e-9,
                  14.0,
                  {3, 6, 7}},
        SolveCase{
            "NothingDissolved", Calc41, {{0, 0}, {1, 0}}, {{5, 1e-7}, {2, 7}, {6, 0}, {7, 0}}},
        SolveCase{"ZeroConstant",
                  Calc40,
                  {{0, 0.1}, {1, 0.1}, {3, 0}},
                  {{7, 0}, {6, 0.2}, {2, 13}},
                  1e-3}),
    CaseName<SolveCase>);

class BufferRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};
TEST_P(BufferRoundTripTest, RecoversTheLeftOutInput) {
    CheckRoundTrip(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BufferRoundTripTest,
    ::testing::Values(RoundTripCase{"AcidSalt", Calc40, Acid, 5, 1},
                      RoundTripCase{"AcidConcentration", Calc40, Acid, 5, 0},
                      RoundTripCase{"AcidConstant", Calc40, Acid, 5, 3},
                      RoundTripCase{"BaseSalt", Calc41, Acid, 5, 1},
                      RoundTripCase{"BaseConcentration", Calc41, Acid, 5, 0},
                      RoundTripCase{"BaseConstant", Calc41, Acid, 5, 3},
                      RoundTripCase{"AddedAcidSalt", Calc42, AcidWithAdded, 5, 1},
                      RoundTripCase{"AddedAcidAcid", Calc42, AcidWithAdded, 5, 0},
                      RoundTripCase{"AddedAcidConstant", Calc42, AcidWithAdded, 5, 3},
                      RoundTripCase{"AddedAcidAmount", Calc42, AcidWithAdded, 5, 4},
                      RoundTripCase{"BaseAddedAcidSalt", Calc43, AcidWithAdded, 5, 1},
                      RoundTripCase{"BaseAddedAcidBase", Calc43, AcidWithAdded, 5, 0},
                      RoundTripCase{"BaseAddedAcidConstant", Calc43, AcidWithAdded, 5, 3},
                      RoundTripCase{"BaseAddedAcidAmount", Calc43, AcidWithAdded, 5, 4},
                      RoundTripCase{"AcidAddedBaseSalt", Calc44, AcidWithAdded, 5, 1},
                      RoundTripCase{"AcidAddedBaseAcid", Calc44, AcidWithAdded, 5, 0},
                      RoundTripCase{"AcidAddedBaseConstant", Calc44, AcidWithAdded, 5, 3},
                      RoundTripCase{"AcidAddedBaseAmount", Calc44, AcidWithAdded, 5, 4},
                      RoundTripCase{"AddedBaseSalt", Calc45, AcidWithAdded, 5, 1},
                      RoundTripCase{"AddedBaseBase", Calc45, AcidWithAdded, 5, 0},
                      RoundTripCase{"AddedBaseConstant", Calc45, AcidWithAdded, 5, 3},
                      RoundTripCase{"AddedBaseAmount", Calc45, AcidWithAdded, 5, 4}),
    CaseName<RoundTripCase>);

class BufferRejectionTest : public ::testing::TestWithParam<RejectCase> {};
TEST_P(BufferRejectionTest, SetsCalcErrorAndLeavesIOValuesAsRead) {
    CheckRejects(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BufferRejectionTest,
    ::testing::Values(RejectCase{"ZeroH", Calc40, {{5, 0}}},
                      RejectCase{"SaltAbove100", Calc42, {{1, 100.5}}},
                      RejectCase{"AddedAboveHundred", Calc44, {{4, 101}}},
                      // R3 divides by k_a = 0.
                      RejectCase{
                          "ConcentrationWithZeroConstant", Calc40, {{1, 0.1}, {3, 0}, {2, 5}}},
                      RejectCase{"NegativeConstant", Calc45, {{3, -1e-5}}},
                      RejectCase{"HAndOHDisagree", Calc41, {{4, 1e-3}, {5, 1e-3}}}),
    CaseName<RejectCase>);

TEST(Buffers, TypedSpeciesRowsAreIgnoredAndSlot15IsUntouched) {
    const EquilAB plain = Solve(Calc42, AcidWithAdded);
    Given withSpecies = AcidWithAdded;
    withSpecies.insert(withSpecies.end(),
                       {{6, 5.0}, {7, 5.0}, {11, 5.0}, {slot::buffer::Volume, 123.0}});
    const EquilAB typed = Solve(Calc42, withSpecies);
    ASSERT_EQ(typed.CalcError, 0);
    for (int slot = 0; slot <= 11; ++slot)
        EXPECT_EQ(typed.IOValues[slot], plain.IOValues[slot]);
    EXPECT_EQ(typed.IOValues[slot::buffer::Volume], 123.0);
}

TEST(Buffers, ResultsBalanceTheirCharges) {
    const EquilAB s = Solve(Calc44, AcidWithAdded);
    ASSERT_EQ(s.CalcError, 0);
    const auto& v = s.IOValues;
    // [H+] + [B+] + [Z+] = [OH-] + [A-]
    EXPECT_NEAR(v[5] + v[8] + v[10], v[11] + v[7], 1e-9 * v[7]);
    EXPECT_NEAR(v[6] + v[7], 0.2, 1e-9);
}

} // namespace
