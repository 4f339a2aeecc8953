// The shared solver mechanism, driven by small tables made for the test.
#include "engine/shapes.h"
#include "engine/solver.h"
#include "solver_fixture.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>

using namespace corvane::engine;

namespace {

enum : int { X, Y, Z };

// y = 2x, z = y + 1, written in reverse order so that z needs a second pass.
SolverTables chain() {
    return {
        .inputs = {{0, X}, {1, Y}, {2, Z}},
        .validation = {{X, Concentration}, {Y, Concentration}, {Z, Concentration}},
        .consistency = {{"z = y + 1",
                         {Y, Z},
                         [](const Work& w) { return RelativeMismatch(w[Z] - w[Y] - 1, w[Z]); }}},
        .specialCases = {},
        .rules = {Derive("R1", Z, {Y}, [](const Work& w) { return w[Y] + 1; }),
                  Derive("R2", Y, {X}, [](const Work& w) { return 2 * w[X]; })},
        .writeBack = {{0, X}, {1, Y}, {2, Z}},
    };
}

// One rule z = f(x); the test picks f.
SolverTables single(Formula f) {
    return {
        .inputs = {{0, X}},
        .validation = {},
        .consistency = {},
        .specialCases = {},
        .rules = {Derive("R1", Z, {X}, f)},
        .writeBack = {{0, X}, {2, Z}},
    };
}

} // namespace

TEST(RunSolver, RepeatsPassesUntilNothingChanges) {
    EquilAB state;
    state.IOValues[0] = 3;
    RunSolver(state, chain());
    EXPECT_EQ(state.CalcError, 0);
    EXPECT_EQ(state.IOValues[1], 6);
    EXPECT_EQ(state.IOValues[2], 7);
}

TEST(RunSolver, ClearsAnEarlierErrorOnEntry) {
    EquilAB state;
    state.CalcError = 1;
    state.IOValues[0] = 1;
    RunSolver(state, chain());
    EXPECT_EQ(state.CalcError, 0);
}

TEST(RunSolver, ADerivedValueOutOfRangeIsRejectedOnTheNextPassWithNothingWritten) {
    EquilAB state;
    state.IOValues[0] = 60; // y = 120 > 100
    const Slots before = state.IOValues;
    RunSolver(state, chain());
    EXPECT_EQ(state.CalcError, 1);
    EXPECT_TRUE(test::SameBits(state.IOValues, before));
}

TEST(RunSolver, AnInconsistentGroupIsRejected) {
    EquilAB state;
    state.IOValues[1] = 2;
    state.IOValues[2] = 3.1; // z should be 3: mismatch 0.03
    RunSolver(state, chain());
    EXPECT_EQ(state.CalcError, 1);
    state.IOValues[2] = 3.02; // mismatch 0.0066, within 0.01
    RunSolver(state, chain());
    EXPECT_EQ(state.CalcError, 0);
}

