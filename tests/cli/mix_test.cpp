// corvane-cli mix, species and compounds --json: mixtures against the solve and graph commands
// of the problem types they overlap, hand values, and the usage and reading errors.
#include "run_cli.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace corvane::cli;
using namespace corvane::cli::test;

namespace {

// The number after the first "key": at or after `from`.
double jsonNumber(const std::string& json, const std::string& key, std::size_t from = 0) {
    const std::size_t at = json.find("\"" + key + "\":", from);
    if (at == std::string::npos) return NAN;
    return std::stod(json.substr(at + key.size() + 3));
}

// The value of a slot in solve --json.
double solvedSlot(const std::vector<std::string>& args, const std::string& name) {
    const Outcome r = run(args);
    EXPECT_EQ(r.status, ExitOk) << r.out << r.err;
    const std::size_t at = r.out.find("\"name\":\"" + name + "\"");
    return jsonNumber(r.out, "value", at);
}

double mixPH(std::vector<std::string> components) {
    components.insert(components.begin(), {"mix", "--json"});
    const Outcome r = run(components);
    EXPECT_EQ(r.status, ExitOk) << r.out << r.err;
    return jsonNumber(r.out, "pH");
}

TEST(Mix, TableCompoundsGiveThePHOfTheirProblemTypes) {
    EXPECT_NEAR(mixPH({"acetic=0.1"}),
                solvedSlot({"solve", "11", "--json", "--acid", "acetic", "C_a=0.1"}, "pH"), 1e-8);
    EXPECT_NEAR(mixPH({"H3PO4=0.05"}),
                solvedSlot({"solve", "13", "--json", "--acid", "phosphoric", "C_a=0.05"}, "pH"),
                1e-8);
    EXPECT_NEAR(mixPH({"ammonia=0.02"}),
                solvedSlot({"solve", "15", "--json", "--base", "ammonia", "C_b=0.02"}, "pH"), 1e-8);
    // Sodium acetate as its parts, and a weak acid with a weak base.
    EXPECT_NEAR(mixPH({"acetic=0.1", "Na+=0.1"}),
                solvedSlot({"solve", "22", "--json", "--acid", "acetic", "C_S=0.1"}, "pH"), 1e-8);
    EXPECT_NEAR(mixPH({"formic=0.05", "methylamine=0.02"}),
                solvedSlot({"solve", "33", "--json", "--acid", "formic", "--base", "methylamine",
                            "C_a=0.05", "C_b=0.02"},
                           "pH"),
                1e-8);
}

TEST(Mix, DaviesAgreesWithSolveAndWritesTheActivity) {
    const Outcome mixed = run({"mix", "--json", "--activity", "davies", "acetic=0.1", "Na+=0.1"});
    const Outcome solved =
        run({"solve", "22", "--json", "--activity", "davies", "--acid", "acetic", "C_S=0.1"});
    ASSERT_EQ(mixed.status, ExitOk) << mixed.out << mixed.err;
    ASSERT_EQ(solved.status, ExitOk) << solved.out;
    const std::size_t pHAt = solved.out.find("\"name\":\"pH\"");
    EXPECT_NEAR(jsonNumber(mixed.out, "pH"), jsonNumber(solved.out, "value", pHAt), 1e-8);
    EXPECT_TRUE(contains(mixed.out, ",\"activity\":{\"model\":\"davies\",\"ionic_strength\":"))
        << mixed.out;
    const std::size_t gamma = mixed.out.find("\"gamma\":"),
                      solvedGamma = solved.out.find("\"gamma\":");
    EXPECT_NEAR(jsonNumber(mixed.out, "1", gamma), jsonNumber(solved.out, "1", solvedGamma), 1e-9);
    EXPECT_NEAR(jsonNumber(mixed.out, "2", gamma), jsonNumber(solved.out, "2", solvedGamma), 1e-9);
    EXPECT_NEAR(jsonNumber(mixed.out, "temperature"), 25, 0);

    // Kw and A at 50 °C, and at the 37 °C of pKw 13.59, as solve takes them.
    for (const std::vector<std::string>& water :
         {std::vector<std::string>{"--temperature", "50"}, {"--pkw", "13.59"}}) {
        std::vector<std::string> mix{"mix",    "--json",       "--activity",
                                     "davies", "ammonia=0.05", "Cl-=0.02"};
        std::vector<std::string> solve{"solve",  "41",      "--json",   "--activity", "davies",
                                       "--base", "ammonia", "C_b=0.03", "C_S=0.02"};
        mix.insert(mix.end(), water.begin(), water.end());
        solve.insert(solve.end(), water.begin(), water.end());
        EXPECT_NEAR(mixPH(std::vector<std::string>(mix.begin() + 2, mix.end())),
                    solvedSlot(solve, "pH"), 1e-8)
            << water[0];
    }

    // Ideal is the default, without an "activity" member.
    const Outcome ideal = run({"mix", "--json", "--activity", "ideal", "acetic=0.1", "Na+=0.1"});
    EXPECT_EQ(ideal.out, run({"mix", "--json", "acetic=0.1", "Na+=0.1"}).out);
    EXPECT_FALSE(contains(ideal.out, "activity"));

    // Beyond the Davies range the result comes with the warning.
    const Outcome strong = run({"mix", "--activity", "davies", "acetic=0.1", "Na+=0.9"});
    EXPECT_EQ(strong.status, ExitOk);
    EXPECT_TRUE(contains(strong.out, "ok\nionic strength 0.9 mol/L is beyond the range of the "
                                     "Davies equation\n"))
        << strong.out;

    EXPECT_EQ(run({"mix", "--temperature", "25", "--pkw", "14.00", "acetic=0.1"}).status,
              ExitUsage);
    EXPECT_EQ(run({"mix", "--activity", "debye", "acetic=0.1"}).status, ExitUsage);
    EXPECT_EQ(run({"mix", "--temperature", "80", "acetic=0.1"}).status, ExitUsage);
}

TEST(Mix, TypedSystemsAndStrongElectrolytes) {
    // Ammonium chloride, and ammonia without its counter-ion.
    EXPECT_NEAR(mixPH({"acid:9.25/+1=0.1", "Cl-=0.1"}),
                solvedSlot({"solve", "21", "--json", "C_S=0.1", "k_b=1.778279410038923e-5"}, "pH"),
                1e-8);
    EXPECT_NEAR(mixPH({"acid:9.25/+1=0.02"}), mixPH({"ammonia=0.02"}), 1e-12);
    EXPECT_NEAR(mixPH({"base:4.75=0.02"}), mixPH({"ammonia=0.02"}), 1e-12);
    // A diprotic base: ethylenediamine, pK_b 4.07 and 7.15, is the acid BH2 2+ with pK_a 6.85
    // and 9.93.
    EXPECT_NEAR(mixPH({"base:4.07,7.15=0.01"}), mixPH({"acid:6.85,9.93/+2=0.01"}), 1e-12);
    // HCl 0.01 with NaOH 0.005 leaves 0.005 mol/L of H+; KOH and HNO3 alike are neutral.
    EXPECT_NEAR(mixPH({"HCl=0.01", "NaOH=0.005"}), -std::log10(0.005), 1e-9);
    EXPECT_NEAR(mixPH({"HNO3=0.02", "KOH=0.02", "K+=0.1", "NO3-=0.1"}), 7, 1e-9);
    EXPECT_NEAR(mixPH({"HClO4=0.001"}), 3, 1e-8);
    // A doubly charged spectator needs twice the counter-charge.
    EXPECT_NEAR(mixPH({"ion:+2=0.05", "HCl=0.1"}), 7, 1e-9);
}

TEST(Mix, TextListsEverySpecies) {
    const Outcome r = run({"mix", "H3PO4=0.05"});
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_TRUE(r.out.starts_with("pH\t1.811\n[H+]\t0.01546\n")) << r.out;
    EXPECT_TRUE(contains(r.out, "\nPhosphoric acid\t0.05\n  H3PO4\t")) << r.out;
    for (const char* species : {"\n  H2PO4^-\t", "\n  HPO4^2-\t", "\n  PO4^3-\t"})
        EXPECT_TRUE(contains(r.out, species)) << species;
    EXPECT_TRUE(r.out.ends_with("\nok\n"));
}

TEST(Mix, JsonNamesTheSpeciesWithTheirCharges) {
    const Outcome r = run({"mix", "--json", "acetic=0.1", "Na+=0.1"});
    ASSERT_EQ(r.status, ExitOk);
    EXPECT_TRUE(contains(r.out, "\"components\":[{\"name\":\"Acetic acid\",\"total\":0.1"));
    EXPECT_TRUE(contains(r.out, "{\"formula\":\"CH3COO^-\",\"charge\":-1,\"concentration\":"));
    EXPECT_TRUE(contains(r.out, "{\"formula\":\"Na^+\",\"charge\":1,\"concentration\":0.1"));
    EXPECT_NEAR(jsonNumber(r.out, "ionic_strength"), 0.1, 1e-6);
    EXPECT_NEAR(jsonNumber(r.out, "h") * jsonNumber(r.out, "oh"), 1e-14, 1e-26);
}

TEST(Mix, FindsTheConcentrationForAPH) {
    // At pH = pK half of the acetic acid is acetate: Na+ = 0.05 - [H+] + [OH-].
    const Outcome r =
        run({"mix", "--json", "acetic=0.1", "NaOH=0", "--ph", "4.76", "--find", "NaOH"});
    ASSERT_EQ(r.status, ExitOk) << r.err;
    const double h = std::pow(10.0, -4.76);
    EXPECT_NEAR(jsonNumber(r.out, "total", r.out.find("\"name\":\"NaOH\"")), 0.05 - h + 1e-14 / h,
                1e-12);
    const Outcome none = run({"mix", "acetic=0.1", "HCl=0", "--ph", "3", "--find", "HCl"});
    EXPECT_EQ(none.status, ExitInvalidInput);
    EXPECT_TRUE(contains(none.out, "Invalid input values: Calculation error.\nno concentration of "
                                   "\"HCl\" gives pH 3"))
        << none.out;
}

TEST(Mix, UsageAndReadingErrorsNameTheComponent) {
    const Outcome unknown = run({"mix", "acetic=0.1", "unobtainium=1"});
    EXPECT_EQ(unknown.status, ExitUsage);
    EXPECT_TRUE(contains(unknown.err, "unknown component \"unobtainium\""));
    std::vector<std::string> many{"mix"};
    for (int i = 0; i < 21; ++i)
        many.push_back("Na+=0.001");
    EXPECT_EQ(run(many).status, ExitUsage);
    EXPECT_TRUE(contains(run(many).err, "at most 20 components, not 21"));
    many.pop_back();
    EXPECT_EQ(run(many).status, ExitOk);

    const Outcome negative = run({"mix", "acetic=-0.1"});
    EXPECT_EQ(negative.status, ExitInvalidInput);
    EXPECT_TRUE(contains(negative.out, "Invalid input values: Reading error.\n"));
    EXPECT_TRUE(contains(negative.out, "acetic"));
    const Outcome empty = run({"mix", "--json", "Na+=0.1", "acetic="});
    EXPECT_EQ(empty.status, ExitInvalidInput);
    EXPECT_EQ(empty.out, "{\"status\":\"reading error\",\"reason\":\"acetic = \\\"\\\" cannot be "
                         "read as a number\"}\n");
    // Read as the value fields read: a decimal comma.
    EXPECT_NEAR(mixPH({"acetic=0,1"}), mixPH({"acetic=0.1"}), 1e-12);

    EXPECT_EQ(run({"mix", "acetic=0.1", "--ph", "3"}).status, ExitUsage);
    EXPECT_EQ(run({"mix", "acetic=0.1", "--ph", "3", "--find", "HCl"}).status, ExitUsage);
    EXPECT_EQ(run({"mix", "acid:x=0.1"}).status, ExitUsage);
    EXPECT_EQ(run({"mix", "acid:4/+9=0.1"}).status, ExitUsage);
    EXPECT_EQ(run({"mix", "ion:0=0.1"}).status, ExitUsage);
    EXPECT_EQ(run({"mix", "acetic"}).status, ExitUsage);
    EXPECT_EQ(run({"mix"}).status, ExitUsage);
    // "nitrophenol" names three.
    EXPECT_TRUE(contains(run({"mix", "nitrophenol=0.1"}).err, "names several compounds"));
}

QString outputPath(const char* name) {
    const QString dir = QStringLiteral(CORVANE_TEST_OUTPUT_DIR) + QStringLiteral("/cli");
    QDir().mkpath(dir);
    return dir + "/" + name;
}

TEST(MixTitration, StrongAndWeakAcidsFollowTheGraphCommand) {
    // HCl alone is code 50; acetic acid alone is code 51 with its k_a.
    const Outcome mixture = run({"mix", "HCl=0.1", "--titrate", "NaOH=0.1", "--volume", "25"});
    const Outcome code50 = run({"graph", "50", "29", "C_a=0.1", "V_a=25", "C_SB=0.1"});
    ASSERT_EQ(mixture.status, ExitOk) << mixture.err;
    ASSERT_EQ(code50.status, ExitOk);
    EXPECT_TRUE(mixture.out.starts_with("V (mL)\tpH\n0\t1\n")) << mixture.out.substr(0, 40);
    EXPECT_EQ(mixture.out.substr(mixture.out.find("\n") + 1),
              code50.out.substr(code50.out.find("\n") + 1) + "equivalence\t25\t7\n");

    const Outcome weak =
        run({"mix", "--json", "acid:4.76=0.1", "--titrate", "NaOH=0.1", "--volume", "25"});
    const Outcome code51 = run({"graph", "51", "29", "--json", "C_a=0.1", "V_a=25", "C_SB=0.1",
                                "k_a=1.737800828749376e-5"});
    ASSERT_EQ(weak.status, ExitOk) << weak.err;
    const std::size_t rows = weak.out.find("\"rows\":"), code51Rows = code51.out.find("\"rows\":");
    for (int i = 0; i < 65; i += 8) {
        std::size_t at = rows, code51At = code51Rows;
        for (int k = 0; k <= i; ++k) {
            at = weak.out.find('[', at + 1);
            code51At = code51.out.find('[', code51At + 1);
        }
        const std::size_t comma = weak.out.find(',', at),
                          code51Comma = code51.out.find(',', code51At);
        EXPECT_NEAR(std::stod(weak.out.substr(comma + 1)),
                    std::stod(code51.out.substr(code51Comma + 1)), 1e-8)
            << "row " << i;
    }
    EXPECT_TRUE(contains(weak.out, "\"marks\":[{\"kind\":\"equivalence\",\"x\":25,\"y\":8.7"));
    EXPECT_NEAR(jsonNumber(weak.out, "max", weak.out.find("\"x\":{")), 50, 1e-12);
}

// The pH of every row of --json "rows" from 0 to `last`, every `step`-th.
std::vector<double> rowPHs(const std::string& json, int last, int step) {
    std::vector<double> pH;
    std::size_t at = json.find("\"rows\":");
    for (int i = 0; i <= last; ++i) {
        at = json.find('[', at + 1);
        if (i % step == 0) pH.push_back(std::stod(json.substr(json.find(',', at) + 1)));
    }
    return pH;
}

TEST(MixTitration, DaviesFollowsTheGraphCommand) {
    const Outcome weak = run({"mix", "--json", "--activity", "davies", "acid:4.76=0.1", "--titrate",
                              "NaOH=0.1", "--volume", "25"});
    const Outcome code51 = run({"graph", "51", "29", "--json", "--activity", "davies", "C_a=0.1",
                                "V_a=25", "C_SB=0.1", "k_a=1.737800828749376e-5"});
    ASSERT_EQ(weak.status, ExitOk) << weak.out << weak.err;
    ASSERT_EQ(code51.status, ExitOk) << code51.out;
    const std::vector<double> mixed = rowPHs(weak.out, 64, 8), graphed = rowPHs(code51.out, 64, 8);
    for (std::size_t i = 0; i < mixed.size(); ++i)
        EXPECT_NEAR(mixed[i], graphed[i], 1e-6) << "row " << 8 * i;
    // Below the ideal curve before the equivalence point (γ1 < 1 lowers the pH of a buffer).
    const Outcome ideal =
        run({"mix", "--json", "acid:4.76=0.1", "--titrate", "NaOH=0.1", "--volume", "25"});
    EXPECT_LT(rowPHs(weak.out, 16, 16)[1], rowPHs(ideal.out, 16, 16)[1] - 0.05);
}

TEST(MixTitration, MarksEachStepOfAMixtureAndWritesItsFiles) {
    const QString picture = outputPath("mix-titration.png");
    const QString table = outputPath("mix-titration.txt");
    QFile::remove(picture);
    QFile::remove(table);
    const Outcome r =
        run({"mix", "--json", "HCl=0.05", "acetic=0.1", "--titrate", "NaOH=0.1", "--volume", "25",
             "--to", "60", "--picture", picture.toStdString(), "--table", table.toStdString()});
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_TRUE(contains(r.out, "\"marks\":[{\"kind\":\"equivalence\",\"x\":12.5,"));
    const std::size_t second = r.out.find("{\"kind\":\"equivalence\"", r.out.find("12.5,"));
    EXPECT_NEAR(jsonNumber(r.out, "x", second), 37.5, 1e-12);
    EXPECT_NEAR(jsonNumber(r.out, "max", r.out.find("\"x\":{")), 60, 1e-12);
    const QImage image(picture);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(1000, 700));
    QFile text(table);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(text.readAll().contains("V (mL)"));
}

