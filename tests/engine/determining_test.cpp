// Which quantities determine a problem, found by the solver, and the hint built from them.
#include "engine/determining.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace corvane::engine;

namespace {

int slotOf(const ProblemType& p, Quantity q) {
    for (const SlotRow& row : p.rows)
        if (row.quantity == q && OffersInput(p, row.slot)) return row.slot;
    return -1;
}

// Concentrations, constants and volumes: what a textbook problem states.
bool isStated(Quantity q) {
    const std::string_view name = SymbolName(q);
    return name.starts_with("C_") || name.starts_with("k_") || name == "V_a" || name == "V_b";
}

TEST(Determining, EveryReferenceIsSolvedWithEveryInputRow) {
    for (const ProblemType& p : Problems()) {
        const Slots solved = SolvedReference(p);
        EXPECT_TRUE(IsDetermined(p, solved)) << p.code;
        // Its values are the problem's own: given back whole, they agree with each other.
        EquilAB state;
        for (const SlotRow& row : p.rows)
            if (IsTypable(p, row)) state.IOValues[row.slot] = solved[row.slot];
        RunProblem(state, p.code);
        EXPECT_EQ(state.CalcError, 0) << p.code << ": " << state.CalcErrorReason;
    }
}

// Of the stated quantities, each one left out is what the hint asks for: the others with it
// determine the problem, so one more value suffices and it is among those offered.
TEST(Determining, AStatedQuantityLeftOutIsAmongTheMissingOnes) {
    for (const ProblemType& p : Problems()) {
        std::vector<int> stated;
        for (const SlotRow& row : p.rows)
            if (IsTypable(p, row) && isStated(row.quantity)) stated.push_back(row.slot);
        for (int left : stated) {
            std::vector<int> given;
            std::copy_if(stated.begin(), stated.end(), std::back_inserter(given),
                         [&](int slot) { return slot != left; });
            const std::vector<std::vector<int>> missing = MissingInputs(p, given);
            ASSERT_FALSE(missing.empty()) << p.code;
            EXPECT_EQ(missing.front().size(), 1u) << p.code;
            EXPECT_TRUE(std::find(missing.begin(), missing.end(), std::vector<int>{left}) !=
                        missing.end())
                << p.code << " without slot " << left;
            // Stated quantities come first.
            EXPECT_TRUE(isStated(FindRow(p, missing.front().front())->quantity)) << p.code;
        }
    }
}

TEST(Determining, WeakAcidWithItsConcentrationNeedsOneOfFour) {
    const ProblemType& p = *FindProblem("11");
    const std::vector<std::vector<int>> missing = MissingInputs(p, {slotOf(p, Quantity::C_a)});
    const std::vector<std::vector<int>> expected = {{slotOf(p, Quantity::k_a)},
                                                    {slotOf(p, Quantity::pH)},
                                                    {slotOf(p, Quantity::H_plus)},
                                                    {slotOf(p, Quantity::alpha)}};
    EXPECT_EQ(missing, expected);
    EXPECT_EQ(NotEnoughValuesHint(p, {0}),
              "Not enough values: give also one of k_a, pH, [H+], \u03b1");
}

TEST(Determining, WhereNoSingleValueSufficesASmallestSet) {
    // Two unknown constants of a diprotic acid need two values; the first of the smallest
    // sets names the constants.
    const ProblemType& diprotic = *FindProblem("12");
    EXPECT_EQ(NotEnoughValuesHint(diprotic, {slotOf(diprotic, Quantity::C_a)}),
              "Not enough values: give also k_1 and k_2");
    for (const std::vector<int>& set : MissingInputs(diprotic, {0}))
        EXPECT_EQ(set.size(), 2u);
    // With pH measured, one constant is still needed besides the concentration.
    EXPECT_EQ(NotEnoughValuesHint(diprotic, {slotOf(diprotic, Quantity::pH)}),
              "Not enough values: give also C_a and k_1");
    const ProblemType& triprotic = *FindProblem("55");
    EXPECT_EQ(NotEnoughValuesHint(triprotic, {0, 1, slotOf(triprotic, Quantity::C_SB)}),
              "Not enough values: give also k_1, k_2 and k_3");
    // Nothing given: the whole of a smallest set.
    EXPECT_EQ(NotEnoughValuesHint(*FindProblem("11"), {}), "Not enough values: give C_a and k_a");
    EXPECT_EQ(NotEnoughValuesHint(*FindProblem("10"), {}),
              "Not enough values: give one of C_a, pH, [H+]");
}

TEST(Determining, SetsHoldingAFoundOneAreLeftOut) {
    const ProblemType& p = *FindProblem("11");
    const std::vector<int> candidates = {0, 3, 1};
    const std::vector<std::vector<int>> all = DeterminingSets(p, SolvedReference(p), candidates);
    // C_a with k_a, C_a with pH, k_a with pH; never all three.
    const std::vector<std::vector<int>> expected = {{0, 3}, {0, 1}, {3, 1}};
    EXPECT_EQ(all, expected);
}

} // namespace
