// Helpers for driving a solver as the Calculate button does, and the table rows the solver
// tests share.
#pragma once

#include "engine/catalogue.h"
#include "engine/equilab.h"
#include "engine/slots.h"

#include <gtest/gtest.h>

#include <ostream>

#include <bit>
#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane::engine::test {

using Solver = void (*)(EquilAB&);
using Given = std::vector<std::pair<int, double>>;

/// Every slot empty, the given slots set, then the solver.
inline EquilAB Solve(Solver solver, const Given& given, double pKw = 14.0) {
    EquilAB state(pKw);
    for (auto [slot, value] : given)
        state.IOValues[slot] = value;
    solver(state);
    return state;
}

inline bool SameBits(const Slots& a, const Slots& b) {
    for (int i = 0; i < SlotCount; ++i)
        if (std::bit_cast<std::uint64_t>(a[i]) != std::bit_cast<std::uint64_t>(b[i])) return false;
    return true;
}

/// Expected slot value: relative tolerance, or exact for 0.
inline void ExpectSlot(const EquilAB& state, int slot, double expected, double tolerance = 1e-5) {
    const double got = state.IOValues[slot];
    ASSERT_TRUE(IsKnown(got)) << "slot " << slot << " is empty";
    if (expected == 0.0)
        EXPECT_EQ(got, 0.0) << "slot " << slot;
    else
        EXPECT_NEAR(got, expected, tolerance * std::abs(expected)) << "slot " << slot;
}

struct Expected {
    int slot;
    double value;
};

/// Given values and the reference results they must give.
struct SolveCase {
    const char* name;
    Solver solver;
    Given given;
    std::vector<Expected> expected;
    double tolerance = 1e-5;
    double pKw = 14.0;
    std::vector<int> emptySlots = {};
};

inline void PrintTo(const SolveCase& c, std::ostream* os) {
    *os << c.name;
}

inline void CheckSolves(const SolveCase& c) {
    const EquilAB state = Solve(c.solver, c.given, c.pKw);
    ASSERT_EQ(state.CalcError, 0);
    for (const Expected& e : c.expected)
        ExpectSlot(state, e.slot, e.value, c.tolerance);
    for (int slot : c.emptySlots)
        EXPECT_TRUE(IsEmpty(state.IOValues[slot])) << "slot " << slot;
}

/// Given values the solver must reject, leaving IOValues as read.
struct RejectCase {
    const char* name;
    Solver solver;
    Given given;
};

inline void PrintTo(const RejectCase& c, std::ostream* os) {
    *os << c.name;
}

inline void CheckRejects(const RejectCase& c) {
    EquilAB state;
    for (auto [slot, value] : c.given)
        state.IOValues[slot] = value;
    const Slots before = state.IOValues;
    c.solver(state);
    EXPECT_EQ(state.CalcError, 1);
    EXPECT_TRUE(SameBits(state.IOValues, before));
}

/// Solve forwards, then give the solved [H+] (or pH) instead of one input and recover it.
struct RoundTripCase {
    const char* name;
    Solver solver;
    Given forwards;
    int hSlot;   // the solved quantity handed to the backward run
    int recover; // the input left out of the backward run
};

inline void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << c.name;
}

inline void CheckRoundTrip(const RoundTripCase& c) {
    const EquilAB forwards = Solve(c.solver, c.forwards);
    ASSERT_EQ(forwards.CalcError, 0);
    Given backwards{{c.hSlot, forwards.IOValues[c.hSlot]}};
    double original = 0;
    for (auto [slot, value] : c.forwards) {
        if (slot == c.recover)
            original = value;
        else
            backwards.push_back({slot, value});
    }
    const EquilAB state = Solve(c.solver, backwards);
    ASSERT_EQ(state.CalcError, 0);
    ExpectSlot(state, c.recover, original, 1e-6);
}

/// The slot of a problem's quantity by its symbol ("C_a", "[H+]").
inline int SlotOf(const ProblemType& problem, std::string_view symbol) {
    for (const SlotRow& row : problem.rows)
        if (SymbolName(row.quantity) == symbol) return row.slot;
    ADD_FAILURE() << problem.code << " has no quantity " << symbol;
    return 0;
}

template <class Case> std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

} // namespace corvane::engine::test