TEST(MixTitration, RefusesWhatIsNoTitration) {
    EXPECT_EQ(run({"mix", "acetic=0.1", "--titrate", "ammonia=0.1", "--volume", "25"}).status,
              ExitUsage);
    EXPECT_EQ(run({"mix", "acetic=0.1", "--titrate", "NaOH=0.1"}).status, ExitUsage);
    EXPECT_EQ(run({"mix", "acetic=0.1", "--volume", "25"}).status, ExitUsage);
    const Outcome zero = run({"mix", "acetic=0.1", "--titrate", "NaOH=0.1", "--volume", "0"});
    EXPECT_EQ(zero.status, ExitInvalidInput);
    // Sodium acetate has nothing for a base to titrate.
    const Outcome none =
        run({"mix", "acetic=0.1", "Na+=0.1", "--titrate", "NaOH=0.1", "--volume", "25"});
    EXPECT_EQ(none.status, ExitInvalidInput);
    EXPECT_TRUE(contains(none.out, "--to")) << none.out;
}

TEST(Species, PhosphateFractionsCrossAtThePKValues) {
    const Outcome r = run({"species", "phosphoric", "--json"});
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_TRUE(r.out.starts_with(
        "{\"species\":[\"H3PO4\",\"H2PO4^-\",\"HPO4^2-\",\"PO4^3-\"],\"rows\":[[0,"));
    // Rows of [pH, a0, a1, a2, a3]: the pH where a1 falls below a2 is pK2 = 7.21.
    std::vector<std::vector<double>> rows;
    std::size_t at = r.out.find("\"rows\":[") + 8;
    while ((at = r.out.find('[', at)) != std::string::npos) {
        std::vector<double> row;
        std::size_t p = at + 1;
        for (int k = 0; k < 5; ++k) {
            std::size_t used = 0;
            row.push_back(std::stod(r.out.substr(p), &used));
            p += used + 1;
        }
        rows.push_back(row);
        at = p;
    }
    ASSERT_EQ(rows.size(), 257u);
    EXPECT_EQ(rows.back()[0], 14);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_NEAR(rows[i][1] + rows[i][2] + rows[i][3] + rows[i][4], 1, 1e-12);
        if (rows[i - 1][2] > rows[i - 1][3] && rows[i][2] <= rows[i][3]) {
            EXPECT_LE(rows[i - 1][0], 7.21);
            EXPECT_GE(rows[i][0], 7.21);
        }
    }
}

