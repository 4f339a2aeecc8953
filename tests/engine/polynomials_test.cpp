// The back-solves against the forward polynomials they invert: with the unknown they give, the
// polynomial of the mixture (codes 34 to 35C) and of the titration at equivalence (54 to 55C)
// has its root at the h they started from.
#include "engine/polynomials.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>

namespace corvane::engine {
namespace {

constexpr double C = 0.1, D = 0.05, K1 = 7.1e-3, K2 = 6.3e-8, K3 = 4.5e-13, Kw = 1e-14;

struct BackSolveCase {
    const char* name;
    /// The unknown from h, the other quantities as above.
    std::function<double(double h)> backSolve;
    /// The forward polynomials with the unknown set to x: the mixture's and the titration's.
    std::function<PolynomialCoefficients(double x)> mixture;
    std::function<PolynomialCoefficients(double x)> titration;
};

void PrintTo(const BackSolveCase& c, std::ostream* os) {
    *os << c.name;
}

// The titration's polynomial is the mixture's equation written with the flask concentrations.
const BackSolveCase Cases[] = {
    {"34_Acid", [](double h) { return BackSolve34Acid(h, D, K1, K2, Kw); },
     [](double x) { return Polynomial34(x, D, K1, K2, Kw); },
     [](double x) { return Polynomial54(x, D, K1, K2, Kw); }},
    {"34_Base", [](double h) { return BackSolve34Base(h, C, K1, K2, Kw); },
     [](double x) { return Polynomial34(C, x, K1, K2, Kw); },
     [](double x) { return Polynomial54(C, x, K1, K2, Kw); }},
    {"34_K1", [](double h) { return BackSolve34K1(h, C, D, K2, Kw); },
     [](double x) { return Polynomial34(C, D, x, K2, Kw); },
     [](double x) { return Polynomial54(C, D, x, K2, Kw); }},
    {"34_K2", [](double h) { return BackSolve34K2(h, C, D, K1, Kw); },
     [](double x) { return Polynomial34(C, D, K1, x, Kw); },
     [](double x) { return Polynomial54(C, D, K1, x, Kw); }},
    {"34C_Acid", [](double h) { return BackSolve34CAcid(h, D, K2, Kw); },
     [](double x) { return Polynomial34C(x, D, K2, Kw); },
     [](double x) { return Polynomial54C(x, D, K2, Kw); }},
    {"34C_Base", [](double h) { return BackSolve34CBase(h, C, K2, Kw); },
     [](double x) { return Polynomial34C(C, x, K2, Kw); },
     [](double x) { return Polynomial54C(C, x, K2, Kw); }},
    {"34C_K2", [](double h) { return BackSolve34CK2(h, C, D, Kw); },
     [](double x) { return Polynomial34C(C, D, x, Kw); },
     [](double x) { return Polynomial54C(C, D, x, Kw); }},
    {"35_Acid", [](double h) { return BackSolve35Acid(h, D, K1, K2, K3, Kw); },
     [](double x) { return Polynomial35(x, D, K1, K2, K3, Kw); },
     [](double x) { return Polynomial55(x, D, K1, K2, K3, Kw); }},
    {"35_Base", [](double h) { return BackSolve35Base(h, C, K1, K2, K3, Kw); },
     [](double x) { return Polynomial35(C, x, K1, K2, K3, Kw); },
     [](double x) { return Polynomial55(C, x, K1, K2, K3, Kw); }},
    {"35_K1", [](double h) { return BackSolve35K1(h, C, D, K2, K3, Kw); },
     [](double x) { return Polynomial35(C, D, x, K2, K3, Kw); },
     [](double x) { return Polynomial55(C, D, x, K2, K3, Kw); }},
    {"35_K2", [](double h) { return BackSolve35K2(h, C, D, K1, K3, Kw); },
     [](double x) { return Polynomial35(C, D, K1, x, K3, Kw); },
     [](double x) { return Polynomial55(C, D, K1, x, K3, Kw); }},
    {"35_K3", [](double h) { return BackSolve35K3(h, C, D, K1, K2, Kw); },
     [](double x) { return Polynomial35(C, D, K1, K2, x, Kw); },
     [](double x) { return Polynomial55(C, D, K1, K2, x, Kw); }},
    {"35C_Acid", [](double h) { return BackSolve35CAcid(h, D, K2, K3, Kw); },
     [](double x) { return Polynomial35C(x, D, K2, K3, Kw); },
     [](double x) { return Polynomial55C(x, D, K2, K3, Kw); }},
    {"35C_Base", [](double h) { return BackSolve35CBase(h, C, K2, K3, Kw); },
     [](double x) { return Polynomial35C(C, x, K2, K3, Kw); },
     [](double x) { return Polynomial55C(C, x, K2, K3, Kw); }},
    {"35C_K2", [](double h) { return BackSolve35CK2(h, C, D, K3, Kw); },
     [](double x) { return Polynomial35C(C, D, x, K3, Kw); },
     [](double x) { return Polynomial55C(C, D, x, K3, Kw); }},
    {"35C_K3", [](double h) { return BackSolve35CK3(h, C, D, K2, Kw); },
     [](double x) { return Polynomial35C(C, D, K2, x, Kw); },
     [](double x) { return Polynomial55C(C, D, K2, x, Kw); }},
};

class BackSolve : public ::testing::TestWithParam<BackSolveCase> {};

// p(h) against the sum of the magnitudes of its terms: 0 up to the rounding of those terms.
TEST_P(BackSolve, PutsTheRootOfItsForwardPolynomialAtH) {
    const BackSolveCase& c = GetParam();
    for (double h : {3e-2, 1e-4, 1e-7, 1e-10, 1e-12}) {
        const double x = c.backSolve(h);
        ASSERT_TRUE(std::isfinite(x)) << "h " << h;
        for (const PolynomialCoefficients& p : {c.mixture(x), c.titration(x)}) {
            double value = 0, magnitude = 0;
            for (int power = 0; power <= 5; ++power) {
                const double term = p[5 - power] * std::pow(h, power);
                value += term;
                magnitude += std::abs(term);
            }
            EXPECT_LE(std::abs(value), 1e-12 * magnitude) << "h " << h << ", unknown " << x;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(MixturesAndTitrations, BackSolve, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<BackSolveCase>& testCase) {
                             return std::string(testCase.param.name);
                         });

} // namespace
} // namespace corvane::engine
