// Buffer recipes: every recipe, mixed in the solver, gives its pH; the default pairs; a hand
// check of an acetate buffer; pH values a pair cannot reach.
#include "compounds/componentforms.h"
#include "compounds/reagents.h"
#include "compounds/recipe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace corvane;
using namespace corvane::compounds;

namespace {

const Compound& System(const std::string& name) {
    for (const Compound& c : Compounds())
        if (c.name == name) return c;
    ADD_FAILURE() << name;
    return Compounds().front();
}

// The total of the system and the pH of the solution a recipe makes.
void ExpectMakes(const Compound& system, const Recipe& recipe, double pH, double total) {
    ASSERT_TRUE(recipe.ok) << system.name << " pH " << pH << ": " << recipe.reason;
    const engine::MixtureResult r =
        engine::SolveMixture(RecipeMixture(system, recipe.amounts, 14), 14);
    ASSERT_TRUE(r.ok) << r.reason;
    EXPECT_NEAR(r.pH, pH, 1e-6) << system.name;
    EXPECT_NEAR(r.components.front().total, total, 1e-12 * total) << system.name;
}

TEST(Recipe, EveryDefaultRecipeMixedGivesItsPH) {
    int made = 0;
    for (const Compound& system : Compounds()) {
        if (system.reagents.size() < 2) continue;
        const engine::Component c = ComponentOf(system, 0, 14);
        for (double pk : c.pk)
            for (double pH : {pk - 0.5, pk, pk + 0.5}) {
                const auto [first, second] = DefaultReagents(system, pH, 14);
                if (!first || !second) continue;
                for (double total : {0.01, 0.1}) {
                    const Recipe recipe = MakeRecipe(system, *first, *second, pH, total, 14);
                    if (!recipe.ok) continue;
                    ExpectMakes(system, recipe, pH, total);
                    ++made;
                }
            }
    }
    EXPECT_GE(made, 60);
}

TEST(Recipe, DefaultPairsAroundTheNearestPK) {
    auto pair = [](const char* system, double pH) {
        const auto [a, b] = DefaultReagents(System(system), pH, 14);
        return std::string(a ? a->name : "-") + " + " + (b ? b->name : "-");
    };
    EXPECT_EQ(pair("Phosphoric acid", 7.2),
              "Sodium dihydrogen phosphate + Disodium hydrogen phosphate");
    EXPECT_EQ(pair("Phosphoric acid", 2.5), "Phosphoric acid + Sodium dihydrogen phosphate");
    EXPECT_EQ(pair("Acetic acid", 5), "Acetic acid + Sodium acetate");
    EXPECT_EQ(pair("Tris(hydroxymethyl)aminomethane", 8), "Tris hydrochloride + Tris");
    EXPECT_EQ(pair("Ammonia", 9), "Ammonium chloride + Ammonia");
    EXPECT_EQ(pair("Boric acid", 9), "Boric acid + Borax");
    EXPECT_EQ(pair("Carbonic acid", 10), "Sodium hydrogen carbonate + Sodium carbonate");
    // No reagent gives carbonic acid itself.
    EXPECT_EQ(pair("Carbonic acid", 6.3), "- + Sodium hydrogen carbonate");
}

TEST(Recipe, AcetateBufferAtItsPKByHand) {
    // pH = pK: half of 0.1 mol/L is acetate, and Na+ = [A-] + [OH-] - [H+] with
    // [H+] = 1.7378e-5 and [OH-] = 5.754e-10: 0.05 - 1.7377e-5 = 0.0499826 of the salt.
    const Compound& acetic = System("Acetic acid");
    const Recipe r = MakeRecipe(acetic, *FindReagent(acetic, "Acetic acid"),
                                *FindReagent(acetic, "Sodium acetate"), 4.76, 0.1, 14);
    ASSERT_TRUE(r.ok);
    EXPECT_NEAR(r.amounts[1].concentration, 0.04998262, 1e-8);
    EXPECT_NEAR(r.amounts[0].concentration, 0.05001738, 1e-8);
}

TEST(Recipe, BoraxBringsFourBoronsAndTwoSodiums) {
    const Compound& boric = System("Boric acid");
    const Recipe r = MakeRecipe(boric, *FindReagent(boric, "Boric acid"),
                                *FindReagent(boric, "Borax"), 9.0, 0.1, 14);
    ExpectMakes(boric, r, 9.0, 0.1);
    EXPECT_NEAR(r.amounts[0].concentration + 4 * r.amounts[1].concentration, 0.1, 1e-15);
}

TEST(Recipe, APHOutOfReachGivesTheRange) {
    const Compound& phosphoric = System("Phosphoric acid");
    const Recipe r = MakeRecipe(phosphoric, *FindReagent(phosphoric, "NaH2PO4"),
                                *FindReagent(phosphoric, "Na2HPO4"), 3, 0.1, 14);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.reason.find("cannot make pH 3 at 0.1 mol/L: they reach pH 4."), std::string::npos)
        << r.reason;
    const Recipe same = MakeRecipe(phosphoric, *FindReagent(phosphoric, "Na2HPO4"),
                                   *FindReagent(phosphoric, "Na2HPO4·2H2O"), 7, 0.1, 14);
    EXPECT_FALSE(same.ok);
}

