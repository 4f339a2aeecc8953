// The words of a refused input: each kind of failure in each solver family names the
// quantities involved and the values that decide it.
#include "engine/catalogue.h"
#include "engine/reason.h"
#include "solver_fixture.h"

#include <string>
#include <string_view>

namespace corvane::engine::test {
namespace {

struct ReasonCase {
    const char* name;
    std::string_view code;
    std::vector<std::pair<std::string_view, double>> given;
    std::string reason;
};

void PrintTo(const ReasonCase& c, std::ostream* os) {
    *os << c.name;
}

class Reason : public ::testing::TestWithParam<ReasonCase> {};

TEST_P(Reason, NamesTheQuantitiesAndValues) {
    const ReasonCase& c = GetParam();
    const ProblemType* problem = FindProblem(c.code);
    ASSERT_NE(problem, nullptr);
    EquilAB state;
    for (const auto& [symbol, value] : c.given)
        state.IOValues[SlotOf(*problem, symbol)] = value;
    RunProblem(state, c.code);
    EXPECT_EQ(state.CalcError, 1);
    EXPECT_EQ(state.CalcErrorReason, c.reason);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFamily, Reason,
    ::testing::Values(
        // Strong acids and bases.
        ReasonCase{"StrongAcidOutOfRange",
                   "10",
                   {{"C_a", -1}},
                   "C_a = -1 is outside its range 0 ≤ C_a ≤ 100"},
        ReasonCase{"StrongBaseGivenPHDisagrees",
                   "14",
                   {{"C_b", 0.1}, {"pH", 3}},
                   "pH = 3 disagrees with the other values given, which give pH = 13"},
        // Weak monoprotic acids and bases.
        ReasonCase{"WeakAcidNotAcidic",
                   "11",
                   {{"C_a", 0.1}, {"pH", 9}},
                   "pH = 9 is not acidic; a solution of an acid has pH below 7 here"},
        ReasonCase{"WeakBaseNotBasic",
                   "15",
                   {{"C_b", 0.1}, {"pH", 3}},
                   "pH = 3 is not basic; a solution of a base has pH above 7 here"},
        ReasonCase{"WeakAcidMassBalance",
                   "11",
                   {{"C_a", 0.1}, {"k_a", 1.8e-5}, {"alpha", 0.02}},
                   "C_a, k_a and alpha disagree: C_a = 0.1 but [HA] and [A-] add up to 0.2242"},
        ReasonCase{"WeakAcidDerivedOutOfRange",
                   "11",
                   {{"C_a", 0.1}, {"k_a", 1.8e-5}, {"alpha", 0.5}},
                   "From the values given, [HA] would be 138.9, outside its range 0 ≤ [HA] ≤ 100; "
                   "it cannot follow from them"},
        ReasonCase{"WeakAcidGivenHDisagrees",
                   "11",
                   {{"k_a", 1.8e-5}, {"alpha", 0.5}, {"[H+]", 1e-3}},
                   "[H+] = 0.001 disagrees with the other values given, which give [H+] = 1.8E-5"},
        ReasonCase{"WeakBaseWaterDisagrees",
                   "15",
                   {{"C_b", 0.1}, {"k_b", 1.8e-5}, {"alpha", 0.02}},
                   "C_b, k_b and alpha disagree: [H+] = 1.134E-11 and [OH-] = 0.002 make "
                   "[H+][OH-] = 2.268E-14, not Kw = 1E-14"},
        // Polyprotic acids.
        ReasonCase{"DiproticGivenPHDisagrees",
                   "12",
                   {{"C_a", 0.1}, {"k_1", 1e-3}, {"k_2", 1e-7}, {"pH", 9}},
                   "pH = 9 disagrees with the other values given, which give pH = 2.022"},
        ReasonCase{"DiproticConstantOutOfRange",
                   "12",
                   {{"C_a", 0.1}, {"k_1", -1}},
                   "k_1 = -1 is outside its range 0 ≤ k_1 ≤ 1E90"},
        ReasonCase{"DiproticDerivedConstant",
                   "12",
                   {{"C_a", 0.1}, {"k_2", 1e-7}, {"pH", 0.5}},
                   "From the values given, k_1 would be -0.4625, outside its range 0 ≤ k_1 ≤ "
                   "1E90; it cannot follow from them"},
        // Salt hydrolysis.
        ReasonCase{"SaltOfWeakAcidGivenPHDisagrees",
                   "22",
                   {{"C_S", 0.1}, {"k_a", 1.8e-5}, {"pH", 7}},
                   "pH = 7 disagrees with the other values given, which give pH = 8.872"},
        ReasonCase{"SaltOfTwoWeakPartnersDerivedConstant",
                   "23",
                   {{"C_S", 0.1}, {"k_a", 1e-5}, {"pH", 3}},
                   "From the values given, k_b would be -9.9E-16, outside its range 0 ≤ k_b ≤ "
                   "1E90; it cannot follow from them"},
        ReasonCase{
            "SaltOutOfRange", "20", {{"C_S", 200}}, "C_S = 200 is outside its range 0 ≤ C_S ≤ 100"},
        ReasonCase{"SaltOfWeakBaseNotAcidic",
                   "21",
                   {{"C_S", 0.1}, {"pH", 9}},
                   "pH = 9 is not acidic; a solution of an acid has pH below 7 here"},
        // Mixtures.
        ReasonCase{"MixtureDerivedOutOfRange",
                   "31",
                   {{"C_a", 0.1}, {"k_b", 1.8e-5}, {"pH", 13}},
                   "From the values given, C_b would be 1111, outside its range 0 ≤ C_b ≤ 100; "
                   "it cannot follow from them"},
        ReasonCase{"MixtureGivenPHDisagrees",
                   "31",
                   {{"C_a", 0.1}, {"C_b", 0.1}, {"k_b", 1.8e-5}, {"pH", 3}},
                   "pH = 3 disagrees with the other values given, which give pH = 5.128"},
        ReasonCase{"PolyproticMixtureChargeBalance",
                   "35",
                   {{"C_a", 0}, {"C_b", 0.1}, {"pH", 12}},
                   "C_a, C_b and pH disagree: the charges do not balance: the cations carry 0.1 "
                   "M of charge, the anions 0.01 M"},
        ReasonCase{"PolyproticMixtureDerivedConstant",
                   "34C",
                   {{"C_a", 0.1}, {"C_b", 0.5}, {"pH", 1}},
                   "From the values given, k_2 would be -0.125, outside its range 0 ≤ k_2 ≤ 1E90; "
                   "it cannot follow from them"},
        ReasonCase{"PolyproticMixtureGivenPHDisagrees",
                   "34",
                   {{"C_a", 0.1}, {"C_b", 0.1}, {"k_1", 4.3e-7}, {"k_2", 5.6e-11}, {"pH", 8}},
                   "pH = 8 disagrees with the other values given, which give pH = 8.309"},
        // Buffers.
        ReasonCase{"BufferGivenOHDisagrees",
                   "40",
                   {{"C_a", 0.1}, {"C_S", 0.1}, {"k_a", 1.8e-5}, {"[OH-]", 1e-3}},
                   "[OH-] = 0.001 disagrees with the other values given, which give [OH-] = "
                   "5.558E-10"},
        // Titrations.
        ReasonCase{"TitrationVolumeDisagrees",
                   "52",
                   {{"C_b", 0.1}, {"V_b", 25}, {"C_SA", 0.1}, {"V_eq", 26}},
                   "V_eq = 26 disagrees with the other values given, which give V_eq = 25"},
        ReasonCase{"TitrationEquivalencePHDisagrees",
                   "51",
                   {{"C_a", 0.1}, {"V_a", 25}, {"k_a", 1.8e-5}, {"C_SB", 0.1}, {"pH_eq", 10}},
                   "pH_eq = 10 disagrees with the other values given, which give pH_eq = 8.722"},
        ReasonCase{"PolyproticTitrationEquivalencePHDisagrees",
                   "54",
                   {{"C_a", 0.1},
                    {"V_a", 25},
                    {"k_1", 4.3e-7},
                    {"k_2", 5.6e-11},
                    {"C_SB", 0.1},
                    {"pH_eq", 7}},
                   "pH_eq = 7 disagrees with the other values given, which give pH_eq = 11.37"},
        ReasonCase{"PolyproticTitrationVolumeDisagrees",
                   "55C",
                   {{"C_a", 0.1},
                    {"V_a", 25},
                    {"C_SB", 0.1},
                    {"k_2", 6.3e-8},
                    {"k_3", 4.5e-13},
                    {"V_eq", 80}},
                   "V_eq = 80 disagrees with the other values given, which give V_eq = 75"},
        ReasonCase{"TitrationZeroConcentration",
                   "55",
                   {{"C_a", 0}, {"V_a", 25}},
                   "C_a = 0 is outside its range 0 < C_a ≤ 100"},
        ReasonCase{"TitrationEquivalenceAmounts",
                   "50",
                   {{"C_a", 0.1}, {"V_a", 25}, {"V_eq", 25}, {"C_SB", 0.2}},
                   "V_eq = 25 disagrees with the other values given, which give V_eq = 12.5"},
        ReasonCase{"SlopeCannotBeComputed",
                   "50",
                   {{"V_a", 1}, {"C_SB", 1}, {"V_eq", 4.9e-324}},
                   "The slope of the titration curve at the equivalence point cannot be "
                   "computed for these values"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(Reason, ASuccessfulRunHasNone) {
    EquilAB state;
    state.Fail("left over");
    state.IOValues[slot::solution::C] = 0.1;
    state.IOValues[slot::solution::K] = 1.8e-5;
    RunProblem(state, "11");
    EXPECT_EQ(state.CalcError, 0);
    EXPECT_EQ(state.CalcErrorReason, "");
}

TEST(Reason, OnlyTheFirstIsKept) {
    EquilAB state;
    state.Fail("first");
    state.Fail("second");
    EXPECT_EQ(state.CalcErrorReason, "first");
}

TEST(ReasonNumber, WritesFourDigitsAndAShortExponent) {
    EXPECT_EQ(ReasonNumber(0.1), "0.1");
    EXPECT_EQ(ReasonNumber(1.8e-5), "1.8E-5");
    EXPECT_EQ(ReasonNumber(5.12761), "5.128");
    EXPECT_EQ(ReasonNumber(1e90), "1E90");
    EXPECT_EQ(ReasonNumber(-0.125), "-0.125");
}

TEST(JoinNames, ListsWithCommasAndAnd) {
    EXPECT_EQ(JoinNames({}), "");
    EXPECT_EQ(JoinNames({"C_a"}), "C_a");
    EXPECT_EQ(JoinNames({"C_a", "pH"}), "C_a and pH");
    EXPECT_EQ(JoinNames({"C_a", "k_a", "pH"}), "C_a, k_a and pH");
}

} // namespace
} // namespace corvane::engine::test
