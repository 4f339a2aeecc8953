#include "engine/catalogue.h"
#include "engine/slots.h"
#include "engine/solvers.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace corvane::engine;

TEST(Catalogue, HasThe34ProblemCodesInOrder) {
    std::vector<std::string> codes;
    for (const ProblemType& p : Problems())
        codes.emplace_back(p.code);
    const std::vector<std::string> expected = {
        "10", "11", "12", "12C", "13", "13C", "14", "15",  "20", "21", "22", "23",
        "30", "31", "32", "33",  "34", "34C", "35", "35C", "40", "41", "42", "43",
        "44", "45", "50", "51",  "52", "53",  "54", "54C", "55", "55C"};
    EXPECT_EQ(codes, expected);
    for (const ProblemType& p : Problems())
        EXPECT_EQ(FormProblemCode(p.task, p.option, p.firstDissociationComplete), p.code);
}

TEST(Catalogue, TasksCarryTheirCaptionsAndRowCounts) {
    ASSERT_EQ(Tasks().size(), 5u);
    EXPECT_EQ(Task(1).caption, "Single acid or base");
    EXPECT_EQ(Task(2).caption, "Salt hydrolysis");
    EXPECT_EQ(Task(3).caption, "Mixture: acid and base");
    EXPECT_EQ(Task(4).caption, "Buffer solution");
    EXPECT_EQ(Task(5).caption, "Titration");
    EXPECT_EQ(Task(4).titleBeforeOption, "Buffer solution of ...");
    EXPECT_EQ(Task(2).options.size(), 4u);
    int cCapable = 0;
    for (const TaskInfo& t : Tasks()) {
        EXPECT_EQ(t.inputRowCount, t.index == 5 ? 9 : 6);
        EXPECT_EQ(InputRowCount(t.index), t.inputRowCount);
        EXPECT_EQ(t.hasCheckBox, t.index == 1 || t.index == 3 || t.index == 5);
        cCapable += static_cast<int>(t.cCapableOptions.size());
    }
    EXPECT_EQ(cCapable, 6);
}

struct CodeCase {
    int task, option;
    bool checked;
    const char* code;
    const char* title;
};

void PrintTo(const CodeCase& c, std::ostream* os) {
    *os << c.code;
}

class CodeAndTitleTest : public ::testing::TestWithParam<CodeCase> {};

TEST_P(CodeAndTitleTest, FollowTheOptionAndTheCheckBox) {
    const CodeCase c = GetParam();
    EXPECT_EQ(FormProblemCode(c.task, c.option, c.checked), c.code);
    EXPECT_EQ(FormTaskTitle(c.task, c.option, c.checked), c.title);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CodeAndTitleTest,
    ::testing::Values(
        CodeCase{1, 1, false, "11", "Single solution of weak monoprotic acid"},
        CodeCase{1, 1, true, "11", "Single solution of weak monoprotic acid"},
        CodeCase{1, 3, true, "13C",
                 "Single solution of weak triprotic acid (first dissociation is complete)"},
        CodeCase{1, 0, true, "10", "Single solution of strong acid"},
        CodeCase{2, 3, true, "23", "Hydrolysis of salt from weak acid and weak base"},
        CodeCase{3, 4, true, "34C",
                 "Mixture of diprotic acid + strong base (first dissociation is complete)"},
        CodeCase{4, 0, false, "40", "Buffer of weak acid and its salt"},
        CodeCase{4, 3, true, "43", "Buffer of weak base and its salt (strong acid is added)"},
        CodeCase{5, 4, true, "54C",
                 "Titration of diprotic acid with strong base (first dissociation is complete)"},
        CodeCase{5, 5, false, "55", "Titration of triprotic acid with strong base"}),
    [](const auto& testCase) {
        const CodeCase& c = testCase.param;
        return "Task" + std::to_string(c.task) + "Option" + std::to_string(c.option) +
               (c.checked ? "Checked" : "Unchecked");
    });

