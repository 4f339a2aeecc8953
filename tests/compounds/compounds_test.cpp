#include "compounds/compounds.h"
#include "compounds/constants.h"

#include "engine/catalogue.h"
#include "engine/slots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>

using namespace corvane;
using namespace corvane::compounds;

namespace {

const Compound& named(const std::string& name) {
    const auto& all = Compounds();
    const auto it =
        std::find_if(all.begin(), all.end(), [&](const Compound& c) { return c.name == name; });
    if (it == all.end()) throw std::runtime_error("no compound " + name);
    return *it;
}

const engine::ProblemType& problem(std::string_view code) {
    const engine::ProblemType* p = engine::FindProblem(code);
    if (p == nullptr) throw std::runtime_error("no code " + std::string(code));
    return *p;
}

// ---- The compiled-in table ----

TEST(CompoundTable, ReadsWithoutFaults) {
    EXPECT_EQ(DataErrors(), std::vector<std::string>{});
    EXPECT_GE(Compounds().size(), 75u);
}

TEST(CompoundTable, HoldsTheCommonAcidsAndBases) {
    for (const char* name :
         {"Acetic acid",       "Formic acid",      "Benzoic acid", "Lactic acid",
          "Hydrofluoric acid", "Hydrocyanic acid", "Nitrous acid", "Hypochlorous acid",
          "Boric acid",        "Carbonic acid",    "Oxalic acid",  "Sulfurous acid",
          "Hydrogen sulfide",  "Phosphoric acid",  "Citric acid",  "Malonic acid",
          "Ammonia",           "Methylamine",      "Pyridine",     "Aniline"})
        EXPECT_NO_THROW(named(name)) << name;
}

TEST(CompoundTable, EveryEntryIsComplete) {
    for (const Compound& c : Compounds()) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(c.source.empty());
        EXPECT_FALSE(c.formula.empty());
        ASSERT_EQ(static_cast<int>(c.pk.size()), c.protons);
        if (c.kind == Kind::Base) {
            EXPECT_EQ(c.protons, 1);
        }
        for (int step = 1; step < c.protons; ++step) {
            ASSERT_TRUE(c.pk[step].has_value());
            if (c.pk[step - 1]) {
                EXPECT_LT(*c.pk[step - 1], *c.pk[step]);
            }
        }
    }
}

// Values every chemistry textbook quotes, to 0.05 pK units.
TEST(CompoundTable, AgreesWithTextbookValues) {
    struct Case {
        const char* name;
        std::vector<double> pk;
    };
    for (const Case& c : std::vector<Case>{{"Acetic acid", {4.75}},
                                           {"Formic acid", {3.75}},
                                           {"Hydrofluoric acid", {3.17}},
                                           {"Phosphoric acid", {2.15, 7.20, 12.35}},
                                           {"Carbonic acid", {6.35, 10.33}},
                                           {"Citric acid", {3.13, 4.76, 6.40}},
                                           {"Ammonia", {4.75}},
                                           {"Pyridine", {8.77}}}) {
        const Compound& compound = named(c.name);
        ASSERT_EQ(compound.pk.size(), c.pk.size()) << c.name;
        for (std::size_t i = 0; i < c.pk.size(); ++i)
            EXPECT_NEAR(compound.pk[i].value(), c.pk[i], 0.05) << c.name << " step " << i + 1;
    }
}

// ---- Reading a table text ----

constexpr const char* Sources = "source;S;A compilation\n";

struct FaultCase {
    const char* label;
    const char* line;
    const char* message; // part of the error
};
void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.label;
}

class TableFaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(TableFaultTest, IsReportedWithItsLine) {
    const FaultCase& c = GetParam();
    const std::string text = std::string(Sources) + "acid;Good acid;HA;1;4.00;;;S\n" + c.line;
    const ParseResult r = ParseCompounds(text);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_TRUE(r.errors[0].starts_with("line 3: ")) << r.errors[0];
    EXPECT_NE(r.errors[0].find(c.message), std::string::npos) << r.errors[0];
    ASSERT_EQ(r.compounds.size(), 1u);
    EXPECT_EQ(r.compounds[0].name, "Good acid");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableFaultTest,
    ::testing::Values(
        FaultCase{"NoSource", "acid;X acid;HX;1;4.00;;;", "no source"},
        FaultCase{"UnknownSource", "acid;X acid;HX;1;4.00;;;T", "unknown source"},
        FaultCase{"FieldCount", "acid;X acid;HX;1;4.00;;S", "expected 8 fields"},
        FaultCase{"NoName", "acid;;HX;1;4.00;;;S", "no name"},
        FaultCase{"NoFormula", "acid;X acid;;1;4.00;;;S", "no formula"},
        FaultCase{"TooManyProtons", "acid;X acid;HX;4;1;2;3;S", "protons"},
        FaultCase{"BaseWithTwoProtons", "base;X base;B;2;4.00;9.00;;S", "protons"},
        FaultCase{"MissingPK", "acid;X acid;H_2X;2;4.00;;;S", "pk2 missing"},
        FaultCase{"ExtraPK", "acid;X acid;HX;1;4.00;5.00;;S", "pk2 given"},
        FaultCase{"NotIncreasing", "acid;X acid;H_2X;2;5.00;4.00;;S", "does not exceed pk1"},
        FaultCase{"Equal", "acid;X acid;H_2X;2;5.00;5.00;;S", "does not exceed pk1"},
        FaultCase{"NotANumber", "acid;X acid;HX;1;4,5;;;S", "not a pK value"},
        FaultCase{"OutOfRange", "acid;X acid;HX;1;45;;;S", "not a pK value"},
        FaultCase{"StrongSecondStep", "acid;X acid;H_2X;2;2.00;strong;;S", "can be strong"},
        FaultCase{"StrongMonoprotic", "acid;X acid;HX;1;strong;;;S", "can be strong"},
        FaultCase{"StrongBase", "base;X base;B;1;strong;;;S", "can be strong"},
        FaultCase{"Duplicate", "acid;GOOD ACID;HA;1;4.00;;;S", "given twice"},
        FaultCase{"UnknownRecord", "salt;X;NaX;1;;;;S", "unknown record"},
        FaultCase{"BadSourceLine", "source;T", "source;KEY;citation"},
        FaultCase{"SourceTwice", "source;S;Another", "source S given twice"},
        FaultCase{"ReagentFieldCount", "reagent;Good acid;Odd;X;1;HA", "expected 7 fields"},
        FaultCase{"ReagentSource", "reagent;Good acid;Odd;X;1;HA;T", "unknown source"},
        FaultCase{"ReagentSystem", "reagent;No acid;Odd;X;1;HA;S", "unknown system"},
        FaultCase{"ReagentMass", "reagent;Good acid;Odd;X;-1;HA;S", "molar mass"},
        FaultCase{"ReagentCount", "reagent;Good acid;Odd;X;9;two A^- + Na^+;S", "COUNT FORMULA"},
        FaultCase{"ReagentForm", "reagent;Good acid;Odd;X;9;H_2A^+ + Cl^-;S", "neither a form"},
        FaultCase{"ReagentCharge", "reagent;Good acid;Odd;NaA;9;A^- + 2 Na^+;S", "not neutral"},
        FaultCase{"ReagentOfNothing", "reagent;Good acid;Salt;NaCl;58;Na^+ + Cl^-;S",
                  "supplies nothing"}),
    [](const auto& testCase) { return std::string(testCase.param.label); });

TEST(TableText, ReadsEveryFieldAndSkipsComments) {
    const ParseResult r =
        ParseCompounds("# a comment\n\n"
                       "source;K; Some handbook \r\n"
                       " acid ; Sulfuric acid ; H_2SO_4 ; 2 ; strong ; 1.99 ; ; K\n"
                       "base;Ammonia;NH_3;1;4.75;;;K");
    ASSERT_EQ(r.errors, std::vector<std::string>{});
    ASSERT_EQ(r.compounds.size(), 2u);
    const Compound& s = r.compounds[0];
    EXPECT_EQ(s.kind, Kind::Acid);
    EXPECT_EQ(s.formula, "H_2SO_4");
    EXPECT_EQ(s.protons, 2);
    EXPECT_TRUE(s.firstStepComplete());
    EXPECT_DOUBLE_EQ(s.constant(1), std::pow(10.0, -1.99));
    EXPECT_EQ(s.source, "Some handbook");
    EXPECT_EQ(r.compounds[1].kind, Kind::Base);
    EXPECT_FALSE(r.compounds[1].firstStepComplete());
}

