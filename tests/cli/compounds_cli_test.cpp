#include "run_cli.h"

#include "compounds/compounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

using namespace corvane;
using namespace corvane::cli;
using namespace corvane::cli::test;

namespace {

// The value a --json answer gives for a slot.
double jsonValue(const std::string& json, int slot) {
    const std::string key = "{\"slot\":" + std::to_string(slot) + ",";
    const std::size_t at = json.find(key);
    if (at == std::string::npos) return NAN;
    const std::size_t value = json.find("\"value\":", at);
    return std::stod(json.substr(value + 8));
}

TEST(Compounds, ListsOneLineWithConstantsAndSourcePerMatch) {
    const Outcome r = run({"compounds", "acetic"});
    EXPECT_EQ(r.status, ExitOk);
    const std::vector<std::string> rows = lines(r.out);
    ASSERT_EQ(rows.size(), 8u) << r.out; // acetic and seven substituted acetic acids
    EXPECT_EQ(rows[0], "Acetic acid\tCH3COOH\tmonoprotic acid\tpk_a 4.76\tk_a 1.738E-5\t"
                       "CRC Handbook of Chemistry and Physics, Dissociation Constants of "
                       "Organic Acids and Bases (25 °C)");
    EXPECT_EQ(run({"compounds", "H3PO4"}).out,
              "Phosphoric acid\tH3PO4\ttriprotic acid\tpk_1 2.16, pk_2 7.21, pk_3 12.32\t"
              "k_1 6.918E-3, k_2 6.166E-8, k_3 4.786E-13\tCRC Handbook of Chemistry and "
              "Physics, Dissociation Constants of Inorganic Acids and Bases (25 °C)\n");
    EXPECT_TRUE(contains(run({"compounds", "sulfuric"}).out,
                         "\tdiprotic acid\tpk_1 strong, pk_2 1.99\tk_2 0.01023\t"));
}

TEST(Compounds, WithoutTextListsTheWholeTable) {
    const Outcome r = run({"compounds"});
    EXPECT_EQ(r.status, ExitOk);
    const std::vector<std::string> rows = lines(r.out);
    EXPECT_EQ(rows.size(), compounds::Compounds().size());
    for (const std::string& row : rows) {
        EXPECT_EQ(std::count(row.begin(), row.end(), '\t'), 5) << row;
        EXPECT_FALSE(row.ends_with("\t")) << row; // a source on every line
    }
}

TEST(Compounds, NoMatchAndUsage) {
    const Outcome none = run({"compounds", "xyz"});
    EXPECT_EQ(none.status, ExitInvalidInput);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "corvane-cli: no compound matches \"xyz\"\n");
    EXPECT_EQ(run({"compounds", "a", "b"}).status, ExitUsage);
}

TEST(SolveWithCompounds, AceticAcidGivesPH288) {
    const Outcome r = run({"solve", "11", "--acid", "acetic", "C_a=0.1"});
    EXPECT_EQ(r.status, ExitOk) << r.err;
    EXPECT_TRUE(contains(r.out, "1\tpH\t2.883\n")) << r.out;
    EXPECT_TRUE(contains(r.out, "3\tk_a\t1.738E-5\n")) << r.out;
}

// Acetic acid and ammonia, equal amounts: pH = 7 + (pK_a - pK_b) / 2.
TEST(SolveWithCompounds, AcidAndBaseFillBothConstants) {
    const Outcome r =
        run({"solve", "33", "--json", "--acid=acetic acid", "--base", "NH3", "C_a=0.1", "C_b=0.1"});
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_NEAR(jsonValue(r.out, 3), std::pow(10.0, -4.76), 1e-12);
    EXPECT_NEAR(jsonValue(r.out, 4), std::pow(10.0, -4.75), 1e-12);
    EXPECT_NEAR(jsonValue(r.out, 2), 7 + (4.76 - 4.75) / 2, 1e-3);
}

TEST(SolveWithCompounds, FirstDissociationCompleteTakesSulfuricAcid) {
    const Outcome r = run({"solve", "12C", "--json", "--acid", "sulfuric", "C_a=0.01"});
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_NEAR(jsonValue(r.out, 4), std::pow(10.0, -1.99), 1e-12);
    EXPECT_TRUE(std::isnan(jsonValue(r.out, 3))) << r.out; // no k_1
}

TEST(SolveWithCompounds, RefusesWhatDoesNotFit) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    for (const Case& c : std::vector<Case>{
             {{"solve", "15", "--acid", "acetic", "C_b=0.1"}, "code 15 has no acid constant"},
             {{"solve", "11", "--base", "ammonia", "C_a=0.1"}, "code 11 has no base constant"},
             {{"solve", "11", "--acid", "vinegar"}, "no acid matches \"vinegar\""},
             {{"solve", "11", "--acid", "chloro"}, "matches several acids"},
             {{"solve", "11", "--acid", "phosphoric"}, "Phosphoric acid is a triprotic acid"},
             {{"solve", "12", "--acid", "sulfuric"}, "take code 12C"},
             {{"solve", "11", "--acid", "acetic", "k_a=1e-5"}, "k_a is given twice"},
             {{"solve", "11", "C_a=0.1", "--acid"}, "--acid needs a value"}}) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, ExitUsage) << c.message;
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(contains(r.err, c.message)) << r.err;
    }
}

TEST(SolveWithCompounds, HelpDescribesTheTable) {
    const Outcome r = run({"--help"});
    EXPECT_TRUE(contains(r.out, "corvane-cli compounds [TEXT]"));
    EXPECT_TRUE(contains(r.out, "--acid NAME"));
    EXPECT_TRUE(contains(r.out, "--base NAME"));
}

} // namespace
