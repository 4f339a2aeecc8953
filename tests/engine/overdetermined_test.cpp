// Over-determined input: values given beyond what a problem needs must agree with the others,
// and what one Calculate wrote (rounded to four significant digits) must be accepted by the next.
#include "engine/catalogue.h"
#include "second_calculate.h"
#include "solver_fixture.h"

#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

namespace corvane::engine::test {
namespace {

struct Named {
    std::string_view name;
    double value;
};

struct Problem {
    std::string_view code;
    std::vector<Named> given;
};

void PrintTo(const Problem& p, std::ostream* os) {
    *os << p.code;
    for (const Named& n : p.given)
        *os << ' ' << n.name << '=' << n.value;
}

EquilAB SolveProblem(const Problem& p, double pKw = 14.0) {
    const ProblemType* problem = FindProblem(p.code);
    EXPECT_NE(problem, nullptr);
    EquilAB state(pKw);
    for (const Named& n : p.given)
        state.IOValues[SlotOf(*problem, n.name)] = n.value;
    RunProblem(state, p.code);
    return state;
}

// Each gives one value too many that disagrees with the others by a tenth of a pH or more.
class DisagreeingInput : public ::testing::TestWithParam<Problem> {};

TEST_P(DisagreeingInput, IsRefusedAndNothingIsWritten) {
    const Problem& p = GetParam();
    const ProblemType* problem = FindProblem(p.code);
    ASSERT_NE(problem, nullptr);
    EquilAB state;
    for (const Named& n : p.given)
        state.IOValues[SlotOf(*problem, n.name)] = n.value;
    const Slots before = state.IOValues;
    RunProblem(state, p.code);
    EXPECT_EQ(state.CalcError, 1);
    EXPECT_TRUE(SameBits(state.IOValues, before));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DisagreeingInput,
    ::testing::Values(
        // The other inputs give pH 5.128.
        Problem{"31", {{"C_a", 0.1}, {"C_b", 0.1}, {"k_b", 1.8e-5}, {"pH", 3}}},
        Problem{"31", {{"C_a", 0.1}, {"C_b", 0.1}, {"k_b", 1.8e-5}, {"pH", 4}}},
        Problem{"31", {{"C_a", 0.1}, {"C_b", 0.1}, {"k_b", 1.8e-5}, {"pH", 5.5}}},
        Problem{"31", {{"C_a", 0.1}, {"C_b", 0.1}, {"k_b", 1.8e-5}, {"pH", 6.5}}},
        Problem{"31", {{"C_a", 0.1}, {"C_b", 0.1}, {"k_b", 1.8e-5}, {"pH", 7.5}}},
        Problem{"31", {{"C_a", 0.1}, {"C_b", 0.1}, {"k_b", 1.8e-5}, {"pH", 5.028}}},
        // pH 8.872.
        Problem{"32", {{"C_a", 0.1}, {"C_b", 0.1}, {"k_a", 1.8e-5}, {"pH", 10}}},
        Problem{"32", {{"C_a", 0.1}, {"C_b", 0.1}, {"k_a", 1.8e-5}, {"pH", 8}}},
        Problem{"32", {{"C_a", 0.1}, {"C_b", 0.1}, {"k_a", 1.8e-5}, {"pH", 11}}},
        // pH 8.309.
        Problem{"34", {{"C_a", 0.1}, {"C_b", 0.1}, {"k_1", 4.3e-7}, {"k_2", 5.6e-11}, {"pH", 8.0}}},
        // A strong base alone: pH 13.00.
        Problem{"35", {{"C_a", 0}, {"C_b", 0.1}, {"pH", 12}}},
        // pH_eq 8.722, 5.278 and 12.17.
        Problem{"51", {{"C_a", 0.1}, {"V_a", 25}, {"k_a", 1.8e-5}, {"C_SB", 0.1}, {"pH_eq", 10}}},
        Problem{"53", {{"C_b", 0.1}, {"V_b", 25}, {"k_b", 1.8e-5}, {"C_SA", 0.1}, {"pH_eq", 3}}},
        Problem{"55",
                {{"C_a", 0.1},
                 {"V_a", 25},
                 {"C_SB", 0.1},
                 {"k_1", 7.1e-3},
                 {"k_2", 6.3e-8},
                 {"k_3", 4.5e-13},
                 {"pH_eq", 9}}}));

// One problem per solver family, solved forwards, then given again with its pH (or pH at the
// equivalence point) as the first Calculate wrote it.
struct ExtraValueCase {
    Problem forwards;
    std::string_view extra;
};

void PrintTo(const ExtraValueCase& c, std::ostream* os) {
    PrintTo(c.forwards, os);
    *os << " + " << c.extra;
}

class AgreeingExtraValue : public ::testing::TestWithParam<ExtraValueCase> {};

TEST_P(AgreeingExtraValue, IsAcceptedWithTheSameResults) {
    const ExtraValueCase& c = GetParam();
    const ProblemType* problem = FindProblem(c.forwards.code);
    ASSERT_NE(problem, nullptr);
    const EquilAB first = SolveProblem(c.forwards);
    ASSERT_EQ(first.CalcError, 0);
    Problem over = c.forwards;
    over.given.push_back({c.extra, FourDigits(first.IOValues[SlotOf(*problem, c.extra)])});
    const EquilAB second = SolveProblem(over);
    ASSERT_EQ(second.CalcError, 0);
    ExpectSameUpToRounding(*problem, first, second);
}

INSTANTIATE_TEST_SUITE_P(
    Families, AgreeingExtraValue,
    ::testing::Values(
        ExtraValueCase{{"10", {{"C_a", 0.02}}}, "pH"},
        ExtraValueCase{{"11", {{"C_a", 0.1}, {"k_a", 1.8e-5}}}, "pH"},
        ExtraValueCase{{"13", {{"C_a", 0.1}, {"k_1", 7.1e-3}, {"k_2", 6.3e-8}, {"k_3", 4.5e-13}}},
                       "pH"},
        ExtraValueCase{{"21", {{"C_S", 0.1}, {"k_b", 1.8e-5}}}, "pH"},
        ExtraValueCase{{"31", {{"C_a", 0.1}, {"C_b", 0.1}, {"k_b", 1.8e-5}}}, "pH"},
        ExtraValueCase{
            {"35",
             {{"C_a", 0.1}, {"C_b", 0.1}, {"k_1", 7.5e-3}, {"k_2", 6.2e-8}, {"k_3", 4.8e-13}}},
            "pH"},
        ExtraValueCase{{"44", {{"C_a", 0.1}, {"C_S", 0.1}, {"k_a", 1.8e-5}, {"C_SB", 0.01}}}, "pH"},
        ExtraValueCase{{"51", {{"C_a", 0.1}, {"V_a", 25}, {"k_a", 1.8e-5}, {"C_SB", 0.1}}},
                       "pH_eq"},
        ExtraValueCase{{"55",
                        {{"C_a", 0.1},
                         {"V_a", 25},
                         {"C_SB", 0.1},
                         {"k_1", 7.1e-3},
                         {"k_2", 6.3e-8},
                         {"k_3", 4.5e-13}}},
                       "pH_eq"}));

class SecondCalculate : public ::testing::TestWithParam<Problem> {};

TEST_P(SecondCalculate, AcceptsWhatTheFirstWrote) {
    const Problem& p = GetParam();
    const ProblemType* problem = FindProblem(p.code);
    ASSERT_NE(problem, nullptr);
    const EquilAB first = SolveProblem(p);
    ASSERT_EQ(first.CalcError, 0) << "first Calculate";
    ExpectSecondCalculateAgrees(*problem, first);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCode, SecondCalculate,
    ::testing::Values(
        Problem{"10", {{"C_a", 0.01}}}, Problem{"10", {{"pH", 3.3}}},
        Problem{"10", {{"C_a", 2.5e-7}}}, Problem{"11", {{"C_a", 0.1}, {"k_a", 1.8e-5}}},
        Problem{"11", {{"C_a", 0.05}, {"pH", 3.1}}},
        Problem{"11", {{"k_a", 6.3e-5}, {"alpha", 0.2}}},
        Problem{"12", {{"C_a", 0.1}, {"k_1", 4.3e-7}, {"k_2", 5.6e-11}}},
        Problem{"12", {{"C_a", 0.02}, {"k_2", 6.3e-8}, {"pH", 2.2}}},
        Problem{"12C", {{"C_a", 0.01}, {"k_2", 1.2e-2}}},
        Problem{"12C", {{"C_a", 0.05}, {"pH", 1.25}}},
        Problem{"13", {{"C_a", 0.1}, {"k_1", 7.1e-3}, {"k_2", 6.3e-8}, {"k_3", 4.5e-13}}},
        Problem{"13", {{"C_a", 0.01}, {"k_2", 6.2e-8}, {"k_3", 4.8e-13}, {"pH", 2.3}}},
        Problem{"13C", {{"C_a", 0.1}, {"k_2", 6.2e-8}, {"k_3", 4.8e-13}}},
        Problem{"14", {{"C_b", 0.000118918}}}, Problem{"14", {{"pH", 11.5}}},
        Problem{"15", {{"C_b", 0.1}, {"k_b", 1.8e-5}}},
        Problem{"15", {{"C_b", 0.01}, {"pH", 10.6}}}, Problem{"20", {{"C_S", 0.1}}},
        Problem{"21", {{"C_S", 0.1}, {"k_b", 1.8e-5}}}, Problem{"21", {{"C_S", 0.05}, {"pH", 5.3}}},
        Problem{"22", {{"C_S", 0.1}, {"k_a", 1.8e-5}}}, Problem{"22", {{"C_S", 0.1}, {"pH", 8.9}}},
        Problem{"23", {{"C_S", 0.1}, {"k_a", 1.8e-5}, {"k_b", 1.8e-5}}},
        Problem{"23", {{"C_S", 0.1}, {"k_a", 6.2e-10}, {"k_b", 1.8e-5}}},
        Problem{"30", {{"C_a", 0.1}, {"C_b", 0.05}}}, Problem{"30", {{"C_a", 0.1}, {"pH", 11}}},
        Problem{"31", {{"C_a", 0.1}, {"C_b", 0.1}, {"k_b", 1.8e-5}}},
        Problem{"31", {{"C_a", 0.05}, {"C_b", 0.1}, {"k_b", 1.8e-5}}},
        Problem{"32", {{"C_a", 0.1}, {"C_b", 0.05}, {"k_a", 1.8e-5}}},
        Problem{"32", {{"C_a", 0.1}, {"C_b", 0.1}, {"k_a", 1.8e-5}}},
        Problem{"33", {{"C_a", 0.1}, {"C_b", 0.1}, {"k_a", 1.8e-5}, {"k_b", 1.8e-5}}},
        Problem{"33", {{"C_a", 0.1}, {"C_b", 0.05}, {"k_a", 1.8e-5}, {"k_b", 1.8e-5}}},
        Problem{"34", {{"C_a", 0.1}, {"C_b", 0.1}, {"k_1", 4.3e-7}, {"k_2", 5.6e-11}}},
        Problem{"34", {{"C_a", 0.1}, {"C_b", 0.15}, {"k_1", 4.3e-7}, {"k_2", 5.6e-11}}},
        Problem{"34C", {{"C_a", 0.01}, {"C_b", 0.01}, {"k_2", 1.2e-2}}},
        Problem{"35",
                {{"C_a", 0.1}, {"C_b", 0.1}, {"k_1", 7.5e-3}, {"k_2", 6.2e-8}, {"k_3", 4.8e-13}}},
        Problem{"35",
                {{"C_a", 0.1}, {"C_b", 0.25}, {"k_1", 7.5e-3}, {"k_2", 6.2e-8}, {"k_3", 4.8e-13}}},
        Problem{"35C", {{"C_a", 0.1}, {"C_b", 0.05}, {"k_2", 6.2e-8}, {"k_3", 4.8e-13}}},
        Problem{"40", {{"C_a", 0.1}, {"C_S", 0.1}, {"k_a", 1.8e-5}}},
        Problem{"40", {{"C_a", 0.1}, {"C_S", 0.05}, {"pH", 4.5}}},
        Problem{"41", {{"C_b", 0.1}, {"C_S", 0.1}, {"k_b", 1.8e-5}}},
        Problem{"42", {{"C_a", 0.1}, {"C_S", 0.1}, {"k_a", 1.8e-5}, {"C_SA", 0.01}}},
        Problem{"43", {{"C_b", 0.1}, {"C_S", 0.1}, {"k_b", 1.8e-5}, {"C_SA", 0.01}}},
        Problem{"44", {{"C_a", 0.1}, {"C_S", 0.1}, {"k_a", 1.8e-5}, {"C_SB", 0.01}}},
        Problem{"44", {{"C_a", 0.05}, {"C_S", 0.1}, {"k_a", 1.8e-5}, {"C_SB", 0.02}}},
        Problem{"45", {{"C_b", 0.1}, {"C_S", 0.1}, {"k_b", 1.8e-5}, {"C_SB", 0.01}}},
        Problem{"50", {{"C_a", 0.1}, {"V_a", 25}, {"C_SB", 0.1}}},
        Problem{"50", {{"C_a", 0.1}, {"V_a", 25}, {"V_eq", 20}}},
        Problem{"51", {{"C_a", 0.1}, {"V_a", 25}, {"k_a", 1.8e-5}, {"C_SB", 0.1}}},
        Problem{"51", {{"C_a", 0.1}, {"V_a", 25}, {"C_SB", 0.1}, {"pH_eq", 8.7219}}},
        Problem{"52", {{"C_b", 0.1}, {"V_b", 25}, {"C_SA", 0.1}}},
        Problem{"53", {{"C_b", 0.1}, {"V_b", 25}, {"k_b", 1.8e-5}, {"C_SA", 0.1}}},
        Problem{"54",
                {{"C_a", 0.1}, {"V_a", 25}, {"k_1", 4.3e-7}, {"k_2", 5.6e-11}, {"C_SB", 0.1}}},
        Problem{"54C", {{"C_a", 0.1}, {"V_a", 25}, {"k_2", 1.2e-2}, {"C_SB", 0.1}}},
        Problem{"55",
                {{"C_a", 0.1},
                 {"V_a", 25},
                 {"k_1", 7.1e-3},
                 {"k_2", 6.3e-8},
                 {"k_3", 4.5e-13},
                 {"C_SB", 0.1}}},
        Problem{"55C",
                {{"C_a", 0.1}, {"V_a", 25}, {"k_2", 6.3e-8}, {"k_3", 4.5e-13}, {"C_SB", 0.1}}}));

TEST(SecondCalculate, AcceptsWhatTheFirstWroteOnRandomProblems) {
    std::mt19937 rng(20261209);
    int checked = 0;
    for (const ProblemType& problem : Problems()) {
        for (double pKw : {14.0, 13.59}) {
            for (int trial = 0; trial < 40; ++trial) {
                EquilAB first(pKw);
                for (const SlotRow& row : problem.rows)
                    if (OffersInput(problem, row.slot) && IsForwardInput(row.quantity))
                        first.IOValues[row.slot] = RandomValue(row.quantity, rng);
                RunProblem(first, problem.code);
                if (first.CalcError != 0) continue;
                std::ostringstream trace;
                trace << problem.code << " pKw " << pKw;
                for (const SlotRow& row : problem.rows)
                    if (IsKnown(first.IOValues[row.slot]) && OffersInput(problem, row.slot))
                        trace << ' ' << SymbolName(row.quantity) << '=' << first.IOValues[row.slot];
                SCOPED_TRACE(trace.str());
                ExpectSecondCalculateAgrees(problem, first);
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 34 * 40);
}

} // namespace
} // namespace corvane::engine::test