TEST(TableText, PlainFormulaDropsTheMarks) {
    EXPECT_EQ(PlainFormula("H_2SO_4"), "H2SO4");
    EXPECT_EQ(PlainFormula("NH_4^+"), "NH4+");
    EXPECT_EQ(PlainFormula("C_5H_1_0NH"), "C5H10NH");
    EXPECT_EQ(PlainFormula("a__b^^c"), "a_b^c");
}

// ---- Finding compounds by name ----

TEST(FindCompound, PrefersExactThenPrefixThenPart) {
    struct Case {
        const char* text;
        Kind kind;
        LookupStatus status;
        const char* name;
    };
    for (const Case& c :
         std::vector<Case>{{"acetic", Kind::Acid, LookupStatus::Found, "Acetic acid"},
                           {"ACETIC ACID", Kind::Acid, LookupStatus::Found, "Acetic acid"},
                           {"hf", Kind::Acid, LookupStatus::Found, "Hydrofluoric acid"},
                           {"h3po4", Kind::Acid, LookupStatus::Found, "Phosphoric acid"},
                           {"dichloro", Kind::Acid, LookupStatus::Found, "Dichloroacetic acid"},
                           {"chloro", Kind::Acid, LookupStatus::Ambiguous, ""},
                           {"nitrophenol", Kind::Acid, LookupStatus::Ambiguous, ""},
                           {" ammonia ", Kind::Base, LookupStatus::Found, "Ammonia"},
                           {"ammonia", Kind::Acid, LookupStatus::NotFound, ""},
                           {"xyz", Kind::Base, LookupStatus::NotFound, ""}}) {
        const Lookup found = FindCompound(c.text, OfKind(c.kind));
        EXPECT_EQ(found.status, c.status) << c.text;
        if (c.status == LookupStatus::Found) {
            ASSERT_NE(found.compound, nullptr) << c.text;
            EXPECT_EQ(found.compound->name, c.name);
        }
        if (c.status == LookupStatus::Ambiguous) {
            EXPECT_GE(found.candidates.size(), 2u) << c.text;
        }
    }
}

// ---- Which fields each option fills ----

struct RoleCase {
    const char* code;
    std::vector<int> acidSlots; // k_a, or k_1.. in order
    int acidProtons;
    std::vector<int> baseSlots;
};
void PrintTo(const RoleCase& c, std::ostream* os) {
    *os << c.code;
}

class RoleTest : public ::testing::TestWithParam<RoleCase> {};

TEST_P(RoleTest, NamesTheConstantFieldsOfTheOption) {
    const RoleCase& c = GetParam();
    std::vector<int> acidSlots, baseSlots;
    int acidProtons = 0;
    for (const ConstantRole& role : ConstantRoles(problem(c.code))) {
        std::vector<int>& slots = role.kind == Kind::Acid ? acidSlots : baseSlots;
        for (const ConstantSlot& s : role.fields)
            slots.push_back(s.slot);
        if (role.kind == Kind::Acid) acidProtons = role.protons;
    }
    EXPECT_EQ(acidSlots, c.acidSlots);
    EXPECT_EQ(baseSlots, c.baseSlots);
    if (!c.acidSlots.empty()) {
        EXPECT_EQ(acidProtons, c.acidProtons);
    }
}

