// Fits of synthetic titrations: curves computed from known values with Gaussian noise of a
// fixed seed, recovered within their standard errors.
#include "engine/mixture_titration.h"
#include "fit/fit.h"
#include "fit/titrationmodel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using corvane::engine::EmptyValue;
using corvane::engine::Slots;
using corvane::fit::FitRequest;
using corvane::fit::FitResult;
using corvane::fit::FitTitration;
using corvane::fit::MeasuredPoint;
using corvane::fit::PHOffset;
using corvane::fit::TitrationModel;

constexpr double Noise = 0.01; // pH, a good glass electrode

struct Titration {
    const char* code;
    std::vector<std::pair<int, double>> truth; // every curve slot
    std::vector<int> unknowns;
    double lastVolume; // the points run from 0.5 mL to here every 0.5 mL
};

Slots slotsOf(const Titration& t) {
    Slots s;
    s.fill(EmptyValue);
    for (const auto& [slot, v] : t.truth)
        s[slot] = v;
    return s;
}

std::vector<MeasuredPoint> noisyCurve(const Titration& t, unsigned seed, double from, double to,
                                      double offset = 0) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0, Noise);
    const TitrationModel model(t.code, slotsOf(t), 14.0);
    std::vector<MeasuredPoint> points;
    for (double V = from; V <= to + 1e-9; V += 0.5)
        points.push_back({V, model.pH(V) + offset + noise(random)});
    return points;
}

// The request with the unknowns emptied: every start comes from the data.
FitRequest requestFor(const Titration& t, std::vector<MeasuredPoint> points) {
    FitRequest request;
    request.code = t.code;
    request.values = slotsOf(t);
    request.unknowns = t.unknowns;
    for (int slot : t.unknowns)
        if (slot != PHOffset) request.values[slot] = EmptyValue;
    request.points = std::move(points);
    return request;
}

double truthOf(const Titration& t, int slot) {
    for (const auto& [s, v] : t.truth)
        if (s == slot) return v;
    return 0; // the offset of the synthetic curves
}

const std::vector<Titration>& titrations() {
    static const std::vector<Titration> all{
        {"50", {{0, 0.1}, {1, 25}, {3, 0.1}}, {0}, 40},
        {"51", {{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}}, {0, 2}, 40},
        {"51", {{0, 0.05}, {1, 20}, {2, 1.8e-5}, {3, 0.1}}, {0, 2, PHOffset}, 20},
        {"52", {{0, 0.08}, {1, 25}, {3, 0.1}}, {0}, 35},
        {"53", {{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}}, {0, 2}, 40},
        {"54", {{0, 0.1}, {1, 25}, {3, 1e-3}, {4, 1e-8}, {6, 0.1}}, {0, 3, 4}, 60},
        {"54C", {{0, 0.1}, {1, 25}, {4, 1e-7}, {6, 0.1}}, {0, 4}, 60},
        {"55", {{0, 0.1}, {1, 25}, {3, 7.1e-3}, {4, 6.3e-8}, {5, 4.5e-13}, {6, 0.1}}, {3, 4}, 80},
        {"55", {{0, 0.1}, {1, 25}, {3, 7.1e-3}, {4, 6.3e-8}, {5, 4.5e-13}, {6, 0.1}}, {0, 4}, 80},
        {"55C", {{0, 0.1}, {1, 25}, {4, 6.3e-8}, {5, 1e-11}, {6, 0.1}}, {0, 4, 5}, 80},
    };
    return all;
}

TEST(Fit, RecoversTheValuesOfEveryTitrationCodeWithinThreeStandardErrors) {
    unsigned seed = 20261209;
    for (const Titration& t : titrations()) {
        const FitResult result =
            FitTitration(requestFor(t, noisyCurve(t, ++seed, 0.5, t.lastVolume)));
        ASSERT_TRUE(result.ok()) << t.code << ": " << result.reason;
        ASSERT_EQ(result.fitted.size(), t.unknowns.size());
        for (const corvane::fit::FittedValue& f : result.fitted) {
            const double truth = truthOf(t, f.slot);
            EXPECT_GT(f.se, 0) << t.code << " slot " << f.slot;
            EXPECT_LE(std::abs(f.value - truth), 3 * f.se)
                << t.code << " slot " << f.slot << ": " << f.value << " ± " << f.se << ", truth "
                << truth;
        }
        // The residuals are the noise: RMS near 0.01, and R² near 1 over a curve of many pH.
        EXPECT_NEAR(result.rms, Noise, 0.3 * Noise) << t.code;
        EXPECT_GT(result.r2, 0.999) << t.code;
        EXPECT_EQ(result.points, static_cast<int>(2 * t.lastVolume)) << t.code;
    }
}