TEST(Catalogue, SlotTablesAreWellFormed) {
    for (const ProblemType& p : Problems()) {
        SCOPED_TRACE(std::string(p.code));
        int previous = -1;
        for (const SlotRow& row : p.rows) {
            EXPECT_GT(row.slot, previous) << "slots ascend without repeats";
            previous = row.slot;
            EXPECT_LE(row.slot, 16);
            EXPECT_TRUE(row.heading.empty() || row.heading.front() == ' ');
            if (row.hgroup) {
                EXPECT_TRUE(OffersInput(p, row.slot));
            }
            if (row.slot < 15) {
                EXPECT_GE(SymbolPicture(row.quantity), 0);
            }
            if (row.readAtEntry) {
                EXPECT_LT(row.slot, InputRowCount(p.task));
            }
        }
        EXPECT_EQ(p.hiddenSlot, p.firstDissociationComplete ? 3 : -1);
        if (p.task == 5) {
            for (const SlotRow& row : p.rows)
                EXPECT_FALSE(row.hgroup) << "no HGroup in titrations";
        }
    }
}

TEST(Catalogue, SlotTableFacts) {
    const ProblemType& weakAcid = *FindProblem("11");
    EXPECT_EQ(FindRow(weakAcid, 0)->heading, " Acid concentration (M)");
    EXPECT_EQ(FindRow(weakAcid, 1)->heading, "");
    EXPECT_TRUE(FindRow(weakAcid, 1)->hgroup);
    EXPECT_EQ(FindRow(weakAcid, 4)->quantity, Quantity::alpha);
    EXPECT_EQ(FindRow(weakAcid, 5), nullptr);
    EXPECT_FALSE(OffersInput(weakAcid, 6)) << "[HA] is a result row";

    const ProblemType& neutralSalt = *FindProblem("20");
    for (int slot = 0; slot < 17; ++slot)
        EXPECT_EQ(OffersInput(neutralSalt, slot), slot == 0);

    const ProblemType& diproticC = *FindProblem("12C");
    EXPECT_FALSE(OffersInput(diproticC, 3)) << "k_1 is hidden";
    EXPECT_TRUE(OffersInput(*FindProblem("12"), 3));

    const ProblemType& strongTitration = *FindProblem("50");
    EXPECT_TRUE(OffersInput(strongTitration, 5));
    EXPECT_FALSE(FindRow(strongTitration, 5)->readAtEntry);
    EXPECT_TRUE(FindRow(*FindProblem("51"), 5)->readAtEntry);
    EXPECT_EQ(FindRow(strongTitration, 15)->quantity, Quantity::EquivalenceSlope);

    EXPECT_EQ(FindRow(*FindProblem("42"), 16)->quantity, Quantity::C_SA);
    EXPECT_EQ(FindRow(*FindProblem("45"), 16)->quantity, Quantity::C_SB);
    EXPECT_EQ(FindRow(*FindProblem("45"), 9)->quantity, Quantity::ZOH);
    EXPECT_EQ(FindRow(*FindProblem("43"), 6)->quantity, Quantity::BOH);
    EXPECT_EQ(FindRow(*FindProblem("35"), 10)->quantity, Quantity::H_plus);
    EXPECT_FALSE(FindRow(*FindProblem("35"), 2)->hgroup);
    EXPECT_EQ(FindRow(*FindProblem("55"), 13)->quantity, Quantity::V_eq2);
    EXPECT_EQ(FindRow(*FindProblem("54"), 13), nullptr);
    EXPECT_EQ(FindRow(*FindProblem("21"), 3), nullptr) << "no k_a for a strong acid's salt";
    EXPECT_EQ(FindRow(*FindProblem("22"), 8)->quantity, Quantity::B_plus);
    EXPECT_EQ(FindRow(*FindProblem("31"), 11)->quantity, Quantity::OH_minus);
    EXPECT_EQ(FindRow(*FindProblem("30"), 4)->quantity, Quantity::OH_minus);
    EXPECT_EQ(FindRow(*FindProblem("52"), 4)->heading, " Acid volume at equiv. point (mL)");
}