// Slots of the constant rows in the slot tables of every problem type.
const std::vector<RoleCase> RoleCases{
    RoleCase{"10", {}, 0, {}},        RoleCase{"11", {3}, 1, {}},
    RoleCase{"12", {3, 4}, 2, {}},    RoleCase{"12C", {4}, 2, {}},
    RoleCase{"13", {3, 4, 5}, 3, {}}, RoleCase{"13C", {4, 5}, 3, {}},
    RoleCase{"14", {}, 0, {}},        RoleCase{"15", {}, 0, {3}},
    RoleCase{"20", {}, 0, {}},        RoleCase{"21", {}, 0, {4}},
    RoleCase{"22", {3}, 1, {}},       RoleCase{"23", {3}, 1, {4}},
    RoleCase{"30", {}, 0, {}},        RoleCase{"31", {}, 0, {4}},
    RoleCase{"32", {3}, 1, {}},       RoleCase{"33", {3}, 1, {4}},
    RoleCase{"34", {3, 4}, 2, {}},    RoleCase{"34C", {4}, 2, {}},
    RoleCase{"35", {3, 4, 5}, 3, {}}, RoleCase{"35C", {4, 5}, 3, {}},
    RoleCase{"40", {3}, 1, {}},       RoleCase{"41", {}, 0, {3}},
    RoleCase{"42", {3}, 1, {}},       RoleCase{"43", {}, 0, {3}},
    RoleCase{"44", {3}, 1, {}},       RoleCase{"45", {}, 0, {3}},
    RoleCase{"50", {}, 0, {}},        RoleCase{"51", {2}, 1, {}},
    RoleCase{"52", {}, 0, {}},        RoleCase{"53", {}, 0, {2}},
    RoleCase{"54", {3, 4}, 2, {}},    RoleCase{"54C", {4}, 2, {}},
    RoleCase{"55", {3, 4, 5}, 3, {}}, RoleCase{"55C", {4, 5}, 3, {}}};

INSTANTIATE_TEST_SUITE_P(AllCodes, RoleTest, ::testing::ValuesIn(RoleCases),
                         [](const auto& testCase) { return std::string(testCase.param.code); });

TEST(Roles, TableCoversEveryProblemType) {
    std::vector<std::string_view> listed, catalogue;
    for (const RoleCase& c : RoleCases)
        listed.push_back(c.code);
    for (const engine::ProblemType& p : engine::Problems())
        catalogue.push_back(p.code);
    EXPECT_EQ(listed, catalogue);
}

TEST(Roles, OfferOnlyTheCompoundsThatFit) {
    const auto names = [](std::string_view code, std::size_t role, std::string_view text) {
        std::vector<std::string> out;
        for (const Compound* c : Candidates(ConstantRoles(problem(code)).at(role), text))
            out.push_back(c->name);
        return out;
    };
    EXPECT_EQ(names("11", 0, "acetic"),
              (std::vector<std::string>{"Acetic acid", "Phenylacetic acid", "Fluoroacetic acid",
                                        "Chloroacetic acid", "Bromoacetic acid", "Iodoacetic acid",
                                        "Dichloroacetic acid", "Cyanoacetic acid"}));
    EXPECT_EQ(names("12", 0, "sulfu"), std::vector<std::string>{"Sulfurous acid"});
    EXPECT_EQ(names("12C", 0, "sulfu"),
              (std::vector<std::string>{"Sulfurous acid", "Sulfuric acid"}));
    EXPECT_EQ(names("55", 0, ""),
              (std::vector<std::string>{"Phosphoric acid", "Arsenic acid", "Citric acid"}));
    EXPECT_EQ(names("23", 1, "nh3"), std::vector<std::string>{"Ammonia"});
    for (const Compound* c : Candidates(ConstantRoles(problem("15")).at(0)))
        EXPECT_EQ(c->kind, Kind::Base);
}

// ---- Filling ----

TEST(FillConstants, PutsTenToTheMinusPKIntoTheRoleFields) {
    const Compound& phosphoric = named("Phosphoric acid");
    const Compound& ammonia = named("Ammonia");
    const Compound& acetic = named("Acetic acid");
    using Values = std::vector<std::pair<int, double>>;
    struct Case {
        const char* code;
        const Compound* acid;
        const Compound* base;
        Values expected;
    };
    for (const Case& c : std::vector<Case>{
             {"55", &phosphoric, nullptr, {{3, 6.918e-3}, {4, 6.166e-8}, {5, 4.786e-13}}},
             {"55C", &phosphoric, nullptr, {{4, 6.166e-8}, {5, 4.786e-13}}},
             {"13", &phosphoric, nullptr, {{3, 6.918e-3}, {4, 6.166e-8}, {5, 4.786e-13}}},
             {"33", &acetic, &ammonia, {{3, 1.738e-5}, {4, 1.778e-5}}},
             {"33", nullptr, &ammonia, {{4, 1.778e-5}}},
             {"53", nullptr, &ammonia, {{2, 1.778e-5}}},
             {"11", nullptr, nullptr, {}}}) {
        const Filling f = FillConstants(problem(c.code), c.acid, c.base);
        EXPECT_EQ(f.error, "") << c.code;
        ASSERT_EQ(f.values.size(), c.expected.size()) << c.code;
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(f.values[i].first, c.expected[i].first) << c.code;
            EXPECT_NEAR(f.values[i].second / c.expected[i].second, 1, 1e-3) << c.code;
        }
    }
}

