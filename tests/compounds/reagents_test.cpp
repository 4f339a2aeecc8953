// The reagents of the table: molar masses against the formulas, what each supplies, and
// finding a system by its reagents.
#include "compounds/componentforms.h"
#include "compounds/reagents.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>

using namespace corvane::compounds;

namespace {

// Standard atomic weights (IUPAC, abridged).
const std::map<std::string, double> AtomicWeight = {{"H", 1.008},  {"C", 12.011},  {"N", 14.007},
                                                    {"O", 15.999}, {"Na", 22.990}, {"K", 39.098},
                                                    {"P", 30.974}, {"B", 10.81},   {"Cl", 35.45}};

// The mass of a plain formula with groups in parentheses: "(HOCH2)3CNH2".
double GroupMass(const std::string& f, std::size_t& i) {
    double mass = 0;
    while (i < f.size() && f[i] != ')') {
        double part = 0;
        if (f[i] == '(') {
            ++i;
            part = GroupMass(f, i);
            ++i; // ')'
        } else {
            std::string element(1, f[i++]);
            if (i < f.size() && std::islower(static_cast<unsigned char>(f[i]))) element += f[i++];
            part = AtomicWeight.at(element);
        }
        int count = 0;
        while (i < f.size() && std::isdigit(static_cast<unsigned char>(f[i])))
            count = 10 * count + (f[i++] - '0');
        mass += part * (count == 0 ? 1 : count);
    }
    return mass;
}

// "Na2HPO4·12H2O": the salt and its water of crystallisation (a count that may be 1.5).
double FormulaMass(const std::string& plain) {
    const std::string dot = "·";
    const std::size_t at = plain.find(dot);
    std::size_t i = 0;
    const std::string salt = plain.substr(0, at);
    double mass = GroupMass(salt, i);
    if (at == std::string::npos) return mass;
    const std::string water = plain.substr(at + dot.size());
    std::size_t used = 0;
    const double count =
        std::isdigit(static_cast<unsigned char>(water[0])) ? std::stod(water, &used) : 1;
    std::size_t j = used;
    return mass + count * GroupMass(water, j);
}

const Compound& System(const std::string& name) {
    for (const Compound& c : Compounds())
        if (c.name == name) return c;
    ADD_FAILURE() << name;
    return Compounds().front();
}

const Reagent& Named(const Compound& system, const std::string& name) {
    const Reagent* r = FindReagent(system, name);
    EXPECT_NE(r, nullptr) << name;
    return r ? *r : system.reagents.front();
}

TEST(Reagents, MolarMassesFollowTheFormulas) {
    int reagents = 0;
    std::set<std::string> systems;
    for (const Compound& c : Compounds())
        for (const Reagent& r : c.reagents) {
            EXPECT_NEAR(r.molarMass, FormulaMass(PlainFormula(r.formula)), 0.002) << r.name;
            EXPECT_FALSE(r.source.empty());
            systems.insert(c.name);
            ++reagents;
        }
    EXPECT_GE(systems.size(), 12u);
    EXPECT_GE(reagents, 40);
    // Hydrates are reagents of their own.
    const Compound& phosphoric = System("Phosphoric acid");
    for (const char* name : {"Na2HPO4", "Na2HPO4·2H2O", "Na2HPO4·7H2O", "Na2HPO4·12H2O"})
        EXPECT_NE(FindReagent(phosphoric, name), nullptr) << name;
    // Known values: KH2PO4 136.09, borax 381.37 g/mol.
    EXPECT_NEAR(Named(phosphoric, "KH2PO4").molarMass, 136.09, 0.01);
    EXPECT_NEAR(Named(System("Boric acid"), "borax").molarMass, 381.37, 0.01);
}

TEST(Reagents, SupplyTheirSystemAndCounterIons) {
    const Compound& boric = System("Boric acid");
    const Reagent& borax = Named(boric, "Borax");
    EXPECT_EQ(SystemAmount(boric, borax), 4);
    EXPECT_EQ(CounterCharge(borax), 2);
    EXPECT_EQ(Protons(boric, borax), 2);
    EXPECT_DOUBLE_EQ(MeanForm(boric, borax), 0.5);

    const Compound& phosphoric = System("Phosphoric acid");
    EXPECT_EQ(Protons(phosphoric, Named(phosphoric, "KH2PO4")), 2);
    EXPECT_EQ(CounterCharge(Named(phosphoric, "Na2HPO4·7H2O")), 2);
    EXPECT_EQ(Protons(phosphoric, Named(phosphoric, "Phosphoric acid")), 3);
    const Compound& tris = System("Tris(hydroxymethyl)aminomethane");
    EXPECT_EQ(CounterCharge(Named(tris, "Tris hydrochloride")), -1);
    EXPECT_EQ(Protons(tris, Named(tris, "Tris hydrochloride")), 1);
    EXPECT_EQ(Protons(tris, Named(tris, "Tris")), 0);
}

TEST(Reagents, FindASystemByItsFormsAndReagents) {
    const std::pair<const char*, const char*> Cases[] = {{"acetate", "Acetic acid"},
                                                         {"ammonium", "Ammonia"},
                                                         {"NH4Cl", "Ammonia"},
                                                         {"Na2CO3", "Carbonic acid"},
                                                         {"hydrogen phosphate", "Phosphoric acid"}};
    for (const auto& [text, system] : Cases) {
        std::vector<std::string> found;
        for (const Compound& c : Compounds())
            if (Matches(c, text)) found.push_back(c.name);
        EXPECT_EQ(found, std::vector<std::string>{system}) << text;
    }
}

TEST(SplitCharge, ReadsTheLastSuperscripts) {
    EXPECT_EQ(SplitCharge("HPO_4^2^-").formula, "HPO_4");
    EXPECT_EQ(SplitCharge("HPO_4^2^-").charge, -2);
    EXPECT_EQ(SplitCharge("Na^+").charge, 1);
    EXPECT_EQ(SplitCharge("H_3PO_4").charge, 0);
    EXPECT_EQ(SplitCharge("(HOCH_2)_3CNH_3^+").formula, "(HOCH_2)_3CNH_3");
}

} // namespace
