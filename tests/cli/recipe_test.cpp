// corvane-cli recipe and the reagents of compounds --json: recipes checked by mixing their
// amounts with corvane-cli mix, stock solutions, and the refusals.
#include "run_cli.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace corvane::cli;
using namespace corvane::cli::test;

namespace {

double number(const std::string& json, const std::string& key, std::size_t from = 0) {
    const std::size_t at = json.find("\"" + key + "\":", from);
    EXPECT_NE(at, std::string::npos) << key;
    return at == std::string::npos ? NAN : std::stod(json.substr(at + key.size() + 3));
}

// The moles of the reagent named in a recipe's JSON.
double moles(const std::string& json, const std::string& name) {
    return number(json, "moles", json.find("\"name\":\"" + name + "\""));
}

std::string decimal(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

TEST(RecipeCommand, PhosphateBufferMixedGivesItsPH) {
    const Outcome r =
        run({"recipe", "phosphate", "--ph", "7.0", "--total", "0.1", "--volume", "500", "--json"});
    ASSERT_EQ(r.status, ExitOk) << r.out << r.err;
    EXPECT_TRUE(r.out.starts_with("{\"system\":\"Phosphoric acid\",\"ph\":7,\"total\":0.1"));
    const double mono = moles(r.out, "Sodium dihydrogen phosphate");
    const double di = moles(r.out, "Disodium hydrogen phosphate");
    EXPECT_NEAR(mono + di, 0.05, 1e-12);
    EXPECT_NEAR(number(r.out, "grams", r.out.find("NaH2PO4")), mono * 119.977, 1e-3);
    // The same solution as phosphoric acid with its sodium, in 0.5 L.
    const Outcome mixed =
        run({"mix", "--json", "phosphoric=0.1", "Na+=" + decimal((mono + 2 * di) / 0.5)});
    ASSERT_EQ(mixed.status, ExitOk);
    EXPECT_NEAR(number(mixed.out, "pH"), 7.0, 1e-6);
    EXPECT_NEAR(number(r.out, "ionic_strength"), number(mixed.out, "ionic_strength"), 1e-12);
}

TEST(RecipeCommand, DaviesRecipeMixedWithDaviesGivesItsPH) {
    const Outcome r = run({"recipe", "phosphate", "--ph", "7.0", "--total", "0.1", "--volume",
                           "500", "--json", "--activity", "davies"});
    ASSERT_EQ(r.status, ExitOk) << r.out << r.err;
    const double mono = moles(r.out, "Sodium dihydrogen phosphate");
    const double di = moles(r.out, "Disodium hydrogen phosphate");
    EXPECT_NEAR(mono + di, 0.05, 1e-12);
    const Outcome mixed = run({"mix", "--json", "--activity", "davies", "phosphoric=0.1",
                               "Na+=" + decimal((mono + 2 * di) / 0.5)});
    ASSERT_EQ(mixed.status, ExitOk);
    EXPECT_NEAR(number(mixed.out, "pH"), 7.0, 1e-6);
    EXPECT_NE(r.out.find(",\"activity\":{\"model\":\"davies\""), std::string::npos) << r.out;
    // With γ below 1 the same pH needs more of the monohydrogen salt than the ideal recipe.
    const Outcome ideal =
        run({"recipe", "phosphate", "--ph", "7.0", "--total", "0.1", "--volume", "500", "--json"});
    EXPECT_GT(di, moles(ideal.out, "Disodium hydrogen phosphate") + 1e-3);
    EXPECT_EQ(run({"recipe", "phosphate", "--ph", "7", "--total", "0.1", "--volume", "500", "--pkw",
                   "14.00", "--temperature", "20"})
                  .status,
              ExitUsage);
}

TEST(RecipeCommand, TextAndStockSolutions) {
    const Outcome text =
        run({"recipe", "tris", "--ph", "8.1", "--total", "0.05", "--volume", "1000"});
    ASSERT_EQ(text.status, ExitOk) << text.err;
    EXPECT_TRUE(contains(text.out, "system\tTris(hydroxymethyl)aminomethane\npH\t8.1\n"));
    EXPECT_TRUE(contains(text.out, "\nTris hydrochloride\t(HOCH2)3CNH3Cl\t"));
    EXPECT_TRUE(text.out.ends_with("\nok\n"));

    const Outcome stock = run({"recipe", "ammonia", "--ph", "9.5", "--total", "0.1", "--volume",
                               "250", "--stock", "NH3=14.8", "--json"});
    ASSERT_EQ(stock.status, ExitOk) << stock.err;
    const std::size_t ammonia = stock.out.find("\"name\":\"Ammonia\"");
    EXPECT_NEAR(number(stock.out, "millilitres", ammonia),
                number(stock.out, "moles", ammonia) / 14.8 * 1000, 1e-12);
    EXPECT_TRUE(
        contains(stock.out, "\"name\":\"Ammonium chloride\",\"formula\":\"NH4Cl\",\"grams\""));
}

TEST(RecipeCommand, NamedReagentsAndTheirReach) {
    const Outcome borax = run({"recipe", "boric", "--ph", "9.2", "--total", "0.1", "--volume",
                               "1000", "--reagents", "H3BO3,borax", "--json"});
    ASSERT_EQ(borax.status, ExitOk) << borax.err;
    EXPECT_NEAR(moles(borax.out, "Boric acid") + 4 * moles(borax.out, "Borax"), 0.1, 1e-12);
    const Outcome far = run({"recipe", "phosphoric", "--ph", "3", "--total", "0.1", "--volume",
                             "100", "--reagents", "NaH2PO4,Na2HPO4"});
    EXPECT_EQ(far.status, ExitInvalidInput);
    EXPECT_TRUE(contains(far.out, "cannot make pH 3 at 0.1 mol/L: they reach pH 4.")) << far.out;
}

TEST(RecipeCommand, UsageAndReadingErrors) {
    EXPECT_EQ(run({"recipe", "acetic", "--ph", "4.7", "--total", "0.1"}).status, ExitUsage);
    EXPECT_EQ(
        run({"recipe", "hydrofluoric", "--ph", "3", "--total", "0.1", "--volume", "100"}).status,
        ExitUsage);
    const Outcome unknown = run({"recipe", "acetic", "--ph", "4.7", "--total", "0.1", "--volume",
                                 "100", "--reagents", "CH3COOH,NaCl"});
    EXPECT_EQ(unknown.status, ExitUsage);
    EXPECT_TRUE(contains(unknown.err, "\"NaCl\" is not a reagent of Acetic acid (CH3COOH, "));
    EXPECT_EQ(run({"recipe", "acetic", "--ph", "4.7", "--total", "0.1", "--volume", "100",
                   "--stock", "KCl=1"})
                  .status,
              ExitUsage);
    const Outcome negative =
        run({"recipe", "acetic", "--ph", "4.7", "--total", "-0.1", "--volume", "100"});
    EXPECT_EQ(negative.status, ExitInvalidInput);
    EXPECT_TRUE(contains(negative.out, "Invalid input values: Reading error.\n--total"));
    // Carbonic acid has no reagent that gives H2CO3.
    EXPECT_EQ(
        run({"recipe", "carbonic", "--ph", "6.3", "--total", "0.1", "--volume", "100"}).status,
        ExitInvalidInput);
}

TEST(CompoundsJson, ListsTheReagentsWithWhatTheySupply) {
    const Outcome r = run({"compounds", "--json", "acetic acid"});
    ASSERT_EQ(r.status, ExitOk);
    EXPECT_TRUE(contains(r.out, "{\"name\":\"Sodium acetate\",\"formula\":\"CH3COONa\","
                                "\"molar_mass\":82.034,\"supplies\":[{\"formula\":\"CH3COO^-\","
                                "\"count\":1},{\"formula\":\"Na^+\",\"count\":1}],\"protons\":0"))
        << r.out;
    EXPECT_TRUE(
        contains(run({"compounds", "--json", "boric"}).out,
                 "{\"formula\":\"H2BO3^-\",\"count\":2},{\"formula\":\"Na^+\",\"count\":2}],"
                 "\"protons\":2"));
}

} // namespace