TEST(FillConstants, RefusesCompoundsThatDoNotFit) {
    struct Case {
        const char* code;
        const char* acid;
        const char* base;
        const char* message;
    };
    for (const Case& c : std::vector<Case>{
             {"11", "Phosphoric acid", nullptr, "Phosphoric acid is a triprotic acid"},
             {"12", "Sulfuric acid", nullptr,
              "Sulfuric acid has no k_1 (its first proton is given up completely): take code 12C"},
             {"15", "Acetic acid", nullptr, "code 15 has no acid constant"},
             {"11", nullptr, "Ammonia", "code 11 has no base constant"},
             {"10", "Acetic acid", nullptr, "code 10 has no acid constant"}}) {
        const Filling f = FillConstants(problem(c.code), c.acid ? &named(c.acid) : nullptr,
                                        c.base ? &named(c.base) : nullptr);
        EXPECT_TRUE(f.values.empty()) << c.code;
        EXPECT_NE(f.error.find(c.message), std::string::npos) << f.error;
    }
}

TEST(FillConstantsByName, LooksAmongTheCompoundsThatFitFirst) {
    struct Case {
        const char* code;
        std::optional<std::string> acid, base;
        std::vector<int> slots;
        const char* error; // part of it; empty for success
    };
    for (const Case& c : std::vector<Case>{
             {"12", "sulfur", std::nullopt, {3, 4}, ""}, // sulfurous, not sulfuric
             {"12C", "sulfur", std::nullopt, {}, "matches several acids: Sulfurous acid, Sulfuric"},
             {"55", "phosph", std::nullopt, {3, 4, 5}, ""}, // phosphoric
             {"12", "phosphoric", std::nullopt, {}, "Phosphoric acid is a triprotic acid"},
             {"23", "acetic", "ammonia", {3, 4}, ""},
             {"23", "vinegar", "ammonia", {}, "no acid matches \"vinegar\""},
             {"21", std::nullopt, "amine", {}, "matches several bases"},
             {"21", std::nullopt, "aniline", {4}, ""}}) {
        const Filling f = FillConstantsByName(problem(c.code), c.acid, c.base);
        std::vector<int> slots;
        for (auto [slot, value] : f.values)
            slots.push_back(slot);
        EXPECT_EQ(slots, c.slots) << c.code;
        if (*c.error == '\0') {
            EXPECT_EQ(f.error, "") << c.code;
        } else {
            EXPECT_NE(f.error.find(c.error), std::string::npos) << f.error;
        }
    }
}

// Acetic acid from the table, 0.1 M: Ka = 10^-4.76 and the quadratic
// [H+] = (-Ka + sqrt(Ka² + 4·Ka·C)) / 2 give pH 2.88.
TEST(FillConstants, AceticAcidRoundTrip) {
    const engine::ProblemType& weakAcid = problem("11");
    const Filling f = FillConstants(weakAcid, &named("Acetic acid"), nullptr);
    ASSERT_EQ(f.values.size(), 1u);
    engine::EquilAB state;
    state.IOValues[engine::slot::solution::C] = 0.1;
    for (auto [slot, value] : f.values)
        state.IOValues[slot] = value;
    engine::RunProblem(state, weakAcid.code);
    ASSERT_EQ(state.CalcError, 0);
    const double ka = std::pow(10.0, -4.76);
    const double h = (-ka + std::sqrt(ka * ka + 4 * ka * 0.1)) / 2;
    EXPECT_NEAR(state.IOValues[engine::slot::solution::PH], -std::log10(h), 1e-3);
    EXPECT_NEAR(state.IOValues[engine::slot::solution::PH], 2.88, 0.005);
}

} // namespace
