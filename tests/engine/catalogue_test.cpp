#include "engine/catalogue.h"
#include "engine/slots.h"
#include "engine/solvers.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <set>
#include <string>

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

TEST(Dispatch, EveryCodeHasItsOwnSolver) {
    const std::vector<std::pair<std::string, SolverFunction>> expected = {
        {"10", Calc10},   {"11", Calc11},   {"12", Calc12},   {"12C", Calc12C}, {"13", Calc13},
        {"13C", Calc13C}, {"14", Calc14},   {"15", Calc15},   {"20", Calc20},   {"21", Calc21},
        {"22", Calc22},   {"23", Calc23},   {"30", Calc30},   {"31", Calc31},   {"32", Calc32},
        {"33", Calc33},   {"34", Calc34},   {"34C", Calc34C}, {"35", Calc35},   {"35C", Calc35C},
        {"40", Calc40},   {"41", Calc41},   {"42", Calc42},   {"43", Calc43},   {"44", Calc44},
        {"45", Calc45},   {"50", Calc50},   {"51", Calc51},   {"52", Calc52},   {"53", Calc53},
        {"54", Calc54},   {"54C", Calc54C}, {"55", Calc55},   {"55C", Calc55C}};
    ASSERT_EQ(expected.size(), Problems().size());
    for (const auto& [code, solver] : expected) {
        const ProblemType* p = FindProblem(code);
        ASSERT_NE(p, nullptr) << code;
        EXPECT_EQ(p->solver, solver) << code;
        EXPECT_EQ(
            FindProblem(FormProblemCode(p->task, p->option, p->firstDissociationComplete))->solver,
            solver)
            << code;
    }
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
