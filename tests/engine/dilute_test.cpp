// Dilute solutions of very weak acids and bases, where [H+] comes within a hair of √Kw: every
// code with one weak constant, on a grid of concentrations and constants, against the pH of its
// charge balance solved independently in long double.
#include "engine/catalogue.h"
#include "solver_fixture.h"

#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>

namespace corvane::engine::test {
namespace {

using Real = long double;
constexpr Real KwRef = 1e-14L;

struct Named {
    std::string_view name;
    double value;
};

/// The share of a weak partner that is dissociated: k / (k + partner), partner [H+] for an acid,
/// [OH-] for a base.
Real Dissociated(Real k, Real partner) {
    return k / (k + partner);
}

/// Cations minus anions at h for concentration c and constant k; rises with h.
using ChargeExcess = std::function<Real(Real h, Real c, Real k)>;

/// A pH the solver writes and the charge balance that fixes it.
struct PHReference {
    std::string_view name;
    ChargeExcess charge;
};

/// Species that must add up to the sum of the totals.
struct Balance {
    std::vector<std::string_view> totals;
    std::vector<std::string_view> species;
};

struct DiluteCase {
    std::string_view code;
    std::function<std::vector<Named>(double c, double k)> given;
    std::vector<PHReference> pHs;
    std::vector<Balance> balances;
};

Real OH(Real h) {
    return KwRef / h;
}

/// The root of the charge balance, by bisection on log h between pH 0 and pH 16.
Real ReferencePH(const ChargeExcess& charge, Real c, Real k) {
    Real lo = -16, hi = 0;
    for (int i = 0; i < 200; ++i) {
        const Real mid = (lo + hi) / 2;
        if (charge(std::pow(10.0L, mid), c, k) < 0)
            lo = mid;
        else
            hi = mid;
    }
    return -(lo + hi) / 2;
}

// In titrations the analyte is 25 mL and the titrant as concentrated as the analyte, so the
// flask at the (last) equivalence point holds the analyte diluted by the titrant's volume.
const std::vector<DiluteCase>& Cases() {
    static const std::vector<DiluteCase> cases{
        {"11",
         [](double c, double k) {
             return std::vector<Named>{{"C_a", c}, {"k_a", k}};
         },
         {{"pH", [](Real h, Real c, Real k) { return h - OH(h) - c * Dissociated(k, h); }}},
         {{{"C_a"}, {"[HA]", "[A-]"}}}},
        {"15",
         [](double c, double k) {
             return std::vector<Named>{{"C_b", c}, {"k_b", k}};
         },
         {{"pH", [](Real h, Real c, Real k) { return h + c * Dissociated(k, OH(h)) - OH(h); }}},
         {{{"C_b"}, {"[BOH]", "[B+]"}}}},
        {"12C",
         [](double c, double k) {
             return std::vector<Named>{{"C_a", c}, {"k_2", k}};
         },
         {{"pH", [](Real h, Real c, Real k) { return h - OH(h) - c - c * Dissociated(k, h); }}},
         {{{"C_a"}, {"[HA-]", "[A2-]"}}}},
        {"21",
         [](double c, double k) {
             return std::vector<Named>{{"C_S", c}, {"k_b", k}};
         },
         {{"pH", [](Real h, Real c, Real k) { return h + c * Dissociated(k, OH(h)) - OH(h) - c; }}},
         {{{"C_S"}, {"[BOH]", "[B+]"}}}},
        {"22",
         [](double c, double k) {
             return std::vector<Named>{{"C_S", c}, {"k_a", k}};
         },
         {{"pH", [](Real h, Real c, Real k) { return h + c - OH(h) - c * Dissociated(k, h); }}},
         {{{"C_S"}, {"[HA]", "[A-]"}}}},
        {"31",
         [](double c, double k) {
             return std::vector<Named>{{"C_a", c}, {"C_b", c}, {"k_b", k}};
         },
         {{"pH", [](Real h, Real c, Real k) { return h + c * Dissociated(k, OH(h)) - OH(h) - c; }}},
         {{{"C_b"}, {"[BOH]", "[B+]"}}}},
        {"32",
         [](double c, double k) {
             return std::vector<Named>{{"C_a", c}, {"C_b", c}, {"k_a", k}};
         },
         {{"pH", [](Real h, Real c, Real k) { return h + c - OH(h) - c * Dissociated(k, h); }}},
         {{{"C_a"}, {"[HA]", "[A-]"}}}},
        {"34C",
         [](double c, double k) {
             return std::vector<Named>{{"C_a", c}, {"C_b", c}, {"k_2", k}};
         },
         {{"pH", [](Real h, Real c, Real k) { return h + c - OH(h) - c - c * Dissociated(k, h); }}},
         {{{"C_a"}, {"[HA-]", "[A2-]"}}}},
        {"40",
         [](double c, double k) {
             return std::vector<Named>{{"C_a", c}, {"C_S", c}, {"k_a", k}};
         },
         {{"pH", [](Real h, Real c, Real k) { return h + c - OH(h) - 2 * c * Dissociated(k, h); }}},
         {{{"C_a", "C_S"}, {"[HA]", "[A-]"}}}},
        {"41",
         [](double c, double k) {
             return std::vector<Named>{{"C_b", c}, {"C_S", c}, {"k_b", k}};
         },
         {{"pH",
           [](Real h, Real c, Real k) { return h + 2 * c * Dissociated(k, OH(h)) - OH(h) - c; }}},
         {{{"C_b", "C_S"}, {"[BOH]", "[B+]"}}}},
        {"42",
         [](double c, double k) {
             return std::vector<Named>{{"C_a", c}, {"C_S", c}, {"k_a", k}, {"C_SA", c}};
         },
         {{"pH",
           [](Real h, Real c, Real k) { return h + c - OH(h) - 2 * c * Dissociated(k, h) - c; }}},
         {{{"C_a", "C_S"}, {"[HA]", "[A-]"}}}},
        {"43",
         [](double c, double k) {
             return std::vector<Named>{{"C_b", c}, {"C_S", c}, {"k_b", k}, {"C_SA", c}};
         },
         {{"pH", [](Real h, Real c,
                    Real k) { return h + 2 * c * Dissociated(k, OH(h)) - OH(h) - c - c; }}},
         {{{"C_b", "C_S"}, {"[BOH]", "[B+]"}}}},
        {"44",
         [](double c, double k) {
             return std::vector<Named>{{"C_a", c}, {"C_S", c}, {"k_a", k}, {"C_SB", c}};
         },
         {{"pH",
           [](Real h, Real c, Real k) { return h + c + c - OH(h) - 2 * c * Dissociated(k, h); }}},
         {{{"C_a", "C_S"}, {"[HA]", "[A-]"}}}},
        {"45",
         [](double c, double k) {
             return std::vector<Named>{{"C_b", c}, {"C_S", c}, {"k_b", k}, {"C_SB", c}};
         },
         {{"pH", [](Real h, Real c,
                    Real k) { return h + 2 * c * Dissociated(k, OH(h)) + c - OH(h) - c; }}},
         {{{"C_b", "C_S"}, {"[BOH]", "[B+]"}}}},
        // At equivalence the flask holds c/2 of acid and c/2 of base.
        {"51",
         [](double c, double k) {
             return std::vector<Named>{{"C_a", c}, {"V_a", 25}, {"k_a", k}, {"C_SB", c}};
         },
         {{"pH_eq",
           [](Real h, Real c, Real k) { return h + c / 2 - OH(h) - c / 2 * Dissociated(k, h); }}},
         {}},
        {"53",
         [](double c, double k) {
             return std::vector<Named>{{"C_b", c}, {"V_b", 25}, {"k_b", k}, {"C_SA", c}};
         },
         {{"pH_eq", [](Real h, Real c,
                       Real k) { return h + c / 2 * Dissociated(k, OH(h)) - OH(h) - c / 2; }}},
         {}},
        // Two protons: the last equivalence point at 50 mL (c/3 of acid, 2c/3 of base), the
        // first at 25 mL (c/2 of each).
        {"54C",
         [](double c, double k) {
             return std::vector<Named>{{"C_a", c}, {"V_a", 25}, {"k_2", k}, {"C_SB", c}};
         },
         {{"pH_eq",
           [](Real h, Real c, Real k) {
               return h + 2 * c / 3 - OH(h) - c / 3 - c / 3 * Dissociated(k, h);
           }},
          {"pH_eq1", [](Real h, Real c, Real k) { return h - OH(h) - c / 2 * Dissociated(k, h); }}},
         {}},
    };
    return cases;
}

struct GridPoint {
    const DiluteCase* problem;
    double c;
    double k;
};

void PrintTo(const GridPoint& p, std::ostream* os) {
    *os << p.problem->code << " c=" << p.c << " k=" << p.k;
}

std::vector<GridPoint> Grid() {
    std::vector<GridPoint> points;
    for (const DiluteCase& problem : Cases())
        for (double c : {1e-10, 1e-8, 1e-6})
            for (double k : {1e-10, 1e-12, 1e-14})
                points.push_back({&problem, c, k});
    return points;
}

class DiluteWeakSolution : public ::testing::TestWithParam<GridPoint> {};

TEST_P(DiluteWeakSolution, SolvesKeepingTheGivenValues) {
    const GridPoint& p = GetParam();
    const ProblemType* problem = FindProblem(p.problem->code);
    ASSERT_NE(problem, nullptr);
    EquilAB state;
    const std::vector<Named> given = p.problem->given(p.c, p.k);
    for (const Named& n : given)
        state.IOValues[SlotOf(*problem, n.name)] = n.value;
    RunProblem(state, p.problem->code);
    ASSERT_EQ(state.CalcError, 0) << state.CalcErrorReason;
    auto value = [&](std::string_view name) { return state.IOValues[SlotOf(*problem, name)]; };

    for (const Named& n : given)
        EXPECT_EQ(value(n.name), n.value) << n.name;

    for (const PHReference& r : p.problem->pHs)
        EXPECT_NEAR(value(r.name), static_cast<double>(ReferencePH(r.charge, p.c, p.k)), 1e-8)
            << r.name;

    for (const Balance& b : p.problem->balances) {
        double total = 0, sum = 0;
        for (std::string_view t : b.totals)
            total += value(t);
        for (std::string_view s : b.species) {
            ASSERT_TRUE(IsKnown(value(s))) << s;
            sum += value(s);
        }
        EXPECT_NEAR(sum, total, 1e-9 * total) << "species of " << b.totals.front();
    }
}

INSTANTIATE_TEST_SUITE_P(OneWeakConstant, DiluteWeakSolution, ::testing::ValuesIn(Grid()),
                         [](const ::testing::TestParamInfo<GridPoint>& testCase) {
                             std::ostringstream name;
                             name << "code" << testCase.param.problem->code << "_c"
                                  << -std::lround(std::log10(testCase.param.c)) << "_k"
                                  << -std::lround(std::log10(testCase.param.k));
                             return name.str();
                         });

} // namespace
} // namespace corvane::engine::test
