// Values read off the curve: the engine's value at any x, checked against hand calculations
// and a charge balance solved here by bisection; the slope against the graph's own sweep.
#include "tests/support/graph_fixture.h"

#include "graphs/generators.h"
#include "graphs/readingtext.h"
#include "graphs/valueat.h"

#include "engine/slots.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvane::graphs {
namespace {

namespace solution = engine::slot::solution;
namespace titration = engine::slot::titration;

using test::SolveAndChoose;

SweepFrame frameOf(const GraphSettings& s) {
    return {s.XMin, s.XMax, s.YMin, s.YMax, 1};
}

// pH of a weak acid C_A (constant ka) with strong base C_B, from the charge balance
// h + C_B = Kw / h + C_A·ka / (h + ka), by bisection on log h.
double weakAcidWithBasePH(double CA, double CB, double ka, double Kw = 1e-14) {
    double lo = -15, hi = 1; // log10 h
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2, h = std::pow(10.0, mid);
        const double excess = h + CB - Kw / h - CA * ka / (h + ka);
        (excess > 0 ? hi : lo) = mid;
    }
    return -(lo + hi) / 2;
}

// [H+] of a weak acid alone: h = (-k + sqrt(k² + 4kC)) / 2, water neglected.
double weakAcidH(double C, double k) {
    return (-k + std::sqrt(k * k + 4 * k * C)) / 2;
}

TEST(ValueAt, StrongTitrationAgreesWithHandValues) {
    auto g = SolveAndChoose("50", 29,
                            {{titration::C, 0.1}, {titration::V, 25}, {titration::Titrant, 0.1}});
    const auto r = ReadCurve("50", 29, g.state, frameOf(g.settings), {0, 10, 12.5, 25, 50, 33.3});
    ASSERT_EQ(r.size(), 6u);
    for (const CurveReading& v : r)
        ASSERT_TRUE(v.ok) << v.x << ": " << v.reason;
    EXPECT_NEAR(r[0].y[0], 1.000, 5e-4);
    // 10 mL: 2.5 - 1 mmol acid left in 35 mL.
    EXPECT_NEAR(r[1].y[0], -std::log10(1.5 / 35), 1e-6);
    EXPECT_NEAR(r[2].y[0], -std::log10(1.25 / 37.5), 1e-6);
    EXPECT_NEAR(r[3].y[0], 7.000, 5e-4);
    EXPECT_NEAR(r[4].y[0], 12.523, 5e-4);
    // 33.3 mL is between two sweep points (50/256 apart): 0.83 mmol base over in 58.3 mL.
    EXPECT_NEAR(r[5].y[0], 14 + std::log10(0.83 / 58.3), 1e-6);
    EXPECT_NEAR(*r[1].hydrogen, 1.5 / 35, 1e-9);
    EXPECT_NEAR(*r[1].pH, r[1].y[0], 0);
}

TEST(ValueAt, SlopeIsTheSweepsOwnCentralDifference) {
    auto pH = SolveAndChoose("50", 29,
                             {{titration::C, 0.1}, {titration::V, 25}, {titration::Titrant, 0.1}});
    auto slope = SolveAndChoose(
        "50", 33, {{titration::C, 0.1}, {titration::V, 25}, {titration::Titrant, 0.1}});
    const SweepFrame frame = frameOf(slope.settings);
    // Sweep values 10 and 25 lie on the grid of 0..50 in 256 steps: 10 = 51.2 steps is not,
    // 25 = 128 steps is; read both through the slope kind and through the pH kind.
    const auto onSlope = ReadCurve("50", 33, slope.state, frame, {10, 25});
    const auto onPH = ReadCurve("50", 29, pH.state, frame, {10, 25});
    ASSERT_TRUE(onSlope[0].ok && onSlope[1].ok && onPH[0].ok && onPH[1].ok);
    EXPECT_NEAR(onSlope[0].y[0], 0.0414, 1e-4);
    EXPECT_NEAR(onSlope[1].y[0], 3163, 1);
    EXPECT_EQ(*onPH[0].slope, onSlope[0].y[0]);
    EXPECT_EQ(*onPH[1].slope, onSlope[1].y[0]);
    // The slope at the equivalence point is the one the sweep plots there.
    const Curves curves = G50({33, slope.state, frame});
    EXPECT_EQ(curves.points[128].x, 25);
    EXPECT_EQ(curves.points[128].y[0], onSlope[1].y[0]);
    // Slope kinds know the pH too.
    EXPECT_NEAR(*onSlope[1].pH, 7.0, 5e-4);
}

TEST(ValueAt, WeakAcidTitrationMatchesTheChargeBalance) {
    auto g = SolveAndChoose("51", 29,
                            {{titration::C, 0.1},
                             {titration::V, 25},
                             {titration::K, 1.8e-5},
                             {titration::Titrant, 0.1}});
    const std::vector<double> xs{1, 5, 12.5, 20, 24.9};
    const auto r = ReadCurve("51", 29, g.state, frameOf(g.settings), xs);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        ASSERT_TRUE(r[i].ok);
        const double V = xs[i];
        EXPECT_NEAR(r[i].y[0], weakAcidWithBasePH(2.5 / (25 + V), 0.1 * V / (25 + V), 1.8e-5), 1e-6)
            << V;
    }
    // Half-way the pH is close to pk_a = 4.745.
    EXPECT_NEAR(r[2].y[0], -std::log10(1.8e-5), 2e-3);
}