TEST(Species, DrawsOneColourPerForm) {
    const QString picture = outputPath("species-citric.png");
    QFile::remove(picture);
    const Outcome r = run({"species", "acid:3.13,4.76,6.40", "--picture", picture.toStdString()});
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_TRUE(r.out.starts_with("pH\tH3A\tH2A^-\tHA^2-\tA^3-\n0\t"));
    const QImage image(picture);
    ASSERT_FALSE(image.isNull());
    for (const QColor colour :
         {QColor(200, 0, 0), QColor(0, 100, 220), QColor(0, 128, 0), QColor(196, 128, 0)}) {
        int pixels = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                pixels += image.pixelColor(x, y) == colour;
        EXPECT_GT(pixels, 500) << colour.name().toStdString();
    }
}

TEST(Species, NeedsOneComponentWithForms) {
    EXPECT_EQ(run({"species", "Na+"}).status, ExitUsage);
    EXPECT_EQ(run({"species"}).status, ExitUsage);
    EXPECT_EQ(run({"species", "acetic", "ammonia"}).status, ExitUsage);
    const Outcome ammonia = run({"species", "ammonia", "--pkw", "13.59"});
    ASSERT_EQ(ammonia.status, ExitOk);
    EXPECT_TRUE(ammonia.out.starts_with("pH\tNH4^+\tNH3\n"));
}

TEST(CompoundsJson, GivesTheChargeOfTheMostProtonatedForm) {
    const Outcome r = run({"compounds", "--json", "ammonia"});
    ASSERT_EQ(r.status, ExitOk);
    EXPECT_TRUE(r.out.starts_with("[{\"name\":\"Ammonia\",\"formula\":\"NH3\",\"kind\":\"base\","
                                  "\"pk\":[4.75],\"charge\":1,\"source\":\"CRC"))
        << r.out;
    EXPECT_TRUE(
        contains(run({"compounds", "sulfuric", "--json"}).out, "\"pk\":[null,1.99],\"charge\":-1"));
    EXPECT_EQ(run({"compounds", "--json", "xyzzy"}).status, ExitInvalidInput);
    EXPECT_EQ(run({"compounds", "a", "b"}).status, ExitUsage);
}

} // namespace
