// The model pH against the equivalence-point values of the titration solvers' reference cases.
#include "fit/guess.h"
#include "fit/titrationmodel.h"

#include "engine/equilab.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using corvane::engine::EmptyValue;
using corvane::engine::Slots;
using corvane::fit::TitrationModel;

Slots slots(std::initializer_list<std::pair<int, double>> values) {
    Slots s;
    s.fill(EmptyValue);
    for (const auto& [slot, v] : values)
        s[slot] = v;
    return s;
}

struct Reference {
    const char* code;
    Slots values;
    double V, pH, tolerance;
};

TEST(TitrationModel, MatchesTheReferencePoints) {
    const Slots s50 = slots({{0, 0.1}, {1, 25}, {3, 0.1}});
    const Slots s51 = slots({{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}});
    const Slots s54 = slots({{0, 0.1}, {1, 25}, {3, 1e-4}, {4, 1e-8}, {6, 0.1}});
    const Slots s55 = slots({{0, 0.1}, {1, 25}, {3, 7.1e-3}, {4, 6.3e-8}, {5, 4.5e-13}, {6, 0.1}});
    for (const Reference& r : {
             Reference{"50", s50, 0, 1.0, 1e-9},
             Reference{"50", s50, 25, 7.0, 1e-9},
             Reference{"50", s50, 50, 12.523, 5e-4},
             Reference{"52", s50, 25, 7.0, 1e-9},
             Reference{"52", s50, 0, 13.0, 1e-9},
             Reference{"51", s51, 25, 8.7219, 5e-5},
             Reference{"53", s51, 25, 5.2781, 5e-5},
             Reference{"54", s54, 25, 6.0004, 5e-5},
             Reference{"54", s54, 50, 10.2603, 5e-5},
             Reference{"54C", s54, 25, 4.6506, 5e-5},
             Reference{"55", s55, 25, 4.7037, 5e-5},
             Reference{"55", s55, 50, 9.6623, 5e-5},
             Reference{"55", s55, 75, 12.1746, 5e-5},
             Reference{"55C", s55, 25, 4.2511, 5e-5},
         }) {
        const TitrationModel model(r.code, r.values, 14.0);
        EXPECT_NEAR(model.pH(r.V), r.pH, r.tolerance) << r.code << " at " << r.V << " mL";
    }
}

TEST(TitrationModel, HalfEquivalencePHIsNearThePKa) {
    // Acetic acid 0.1 M: at half neutralisation pH ≈ pK_a = 4.745 (Henderson–Hasselbalch; the
    // acid's own dissociation shifts it by under 0.01).
    const TitrationModel model("51", slots({{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}}), 14.0);
    EXPECT_NEAR(model.pH(12.5), -std::log10(1.8e-5), 0.01);
}

TEST(TitrationModel, RefusesACodeThatIsNoTitration) {
    EXPECT_THROW(TitrationModel("11", Slots{}, 14.0), std::invalid_argument);
    EXPECT_TRUE(corvane::fit::CurveSlots("42").empty());
}

TEST(Guess, ReadsTheEquivalenceAndThePKOffTheCurve) {
    const Slots s = slots({{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}});
    const TitrationModel model("51", s, 14.0);
    std::vector<corvane::fit::MeasuredPoint> points;
    for (double V = 1; V <= 40; V += 1)
        points.push_back({V, model.pH(V)});
    // The step is one of the two intervals that meet at 25 mL.
    EXPECT_NEAR(corvane::fit::SteepestStepVolume(points), 25, 0.5 + 1e-12);
    EXPECT_NEAR(corvane::fit::PHAt(points, 12.5), (model.pH(12) + model.pH(13)) / 2, 1e-12);
    EXPECT_NEAR(corvane::fit::GuessedPK(points, "51", 2, 25, 14.0), 4.745, 0.02);
    // A base constant is pKw − pH: the same curve read as code 53 gives pK_b = 14 − 4.745.
    EXPECT_NEAR(corvane::fit::GuessedPK(points, "53", 2, 25, 14.0), 9.255, 0.02);
}

} // namespace