TEST(Dispatch, RunsTheSolverOfTheChosenOption) {
    namespace solution = slot::solution;
    EquilAB state;
    state.IOValues[solution::C] = 0.1;
    state.IOValues[solution::K] = 1.8e-5;
    // The check box does not matter for an option without a "C" variant.
    ASSERT_EQ(Dispatch(state, 1, 1, 1), DispatchResult::Ran);
    EXPECT_EQ(state.CalcError, 0);
    EXPECT_NEAR(state.IOValues[solution::PH], 2.87528, 1e-5);

    EquilAB base;
    base.IOValues[solution::C] = 0.1;
    base.IOValues[solution::K] = 1.8e-5;
    ASSERT_EQ(Dispatch(base, 1, 5, 0), DispatchResult::Ran);
    EXPECT_NEAR(base.IOValues[solution::PH], 11.12472, 1e-5);
}

// One reference problem per code, by task and option as the tabs offer them. Its pH solves the
// problem's charge balance (Kw = 1e-14), found apart from this program by bisection; the
// comments give the textbook approximation. A code routed to another solver reads other
// fields or another model and misses the pH; 50 and 52 are mirror images with the same numbers.
struct ReferenceProblem {
    const char* code;
    int task;
    int option;
    bool firstComplete;
    std::vector<std::pair<std::string_view, double>> given;
    std::vector<std::pair<std::string_view, double>> expected;
};

void PrintTo(const ReferenceProblem& p, std::ostream* os) {
    *os << p.code;
}

class DispatchedCode : public ::testing::TestWithParam<ReferenceProblem> {};

int SlotOf(const ProblemType& problem, std::string_view symbol) {
    for (const SlotRow& row : problem.rows)
        if (SymbolName(row.quantity) == symbol && row.slot != problem.hiddenSlot) return row.slot;
    ADD_FAILURE() << problem.code << " has no field " << symbol;
    return 0;
}

TEST_P(DispatchedCode, SolvesItsReferenceProblem) {
    const ReferenceProblem& r = GetParam();
    const ProblemType* problem = FindProblem(r.code);
    ASSERT_NE(problem, nullptr);
    for (bool byCode : {false, true}) {
        EquilAB state;
        for (const auto& [symbol, value] : r.given)
            state.IOValues[SlotOf(*problem, symbol)] = value;
        const DispatchResult ran =
            byCode ? RunProblem(state, r.code) : Dispatch(state, r.task, r.option, r.firstComplete);
        ASSERT_EQ(ran, DispatchResult::Ran);
        ASSERT_EQ(state.CalcError, 0);
        for (const auto& [symbol, value] : r.expected)
            EXPECT_NEAR(state.IOValues[SlotOf(*problem, symbol)], value, 2e-5) << symbol;
    }
}

constexpr double Ka = 1.8e-5;                            // acetic acid; also k_b of ammonia
constexpr double K1 = 7.1e-3, K2 = 6.3e-8, K3 = 4.5e-13; // phosphoric acid

