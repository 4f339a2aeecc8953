// The calculation cycle shared by the window, solve and batch: outcomes against numbers worked
// out by hand, the hint of an incomplete input, and no results after a failure.
#include "calc/calculation.h"

#include "engine/quantity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>

namespace corvane::calc {
namespace {

using engine::EquilAB;
using engine::ProblemType;
using engine::Quantity;

const ProblemType& problem(const char* code) {
    const ProblemType* p = engine::FindProblem(code);
    EXPECT_NE(p, nullptr) << code;
    return *p;
}

int slotOf(const ProblemType& p, Quantity q) {
    for (const engine::SlotRow& row : p.rows)
        if (row.quantity == q) return row.slot;
    ADD_FAILURE() << "no such quantity in " << p.code;
    return 0;
}

// A state with the given quantities in their slots, the rest empty, as each caller reads it.
EquilAB given(const ProblemType& p, std::initializer_list<std::pair<Quantity, double>> values) {
    EquilAB state;
    for (const auto& [q, v] : values)
        state.IOValues[slotOf(p, q)] = v;
    return state;
}

void expectNoResults(const ProblemType& p, const EquilAB& state) {
    for (int slot = engine::InputRowCount(p.task); slot < engine::SlotCount; ++slot)
        EXPECT_TRUE(engine::IsEmpty(state.IOValues[slot])) << "slot " << slot;
}

TEST(Calculate, SolvesAsWorkedOutByHand) {
    // 0.01 M HCl: [H+] = 0.01, pH 2, [OH-] = Kw / [H+] = 1e-12.
    const ProblemType& strong = problem("10");
    EquilAB hcl = given(strong, {{Quantity::C_a, 0.01}});
    const Outcome acid = Calculate(strong, hcl);
    EXPECT_EQ(acid.status, Status::Ok);
    EXPECT_EQ(acid.reason, "");
    EXPECT_NEAR(hcl.IOValues[slotOf(strong, Quantity::pH)], 2.0, 1e-9);
    EXPECT_NEAR(hcl.IOValues[slotOf(strong, Quantity::OH_minus)], 1e-12, 1e-18);

    // 0.1 M acetic acid, k_a 1.8e-5: h² + k_a·h − k_a·C_a = 0 (the water's share is below
    // 1e-11), h = (−k_a + √(k_a² + 4·k_a·C_a)) / 2 = 1.3327e-3, pH 2.8753, α = h / C_a.
    const ProblemType& weak = problem("11");
    EquilAB acetic = given(weak, {{Quantity::C_a, 0.1}, {Quantity::k_a, 1.8e-5}});
    const double h = (-1.8e-5 + std::sqrt(1.8e-5 * 1.8e-5 + 4 * 1.8e-5 * 0.1)) / 2;
    EXPECT_EQ(Calculate(weak, acetic).status, Status::Ok);
    EXPECT_NEAR(acetic.IOValues[slotOf(weak, Quantity::H_plus)], h, h * 1e-6);
    EXPECT_NEAR(acetic.IOValues[slotOf(weak, Quantity::pH)], 2.8753, 1e-4);
    EXPECT_NEAR(acetic.IOValues[slotOf(weak, Quantity::alpha)], h / 0.1, 1e-8);

    // And backwards: C_a from the pH, k_a = h² / (C_a − h).
    EquilAB fromPH = given(weak, {{Quantity::pH, -std::log10(h)}, {Quantity::k_a, 1.8e-5}});
    EXPECT_EQ(Calculate(weak, fromPH).status, Status::Ok);
    EXPECT_NEAR(fromPH.IOValues[slotOf(weak, Quantity::C_a)], 0.1, 1e-6);
}

TEST(Calculate, AnIncompleteInputSaysWhatElseToGive) {
    const ProblemType& weak = problem("11");
    EquilAB concentration = given(weak, {{Quantity::C_a, 0.1}});
    const Outcome one = Calculate(weak, concentration);
    EXPECT_EQ(one.status, Status::Incomplete);
    EXPECT_EQ(one.reason, "Not enough values: give also one of k_a, pH, [H+], α");
    EXPECT_EQ(concentration.IOValues[slotOf(weak, Quantity::C_a)], 0.1);

    EquilAB nothing;
    const Outcome none = Calculate(weak, nothing);
    EXPECT_EQ(none.status, Status::Incomplete);
    EXPECT_EQ(none.reason, "Not enough values: give C_a and k_a");

    // A constant alone: the titration still needs the acid and the titrant.
    const ProblemType& titration = problem("51");
    EquilAB constant = given(titration, {{Quantity::k_a, 1.8e-5}, {Quantity::V_a, 25}});
    const Outcome partial = Calculate(titration, constant);
    EXPECT_EQ(partial.status, Status::Incomplete);
    EXPECT_TRUE(partial.reason.starts_with("Not enough values: give also ")) << partial.reason;
    EXPECT_NE(partial.reason.find("C_a"), std::string::npos) << partial.reason;
}

TEST(Calculate, ACalculationErrorLeavesTheGivenValuesAndNoResults) {
    // pH 5 is far from the 2.875 that C_a and k_a fix; the results of an earlier run must not
    // stay beside the refusal.
    const ProblemType& weak = problem("11");
    EquilAB state =
        given(weak, {{Quantity::C_a, 0.1}, {Quantity::k_a, 1.8e-5}, {Quantity::pH, 5.0}});
    state.IOValues[slotOf(weak, Quantity::HA)] = 0.0987;
    state.IOValues[slotOf(weak, Quantity::OH_minus)] = 7.5e-12;
    const Outcome refused = Calculate(weak, state);
    EXPECT_EQ(refused.status, Status::CalculationError);
    EXPECT_NE(refused.reason.find("pH = 5"), std::string::npos) << refused.reason;
    EXPECT_EQ(refused.reason, state.CalcErrorReason);
    expectNoResults(weak, state);
    EXPECT_EQ(state.IOValues[slotOf(weak, Quantity::C_a)], 0.1);
    EXPECT_EQ(state.IOValues[slotOf(weak, Quantity::pH)], 5.0);

    // A titration's results reach slot 15: all of them go.
    const ProblemType& titration = problem("55");
    EquilAB negative = given(titration, {{Quantity::C_a, -0.1},
                                         {Quantity::V_a, 25},
                                         {Quantity::k_1, 7.1e-3},
                                         {Quantity::k_2, 6.3e-8},
                                         {Quantity::k_3, 4.5e-13},
                                         {Quantity::C_SB, 0.1}});
    negative.IOValues[15] = 10.8;
    EXPECT_EQ(Calculate(titration, negative).status, Status::CalculationError);
    expectNoResults(titration, negative);
}

TEST(Calculate, ADaviesResultBeyondItsRangeComesWithAWarning) {
    // Ionic strength 1 mol/L (1 M salt, 0.5 M added acid): the result stands, with a warning.
    const ProblemType& buffer = problem("42");
    EquilAB state = given(
        buffer,
        {{Quantity::C_a, 1}, {Quantity::C_S, 1}, {Quantity::k_a, 1.8e-5}, {Quantity::C_SA, 0.5}});
    state.Activity = engine::ActivityModel::Davies;
    const Outcome outcome = Calculate(buffer, state);
    EXPECT_EQ(outcome.status, Status::Ok);
    EXPECT_NE(outcome.reason.find("beyond the range of the Davies equation"), std::string::npos)
        << outcome.reason;
}

TEST(ReadingFailed, EmptiesTheResultsAndKeepsTheReason) {
    const ProblemType& titration = problem("55");
    EquilAB state = given(titration, {{Quantity::C_a, 0.1}, {Quantity::V_a, 25}});
    for (int slot = engine::InputRowCount(titration.task); slot < engine::SlotCount; ++slot)
        state.IOValues[slot] = 1.0;
    const Outcome outcome = ReadingFailed(titration, state, "k_1 = \"x\" cannot be read");
    EXPECT_EQ(outcome.status, Status::ReadingError);
    EXPECT_EQ(outcome.reason, "k_1 = \"x\" cannot be read");
    expectNoResults(titration, state);
    EXPECT_EQ(state.IOValues[slotOf(titration, Quantity::V_a)], 25);
}

} // namespace
} // namespace corvane::calc