struct FaultCase {
    const char* name;
    Formula formula;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

class ArithmeticFaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ArithmeticFaultTest, EndsTheSolverWithCalcErrorAndNoWriteBack) {
    EquilAB state;
    state.IOValues[0] = 0.0;
    const Slots before = state.IOValues;
    RunSolver(state, single(GetParam().formula));
    EXPECT_EQ(state.CalcError, 1);
    EXPECT_TRUE(test::SameBits(state.IOValues, before));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ArithmeticFaultTest,
    ::testing::Values(
        FaultCase{"DivisionByZero", [](const Work& w) { return 1 / w[X]; }},
        FaultCase{"ZeroByZero", [](const Work& w) { return w[X] / w[X]; }},
        FaultCase{"Overflow", [](const Work& w) { return (w[X] + 1e300) * 1e300; }},
        FaultCase{"SquareRootOfNegative", [](const Work& w) { return std::sqrt(w[X] - 1); }},
        FaultCase{"LogarithmOfNegative", [](const Work& w) { return std::log(w[X] - 1); }},
        // The fault is hidden in an intermediate: 1 / (1 / 0) is a finite 0.
        FaultCase{"HiddenDivisionByZero", [](const Work& w) { return 1 / (1 / w[X]); }}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(RunSolver, AnUnusedIntermediateWithEmptyValueIsNoFault) {
    // EmptyValue squared exceeds the double range, but the rule never fires while x is empty.
    EquilAB state;
    RunSolver(state, single([](const Work& w) { return w[X] * w[X]; }));
    EXPECT_EQ(state.CalcError, 0);
    EXPECT_TRUE(IsEmpty(state.IOValues[2]));
}

TEST(RunSolver, AFaultBeforeTheSolverDoesNotCount) {
    EquilAB state;
    volatile double zero = 0.0;
    volatile double inf = 1.0 / zero; // raises the division-by-zero flag
    (void)inf;
    state.IOValues[0] = 2;
    RunSolver(state, single([](const Work& w) { return w[X] + 1; }));
    EXPECT_EQ(state.CalcError, 0);
    EXPECT_EQ(state.IOValues[2], 3);
}

TEST(RunSolver, ATableThatNeverSettlesEndsWithCalcError) {
    // The special case empties z again on every pass, so R1 fills it forever.
    SolverTables loop{
        .inputs = {{0, X}},
        .validation = {},
        .consistency = {},
        .specialCases = {Step("reset", [](Work& w) { w.put(Z, EmptyValue); })},
        .rules = {Derive("R1", Z, {X}, [](const Work& w) { return w[X]; })},
        .writeBack = {{2, Z}},
    };
    EquilAB state;
    state.IOValues[0] = 1;
    RunSolver(state, loop);
    EXPECT_EQ(state.CalcError, 1);
    EXPECT_TRUE(IsEmpty(state.IOValues[2]));
}

TEST(RunSolver, FixedWritesFollowTheWriteBack) {
    SolverTables t = single([](const Work& w) { return w[X]; });
    t.fixedWrites = {{6, 0.0}};
    EquilAB state;
    state.IOValues[0] = 1;
    RunSolver(state, t);
    EXPECT_EQ(state.IOValues[6], 0.0);
}

struct RangeCase {
    const char* name;
    Range range;
    double x;
    bool accepted;
};

void PrintTo(const RangeCase& c, std::ostream* os) {
    *os << c.name;
}

class AcceptsTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(AcceptsTest, BoundsAreExact) {
    const EquilAB state;
    EXPECT_EQ(Accepts(state, GetParam().range, GetParam().x), GetParam().accepted);
}

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Cases, AcceptsTest,
    ::testing::Values(
        RangeCase{"ConcentrationZero", Concentration, 0, true},
        RangeCase{"ConcentrationNegative", Concentration, -0.001, false},
        RangeCase{"ConcentrationMax", Concentration, 100, true},
        RangeCase{"ConcentrationAboveMax", Concentration, 100.001, false},
        RangeCase{"PositiveRejectsZero", PositiveConcentration, 0, false},
        RangeCase{"ConstantMax", Constant, 1e90, true},
        RangeCase{"ConstantAboveMax", Constant, 1.1e90, false},
        RangeCase{"DegreeBelowOne", Degree, 0.999, true}, RangeCase{"DegreeOne", Degree, 1, false},
        RangeCase{"PHMin", PHRange, -2, true}, RangeCase{"BelowPHMin", PHRange, -2.001, false},
        RangeCase{"PHMax", PHRange, 34.2, true}, RangeCase{"AbovePHMax", PHRange, 34.3, false},
        RangeCase{"AcidicNeutral", AcidicH, 1e-7, true},
        RangeCase{"AcidicSlightlyBasic", AcidicH, 0.99999999995e-7, true},
        RangeCase{"AcidicBasic", AcidicH, 0.9999e-7, false},
        RangeCase{"BasicNeutral", BasicH, 1e-7, true},
        RangeCase{"BasicAcidic", BasicH, 1.0001e-7, false},
        RangeCase{"NotANumber", Concentration, NaN, false}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(RelativeMismatch, AnAllZeroGroupBalances) {
    EXPECT_EQ(RelativeMismatch(0, 0), 0);
    EXPECT_TRUE(std::isinf(RelativeMismatch(1, 0)));
    EXPECT_DOUBLE_EQ(RelativeMismatch(-1, 4), 0.25);
}

namespace {

enum : int { S, H, OH, pH, Share };

// h² = S, snapped to neutrality. The share of S follows from h directly before the root solve
// (1) and by another rule after it (2); a rule before the root would take [OH-] from the share
// (5); neutral water marks the share 3.
SolverTables rootBetweenTwoRules() {
    return {
        .inputs = {{0, S}, {1, H}},
        .validation = {},
        .consistency = {},
        .specialCases = {Step(
            "pure water", {H}, [](const Work& w) { return w.isPureWater(H); },
            [](Work& w) { w.put(Share, 3); })},
        .rules = {Derive("R1", Share, {H}, [](const Work&) { return 1.0; }),
                  Derive("R2", OH, {Share, S}, [](const Work&) { return 5.0; }),
                  RootSolve(
                      "R3", H, {S},
                      [](const Work& w) { return std::array<double, 6>{0, 0, 0, 1, 0, -w[S]}; },
                      SnapNeutral(H)),
                  Derive("R4", Share, {H}, [](const Work&) { return 2.0; }),
                  WaterTriplet("R5", pH, H, OH)},
        .writeBack = {{0, S}, {1, H}, {2, OH}, {3, pH}, {4, Share}},
    };
}

} // namespace

TEST(RunSolver, ARootEndsThePassAfterTheWaterStep) {
    EquilAB state;
    state.IOValues[0] = 4e-6;
    RunSolver(state, rootBetweenTwoRules());
    ASSERT_EQ(state.CalcError, 0);
    EXPECT_NEAR(state.IOValues[1], 2e-3, 1e-14);
    EXPECT_NEAR(state.IOValues[3], -std::log10(2e-3), 1e-12);
    EXPECT_NEAR(state.IOValues[2], 5e-12, 1e-24) << "[OH-] follows from the root at once";
    EXPECT_EQ(state.IOValues[4], 1) << "the rule before the root solve comes first";
}

TEST(RunSolver, ANeutralRootIsNotTakenForPureWater) {
    EquilAB state;
    state.IOValues[0] = state.Kw;
    RunSolver(state, rootBetweenTwoRules());
    ASSERT_EQ(state.CalcError, 0);
    EXPECT_EQ(state.IOValues[1], std::sqrt(state.Kw));
    EXPECT_EQ(state.IOValues[4], 1);

    EquilAB given;
    given.IOValues[1] = std::sqrt(given.Kw);
    RunSolver(given, rootBetweenTwoRules());
    ASSERT_EQ(given.CalcError, 0);
    EXPECT_EQ(given.IOValues[4], 3) << "a given neutral [H+] is pure water";
}
