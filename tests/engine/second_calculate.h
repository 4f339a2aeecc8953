// What one Calculate wrote, typed again at four significant digits: the helpers of the tests
// that a second Calculate accepts it, and random problems as a user types them.
#pragma once

#include "engine/catalogue.h"
#include "solver_fixture.h"

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace corvane::engine::test {

/// What a value field shows at four significant digits, read back.
inline double FourDigits(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3e", x);
    return std::stod(text);
}

inline bool IsPHLike(Quantity q) {
    return q == Quantity::pH || q == Quantity::pH_eq || q == Quantity::pH_eq1 ||
           q == Quantity::pH_eq2 || q == Quantity::pH_eq3;
}

inline bool IsFixedByPH(Quantity q) {
    return q == Quantity::H_plus || q == Quantity::OH_minus;
}

/// The results of two runs differ by no more than the rounding of their inputs to four digits:
/// a pH by PHAgreement, any other quantity by a factor that a pH off by that much can cause in
/// a species of up to three protons.
inline void ExpectSameUpToRounding(const ProblemType& problem, const EquilAB& first,
                                   const EquilAB& second) {
    for (const SlotRow& row : problem.rows) {
        const double a = first.IOValues[row.slot];
        const double b = second.IOValues[row.slot];
        // Sampled at the given V_eq: four digits of V_eq move it off the steepest point.
        if (row.quantity == Quantity::EquivalenceSlope || IsEmpty(a)) continue;
        ASSERT_TRUE(IsKnown(b)) << SymbolName(row.quantity);
        if (IsPHLike(row.quantity))
            EXPECT_NEAR(b, a, PHAgreement) << SymbolName(row.quantity);
        else if (a == 0)
            EXPECT_EQ(b, 0) << SymbolName(row.quantity);
        else
            EXPECT_LE(std::abs(std::log10(b / a)), 3 * PHAgreement)
                << SymbolName(row.quantity) << ' ' << a << ' ' << b;
    }
}

/// A second Calculate on every input field the first one filled, at four digits: it must
/// succeed and differ from the first only by that rounding.
inline void ExpectSecondCalculateAgrees(const ProblemType& problem, const EquilAB& first) {
    EquilAB second(first.pKw);
    second.Activity = first.Activity;
    second.Temperature = first.Temperature;
    for (const SlotRow& row : problem.rows)
        if (OffersInput(problem, row.slot) && IsKnown(first.IOValues[row.slot]))
            second.IOValues[row.slot] = FourDigits(first.IOValues[row.slot]);
    const Slots given = second.IOValues;
    RunProblem(second, problem.code);
    ASSERT_EQ(second.CalcError, 0) << "second Calculate refused";
    // Concentrations, constants and volumes stay as given; a given pH or V_eq that the others
    // fix already gives way to the more exact one they fix.
    for (const SlotRow& row : problem.rows) {
        const bool dependent =
            IsPHLike(row.quantity) || IsFixedByPH(row.quantity) || row.quantity == Quantity::V_eq;
        if (row.readAtEntry && !dependent && IsKnown(given[row.slot])) {
            EXPECT_EQ(second.IOValues[row.slot], given[row.slot]) << SymbolName(row.quantity);
        }
    }
    ExpectSameUpToRounding(problem, first, second);
}

// Random problems as a user types them (four significant digits): the forward inputs are the
// concentrations, constants and volumes of each code.
inline bool IsForwardInput(Quantity q) {
    return !IsPHLike(q) && !IsFixedByPH(q) && q != Quantity::alpha && q != Quantity::V_eq &&
           q != Quantity::V_eq1 && q != Quantity::V_eq2 && q != Quantity::V_eq3;
}

inline double RandomValue(Quantity q, std::mt19937& rng) {
    auto decades = [&](double lo, double hi) {
        return FourDigits(std::pow(10.0, std::uniform_real_distribution<double>(lo, hi)(rng)));
    };
    switch (q) {
    case Quantity::V_a:
    case Quantity::V_b:
        return decades(0, 2);
    case Quantity::k_a:
    case Quantity::k_b:
    case Quantity::k_1:
    case Quantity::k_2:
    case Quantity::k_3:
        return decades(-12, -1);
    default:
        return decades(-4, 0);
    }
}

} // namespace corvane::engine::test
