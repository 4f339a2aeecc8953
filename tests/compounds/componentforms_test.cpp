// Table compounds as mixture components: the formulas of their forms, their charges and pK
// values, and how species are written.
#include "compounds/componentforms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace corvane;
using namespace corvane::compounds;

namespace {

const Compound& Named(const std::string& name) {
    std::vector<const Compound*> all;
    for (const Compound& c : Compounds())
        all.push_back(&c);
    const Lookup found = FindCompound(name, all);
    EXPECT_EQ(found.status, LookupStatus::Found) << name;
    return *found.compound;
}

using Forms = std::vector<std::string>;

TEST(FormFormulas, FollowTheHydrogensTheFormulaShows) {
    EXPECT_EQ(FormFormulas(Named("Phosphoric acid")),
              (Forms{"H_3PO_4", "H_2PO_4", "HPO_4", "PO_4"}));
    EXPECT_EQ(FormFormulas(Named("Carbonic acid")), (Forms{"H_2CO_3", "HCO_3", "CO_3"}));
    EXPECT_EQ(FormFormulas(Named("Hydrogen peroxide")), (Forms{"H_2O_2", "HO_2"}));
    EXPECT_EQ(FormFormulas(Named("Phosphorous acid")), (Forms{"H_3PO_3", "H_2PO_3", "HPO_3"}));
    EXPECT_EQ(FormFormulas(Named("Acetic acid")), (Forms{"CH_3COOH", "CH_3COO"}));
    EXPECT_EQ(FormFormulas(Named("Formic acid")), (Forms{"HCOOH", "HCOO"}));
    EXPECT_EQ(FormFormulas(Named("Phenol")), (Forms{"C_6H_5OH", "C_6H_5O"}));
    EXPECT_EQ(FormFormulas(Named("Hydrocyanic acid")), (Forms{"HCN", "CN"}));
    // Sulfuric acid gives its first proton up completely: it is HSO4- and SO4 2- in water.
    EXPECT_EQ(FormFormulas(Named("Sulfuric acid")), (Forms{"HSO_4", "SO_4"}));
    // Citric acid's formula does not show which hydrogens go.
    EXPECT_EQ(FormFormulas(Named("Citric acid")), (Forms{"H_3A", "H_2A", "HA", "A"}));
}

TEST(FormFormulas, BasesTakeTheirHydrogenOnTheNitrogen) {
    EXPECT_EQ(FormFormulas(Named("Ammonia")), (Forms{"NH_4", "NH_3"}));
    EXPECT_EQ(FormFormulas(Named("Methylamine")), (Forms{"CH_3NH_3", "CH_3NH_2"}));
    EXPECT_EQ(FormFormulas(Named("Dimethylamine")), (Forms{"(CH_3)_2NH_2", "(CH_3)_2NH"}));
    EXPECT_EQ(FormFormulas(Named("Pyridine")), (Forms{"C_5H_5NH", "C_5H_5N"}));
    EXPECT_EQ(FormFormulas(Named("Hydroxylamine")), (Forms{"NH_3OH", "NH_2OH"}));
    EXPECT_EQ(FormFormulas(Named("Hydrazine")), (Forms{"N_2H_5", "N_2H_4"}));
    EXPECT_EQ(FormFormulas(Named("Imidazole")), (Forms{"(C_3H_4N_2)H", "C_3H_4N_2"}));
}

TEST(ComponentOf, EveryTableCompoundIsASystemTheSolverTakes) {
    for (const Compound& c : Compounds()) {
        const engine::Component component = ComponentOf(c, 0.01, 14);
        ASSERT_EQ(component.forms.size(), component.pk.size() + 1) << c.name;
        EXPECT_TRUE(engine::SolveMixture({component}, 14).ok) << c.name;
    }
}

TEST(ComponentOf, ABaseIsTheAcidOfItsCation) {
    const engine::Component ammonia = ComponentOf(Named("Ammonia"), 0.1, 14);
    EXPECT_EQ(ammonia.forms.front().charge, 1);
    EXPECT_EQ(ammonia.forms.back().charge, 0);
    ASSERT_EQ(ammonia.pk.size(), 1u);
    EXPECT_DOUBLE_EQ(ammonia.pk[0], 14 - 4.75);
    EXPECT_DOUBLE_EQ(ComponentOf(Named("Ammonia"), 0.1, 13.59).pk[0], 13.59 - 4.75);
    const engine::Component sulfuric = ComponentOf(Named("Sulfuric acid"), 0.1, 14);
    EXPECT_EQ(sulfuric.forms.front().charge, -1);
    EXPECT_EQ(sulfuric.pk, std::vector<double>{1.99});
}

TEST(SpeciesText, WritesTheChargeAfterTheFormula) {
    EXPECT_EQ(SpeciesText({"HPO_4", -2}), "HPO4^2-");
    EXPECT_EQ(SpeciesText({"NH_4", 1}), "NH4^+");
    EXPECT_EQ(SpeciesText({"H_3PO_4", 0}), "H3PO4");
    EXPECT_EQ(SpeciesMarkup({"HPO_4", -2}), "HPO_4^2^-");
    EXPECT_EQ(SpeciesMarkup({"Mg", 2}), "Mg^2^+");
    EXPECT_EQ(ChargeText(-3), "3-");
}

} // namespace
