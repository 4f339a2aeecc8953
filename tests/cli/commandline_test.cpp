#include "run_cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

using namespace corvane::cli;
using namespace corvane::cli::test;

namespace {

int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(Solve, WeakAcidForwards) {
    const Outcome r = run({"solve", "11", "C_a=0.1", "k_a=1.8e-5"});
    EXPECT_EQ(r.status, ExitOk);
    EXPECT_EQ(r.out, "0\tC_a\t0.1\n"
                     "1\tpH\t2.875\n"
                     "2\t[H+]\t1.333E-3\n"
                     "3\tk_a\t1.8E-5\n"
                     "4\talpha\t0.01333\n"
                     "6\t[HA]\t0.09867\n"
                     "7\t[A-]\t1.333E-3\n"
                     "9\t[OH-]\t7.504E-12\n"
                     "ok\n");
    EXPECT_EQ(r.err, "");
}

TEST(Solve, JsonBackwardsGivesTheConstant) {
    const Outcome r = run({"solve", "11", "--json", "C_a=0.1", "pH=2.87528"});
    EXPECT_EQ(r.status, ExitOk);
    EXPECT_TRUE(r.out.starts_with("{\"code\":\"11\",\"title\":\"Single solution of weak "
                                  "monoprotic acid\",\"pKw\":14.00,\"status\":\"ok\",\"slots\":["));
    const std::string key = "{\"slot\":3,\"name\":\"k_a\",\"value\":";
    const std::size_t at = r.out.find(key);
    ASSERT_NE(at, std::string::npos) << r.out;
    const double ka = std::stod(r.out.substr(at + key.size()));
    EXPECT_NEAR(ka, 1.8e-5, 1e-8);
    EXPECT_TRUE(contains(r.out, "\"text\":\"1.8E-5\""));
    EXPECT_TRUE(r.out.ends_with("]}\n"));
    EXPECT_EQ(lineCount(r.out), 1);
}

TEST(Solve, SlotIndicesDigitsAndTheOtherPKw) {
    const Outcome r = run({"solve", "11", "--pkw", "13.59", "--digits=6", "0=0", "3=1e-5"});
    EXPECT_EQ(r.status, ExitOk);
    EXPECT_TRUE(contains(r.out, "1\tpH\t6.795\n")) << r.out;
}

TEST(Solve, ValuesAreReadLikeAValueField) {
    const Outcome r = run({"solve", "15", "C_b=10%", "k_b=1,8e-5"});
    EXPECT_EQ(r.status, ExitOk);
    // The comma the user typed becomes the separator of the results.
    EXPECT_TRUE(contains(r.out, "1\tpH\t11,12\n")) << r.out;
    EXPECT_TRUE(contains(run({"solve", "11", "C_a=1/10", "k_a=1.8e-5"}).out, "1\tpH\t2.875\n"));
}

TEST(Solve, ACalculationErrorKeepsTheInputsAndSaysSo) {
    const Outcome r = run({"solve", "11", "pH=7.5"});
    EXPECT_EQ(r.status, ExitInvalidInput);
    EXPECT_EQ(r.out, "1\tpH\t7.5\nInvalid input values: Calculation error.\n"
                     "pH = 7.5 is not acidic; a solution of an acid has pH below 7 here\n");
    EXPECT_EQ(r.err, "corvane-cli: Invalid input values: Calculation error.\n");
}

TEST(Solve, AReadingErrorStopsAtTheFailingRow) {
    const Outcome r = run({"solve", "11", "k_a=1/0", "C_a=0.1", "--json"});
    EXPECT_EQ(r.status, ExitInvalidInput);
    EXPECT_TRUE(contains(r.out, "\"status\":\"reading error\""));
    EXPECT_TRUE(contains(r.out, "\"reason\":\"k_a = \\\"1/0\\\" cannot be read as a number\""))
        << r.out;
    EXPECT_TRUE(contains(r.out, "{\"slot\":0,\"name\":\"C_a\"")) << "rows before it were read";
    EXPECT_FALSE(contains(r.out, "\"slot\":3")) << r.out;
    EXPECT_EQ(r.err, "corvane-cli: Invalid input values: Reading error.\n");
}

TEST(Solve, AnEmptyValueIsAReadingError) {
    for (const std::string& given : {std::string("C_a="), std::string("C_a=  ")}) {
        const Outcome r = run({"solve", "11", given, "k_a=1e-5"});
        EXPECT_EQ(r.status, ExitInvalidInput) << given;
        EXPECT_TRUE(contains(r.out, "Invalid input values: Reading error.\nC_a = \"" +
                                        given.substr(4) + "\" cannot be read as a number\n"))
            << r.out;
    }
}

// A value is the whole text: what the window's key filter keeps out is refused here.
TEST(Solve, AValueWithTextAfterTheNumberIsAReadingError) {
    for (const std::string value : {"1mM", "10^-4.76", "abc", "1/2/4", "5%x"}) {
        const Outcome r = run({"solve", "11", "C_a=" + value, "k_a=1.8e-5", "--json"});
        EXPECT_EQ(r.status, ExitInvalidInput) << value;
        EXPECT_TRUE(contains(r.out, "\"status\":\"reading error\"")) << r.out;
        EXPECT_TRUE(contains(r.out, "\"reason\":\"C_a = \\\"" + value + "\\\" cannot be read"))
            << r.out;
    }
    // The forms a value may take still read: a fraction, a percentage, an exponent.
    const Outcome r = run({"solve", "10", "C_a=1/10%"});
    EXPECT_EQ(r.status, ExitInvalidInput) << "a percentage of a fraction is neither form";
    EXPECT_TRUE(contains(run({"solve", "10", "C_a=1/1e3"}).out, "1\tpH\t3\n"));
    EXPECT_TRUE(contains(run({"solve", "10", "C_a= 0.1% "}).out, "1\tpH\t3\n"));
}

// Hand-checked against the slot tables: code 11 needs one of k_a, pH, [H+], alpha besides
// C_a; the diprotic acid's two constants cannot come from one more value.
TEST(Solve, IncompleteInputSaysWhatToGiveAlso) {
    Outcome r = run({"solve", "11", "C_a=0.1"});
    EXPECT_EQ(r.status, ExitInvalidInput);
    EXPECT_EQ(r.out, "0\tC_a\t0.1\nincomplete\n"
                     "Not enough values: give also one of k_a, pH, [H+], \u03b1\n");
    EXPECT_EQ(r.err, "corvane-cli: Not enough values: give also one of k_a, pH, [H+], \u03b1\n");

    r = run({"solve", "12", "C_a=0.1", "--json"});
    EXPECT_EQ(r.status, ExitInvalidInput);
    EXPECT_TRUE(contains(r.out, "\"status\":\"incomplete\",\"hint\":\"Not enough values: give "
                                "also k_1 and k_2\",\"slots\":[{\"slot\":0,"))
        << r.out;

    // The constants --acid fills count as given.
    r = run({"solve", "11", "--acid", "acetic"});
    EXPECT_TRUE(contains(r.out, "Not enough values: give also one of C_a, pH, [H+], \u03b1\n"))
        << r.out;
    r = run({"solve", "11"});
    EXPECT_TRUE(contains(r.out, "incomplete\nNot enough values: give C_a and k_a\n")) << r.out;
    // A titration's equivalence volume stands in for the titrant's concentration.
    r = run({"solve", "51", "C_a=0.1", "V_a=25", "k_a=1.8e-5"});
    EXPECT_TRUE(contains(r.out, "Not enough values: give also one of C_SB, V_eq\n")) << r.out;
}

TEST(Solve, PrintsTheTitrationSlopeAndTheAddedConcentration) {
    const Outcome titration = run({"solve", "51", "C_a=0.1", "V_a=25", "k_a=1.8e-5", "C_SB=0.1"});
    EXPECT_EQ(titration.status, ExitOk);
    EXPECT_TRUE(contains(titration.out, "4\tV_eq\t25\n"));
    EXPECT_TRUE(contains(titration.out, "15\tEquivalenceSlope\t82.37\n")) << titration.out;
    const Outcome buffer = run({"solve", "42", "C_a=0.1", "C_S=0.1", "k_a=1.8e-5", "C_SA=0.05"});
    EXPECT_EQ(buffer.status, ExitOk);
    EXPECT_TRUE(contains(buffer.out, "4\tC_SA\t0.05\n"));
    EXPECT_TRUE(contains(buffer.out, "16\tC_SA\t0.05\n")) << buffer.out;
}

TEST(Solve, AFailedSlopeKeepsTheInputRowsWithTheCalculationError) {
    // A V_eq at the bottom of the double range makes the slope step zero.
    const Outcome r = run({"solve", "50", "V_a=1", "C_SB=1", "V_eq=4.9e-324"});
    EXPECT_EQ(r.status, ExitInvalidInput);
    EXPECT_EQ(r.out, "0\tC_a\t4.941E-324\n1\tV_a\t1\n3\tC_SB\t1\n4\tV_eq\t4.941E-324\n"
                     "5\tpH_eq\t7\nInvalid input values: Calculation error.\n"
                     "The slope of the titration curve at the equivalence point cannot be "
                     "computed for these values\n");
}

class UsageErrorTest : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(UsageErrorTest, ExitsWithStatusTwoAndOneLine) {
    const Outcome r = run(GetParam());
    EXPECT_EQ(r.status, ExitUsage);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(lineCount(r.err), 1) << r.err;
    EXPECT_TRUE(r.err.starts_with("corvane-cli: "));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageErrorTest,
    ::testing::Values(std::vector<std::string>{}, std::vector<std::string>{"frobnicate"},
                      std::vector<std::string>{"solve"}, std::vector<std::string>{"solve", "16"},
                      std::vector<std::string>{"solve", "11", "C_b=0.1"},
                      std::vector<std::string>{"solve", "11", "[HA]=0.1"},
                      std::vector<std::string>{"solve", "11", "6=0.1"},
                      std::vector<std::string>{"solve", "11", "17=0.1"},
                      std::vector<std::string>{"solve", "12C", "k_1=0.1"},
                      std::vector<std::string>{"solve", "11", "C_a"},
                      std::vector<std::string>{"solve", "11", "=3"},
                      std::vector<std::string>{"solve", "11", "C_a=1", "0=2"},
                      std::vector<std::string>{"solve", "11", "--pkw", "7"},
                      std::vector<std::string>{"solve", "11", "--pkw"},
                      std::vector<std::string>{"solve", "11", "--digits", "3"},
                      std::vector<std::string>{"solve", "11", "--digits", "13"},
                      std::vector<std::string>{"solve", "11", "--digits", "x"},
                      std::vector<std::string>{"solve", "11", "--fast"},
                      std::vector<std::string>{"solve", "11", "--jsonx"},
                      std::vector<std::string>{"list", "extra"}));

TEST(List, ShowsEveryCodeWithItsTitleAndSlotTable) {
    const Outcome r = run({"list"});
    EXPECT_EQ(r.status, ExitOk);
    EXPECT_TRUE(contains(r.out, "11\tSingle acid or base\tWeak monoprotic acid\tSingle solution of "
                                "weak monoprotic acid\n"));
    EXPECT_TRUE(contains(r.out, "  0\tC_a\tinput\t-\t\" Acid concentration (M)\"\n"));
    EXPECT_TRUE(contains(r.out, "  1\tpH\tinput\tH\t\"\"\n"));
    EXPECT_TRUE(contains(r.out, "  3\tk_1\thidden\t-\t\" 1st equilibrium constant\"\n"));
    EXPECT_TRUE(contains(r.out, "  5\tpH_eq\tinput (not read)\t-"));
    EXPECT_TRUE(contains(r.out, "  15\tEquivalenceSlope\tresult"));
    for (const char* code : {"\n12C\t", "\n35C\t", "\n45\t", "\n55C\t"})
        EXPECT_TRUE(contains(r.out, code)) << code;
}

TEST(Help, ExplainsTheUsageWithAnExample) {
    const Outcome r = run({"--help"});
    EXPECT_EQ(r.status, ExitOk);
    EXPECT_TRUE(contains(r.out, "corvane-cli solve 11 C_a=0.1 k_a=1.8e-5"));
    EXPECT_TRUE(contains(r.out, "--json"));
}

} // namespace
