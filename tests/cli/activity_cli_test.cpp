// corvane-cli with activity coefficients and a temperature: --activity, --temperature, the
// JSON "activity" object and the warning beyond the range of the Davies equation.
#include "run_cli.h"

#include <gtest/gtest.h>

#include <sstream>

namespace corvane::cli::test {
namespace {

double jsonNumber(const std::string& text, const std::string& key) {
    const std::size_t at = text.find(key);
    EXPECT_NE(at, std::string::npos) << key << " in " << text;
    return at == std::string::npos ? 0.0 : std::stod(text.substr(at + key.size()));
}

// By hand: k_a = a(H+)·γ1·[A-] / [HA], so pH = pk_a + log([A-]/[HA]) + log γ1 = 4.7447 +
// 0.0003 − 0.1071 at I = 0.1 (γ1 = 0.7815).
TEST(ActivityOption, DaviesBufferGivesTheActivityPH) {
    const Outcome r =
        run({"solve", "40", "--activity", "davies", "--json", "C_a=0.1", "C_S=0.1", "k_a=1.8e-5"});
    EXPECT_EQ(r.status, ExitOk) << r.err;
    EXPECT_TRUE(contains(r.out, "\"activity\":{\"model\":\"davies\",\"ionic_strength\":"));
    EXPECT_NEAR(jsonNumber(r.out, "\"ionic_strength\":"), 0.1, 1e-4);
    EXPECT_NEAR(jsonNumber(r.out, "\"gamma\":{\"1\":"), 0.7815, 1e-4);
    EXPECT_NEAR(jsonNumber(r.out, "\"temperature\":"), 25, 0);
    EXPECT_NEAR(jsonNumber(r.out, "{\"slot\":2,\"name\":\"pH\",\"value\":"), 4.6379, 2e-4);
    EXPECT_FALSE(contains(r.out, "\"reason\""));
}

TEST(ActivityOption, IdealOutputHasNoActivityObject) {
    const Outcome r = run({"solve", "40", "--json", "C_a=0.1", "C_S=0.1", "k_a=1.8e-5"});
    EXPECT_EQ(r.status, ExitOk);
    EXPECT_FALSE(contains(r.out, "activity"));
}

// Harned and Robinson at 50 °C: pKw = 13.2611, and a neutral salt has pH = pKw / 2.
TEST(ActivityOption, TemperatureSetsKw) {
    const Outcome r = run({"solve", "20", "--temperature", "50", "--json", "C_S=0.1"});
    EXPECT_EQ(r.status, ExitOk) << r.err;
    EXPECT_TRUE(contains(r.out, "\"pKw\":13.2611,"));
    EXPECT_TRUE(contains(r.out, "\"model\":\"ideal\""));
    EXPECT_NEAR(jsonNumber(r.out, "{\"slot\":6,\"name\":\"pH\",\"value\":"), 6.63055, 1e-4);
}

TEST(ActivityOption, BeyondTheDaviesRangeTheResultComesWithAWarning) {
    const Outcome r = run({"solve", "30", "--activity=davies", "C_a=1", "C_b=0.5"});
    EXPECT_EQ(r.status, ExitOk);
    EXPECT_TRUE(
        r.out.ends_with("ok\nionic strength 1 mol/L is beyond the range of the Davies equation\n"))
        << r.out;
}

TEST(ActivityOption, BatchLinesCarryTheModelAndTheWarning) {
    std::istringstream in("C_a,C_b\n0.1,0.05\n1,0.5\n");
    std::ostringstream out, err;
    const int status = RunCommandLine({"batch", "30", "--activity", "davies"}, in, out, err);
    EXPECT_EQ(status, ExitOk) << err.str();
    const std::string text = out.str();
    EXPECT_TRUE(contains(text, ",ok,\n"));
    EXPECT_TRUE(
        contains(text, ",ok,ionic strength 1 mol/L is beyond the range of the Davies equation\n"))
        << text;
}

// A pH curve is computed with the Davies equation and its subtitle says so; the molar fractions
// come from the ideal equations, and their subtitle says that.
TEST(ActivityOption, GraphSubtitleNamesTheModelOfItsCurves) {
    const Outcome pH =
        run({"graph", "11", "1", "--activity", "davies", "--json", "C_a=0.1", "k_a=1.8e-5"});
    EXPECT_EQ(pH.status, ExitOk) << pH.err;
    EXPECT_TRUE(contains(pH.out, "\"subtitle\":\"pH versus acid concentration Ca (Davies "
                                 "equation, 25 °C)\""))
        << pH.out;
    const Outcome fractions =
        run({"graph", "11", "16", "--activity", "davies", "--json", "C_a=0.1", "k_a=1.8e-5"});
    EXPECT_TRUE(contains(fractions.out, "(curves for an ideal solution)\",")) << fractions.out;
    const Outcome ideal = run({"graph", "11", "1", "--json", "C_a=0.1", "k_a=1.8e-5"});
    EXPECT_TRUE(contains(ideal.out, "\"subtitle\":\"pH versus acid concentration Ca\","));
}

TEST(ActivityOption, UsageErrors) {
    const Outcome both = run({"solve", "11", "--temperature", "30", "--pkw", "14", "C_a=0.1"});
    EXPECT_EQ(both.status, ExitUsage);
    EXPECT_TRUE(contains(both.err, "--temperature and --pkw exclude each other"));
    EXPECT_EQ(run({"solve", "11", "--activity", "debye", "C_a=0.1"}).status, ExitUsage);
    EXPECT_EQ(run({"solve", "11", "--temperature", "61", "C_a=0.1"}).status, ExitUsage);
    EXPECT_EQ(run({"solve", "11", "--temperature", "-1", "C_a=0.1"}).status, ExitUsage);
    EXPECT_EQ(run({"graph", "11", "20", "--temperature=x", "C_a=0.1", "k_a=1e-5"}).status,
              ExitUsage);
}

} // namespace
} // namespace corvane::cli::test
