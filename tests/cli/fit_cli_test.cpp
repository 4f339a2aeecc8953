// corvane-cli fit and graph --data on measured titrations written to files: a strong-acid curve
// from the closed form of its quadratic, and refusals of bad data and bad requests.
#include "run_cli.h"

#include "fit/titrationmodel.h"

#include <QColor>
#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace corvane::cli;
using namespace corvane::cli::test;

namespace {

std::string outputPath(const std::string& name) {
    const std::string dir = std::string(CORVANE_TEST_OUTPUT_DIR) + "/cli";
    QDir().mkpath(QString::fromStdString(dir));
    return dir + "/" + name;
}

std::string writeFile(const std::string& name, const std::string& text) {
    const std::string path = outputPath(name);
    std::ofstream file(path, std::ios::binary);
    file << text;
    file.close();
    EXPECT_TRUE(file) << path;
    return path;
}

// 0.1 M strong acid, 25 mL, titrated with 0.1 M strong base: [H+] solves
// h² + (C_B − C_A)·h − Kw = 0, h = (d + √(d² + 4·Kw)) / 2 with d = C_A − C_B, written as
// 2·Kw / (√(d² + 4·Kw) − d) past equivalence, where the first form cancels.
double strongPH(double V) {
    const double CA = 0.1 * 25 / (25 + V), CB = 0.1 * V / (25 + V), d = CA - CB;
    const double root = std::sqrt(d * d + 4e-14);
    return -std::log10(d >= 0 ? (d + root) / 2 : 2e-14 / (root - d));
}

std::string strongCurve(double shift = 0) {
    std::string text = "V (mL);pH\n";
    char line[64];
    for (int V = 1; V <= 40; ++V) {
        std::snprintf(line, sizeof line, "%d;%.12f\n", V, strongPH(V) + shift);
        text += line;
    }
    return text;
}

double jsonNumber(const std::string& json, const std::string& key) {
    const std::size_t at = json.find("\"" + key + "\":");
    EXPECT_NE(at, std::string::npos) << key;
    return at == std::string::npos ? std::nan("")
                                   : std::strtod(json.c_str() + at + key.size() + 3, nullptr);
}

TEST(FitCommand, RecoversTheStrongAcidConcentrationAsText) {
    const std::string data = writeFile("fit50.csv", strongCurve());
    const Outcome r = run({"fit", "50", "--data", data, "--fit", "C_a", "V_a=25", "C_SB=0.1"});
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_TRUE(r.out.starts_with("C_a\t0.1\t")) << r.out;
    EXPECT_TRUE(contains(r.out, "\npoints\t40\n")) << r.out;
    EXPECT_TRUE(contains(r.out, "\n4\tV_eq\t25\n")) << r.out;
    EXPECT_TRUE(contains(r.out, "\n5\tpH_eq\t7\n")) << r.out;
    EXPECT_TRUE(r.out.ends_with("ok\n")) << r.out;
    EXPECT_EQ(r.err, "");
}

TEST(FitCommand, JsonHoldsTheFittedValuesTheFitAndTheSolvedProblem) {
    const std::string data = writeFile("fit50offset.csv", strongCurve(0.05));
    const Outcome r = run(
        {"fit", "50", "--data", data, "--fit", "C_a,pH_offset", "--json", "V_a=25", "C_SB=0.1"});
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_TRUE(r.out.starts_with("{\"code\":\"50\",\"fitted\":{\"C_a\":{\"value\":")) << r.out;
    EXPECT_NEAR(jsonNumber(r.out, "value"), 0.1, 1e-7);
    const std::size_t offset = r.out.find("\"pH_offset\":");
    ASSERT_NE(offset, std::string::npos);
    EXPECT_NEAR(jsonNumber(r.out.substr(offset), "value"), 0.05, 1e-7);
    EXPECT_LT(jsonNumber(r.out, "rms"), 1e-9);
    EXPECT_NEAR(jsonNumber(r.out, "r2"), 1, 1e-12);
    EXPECT_EQ(jsonNumber(r.out, "points"), 40);
    EXPECT_TRUE(contains(r.out, ",\"solve\":{\"code\":\"50\",\"title\":")) << r.out;
    EXPECT_TRUE(r.out.ends_with("]}}\n")) << r.out;
}

TEST(FitCommand, RefusesWhatTheDataCannotTell) {
    // Only the buffer region of a weak acid: pK_a and the offset move together.
    corvane::engine::Slots s{};
    s[0] = 0.1, s[1] = 25, s[2] = 1.8e-5, s[3] = 0.1;
    const corvane::fit::TitrationModel model("51", s, 14.0);
    std::string text;
    for (double V = 5; V <= 20; V += 0.5)
        text += std::to_string(V) + " " + std::to_string(model.pH(V)) + "\n";
    const std::string data = writeFile("fit51buffer.txt", text);
    const Outcome r = run({"fit", "51", "--data", data, "--fit", "k_a,pH_offset", "C_a=0.1",
                           "V_a=25", "C_SB=0.1", "k_a=1e-5"});
    EXPECT_EQ(r.status, ExitInvalidInput);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(contains(r.err, "the fit was refused")) << r.err;
    EXPECT_TRUE(contains(r.err, "cannot tell k_a and pH_offset apart")) << r.err;
}

TEST(FitCommand, RefusesBadDataWithTheLine) {
    const std::string bad = writeFile("fitbad.csv", "V,pH\n1,2.5\n2,x\n");
    Outcome r = run({"fit", "50", "--data", bad, "--fit", "C_a", "V_a=25", "C_SB=0.1"});
    EXPECT_EQ(r.status, ExitInvalidInput);
    EXPECT_TRUE(contains(r.err, bad + ": line 3: \"x\" is not a number")) << r.err;
    const std::string empty = writeFile("fitempty.csv", "V,pH\n");
    r = run({"fit", "50", "--data", empty, "--fit", "C_a", "V_a=25", "C_SB=0.1"});
    EXPECT_EQ(r.status, ExitInvalidInput);
    EXPECT_TRUE(contains(r.err, "the file holds no data points")) << r.err;
}

TEST(FitCommand, DaviesFitsWithTheModelAndSaysSo) {
    const std::string data = writeFile("fit50davies.csv", strongCurve());
    const Outcome ideal =
        run({"fit", "50", "--data", data, "--fit", "C_a", "--json", "V_a=25", "C_SB=0.1"});
    const Outcome davies = run({"fit", "50", "--data", data, "--fit", "C_a", "--json", "--activity",
                                "davies", "V_a=25", "C_SB=0.1"});
    ASSERT_EQ(davies.status, ExitOk) << davies.out << davies.err;
    ASSERT_EQ(ideal.status, ExitOk) << ideal.out;
    EXPECT_TRUE(contains(davies.out, "\"activity\":{\"model\":\"davies\"")) << davies.out;
    EXPECT_FALSE(contains(ideal.out, "\"activity\""));
    EXPECT_NE(davies.out.substr(0, davies.out.find("\"solve\"")),
              ideal.out.substr(0, ideal.out.find("\"solve\"")));
}

TEST(FitCommand, RefusesBadRequests) {
    const std::string data = writeFile("fit50.csv", strongCurve());
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    for (const Case& c : {
             Case{{"fit", "50", "--fit", "C_a"}, ExitUsage, "fit needs --data FILE"},
             Case{{"fit", "50", "--data", data}, ExitUsage, "fit needs --fit NAME"},
             Case{{"fit", "11", "--data", data, "--fit", "C_a"},
                  ExitUsage,
                  "fit takes the titration codes 50 to 55C, not 11"},
             Case{{"fit", "51", "--data", data, "--fit", "V_eq"},
                  ExitUsage,
                  "\"V_eq\" cannot be fitted; the curve of code 51 takes C_a, V_a, k_a, C_SB "
                  "and pH_offset"},
             Case{{"fit", "50", "--data", data, "--fit", "C_a", "--temperature", "30", "--pkw",
                   "14.00"},
                  ExitUsage,
                  "--temperature and --pkw exclude each other"},
             Case{{"fit", "50", "--data", data, "--fit", "C_a,C_a"},
                  ExitUsage,
                  "--fit names \"C_a\" twice"},
             Case{{"fit", "50", "--data", data, "--fit", "C_a", "V_a=25"},
                  ExitInvalidInput,
                  "the curve needs C_SB, neither given nor fitted"},
             Case{{"fit", "50", "--data", data, "--fit", "C_a", "V_a=25", "C_SB=0.1",
                   "pH_offset=1/0"},
                  ExitInvalidInput,
                  "pH_offset = \"1/0\" cannot be read as a number"},
         }) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.message;
        EXPECT_TRUE(contains(r.err, c.message)) << r.err;
    }
}