// A titration of acetic acid 0.1 mol/L (pK 4.76, 25 mL) with NaOH 0.1 mol/L computed with
// Davies coefficients by the free-mixture solver, each point at its own ionic strength: a fit
// with the same model recovers C_a and k_a, while an ideal one reads a(H+)·[A-]/[HA], larger
// by about 1/γ1 (γ1 ≈ 0.85 at I ≈ 0.03 halfway to the equivalence point).
TEST(Fit, RecoversACurveComputedWithDaviesCoefficients) {
    namespace engine = corvane::engine;
    const engine::MixtureTitration flask{{{"acetic", 0.1, {{"HA", 0}, {"A", -1}}, {4.76}}},
                                         25,
                                         engine::IonComponent("NaOH", "Na", 1, 0.1)};
    const engine::MixtureModel davies{14.0, engine::ActivityModel::Davies, 25.0};
    std::vector<MeasuredPoint> points;
    for (double V = 1; V <= 40; V += 1)
        points.push_back({V, engine::TitrationPoint(flask, V, davies).pH});
    const double ka = std::pow(10.0, -4.76);
    const Titration t{"51", {{0, 0.1}, {1, 25}, {2, ka}, {3, 0.1}}, {0, 2}, 40};
    FitRequest request = requestFor(t, points);
    request.activity = engine::ActivityModel::Davies;
    const FitResult r = FitTitration(request);
    ASSERT_TRUE(r.ok()) << r.reason;
    EXPECT_NEAR(r.fitted[0].value, 0.1, 1e-6);
    EXPECT_NEAR(r.fitted[1].value, ka, 1e-4 * ka);
    EXPECT_LT(r.rms, 1e-6);

    request.activity = engine::ActivityModel::Ideal;
    const FitResult ideal = FitTitration(request);
    ASSERT_TRUE(ideal.ok()) << ideal.reason;
    EXPECT_GT(ideal.fitted[1].value, 1.1 * ka);
    EXPECT_GT(ideal.rms, 10 * r.rms);
}

TEST(Fit, RecoversAnElectrodeOffset) {
    const Titration t{"51", {{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}}, {2, PHOffset}, 40};
    const FitResult result = FitTitration(requestFor(t, noisyCurve(t, 7, 0.5, 40, 0.15)));
    ASSERT_TRUE(result.ok()) << result.reason;
    EXPECT_LE(std::abs(result.fitted[1].value - 0.15), 3 * result.fitted[1].se);
    EXPECT_LE(std::abs(result.fitted[0].value - 1.8e-5), 3 * result.fitted[0].se);
}

TEST(Fit, StandardErrorsAgreeWithTheSpreadOfRepeatedFits) {
    const Titration t{"51", {{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}}, {0, 2}, 40};
    constexpr int Repeats = 60;
    std::array<double, 2> sum{}, sumSquares{}, seSum{};
    for (int r = 0; r < Repeats; ++r) {
        const FitResult result = FitTitration(requestFor(t, noisyCurve(t, 1000 + r, 0.5, 40)));
        ASSERT_TRUE(result.ok()) << result.reason;
        for (int i = 0; i < 2; ++i) {
            sum[i] += result.fitted[i].value;
            sumSquares[i] += result.fitted[i].value * result.fitted[i].value;
            seSum[i] += result.fitted[i].se;
        }
    }
    for (int i = 0; i < 2; ++i) {
        const double mean = sum[i] / Repeats;
        const double spread = std::sqrt((sumSquares[i] - Repeats * mean * mean) / (Repeats - 1));
        const double se = seSum[i] / Repeats;
        EXPECT_LT(se / spread, 1.5) << "unknown " << i;
        EXPECT_GT(se / spread, 1 / 1.5) << "unknown " << i;
    }
}

TEST(Fit, RefusesUnknownsTheDataCannotTellApart) {
    // Between 20 % and 80 % of V_eq the curve is the buffer's: pH ≈ pK_a + log(V / (V_eq − V)),
    // so only pK_a + offset is fixed by the data.
    const Titration t{"51", {{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}}, {2, PHOffset}, 0};
    FitRequest request = requestFor(t, noisyCurve(t, 11, 5, 20));
    request.values[2] = 1e-5; // the guess needs a step in the data; start from a given k_a
    const FitResult result = FitTitration(request);
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.reason.find("cannot tell k_a and pH_offset apart"), std::string::npos)
        << result.reason;
    EXPECT_TRUE(result.fitted.empty());
}

TEST(Fit, RefusesDataNoTitrationReaches) {
    // pH 30 is beyond any titration: from the guesses read off the data k_a runs away and no
    // run converges; from a given k_a it ends where the curve no longer depends on it.
    const Titration t{"51", {{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}}, {2}, 0};
    std::vector<MeasuredPoint> points;
    for (int i = 1; i <= 40; ++i)
        points.push_back({double(i), 30.0 + (i % 2) * 0.5});
    FitRequest request = requestFor(t, points);
    FitResult result = FitTitration(request);
    EXPECT_EQ(result.reason, "the fit did not converge from any of 3 starts");
    EXPECT_TRUE(result.fitted.empty());
    request.values[2] = 1.8e-5;
    result = FitTitration(request);
    EXPECT_EQ(result.reason, "the data do not determine k_a: the Jacobian of the fit is singular");
    EXPECT_TRUE(result.fitted.empty());
}

TEST(Fit, RefusesTooFewPointsNoUnknownsAndNoStart) {
    const Titration t{"51", {{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}}, {0, 2}, 1};
    const FitResult few = FitTitration(requestFor(t, noisyCurve(t, 3, 0.5, 1)));
    EXPECT_EQ(few.reason, "a fit of 2 unknowns needs more than 2 points, not 2");
    FitRequest none = requestFor(t, noisyCurve(t, 3, 0.5, 40));
    none.unknowns.clear();
    EXPECT_EQ(FitTitration(none).reason, "no unknown to fit");
    // Every point at one volume: no step to read V_eq from, and no given C_a to start from.
    FitRequest flat = requestFor(t, {{10, 4.5}, {10, 4.6}, {10, 4.4}});
    EXPECT_EQ(FitTitration(flat).reason,
              "the fit has no start: the data show no step to read the equivalence from, and "
              "not every unknown has a given value");
}

} // namespace
