#include "engine/equilab.h"

#include <gtest/gtest.h>

#include <ostream>

#include <bit>
#include <cmath>

using namespace corvane::engine;

TEST(EmptyValue, HasItsExactBitPattern) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(EmptyValue), 0x7E087706B0213D0AULL);
    EXPECT_TRUE(IsEmpty(1.28E+299));
    EXPECT_FALSE(IsEmpty(std::nextafter(EmptyValue, 0.0)));
    EXPECT_FALSE(IsEmpty(0.0));
    EXPECT_TRUE(IsKnown(0.0));
}

TEST(EquilAB, StartsWithEmptySlotsAndTheWaterConstantsOfItsPKw) {
    EquilAB at25;
    for (double v : at25.IOValues)
        EXPECT_TRUE(IsEmpty(v));
    EXPECT_EQ(at25.Kw, 1e-14);
    EXPECT_EQ(at25.PHMin, -2.0);
    EXPECT_NEAR(at25.PHMax, 34.2362, 1e-4);
    EXPECT_EQ(at25.CalcError, 0);

    EquilAB at37(13.59);
    EXPECT_NEAR(at37.Kw, 2.5703958e-14, 1e-20);
    EXPECT_NEAR(at37.PHMax, 33.2922, 1e-4);
}

TEST(EquilAB, ChangingPKwLaterKeepsThePHMaxOfStartUp) {
    EquilAB state(14.0);
    const double startMax = state.PHMax;
    state.SetPKw(13.59);
    EXPECT_EQ(state.pKw, 13.59);
    EXPECT_NEAR(state.Kw, std::pow(10.0, -13.59), 1e-28);
    EXPECT_EQ(state.PHMax, startMax);
}

struct LogCase {
    double x;
    double expected;
    bool error;
};

void PrintTo(const LogCase& c, std::ostream* os) {
    *os << c.x;
}

class Log10GuardedTest : public ::testing::TestWithParam<LogCase> {};

