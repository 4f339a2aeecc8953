// corvane-cli graph's scales, values at x, marks and indicators, against hand-calculated
// titration values.
#include "run_cli.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace corvane::cli;
using namespace corvane::cli::test;

namespace {

const std::vector<std::string> WeakTitration{"C_a=0.1", "V_a=25", "k_a=1.8e-5", "C_SB=0.1"};
const std::vector<std::string> StrongTitration{"C_a=0.1", "V_a=25", "C_SB=0.1"};

std::vector<std::string> graph(const std::vector<std::string>& head,
                               const std::vector<std::string>& values = WeakTitration) {
    return graphCommand(head, values);
}

// The number after `"key":` from position `from` on.
double jsonNumber(const std::string& j, const std::string& key, std::size_t from = 0) {
    const std::size_t at = j.find("\"" + key + "\":", from);
    EXPECT_NE(at, std::string::npos) << key;
    return std::stod(j.substr(at + key.size() + 3));
}

TEST(GraphScales, XAndYRangesReplaceTheDefaults) {
    Outcome r = run(graph({"51", "29", "--json", "--x", "10:30:2", "--y=2:12"}));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_TRUE(contains(r.out, "\"x\":{\"min\":10,\"max\":30,\"step\":2,\"labelEvery\":1}"))
        << r.out.substr(0, 600);
    // Without a step: a span of 10 lies at the bottom of its decade, DecadeStep 0.5, doubled.
    EXPECT_TRUE(contains(r.out, "\"y\":{\"min\":2,\"max\":12,\"step\":1,\"labelEvery\":2}"));
    // The sweep follows the range: the first row is 10 mL, the last 30 mL.
    EXPECT_TRUE(contains(r.out, "\"rows\":[[10,"));
    EXPECT_TRUE(contains(r.out, "],[30,"));

    // Text rows too; a decimal comma reads.
    r = run(graph({"50", "29", "--x", "20:30,5"}, StrongTitration));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    const auto out = lines(r.out);
    EXPECT_EQ(out[1].substr(0, 3), "20\t");
}

TEST(GraphScales, BadRangesAreUsageErrorsNamingTheField) {
    struct Case {
        std::vector<std::string> options;
        const char* words;
    };
    const Case cases[] = {
        {{"--x", "30:10"}, "--x: The x maximum must be greater than the minimum"},
        {{"--y", "0:14:0"}, "--y: The y tick step must be greater than 0"},
        {{"--x", "0:50:0.1"}, "more than 200 ticks"},
        {{"--x", "-5:50"}, "--x: The x minimum is outside the curve's domain"},
        {{"--x", "0:fifty"}, "--x must be MIN:MAX or MIN:MAX:STEP, not \"0:fifty\""},
        {{"--y", "1:2:3:4"}, "--y must be MIN:MAX or MIN:MAX:STEP"},
        {{"--at", "ten"}, "--at must be a number, not \"ten\""},
        {{"--indicator", "litmus"}, "--indicator must name one of thymol blue"},
        {{"--indicator", "methyl"}, "not \"methyl\""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> head{"51", "29"};
        head.insert(head.end(), c.options.begin(), c.options.end());
        const Outcome r = run(graph(head));
        EXPECT_EQ(r.status, ExitUsage) << c.words;
        EXPECT_TRUE(contains(r.err, c.words)) << r.err;
        EXPECT_EQ(r.out, "");
    }
    const Outcome slope = run(graph({"51", "33", "--indicator", "phenolphthalein"}));
    EXPECT_EQ(slope.status, ExitUsage);
    EXPECT_TRUE(contains(slope.err, "graph kind 33 has no pH axis")) << slope.err;
}

TEST(GraphAt, OneLinePerValueWithTheSlope) {
    const Outcome r = run(graph(
        {"50", "29", "--at", "10", "--at=12.5", "--at", "33,3", "--digits", "6"}, StrongTitration));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 3u);
    // 10 mL: 1.5 mmol of acid left in 35 mL, pH 1.36798; the slope of -log((2.5 - 0.1 V) /
    // (25 + V)) is (0.1 / 1.5 + 1 / 35) / ln 10 = 0.0413614 pH/mL.
    EXPECT_EQ(out[0], "10\t1.36798\t0.0413614");
    EXPECT_TRUE(out[1].starts_with("12.5\t1.47712\t")) << out[1];
    // 33.3 mL: 0.83 mmol base over in 58.3 mL, pH 14 + log(0.83/58.3) = 12.15339; the comma
    // of the value switches nothing in the output.
    EXPECT_TRUE(out[2].starts_with("33.3\t12.1534\t")) << out[2];
}

TEST(GraphAt, OutsideTheDomainGivesTheLineAReasonAndStatusOne) {
    const Outcome r = run(graph({"51", "29", "--at", "-2", "--at", "12.5"}));
    EXPECT_EQ(r.status, ExitInvalidInput);
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], "-2\toutside the curve's domain: a volume cannot be negative");
    EXPECT_TRUE(out[1].starts_with("12.5\t4.745\t")) << out[1];

    const Outcome j = run(graph({"51", "29", "--json", "--at", "-2", "--at", "12.5"}));
    EXPECT_EQ(j.status, ExitInvalidInput);
    EXPECT_TRUE(contains(j.out, "\"at\":[{\"x\":-2,\"reason\":\"outside the curve's domain: a "
                                "volume cannot be negative\"},{\"x\":12.5,\"y\":4.74"))
        << j.out.substr(j.out.find("\"at\""));
}