constexpr engine::MixtureModel Davies{14.0, engine::ActivityModel::Davies, 25.0};

TEST(Recipe, DaviesRecipesMixedWithDaviesGiveTheirPH) {
    int made = 0;
    for (const Compound& system : Compounds()) {
        if (system.reagents.size() < 2) continue;
        for (double pk : ComponentOf(system, 0, 14).pk)
            for (double pH : {pk - 0.4, pk + 0.4}) {
                const auto [first, second] = DefaultReagents(system, pH, 14);
                if (!first || !second) continue;
                const Recipe recipe = MakeRecipe(system, *first, *second, pH, 0.1, Davies);
                if (!recipe.ok) continue;
                const engine::MixtureResult r =
                    engine::SolveMixture(RecipeMixture(system, recipe.amounts, 14), Davies);
                ASSERT_TRUE(r.ok) << r.reason;
                EXPECT_NEAR(r.pH, pH, 1e-6) << system.name << " pH " << pH;
                EXPECT_NEAR(r.components.front().total, 0.1, 1e-12) << system.name;
                // At I of 0.01 to 0.5 mol/L the recipe differs from the ideal one.
                const Recipe ideal = MakeRecipe(system, *first, *second, pH, 0.1, 14);
                EXPECT_GT(
                    std::abs(ideal.amounts[0].concentration - recipe.amounts[0].concentration),
                    1e-4)
                    << system.name << " pH " << pH;
                ++made;
            }
    }
    EXPECT_GE(made, 25);
}

// The primary standard of Buck et al., Pure Appl. Chem. 74 (2002) 2169, table 2: KH2PO4 and
// Na2HPO4 0.025 mol/kg each (taken as mol/L), pH 6.865 at 25 °C. Ideal activities miss it
// by about 0.3.
TEST(Recipe, StandardPhosphateBufferWithDavies) {
    const Compound& phosphoric = System("Phosphoric acid");
    const std::vector<RecipeAmount> amounts{{FindReagent(phosphoric, "KH2PO4"), 0.025},
                                            {FindReagent(phosphoric, "Na2HPO4"), 0.025}};
    ASSERT_NE(amounts[0].reagent, nullptr);
    ASSERT_NE(amounts[1].reagent, nullptr);
    const std::vector<engine::Component> mixture = RecipeMixture(phosphoric, amounts, 14);
    const engine::MixtureResult davies = engine::SolveMixture(mixture, Davies);
    ASSERT_TRUE(davies.ok) << davies.reason;
    EXPECT_NEAR(davies.pH, 6.865, 0.03);
    // I = ½(0.025 K+ + 0.05 Na+ + 0.025 H2PO4- + 4·0.025 HPO4²-) = 0.1 mol/L.
    EXPECT_NEAR(davies.ionicStrength, 0.1, 2e-3);
    EXPECT_GT(engine::SolveMixture(mixture, 14).pH - davies.pH, 0.2);
}

} // namespace