TEST(ValueAt, OtherKindsReadTheirOwnQuantity) {
    auto acid = SolveAndChoose("11", 1, {{solution::C, 0.1}, {solution::K, 1.8e-5}});
    const auto pH = ReadCurve("11", 1, acid.state, frameOf(acid.settings), {0.1});
    ASSERT_TRUE(pH[0].ok);
    // Water, neglected here, moves the pH by about 1e-9.
    EXPECT_NEAR(pH[0].y[0], -std::log10(weakAcidH(0.1, 1.8e-5)), 5e-9);
    EXPECT_FALSE(pH[0].slope);

    // Molar fractions at pH = pk_a are one half each; [H+] is 10^-x.
    auto fractions = SolveAndChoose("11", 16, {{solution::C, 0.1}, {solution::K, 1.8e-5}});
    const double pk = -std::log10(1.8e-5);
    const auto a = ReadCurve("11", 16, fractions.state, frameOf(fractions.settings), {pk});
    ASSERT_TRUE(a[0].ok);
    EXPECT_EQ(a[0].count, 2);
    EXPECT_NEAR(a[0].y[0], 0.5, 1e-12);
    EXPECT_NEAR(a[0].y[1], 0.5, 1e-12);
    EXPECT_NEAR(*a[0].hydrogen, 1.8e-5, 1e-15);

    // A value far outside the drawn y range is still read (no range test).
    const auto far = ReadCurve("11", 16, fractions.state, {0, 1, 0, 1, 1}, {pk});
    EXPECT_TRUE(far[0].ok);
}

TEST(ValueAt, OutsideTheDomainGivesAReason) {
    auto g = SolveAndChoose("50", 29,
                            {{titration::C, 0.1}, {titration::V, 25}, {titration::Titrant, 0.1}});
    const auto r = ReadCurve("50", 29, g.state, frameOf(g.settings), {-1, 10});
    EXPECT_FALSE(r[0].ok);
    EXPECT_NE(r[0].reason.find("domain"), std::string::npos);
    EXPECT_NE(r[0].reason.find("volume"), std::string::npos);
    EXPECT_TRUE(r[1].ok);

    auto logAxis = SolveAndChoose("11", 2, {{solution::C, 0.1}, {solution::K, 1.8e-5}});
    const auto c = ReadCurve("11", 2, logAxis.state, frameOf(logAxis.settings), {-2.5, 1});
    EXPECT_FALSE(c[0].ok);
    ASSERT_TRUE(c[1].ok);
    EXPECT_NEAR(c[1].y[0], -std::log10(weakAcidH(0.1, 1.8e-5)), 5e-9); // pC_a 1: 0.1 M
}

TEST(ReadingLine, NamesEachQuantityOfTheLine) {
    const std::array<std::string, 5> names{"VSB (mL)", "pH", "", "", ""};
    CurveReading r;
    r.x = 12.5;
    r.ok = true;
    r.count = 1;
    r.y[0] = 4.74526;
    r.pH = 4.74526;
    r.hydrogen = 1.798e-5;
    r.slope = 0.0694;
    EXPECT_EQ(ReadingLine(r, 29, names, 4, ','),
              "VSB (mL) 12,5   pH 4,745   [H+] 1,798E-5   |ΔpH/ΔV| 0,0694");
    // On a slope curve y is the slope; the pH is added and the slope not repeated.
    const std::array<std::string, 5> slopeNames{"VSB (mL)", "ΔpH/ΔV", "", "", ""};
    r.y[0] = 0.0694;
    EXPECT_EQ(ReadingLine(r, 33, slopeNames, 4, '.'),
              "VSB (mL) 12.5   ΔpH/ΔV 0.0694   pH 4.745   [H+] 1.798E-5");
    CurveReading none;
    none.x = -1;
    none.reason = "outside the curve's domain: a volume cannot be negative";
    EXPECT_EQ(ReadingLine(none, 29, names, 4, '.'),
              "VSB (mL) -1: outside the curve's domain: a volume cannot be negative");
}

TEST(ValueAt, ValueListsSplitOnSemicolonsAndSpaces) {
    char separator = '.';
    std::string bad;
    const auto v = ParseValueList("5; 10; 12.5; 24.9", separator, bad);
    ASSERT_TRUE(v);
    EXPECT_EQ(*v, (std::vector<double>{5, 10, 12.5, 24.9}));

    // A comma is a decimal separator here, and switches the output to it.
    const auto comma = ParseValueList("  5;10 12,5;;", separator, bad);
    ASSERT_TRUE(comma);
    EXPECT_EQ(*comma, (std::vector<double>{5, 10, 12.5}));
    EXPECT_EQ(separator, ',');

    EXPECT_FALSE(ParseValueList("5; ten; 7", separator, bad));
    EXPECT_EQ(bad, "ten");
    EXPECT_FALSE(ParseValueList("5 12abc", separator, bad));
    EXPECT_EQ(bad, "12abc");
    // A fraction and a percentage read as in a value field.
    EXPECT_EQ(*ParseValueList("1/4 50%", separator, bad), (std::vector<double>{0.25, 0.5}));
    EXPECT_TRUE(ParseValueList("", separator, bad)->empty());
}

} // namespace
} // namespace corvane::graphs