TEST_P(Log10GuardedTest, GivesTheLogarithmOrTheError) {
    EquilAB state;
    const LogCase c = GetParam();
    const double result = Log10Guarded(state, c.x);
    EXPECT_EQ(state.CalcError, c.error ? 1 : 0);
    if (c.expected == 0.0)
        EXPECT_EQ(result, 0.0);
    else
        EXPECT_NEAR(result, c.expected, 1e-7 * std::abs(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, Log10GuardedTest,
                         ::testing::Values(LogCase{1.0000000005, 0.0, false},
                                           LogCase{1.000000002, 8.6858896e-10, false},
                                           LogCase{100.0, 2.0, false}, LogCase{1e-7, -7.0, false},
                                           LogCase{0.0, 0.0, true}, LogCase{-3.0, 0.0, true}));

TEST(Log10Guarded, NeverClearsAPendingError) {
    EquilAB state;
    state.CalcError = 1;
    Log10Guarded(state, 10.0);
    EXPECT_EQ(state.CalcError, 1);
}

struct TripletCase {
    const char* name;
    double pH, H, OH;
    double wantPH, wantH, wantOH;
    bool changed;
    bool error;
};

void PrintTo(const TripletCase& c, std::ostream* os) {
    *os << c.name;
}

class CompleteWaterTripletTest : public ::testing::TestWithParam<TripletCase> {};

TEST_P(CompleteWaterTripletTest, FillsAndChecksTheTriplet) {
    EquilAB state;
    const TripletCase c = GetParam();
    double pH = c.pH, H = c.H, OH = c.OH;
    bool changed = false;
    CompleteWaterTriplet(state, pH, H, OH, changed);
    EXPECT_EQ(state.CalcError, c.error ? 1 : 0);
    EXPECT_EQ(changed, c.changed);
    auto expectValue = [](double got, double want) {
        if (IsEmpty(want))
            EXPECT_TRUE(IsEmpty(got));
        else
            EXPECT_NEAR(got, want, 1e-9 * std::abs(want));
    };
    expectValue(pH, c.wantPH);
    expectValue(H, c.wantH);
    expectValue(OH, c.wantOH);
}

constexpr double E = EmptyValue;

INSTANTIATE_TEST_SUITE_P(
    Cases, CompleteWaterTripletTest,
    ::testing::Values(
        TripletCase{"OnlyPH", 3, E, E, 3, 1e-3, 1e-11, true, false},
        TripletCase{"OnlyH", E, 1e-3, E, 3, 1e-3, 1e-11, true, false},
        TripletCase{"OnlyOH", E, E, 1e-3, 11, 1e-11, 1e-3, true, false},
        TripletCase{"NothingKnown", E, E, E, E, E, E, false, false},
        // Agreement is measured in pH units, to 0.01: 1.03 is 0.0128 off, 1.02 is 0.0086.
        TripletCase{"ProductOffByAHundredthOfPH", E, 1e-3, 1.03e-11, 3, 1e-3, 1.03e-11, true, true},
        TripletCase{"ProductWithinAHundredthOfPH", E, 1e-3, 1.02e-11, 3, 1e-3, 1.02e-11, true,
                    false},
        TripletCase{"PHDisagreesWithH", 3, 1.03e-3, E, 3, 1.03e-3, 1e-14 / 1.03e-3, true, true},
        TripletCase{"PHAgreesWithH", 3, 1.02e-3, 1e-14 / 1.02e-3, 3, 1.02e-3, 1e-14 / 1.02e-3,
                    false, false},
        // A pH above 10 written with four digits is only good to 0.005 of a pH unit.
        TripletCase{"RoundedPHAboveTenAgrees", 10.08, 8.409e-11, E, 10.08, 8.409e-11,
                    1e-14 / 8.409e-11, true, false},
        TripletCase{"NegativeHDisagrees", 3, -1e-3, E, 3, -1e-3, 1e-14 / -1e-3, true, true}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(CompleteWaterTriplet, ZeroOHIsADivisionByZero) {
    EquilAB state;
    double pH = EmptyValue, H = EmptyValue, OH = 0.0;
    bool changed = false;
    CompleteWaterTriplet(state, pH, H, OH, changed);
    EXPECT_EQ(state.CalcError, 1);
    EXPECT_TRUE(IsEmpty(H));
}

TEST(CompleteWaterTriplet, ZeroHGivesPHZeroWithTheError) {
    EquilAB state;
    double pH = EmptyValue, H = 0.0, OH = EmptyValue;
    bool changed = false;
    CompleteWaterTriplet(state, pH, H, OH, changed);
    EXPECT_EQ(state.CalcError, 1);
    EXPECT_EQ(pH, 0.0);
    EXPECT_TRUE(IsEmpty(OH));
}

TEST(SolvePolynomial, FindsTheNeutralRootOfWater) {
    EquilAB state;
    const double root = SolvePolynomial(state, 0, 0, 0, 1, 0, -1e-14);
    EXPECT_EQ(state.CalcError, 0);
    EXPECT_NEAR(root, 1e-7, 1e-7 * 1e-11);
}

TEST(SolvePolynomial, SolvesTheWeakAcidCubicToWithinItsStopRule) {
    EquilAB state;
    const double Ca = 0.1, ka = 1.8e-5, Kw = 1e-14;
    const double c3 = 1, c2 = ka, c1 = -(Ca * ka + Kw), c0 = -ka * Kw;
    const double root = SolvePolynomial(state, 0, 0, c3, c2, c1, c0);
    EXPECT_EQ(state.CalcError, 0);
    EXPECT_NEAR(root, 1.33267e-3, 1e-8);
    // The cubic changes sign within a relative 1e-11 of the returned midpoint.
    auto p = [&](double x) { return c1 * x + c0 + c2 * x * x + c3 * x * x * x; };
    EXPECT_LT(p(root * (1 - 1e-11)), 0.0);
    EXPECT_GT(p(root * (1 + 1e-11)), 0.0);
}

TEST(SolvePolynomial, HandlesTheHighestDegree) {
    EquilAB state;
    // (x - 1e-3) · (x⁴ + 1) expanded, a single positive root.
    const double root = SolvePolynomial(state, 1, -1e-3, 0, 0, 1, -1e-3);
    EXPECT_EQ(state.CalcError, 0);
    EXPECT_NEAR(root, 1e-3, 1e-14);
}

struct NoRootCase {
    const char* name;
    double c5, c4, c3, c2, c1, c0;
};

void PrintTo(const NoRootCase& c, std::ostream* os) {
    *os << c.name;
}

class SolvePolynomialFailureTest : public ::testing::TestWithParam<NoRootCase> {};

TEST_P(SolvePolynomialFailureTest, SetsCalcErrorAndGivesZero) {
    EquilAB state;
    const NoRootCase c = GetParam();
    EXPECT_EQ(SolvePolynomial(state, c.c5, c.c4, c.c3, c.c2, c.c1, c.c0), 0.0);
    EXPECT_EQ(state.CalcError, 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, SolvePolynomialFailureTest,
                         ::testing::Values(NoRootCase{"PositiveAtTheSmallestX", 0, 0, 0, 0, 1, 1},
                                           NoRootCase{"NeverPositive", 0, 0, 0, 0, 0, -1},
                                           NoRootCase{"OverflowsOnTheWayUp", 0, 0, 1e308, -1e308, 0,
                                                      -1e308}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });
