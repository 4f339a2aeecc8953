// Helpers for driving a solver as the Calculate button does.
#pragma once

#include "engine/equilab.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace corvane::engine::test {

using Given = std::initializer_list<std::pair<int, double>>;

/// Every slot empty, the given slots set, then the solver.
inline EquilAB Solve(void (*solver)(EquilAB&), Given given, double pKw = 14.0) {
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

} // namespace corvane::engine::test
