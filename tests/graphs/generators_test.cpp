// The curve values of the generators against reference numbers, and against the solvers they
// share their polynomials with.
#include "graphs/generators.h"

#include "engine/catalogue.h"
#include "engine/slots.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace corvane::graphs {
namespace {

namespace solution = engine::slot::solution;
namespace salt = engine::slot::salt;
namespace mixture = engine::slot::mixture;
namespace buffer = engine::slot::buffer;
namespace titration = engine::slot::titration;

using engine::EquilAB;
using Slots = std::vector<std::pair<int, double>>;

EquilAB problem(const Slots& slots, double pKw = 14.0) {
    EquilAB state(pKw);
    for (auto [slot, v] : slots)
        state.IOValues[slot] = v;
    return state;
}

// The first sweep point of an axis that starts at x and spans `range` (the slope's half-width
// follows the range), with a y range that rejects nothing.
SweepPoint pointAt(const char* code, int kind, const EquilAB& state, double x, double range = 1) {
    const GeneratorInput in{kind, state, {x, x + range, -1e300, 1e300, 1}};
    const Curves curves = GeneratorFor(code)(in);
    EXPECT_FALSE(curves.points.empty());
    if (curves.points.empty()) return {x};
    EXPECT_TRUE(curves.points.front().accepted) << code << " kind " << kind << " x " << x;
    return curves.points.front();
}

struct Reference {
    const char* code;
    int kind;
    Slots slots;
    double x;
    int curve;
    double expected;
    double tolerance;
    double range = 1;
};

// The problems of several reference points.
// C_a or C_b 0.1 mol/L with k_a or k_b 1.8e-5 (acetic acid, ammonia).
const Slots WeakMonoprotic{{solution::C, 0.1}, {solution::K, 1.8e-5}};
// Phosphoric acid 0.1 mol/L.
const Slots Phosphoric{
    {solution::C, 0.1}, {solution::K, 7.5e-3}, {solution::K2, 6.2e-8}, {solution::K3, 4.8e-13}};
// The same without its first constant, and carbonic acid 0.1 mol/L.
const Slots PhosphoricFirstComplete{
    {solution::C, 0.1}, {solution::K2, 6.2e-8}, {solution::K3, 4.8e-13}};
const Slots Carbonic{{solution::C, 0.1}, {solution::K, 4.3e-7}, {solution::K2, 5.6e-11}};
// A diprotic acid whose first dissociation is complete.
const Slots FirstComplete{{solution::C, 0.1}, {solution::K2, 1.2e-2}};
// 0.05 mol/L of strong base beside the swept acid.
const Slots BaseInMixture{{mixture::Cb, 0.05}};
// Carbonic acid 0.1 mol/L beside the swept base.
const Slots CarbonicInMixture{{mixture::Ca, 0.1}, {mixture::Ka, 4.3e-7}, {mixture::Kb, 5.6e-11}};
// 0.1 mol/L acetic acid beside the swept base.
const Slots AcidInMixture{{mixture::Ca, 0.1}, {mixture::Ka, 1.8e-5}};
// Acetic acid and acetate, 0.1 mol/L each.
const Slots AcetateBuffer{{buffer::C, 0.1}, {buffer::CS, 0.1}, {buffer::K, 1.8e-5}};
// 100 mL of it, with 0.1 mol/L strong acid added.
const Slots DilutedAcetateBuffer{{buffer::C, 0.1},
                                 {buffer::CS, 0.1},
                                 {buffer::K, 1.8e-5},
                                 {buffer::Volume, 100},
                                 {buffer::AddedConcentration, 0.1}};
// 25 mL of 0.1 mol/L strong acid and 0.1 mol/L titrant.
const Slots StrongTitration{{titration::C, 0.1}, {titration::V, 25}, {titration::Titrant, 0.1}};

const Reference References[] = {
    // Strong acid: the water equilibrium keeps a dilute acid from becoming basic.
    {"10", 1, {}, 0.01, 0, 2.0, 1e-4},
    {"10", 2, {}, 3, 0, 2.99999999566, 1e-10},
    {"10", 2, {}, 15, 0, 7.0, 1e-6},
    {"11", 1, WeakMonoprotic, 0.1, 0, 2.87528, 1e-5},
    {"11", 11, WeakMonoprotic, 0.1, 0, 0.0133267, 1e-7},
    // At C_a = 0 the limit of a vanishing acid in neutral water: 1.8e-5 / (1.8e-5 + 1e-7).
    {"11", 11, WeakMonoprotic, 0, 0, 0.994475138121547, 1e-12},
    {"11", 8, WeakMonoprotic, -std::log10(1.8e-5), 0, 2.87528, 1e-5},
    {"11", 16, WeakMonoprotic, -std::log10(1.8e-5), 0, 0.5, 1e-12},
    {"11", 16, WeakMonoprotic, -std::log10(1.8e-5), 1, 0.5, 1e-12},
    {"11", 16, WeakMonoprotic, 0, 0, 1 - 1.8e-5, 1e-9},
    {"11", 16, WeakMonoprotic, 0, 1, 1.8e-5, 1e-9},
    {"14", 3, {}, 0.01, 0, 12.0, 1e-4},
    {"14", 4, {}, 15, 0, 7.0, 1e-6},
    {"15", 13, WeakMonoprotic, 0.1, 0, 0.0133267, 1e-7},
    {"15", 13, WeakMonoprotic, 0, 0, 0.994475138121547, 1e-12},
    {"15", 18, WeakMonoprotic, 14 + std::log10(1.8e-5), 0, 0.5, 1e-12},
    {"13", 22, Phosphoric, 7.20761, 1, 0.5, 1e-3},
    {"13", 22, Phosphoric, 7.20761, 2, 0.5, 1e-3},
    {"13", 22, Phosphoric, 7.20761, 0, 4.13e-6, 1e-8},
    {"13", 22, Phosphoric, 7.20761, 3, 3.87e-6, 1e-8},
    {"12C", 20, FirstComplete, 1.5, 0, 0.0, 0},
    {"12C", 20, FirstComplete, -std::log10(1.2e-2), 1, 0.5, 1e-12},
    {"13C", 22, PhosphoricFirstComplete, 9, 0, 0.0, 0},
    {"12", 20, Carbonic, -std::log10(4.3e-7), 0, 0.5, 1e-3},
    {"20", 5, {{salt::CS, 0.5}}, 0.3, 0, 7.0, 1e-12},
    {"30", 1, BaseInMixture, 0.1, 0, 1.30103, 1e-5},
    {"30", 1, BaseInMixture, 0.05, 0, 7.0, 1e-4},
    {"30", 1, BaseInMixture, 0, 0, 12.69897, 1e-5},
    {"32", 3, AcidInMixture, 0, 0, 2.87528, 1e-5},
    {"32", 3, AcidInMixture, 0.05, 0, 4.74504, 1e-5},
    {"32", 3, AcidInMixture, 0.1, 0, 8.87239, 1e-5},
    {"32", 3, AcidInMixture, 0.2, 0, 13.0, 1e-4},
    {"34", 3, CarbonicInMixture, 0.1, 0, 8.30878, 1e-5},
    // Buffer diluted by added strong acid, and the same buffer without dilution.
    {"42", 27, DilutedAcetateBuffer, 0, 0, 4.745, 1e-3},
    {"42", 27, DilutedAcetateBuffer, 50, 0, 4.269, 1e-3},
    {"42", 27, DilutedAcetateBuffer, 100, 0, 2.875, 1e-3},
    {"42", 27, DilutedAcetateBuffer, 200, 0, 1.477, 1e-3},
    {"42", 23, AcetateBuffer, 0, 0, 4.745, 1e-3},
    {"42", 23, AcetateBuffer, 0.1, 0, 2.724, 1e-3},
    {"42", 23, AcetateBuffer, 0.2, 0, 1.000, 1e-3},
    // Strong acid titrated with strong base, and the slope of its curve.
    {"50", 29, StrongTitration, 0, 0, 1.000, 1e-3},
    {"50", 29, StrongTitration, 25, 0, 7.000, 1e-3},
    {"50", 29, StrongTitration, 50, 0, 12.523, 1e-3},
    {"50", 33, StrongTitration, 10, 0, 0.0414, 1e-4, 50},
    {"50", 33, StrongTitration, 25, 0, 3163, 1, 50},
};

class GeneratorReference : public ::testing::TestWithParam<Reference> {};

TEST_P(GeneratorReference, GivesTheReferenceValue) {
    const Reference& r = GetParam();
    const EquilAB state = problem(r.slots);
    const SweepPoint p = pointAt(r.code, r.kind, state, r.x, r.range);
    EXPECT_NEAR(p.y[r.curve], r.expected, r.tolerance)
        << "code " << r.code << " kind " << r.kind << " x " << r.x << " curve " << r.curve;
}

void PrintTo(const Reference& r, std::ostream* os) {
    *os << "code " << r.code << " kind " << r.kind << " x " << r.x << " curve " << r.curve;
}

INSTANTIATE_TEST_SUITE_P(Graphs, GeneratorReference, ::testing::ValuesIn(References),
                         [](const ::testing::TestParamInfo<Reference>& testCase) {
                             std::ostringstream name;
                             name << "G" << testCase.param.code << "_kind" << testCase.param.kind
                                  << "_" << testCase.index;
                             return name.str();
                         });

TEST(Generators, NeutralSaltFollowsTheWaterConstant) {
    EXPECT_NEAR(pointAt("20", 6, problem({{salt::CS, 0.1}}, 13.59), 4).y[0], 6.795, 1e-12);
}

TEST(Generators, NegativeLogAxisSetsTheQuantityFromX) {
    // pC_a = 1 means C_a = 0.1 whatever the solved C_a was.
    const EquilAB solved = problem({{0, 7.0}, {1, 0.1}, {3, 1.8e-5}});
    const EquilAB plain = problem({{0, 0.1}, {1, 0.1}, {3, 1.8e-5}});
    EXPECT_DOUBLE_EQ(pointAt("40", 2, solved, 1).y[0], pointAt("40", 1, plain, 0.1).y[0]);
    EXPECT_NEAR(pointAt("40", 2, solved, 1).y[0], 4.7449, 1e-4);
    // pC = -1 is 10 mol/L: swept values are not range-checked.
    EXPECT_NEAR(pointAt("10", 2, problem({}), -1).y[0], -1.0, 1e-9);
}

TEST(Generators, FractionsAddUpToOneEverywhere) {
    const struct {
        const char* code;
        int kind;
        Slots slots;
    } cases[] = {
        {"11", 16, {{solution::K, 1.8e-5}}},
        {"15", 18, {{solution::K, 1.8e-5}}},
        {"12", 20, {{solution::K, 4.3e-7}, {solution::K2, 5.6e-11}}},
        {"12C", 20, {{solution::K2, 1.2e-2}}},
        {"13", 22, {{solution::K, 7.5e-3}, {solution::K2, 6.2e-8}, {solution::K3, 4.8e-13}}},
        {"13C", 22, {{solution::K2, 6.2e-8}, {solution::K3, 4.8e-13}}},
    };
    for (const auto& c : cases) {
        const EquilAB state = problem(c.slots);
        const Curves curves = GeneratorFor(c.code)({c.kind, state, {-1, 15, 0, 1, 1}});
        ASSERT_EQ(curves.points.size(), 257u) << c.code;
        EXPECT_EQ(curves.accepted, 257) << c.code;
        for (const SweepPoint& p : curves.points) {
            double sum = 0;
            for (int k = 0; k < curves.count; ++k) {
                EXPECT_GE(p.y[k], 0) << c.code;
                EXPECT_LE(p.y[k], 1) << c.code;
                sum += p.y[k];
            }
            EXPECT_NEAR(sum, 1, 1e-12) << c.code << " pH " << p.x;
        }
    }
}

TEST(Generators, DiluteSaltOfWeakBaseNeverExceedsNeutral) {
    const EquilAB state = problem({{0, 0.1}, {4, 1.8e-5}});
    const Curves curves = G21({6, state, {-1, 15, -1, 8, 1}});
    double previous = -1;
    for (const SweepPoint& p : curves.points) {
        ASSERT_TRUE(p.accepted) << p.x;
        EXPECT_LE(p.y[0], 7.0 + 1e-9);
        EXPECT_GE(p.y[0], previous);
        previous = p.y[0];
    }
}

TEST(Generators, TitrationSlopesArePositiveForBothDirections) {
    for (const char* code : {"52", "53"}) {
        const EquilAB state = problem({{titration::C, 0.1},
                                       {titration::V, 25},
                                       {titration::K, 1.8e-5},
                                       {titration::Titrant, 0.1}});
        const Curves curves = GeneratorFor(code)({31, state, {0, 50, 0, 1e9, 1}});
        EXPECT_EQ(curves.accepted, 257) << code;
        for (const SweepPoint& p : curves.points)
            EXPECT_GT(p.y[0], 0) << code << " V " << p.x;
    }
}

// The generator solves the polynomial of the solver's root-solve rule: at the solved point it
// lands on the solver's own pH.
struct Agreement {
    const char* code;
    int kind;
    Slots given;
    double x;
    int pHSlot;
};

TEST(Generators, AgreeWithTheirSolverAtTheSolvedPoint) {
    const Agreement cases[] = {
        {"11", 1, {{solution::C, 0.1}, {solution::K, 1.8e-5}}, 0.1, 1},
        {"12", 1, {{solution::C, 0.1}, {solution::K, 4.3e-7}, {solution::K2, 5.6e-11}}, 0.1, 1},
        {"13C", 1, {{solution::C, 0.1}, {solution::K2, 6.2e-8}, {solution::K3, 4.8e-13}}, 0.1, 1},
        {"15", 3, {{solution::C, 0.1}, {solution::K, 1.8e-5}}, 0.1, 1},
        {"23", 5, {{salt::CS, 0.1}, {salt::Ka, 6.2e-10}, {salt::Kb, 1.8e-5}}, 0.1, 1},
        {"33",
         1,
         {{mixture::Ca, 0.1}, {mixture::Cb, 0.05}, {mixture::Ka, 1.8e-5}, {mixture::Kb, 1.8e-5}},
         0.1,
         2},
        {"35",
         3,
         {{mixture::Ca, 0.1},
          {mixture::Cb, 0.05},
          {mixture::Ka, 7.5e-3},
          {mixture::Kb, 6.2e-8},
          {mixture::K3, 4.8e-13}},
         0.05,
         2},
        {"41", 5, {{buffer::C, 0.1}, {buffer::CS, 0.2}, {buffer::K, 1.8e-5}}, 0.2, 2},
        {"45",
         25,
         {{buffer::C, 0.1}, {buffer::CS, 0.1}, {buffer::K, 1.8e-5}, {buffer::Added, 0.05}},
         0.05,
         2},
    };
    for (const Agreement& c : cases) {
        EquilAB solved = problem(c.given);
        ASSERT_EQ(engine::RunProblem(solved, c.code), engine::DispatchResult::Ran);
        ASSERT_EQ(solved.CalcError, 0) << c.code;
        EXPECT_NEAR(pointAt(c.code, c.kind, solved, c.x).y[0], solved.IOValues[c.pHSlot], 1e-9)
            << c.code;
    }
}

} // namespace
} // namespace corvane::graphs