int pixelsOf(const QImage& image, const QColor& color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color) ++count;
    return count;
}

TEST(GraphData, ReportsThePointsAndTheirRmsAndDrawsThem) {
    const std::string exact = writeFile("graph50exact.csv", strongCurve());
    const std::string shifted = writeFile("graph50shifted.csv", strongCurve(0.1));
    const std::vector<std::string> values{"C_a=0.1", "V_a=25", "C_SB=0.1"};
    auto graph = [&](const std::string& kind, const std::vector<std::string>& options) {
        std::vector<std::string> args{"graph", "50", kind, "--json"};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), values.begin(), values.end());
        return run(args);
    };
    Outcome r = graph("29", {"--data", exact});
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_TRUE(contains(r.out, ",\"data\":{\"points\":40,\"rms\":")) << r.out;
    EXPECT_LT(jsonNumber(r.out, "rms"), 1e-9);
    r = graph("29", {"--data", shifted});
    EXPECT_NEAR(jsonNumber(r.out, "rms"), 0.1, 1e-9);
    r = graph("33", {"--data", exact});
    EXPECT_TRUE(contains(r.out, ",\"data\":{\"points\":40,\"rms\":null}")) << r.out;
    r = graph("29", {});
    EXPECT_FALSE(contains(r.out, "\"data\"")) << r.out;

    const std::string with = outputPath("graph50-data.png"), without = outputPath("graph50.png");
    ASSERT_EQ(graph("29", {"--data", exact, "--picture", with}).status, ExitOk);
    ASSERT_EQ(graph("29", {"--picture", without}).status, ExitOk);
    const QColor marker(0, 64, 160);
    EXPECT_GT(pixelsOf(QImage(QString::fromStdString(with)), marker), 40);
    EXPECT_EQ(pixelsOf(QImage(QString::fromStdString(without)), marker), 0);

    // The table's text lists the points after the curve's rows (pH 12.36 at 40 mL).
    const std::string table = outputPath("graph50-data.txt");
    ASSERT_EQ(graph("29", {"--data", exact, "--table", table}).status, ExitOk);
    std::ifstream written(table, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(written)), {});
    const std::size_t block = text.find("\r\nMeasured data\r\n");
    ASSERT_NE(block, std::string::npos) << text;
    EXPECT_NE(text.find("\r\n40          12.36       \r\n", block), std::string::npos) << text;

    const std::string bad = writeFile("graphbad.csv", "1 2\n-1 3\n");
    r = graph("29", {"--data", bad, "--picture", outputPath("graphbad.png")});
    EXPECT_EQ(r.status, ExitInvalidInput);
    EXPECT_TRUE(contains(r.err, "line 2: x (the volume) is below 0")) << r.err;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(outputPath("graphbad.png"))));
}

} // namespace