TEST(GraphAt, JsonCarriesYSlopeAndPH) {
    const Outcome r = run(graph({"51", "33", "--json", "--at", "25"}));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    const std::size_t at = r.out.find("\"at\":[");
    ASSERT_NE(at, std::string::npos);
    // On the slope curve y is the slope; the pH at equivalence is 8.72 (0.05 M acetate).
    EXPECT_EQ(jsonNumber(r.out, "y", at), jsonNumber(r.out, "slope", at));
    EXPECT_NEAR(jsonNumber(r.out, "pH", at), 8.72, 0.01);
    EXPECT_NEAR(jsonNumber(r.out, "H", at), std::pow(10.0, -8.72), 1e-10);
}

TEST(GraphMarks, AlwaysInJsonForTitrations) {
    const Outcome r = run(graph({"51", "29", "--json"}));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    const std::size_t m = r.out.find("\"marks\":[{\"kind\":\"half-equivalence\",\"x\":12.5,");
    ASSERT_NE(m, std::string::npos) << r.out.substr(r.out.find("\"marks\""));
    EXPECT_NEAR(jsonNumber(r.out, "y", m), 4.745, 2e-3);
    const std::size_t eq = r.out.find("{\"kind\":\"equivalence\",\"x\":25,", m);
    ASSERT_NE(eq, std::string::npos);
    EXPECT_NEAR(jsonNumber(r.out, "pH", eq), 8.72, 0.01);
    EXPECT_FALSE(contains(r.out, "\"indicator\""));

    const Outcome ind = run(graph({"51", "29", "--json", "--indicator", "Phenolphth"}));
    ASSERT_EQ(ind.status, ExitOk) << ind.err;
    EXPECT_TRUE(contains(ind.out, "\"indicator\":{\"name\":\"phenolphthalein\",\"ranges\":[{"
                                  "\"low\":8.1999999999999993,\"high\":10,\"acid\":\"colourless\","
                                  "\"base\":\"pink\"}],\"source\":\"CRC Handbook"))
        << ind.out.substr(ind.out.find("\"marks\""));
}

TEST(GraphMarks, DrawnOnThePictureOnlyWithMarks) {
    const QString dir = QStringLiteral(CORVANE_TEST_OUTPUT_DIR) + QStringLiteral("/cli");
    QDir().mkpath(dir);
    const std::string plain = (dir + "/titration-51-plain.png").toStdString();
    const std::string marked = (dir + "/titration-51-marks-phenolphthalein.png").toStdString();
    ASSERT_EQ(run(graph({"51", "29", "--picture", plain})).status, ExitOk);
    const Outcome r = run(graph({"51", "29", "--marks", "--indicator", "phenolphthalein", "--x",
                                 "0:35", "--picture", marked}));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    const QImage a(QString::fromStdString(plain)), b(QString::fromStdString(marked));
    ASSERT_EQ(a.size(), b.size());
    // The marks' purple (120, 0, 140) appears only on the marked picture.
    auto purple = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                n += std::abs(c.red() - 120) + c.green() + std::abs(c.blue() - 140) < 40;
            }
        return n;
    };
    EXPECT_EQ(purple(a), 0);
    EXPECT_GT(purple(b), 20);
}

} // namespace