const std::vector<ReferenceProblem>& References() {
    static const std::vector<ReferenceProblem> references{
        // [H+] = C: pH 2.
        ReferenceProblem{"10", 1, 0, false, {{"C_a", 0.01}}, {{"pH", 2.0}}},
        // h² / (0.1 - h) = 1.8e-5: h = 1.3327e-3.
        ReferenceProblem{"11", 1, 1, false, {{"C_a", 0.1}, {"k_a", Ka}}, {{"pH", 2.87528}}},
        // h = [HA-] + 2[A2-]: the first step gives h ≈ 0.0179, the second adds 0.0009.
        ReferenceProblem{
            "12", 1, 2, false, {{"C_a", 0.05}, {"k_1", 1e-2}, {"k_2", 1e-3}}, {{"pH", 1.72504}}},
        // h = 0.05 + x with x (0.05 + x) / (0.05 - x) = 0.01: x = 7.4e-3.
        ReferenceProblem{"12C", 1, 2, true, {{"C_a", 0.05}, {"k_2", 1e-2}}, {{"pH", 1.24096}}},
        // As code 12 with a third step that adds almost nothing.
        ReferenceProblem{"13",
                         1,
                         3,
                         false,
                         {{"C_a", 0.05}, {"k_1", 1e-2}, {"k_2", 1e-3}, {"k_3", 1e-4}},
                         {{"pH", 1.72487}}},
        // As code 12C with a third step.
        ReferenceProblem{
            "13C", 1, 3, true, {{"C_a", 0.05}, {"k_2", 1e-2}, {"k_3", 1e-3}}, {{"pH", 1.23935}}},
        // [OH-] = C: pH 12.
        ReferenceProblem{"14", 1, 4, false, {{"C_b", 0.01}}, {{"pH", 12.0}}},
        // [OH-] = 1.3327e-3 as for code 11.
        ReferenceProblem{"15", 1, 5, false, {{"C_b", 0.1}, {"k_b", Ka}}, {{"pH", 11.12472}}},
        // A neutral salt leaves water neutral.
        ReferenceProblem{"20", 2, 0, false, {{"C_S", 0.5}}, {{"pH", 7.0}}},
        // NH4Cl: an acid of Kw / k_b = 5.56e-10, h = √(5.56e-11).
        ReferenceProblem{"21", 2, 1, false, {{"C_S", 0.1}, {"k_b", Ka}}, {{"pH", 5.12761}}},
        // Sodium acetate: [OH-] = √(0.1 · Kw / k_a).
        ReferenceProblem{"22", 2, 2, false, {{"C_S", 0.1}, {"k_a", Ka}}, {{"pH", 8.87239}}},
        // NH4CN: pH ≈ (pKw + pK_a - pK_b) / 2 = 9.2315.
        ReferenceProblem{
            "23", 2, 3, false, {{"C_S", 0.1}, {"k_a", 6.2e-10}, {"k_b", Ka}}, {{"pH", 9.23129}}},
        // 0.05 M of strong acid left over.
        ReferenceProblem{"30", 3, 0, false, {{"C_a", 0.1}, {"C_b", 0.05}}, {{"pH", 1.30103}}},
        // 0.1 M NH4+ and 0.2 M NH3: pH = 14 - pK_b + log 2.
        ReferenceProblem{
            "31", 3, 1, false, {{"C_a", 0.1}, {"C_b", 0.3}, {"k_b", Ka}}, {{"pH", 9.55607}}},
        // Half neutralised: pH = pK_a.
        ReferenceProblem{
            "32", 3, 2, false, {{"C_a", 0.2}, {"C_b", 0.1}, {"k_a", Ka}}, {{"pH", 4.74488}}},
        // Acid and base both weak and equal: pH ≈ (pKw + pK_a - pK_b) / 2 = 6.5.
        ReferenceProblem{"33",
                         3,
                         3,
                         false,
                         {{"C_a", 0.1}, {"C_b", 0.1}, {"k_a", 1e-4}, {"k_b", 1e-5}},
                         {{"pH", 6.50020}}},
        // H2A half neutralised: pH ≈ pK_1 = 3, a little above for the acid's own dissociation.
        ReferenceProblem{"34",
                         3,
                         4,
                         false,
                         {{"C_a", 0.1}, {"C_b", 0.05}, {"k_1", 1e-3}, {"k_2", 1e-7}},
                         {{"pH", 3.01659}}},
        // The strong proton takes 0.1 of the base, 0.03 more turns HA- into A2-:
        // pH = pK_2 + log(0.03 / 0.07) = 6.632.
        ReferenceProblem{
            "34C", 3, 4, true, {{"C_a", 0.1}, {"C_b", 0.13}, {"k_2", 1e-7}}, {{"pH", 6.63203}}},
        // NaH2PO4: pH ≈ (pK_1 + pK_2) / 2 = 4.67.
        ReferenceProblem{"35",
                         3,
                         5,
                         false,
                         {{"C_a", 0.1}, {"C_b", 0.1}, {"k_1", K1}, {"k_2", K2}, {"k_3", K3}},
                         {{"pH", 4.68968}}},
        // Na2HPO4: pH ≈ (pK_2 + pK_3) / 2 = 9.77, lowered by HPO4's hydrolysis.
        ReferenceProblem{"35C",
                         3,
                         5,
                         true,
                         {{"C_a", 0.1}, {"C_b", 0.2}, {"k_2", K2}, {"k_3", K3}},
                         {{"pH", 9.72994}}},
        // Equal acid and salt: pH = pK_a.
        ReferenceProblem{
            "40", 4, 0, false, {{"C_a", 0.1}, {"C_S", 0.1}, {"k_a", Ka}}, {{"pH", 4.74488}}},
        // 14 - pK_b.
        ReferenceProblem{
            "41", 4, 1, false, {{"C_b", 0.1}, {"C_S", 0.1}, {"k_b", Ka}}, {{"pH", 9.25512}}},
        // 0.01 M of strong acid: pH = pK_a + log(0.09 / 0.11).
        ReferenceProblem{"42",
                         4,
                         2,
                         false,
                         {{"C_a", 0.1}, {"C_S", 0.1}, {"k_a", Ka}, {"C_SA", 0.01}},
                         {{"pH", 4.65777}}},
        // 0.09 M NH3, 0.11 M NH4+: pH = 14 - pK_b + log(0.09 / 0.11).
        ReferenceProblem{"43",
                         4,
                         3,
                         false,
                         {{"C_b", 0.1}, {"C_S", 0.1}, {"k_b", Ka}, {"C_SA", 0.01}},
                         {{"pH", 9.16799}}},
        // pH = pK_a + log(0.11 / 0.09).
        ReferenceProblem{"44",
                         4,
                         4,
                         false,
                         {{"C_a", 0.1}, {"C_S", 0.1}, {"k_a", Ka}, {"C_SB", 0.01}},
                         {{"pH", 4.83201}}},
        // pH = 14 - pK_b + log(0.11 / 0.09).
        ReferenceProblem{"45",
                         4,
                         5,
                         false,
                         {{"C_b", 0.1}, {"C_S", 0.1}, {"k_b", Ka}, {"C_SB", 0.01}},
                         {{"pH", 9.34223}}},
        // 25 mL of 0.1 M titrated with 0.1 M: equivalence at 25 mL.
        ReferenceProblem{"50",
                         5,
                         0,
                         false,
                         {{"C_a", 0.1}, {"V_a", 25}, {"C_SB", 0.1}},
                         {{"pH_eq", 7.0}, {"V_eq", 25}}},
        // 0.05 M acetate at the equivalence point: [OH-] = √(0.05 · Kw / k_a).
        ReferenceProblem{"51",
                         5,
                         1,
                         false,
                         {{"C_a", 0.1}, {"V_a", 25}, {"k_a", Ka}, {"C_SB", 0.1}},
                         {{"pH_eq", 8.72190}, {"V_eq", 25}}},
        // The same numbers with acid and base exchanged.
        ReferenceProblem{"52",
                         5,
                         2,
                         false,
                         {{"C_b", 0.1}, {"V_b", 25}, {"C_SA", 0.1}},
                         {{"pH_eq", 7.0}, {"V_eq", 25}}},
        // 0.05 M NH4+ at the equivalence point: h = √(0.05 · Kw / k_b).
        ReferenceProblem{"53",
                         5,
                         3,
                         false,
                         {{"C_b", 0.1}, {"V_b", 25}, {"k_b", Ka}, {"C_SA", 0.1}},
                         {{"pH_eq", 5.27810}, {"V_eq", 25}}},
        // First equivalence at 25 mL, 0.05 M HA-: pH ≈ (pK_1 + pK_2) / 2 = 5.
        ReferenceProblem{"54",
                         5,
                         4,
                         false,
                         {{"C_a", 0.1}, {"V_a", 25}, {"k_1", 1e-3}, {"k_2", 1e-7}, {"C_SB", 0.1}},
                         {{"pH_eq1", 5.00438}, {"V_eq", 50}}},
        // With the first proton strong the first equivalence is 0.05 M HA- as a weak acid:
        // h = √(0.05 · 1e-7).
        ReferenceProblem{"54C",
                         5,
                         4,
                         true,
                         {{"C_a", 0.1}, {"V_a", 25}, {"k_2", 1e-7}, {"C_SB", 0.1}},
                         {{"pH_eq1", 4.15082}, {"V_eq", 50}}},
        // Phosphoric acid: 0.05 M H2PO4- at 25 mL, 0.0333 M HPO4 2- at 50 mL.
        ReferenceProblem{
            "55",
            5,
            5,
            false,
            {{"C_a", 0.1}, {"V_a", 25}, {"k_1", K1}, {"k_2", K2}, {"k_3", K3}, {"C_SB", 0.1}},
            {{"pH_eq1", 4.70369}, {"pH_eq2", 9.66232}, {"V_eq", 75}}},
        ReferenceProblem{"55C",
                         5,
                         5,
                         true,
                         {{"C_a", 0.1}, {"V_a", 25}, {"k_2", K2}, {"k_3", K3}, {"C_SB", 0.1}},
                         {{"pH_eq1", 4.25109}, {"pH_eq2", 9.66232}, {"V_eq", 75}}}};
    return references;
}

INSTANTIATE_TEST_SUITE_P(EveryCode, DispatchedCode, ::testing::ValuesIn(References()),
                         [](const ::testing::TestParamInfo<ReferenceProblem>& param) {
                             return std::string("Code") + param.param.code;
                         });

TEST(Dispatch, EveryCodeHasAReferenceProblem) {
    std::set<std::string_view> referenced;
    for (const ReferenceProblem& r : References())
        EXPECT_TRUE(referenced.insert(r.code).second) << r.code;
    for (const ProblemType& p : Problems())
        EXPECT_TRUE(referenced.count(p.code)) << p.code;
}

TEST(Dispatch, RejectsAnUnknownProblem) {
    EquilAB state;
    EXPECT_EQ(RunProblem(state, "16"), DispatchResult::UnknownProblem);
    EXPECT_EQ(Dispatch(state, 2, 4, 0), DispatchResult::UnknownProblem);
    EXPECT_EQ(Dispatch(state, 0, 0, 0), DispatchResult::UnknownProblem);
}

TEST(Quantity, SymbolNamesAreUniqueAndPicturesCoverTheFieldQuantities) {
    std::set<std::string_view> names;
    for (int q = 0; q <= static_cast<int>(Quantity::EquivalenceSlope); ++q)
        EXPECT_TRUE(names.insert(SymbolName(static_cast<Quantity>(q))).second);
    EXPECT_EQ(SymbolName(Quantity::H_plus), "[H+]");
    EXPECT_EQ(SymbolPicture(Quantity::C_a), 0);
    EXPECT_EQ(SymbolPicture(Quantity::Z_plus), 38);
    EXPECT_EQ(SymbolPicture(Quantity::pH), 31);
    EXPECT_EQ(SymbolPicture(Quantity::EquivalenceSlope), -1);
}
