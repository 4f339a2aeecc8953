// Free mixtures: the charge-balance solver against the problem types it overlaps, hand
// formulas and its own balances; the concentration for a required pH; mixture titrations.
#include "engine/catalogue.h"
#include "engine/mixture.h"
#include "engine/mixture_titration.h"
#include "engine/solvers.h"
#include "solver_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

using namespace corvane::engine;
using namespace corvane::engine::test;

namespace {

// A weak acid system H_nA^charge with its pK values.
Component Acid(double total, std::vector<double> pk, int charge = 0) {
    Component c{"acid", total, {}, pk};
    for (std::size_t k = 0; k <= pk.size(); ++k) {
        std::string formula(pk.size() - k, 'H');
        formula += 'A';
        c.forms.push_back({formula, charge - static_cast<int>(k)});
    }
    return c;
}

// A base B with pK_b is the acid BH+ with pK_a = pKw - pK_b.
Component Base(double total, double pkb, double pKw = 14) {
    return Acid(total, {pKw - pkb}, 1);
}

Component Sodium(double total) {
    return IonComponent("Na+", "Na", 1, total);
}

Component Chloride(double total) {
    return IonComponent("Cl-", "Cl", -1, total);
}

// Every species of a component adds up to its total, the charges to zero, and the ionic
// strength is half the sum of c·z² with [H+] and [OH-].
void ExpectBalanced(const MixtureResult& r, double pKw = 14) {
    ASSERT_TRUE(r.ok) << r.reason;
    double positive = r.h, negative = r.oh, squares = r.h + r.oh;
    for (const ComponentAmounts& c : r.components) {
        double sum = 0, fractions = 0;
        for (const SpeciesAmount& s : c.species) {
            sum += s.concentration;
            fractions += s.fraction;
            const int z = s.species.charge;
            (z > 0 ? positive : negative) += s.concentration * std::abs(z);
            squares += s.concentration * z * z;
        }
        EXPECT_NEAR(sum, c.total, 1e-12 * c.total) << c.name;
        EXPECT_NEAR(fractions, 1.0, 1e-12) << c.name;
    }
    EXPECT_NEAR(positive, negative, 1e-10 * positive);
    EXPECT_NEAR(r.h * r.oh, std::pow(10.0, -pKw), 1e-12 * std::pow(10.0, -pKw));
    EXPECT_NEAR(r.pH, -std::log10(r.h), 1e-12);
    EXPECT_NEAR(r.ionicStrength, squares / 2, 1e-12 * squares);
}

double SolvedPH(const std::vector<Component>& mixture, double pKw = 14) {
    const MixtureResult r = SolveMixture(mixture, pKw);
    ExpectBalanced(r, pKw);
    return r.pH;
}

double PK(double k) {
    return -std::log10(k);
}

// A random problem of one of the 34 problem types and the same solution as a free mixture.
struct Overlap {
    const char* code;
    std::function<std::pair<Given, std::vector<Component>>(std::mt19937&)> make;
};

double LogUniform(std::mt19937& random, double lo, double hi) {
    return std::pow(10.0,
                    std::uniform_real_distribution<double>(std::log10(lo), std::log10(hi))(random));
}

// Rising constants 10^-pk with pk from 2 to 12, at least half a unit apart.
std::vector<double> RisingPK(std::mt19937& random, int steps) {
    std::vector<double> pk;
    double last = 1.5;
    for (int k = 0; k < steps; ++k) {
        const double room = (12.0 - last - 0.5 * (steps - k));
        last += 0.5 + std::uniform_real_distribution<double>(0, room / (steps - k))(random);
        pk.push_back(last);
    }
    return pk;
}

int Slot(const char* code, const char* symbol) {
    return SlotOf(*FindProblem(code), symbol);
}

Given Constants(const char* code, const std::vector<double>& pk) {
    static const char* const Names[] = {"k_1", "k_2", "k_3"};
    Given given;
    for (std::size_t k = 0; k < pk.size(); ++k)
        given.push_back({Slot(code, pk.size() == 1 ? "k_a" : Names[k]), std::pow(10.0, -pk[k])});
    return given;
}

std::pair<Given, std::vector<Component>> WeakAcid(const char* code, int steps,
                                                  std::mt19937& random) {
    const double c = LogUniform(random, 1e-4, 1);
    const std::vector<double> pk = RisingPK(random, steps);
    Given given = Constants(code, pk);
    given.push_back({Slot(code, "C_a"), c});
    return {given, {Acid(c, pk)}};
}

std::pair<Given, std::vector<Component>> AcidWithStrongBase(const char* code, int steps,
                                                            std::mt19937& random) {
    auto [given, mixture] = WeakAcid(code, steps, random);
    const double cb = mixture.front().total * std::uniform_real_distribution<double>(0, 3)(random);
    given.push_back({Slot(code, "C_b"), cb});
    mixture.push_back(Sodium(cb));
    return {given, mixture};
}

const std::vector<Overlap> Overlaps = {
    {"11", [](std::mt19937& r) { return WeakAcid("11", 1, r); }},
    {"12", [](std::mt19937& r) { return WeakAcid("12", 2, r); }},
    {"13", [](std::mt19937& r) { return WeakAcid("13", 3, r); }},
    {"15",
     [](std::mt19937& r) {
         const double c = LogUniform(r, 1e-4, 1), kb = LogUniform(r, 1e-12, 1e-2);
         return std::pair<Given, std::vector<Component>>{
             {{Slot("15", "C_b"), c}, {Slot("15", "k_b"), kb}}, {Base(c, PK(kb))}};
     }},
    {"22",
     [](std::mt19937& r) {
         const double c = LogUniform(r, 1e-4, 1), ka = LogUniform(r, 1e-12, 1e-2);
         return std::pair<Given, std::vector<Component>>{
             {{Slot("22", "C_S"), c}, {Slot("22", "k_a"), ka}}, {Acid(c, {PK(ka)}), Sodium(c)}};
     }},
    {"33",
     [](std::mt19937& r) {
         const double ca = LogUniform(r, 1e-4, 1), cb = LogUniform(r, 1e-4, 1);
         const double ka = LogUniform(r, 1e-12, 1e-2), kb = LogUniform(r, 1e-12, 1e-2);
         return std::pair<Given, std::vector<Component>>{{{Slot("33", "C_a"), ca},
                                                          {Slot("33", "C_b"), cb},
                                                          {Slot("33", "k_a"), ka},
                                                          {Slot("33", "k_b"), kb}},
                                                         {Acid(ca, {PK(ka)}), Base(cb, PK(kb))}};
     }},
    {"34", [](std::mt19937& r) { return AcidWithStrongBase("34", 2, r); }},
    {"35", [](std::mt19937& r) { return AcidWithStrongBase("35", 3, r); }},
    {"40",
     [](std::mt19937& r) {
         const double ca = LogUniform(r, 1e-4, 0.5), cs = LogUniform(r, 1e-4, 0.5);
         const double ka = LogUniform(r, 1e-11, 1e-3);
         return std::pair<Given, std::vector<Component>>{
             {{Slot("40", "C_a"), ca}, {Slot("40", "C_S"), cs}, {Slot("40", "k_a"), ka}},
             {Acid(ca + cs, {PK(ka)}), Sodium(cs)}};
     }},
    {"41",
     [](std::mt19937& r) {
         const double cb = LogUniform(r, 1e-4, 0.5), cs = LogUniform(r, 1e-4, 0.5);
         const double kb = LogUniform(r, 1e-11, 1e-3);
         return std::pair<Given, std::vector<Component>>{
             {{Slot("41", "C_b"), cb}, {Slot("41", "C_S"), cs}, {Slot("41", "k_b"), kb}},
             {Base(cb + cs, PK(kb)), Chloride(cs)}};
     }},
};

class OverlapTest : public ::testing::TestWithParam<Overlap> {};

TEST_P(OverlapTest, RandomProblemsGiveThePHOfTheProblemType) {
    const Overlap& o = GetParam();
    std::mt19937 random(20261209);
    const ProblemType& problem = *FindProblem(o.code);
    for (int i = 0; i < 200; ++i) {
        const auto [given, mixture] = o.make(random);
        const EquilAB state = Solve(problem.solver, given);
        ASSERT_EQ(state.CalcError, 0)
            << o.code << " problem " << i << ": " << state.CalcErrorReason;
        EXPECT_NEAR(SolvedPH(mixture), state.IOValues[Slot(o.code, "pH")], 1e-8)
            << o.code << " problem " << i;
    }
}

constexpr MixtureModel Davies{14.0, ActivityModel::Davies, 25.0};

// With Davies coefficients the species still balance in concentrations; the activities
// satisfy Kw and every step's thermodynamic constant at the ionic strength of the result,
// with the coefficients of the Davies equation at that strength.
void ExpectDaviesBalanced(const std::vector<Component>& mixture, const MixtureResult& r) {
    ASSERT_TRUE(r.ok) << r.reason;
    double charge = r.h - r.oh, squares = r.h + r.oh;
    for (std::size_t i = 0; i < mixture.size(); ++i) {
        const ComponentAmounts& c = r.components[i];
        double sum = 0;
        for (const SpeciesAmount& s : c.species) {
            sum += s.concentration;
            charge += s.concentration * s.species.charge;
            squares += s.concentration * s.species.charge * s.species.charge;
        }
        EXPECT_NEAR(sum, c.total, 1e-12 * c.total);
    }
    EXPECT_NEAR(charge, 0, 1e-10 * squares);
    const double I = squares / 2;
    EXPECT_NEAR(r.ionicStrength, I, 1e-12 * I);
    auto gamma = [&](int z) { return ActivityCoefficient(z, I, 25); };
    EXPECT_NEAR(r.gamma[0], gamma(1), 1e-9);
    const double aH = gamma(1) * r.h;
    EXPECT_NEAR(r.pH, -std::log10(aH), 1e-9);
    EXPECT_NEAR(std::log10(aH * gamma(1) * r.oh), -14, 1e-9);
    for (std::size_t i = 0; i < mixture.size(); ++i) {
        const std::vector<SpeciesAmount>& forms = r.components[i].species;
        for (std::size_t k = 0; k < mixture[i].pk.size(); ++k) {
            const SpeciesAmount &acid = forms[k], &base = forms[k + 1];
            if (acid.concentration < 1e-250 || base.concentration < 1e-250) continue;
            const double log10K = std::log10(aH * base.concentration * gamma(base.species.charge) /
                                             (acid.concentration * gamma(acid.species.charge)));
            EXPECT_NEAR(log10K, -mixture[i].pk[k], 1e-8) << "step " << k + 1;
        }
    }
}

TEST_P(OverlapTest, RandomProblemsGiveThePHOfTheProblemTypeWithDavies) {
    const Overlap& o = GetParam();
    std::mt19937 random(20261210);
    for (int i = 0; i < 100; ++i) {
        const auto [given, mixture] = o.make(random);
        EquilAB state(14.0);
        state.Activity = ActivityModel::Davies;
        for (auto [slot, value] : given)
            state.IOValues[slot] = value;
        RunProblem(state, o.code);
        ASSERT_EQ(state.CalcError, 0)
            << o.code << " problem " << i << ": " << state.CalcErrorReason;
        const MixtureResult r = SolveMixture(mixture, Davies);
        ExpectDaviesBalanced(mixture, r);
        EXPECT_NEAR(r.pH, state.IOValues[Slot(o.code, "pH")], 1e-8) << o.code << " problem " << i;
        EXPECT_NEAR(r.ionicStrength, state.Activities.ionicStrength,
                    1e-7 * state.Activities.ionicStrength)
            << o.code << " problem " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(ProblemTypes, OverlapTest, ::testing::ValuesIn(Overlaps),
                         [](const ::testing::TestParamInfo<Overlap>& testCase) {
                             return std::string("Code") + testCase.param.code;
                         });

TEST(FreeMixture, WaterAloneIsNeutralAtEitherPKw) {
    EXPECT_NEAR(SolvedPH({}), 7.0, 1e-12);
    EXPECT_NEAR(SolvedPH({}, 13.59), 6.795, 1e-12);
    // 0.1 - 0.1 in the balance leaves a rounding of 1e-17 mol/L against [H+] = 1e-7.
    EXPECT_NEAR(SolvedPH({Sodium(0.1), Chloride(0.1)}), 7.0, 1e-10);
}

TEST(FreeMixture, StrongAcidsAndBasesFollowTheQuadratic) {
    // h = (C + sqrt(C² + 4 Kw)) / 2 for a strong acid, the same for [OH-] of a strong base.
    for (double c : {1.0, 1e-2, 1e-6, 1e-8}) {
        const double h = (c + std::sqrt(c * c + 4e-14)) / 2;
        EXPECT_NEAR(SolvedPH({Chloride(c)}), -std::log10(h), 1e-10) << c;
        EXPECT_NEAR(SolvedPH({Sodium(c)}), 14 + std::log10(h), 1e-10) << c;
    }
}

TEST(FreeMixture, SulfuricAcidFollowsItsQuadratic) {
    // H2SO4 0.01 mol/L: the first proton is given up completely, HSO4- has pK 1.99; without
    // water's own ions h² - (C - K)·h - 2·C·K = 0.
    const double c = 0.01, k = std::pow(10.0, -1.99);
    const double h = ((c - k) + std::sqrt((c - k) * (c - k) + 8 * c * k)) / 2;
    EXPECT_NEAR(SolvedPH({Acid(c, {1.99}, -1)}), -std::log10(h), 1e-9);
}

TEST(FreeMixture, EquimolarBufferSitsAtItsPKCorrectedForWater) {
    // Acetic acid and acetate 0.1 mol/L each: [A-] = C + h - oh, [HA] = C - h + oh.
    const MixtureResult r = SolveMixture({Acid(0.2, {4.76}), Sodium(0.1)}, 14);
    ExpectBalanced(r);
    const double exact = 4.76 + std::log10((0.1 + r.h - r.oh) / (0.1 - r.h + r.oh));
    EXPECT_NEAR(r.pH, exact, 1e-10);
    EXPECT_NEAR(r.pH, 4.76, 2e-3);
}

TEST(FreeMixture, IonicStrengthCountsChargesSquared) {
    const MixtureResult salt = SolveMixture({Sodium(0.1), Chloride(0.1)}, 14);
    EXPECT_NEAR(salt.ionicStrength, 0.1 + 1e-7, 1e-12);
    const MixtureResult magnesium =
        SolveMixture({IonComponent("Mg2+", "Mg", 2, 0.1), Chloride(0.2)}, 14);
    EXPECT_NEAR(magnesium.ionicStrength, 0.3 + 1e-7, 1e-12);
}

TEST(FreeMixture, TwentyComponentsSolveAndTheTwentyFirstIsRefused) {
    std::vector<Component> mixture;
    for (int i = 0; i < MaxComponents; ++i)
        mixture.push_back(i % 2 ? Acid(0.01, {2.0 + i * 0.4, 6 + i * 0.2}) : Sodium(0.005));
    ExpectBalanced(SolveMixture(mixture, 14));
    mixture.push_back(Sodium(0.01));
    const MixtureResult r = SolveMixture(mixture, 14);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.reason, "a mixture holds at most 20 components, not 21");
}

TEST(FreeMixture, RefusesWhatIsNotASolution) {
    EXPECT_FALSE(SolveMixture({Acid(-0.1, {4.76})}, 14).ok);
    EXPECT_FALSE(SolveMixture({Acid(100.5, {4.76})}, 14).ok);
    EXPECT_FALSE(SolveMixture({Acid(0.1, {4.76, 31})}, 14).ok);
    EXPECT_FALSE(SolveMixture({Acid(0.1, {1, 2, 3, 4, 5, 6, 7})}, 14).ok);
    EXPECT_FALSE(SolveMixture({Acid(0.1, {4.76})}, 9).ok);
    Component broken = Acid(0.1, {4.76});
    broken.forms[1].charge = 0;
    EXPECT_FALSE(SolveMixture({broken}, 14).ok);
    EXPECT_NE(SolveMixture({Acid(-0.1, {4.76})}, 14).reason.find("\"acid\""), std::string::npos);
}

TEST(FreeMixture, ExtremeButAllowedMixturesStayBalanced) {
    ExpectBalanced(SolveMixture({Sodium(100), Acid(1e-9, {-5, 30})}, 14));
    ExpectBalanced(SolveMixture({Chloride(100), Base(100, 0.5)}, 14));
    ExpectBalanced(SolveMixture({Acid(100, {-5, -4, -3, -2, -1, 0}, 6)}, 14));
    ExpectBalanced(SolveMixture({Acid(1e-12, {25, 26, 27, 28, 29, 30})}, 13.59), 13.59);
}

TEST(FreeMixture, FractionsOfADiproticAcidAtItsPK) {
    // At pH = pK1 the first two forms are equal; at the mean of pK1 and pK2 the middle form
    // holds 1 / (1 + 2·10^((pK1-pK2)/2)).
    const Component carbonic = Acid(0.1, {6.35, 10.33});
    const std::vector<double> at1 = Fractions(carbonic, std::pow(10.0, -6.35));
    EXPECT_NEAR(at1[0], at1[1], 1e-12);
    const std::vector<double> mid = Fractions(carbonic, std::pow(10.0, -(6.35 + 10.33) / 2));
    EXPECT_NEAR(mid[1], 1 / (1 + 2 * std::pow(10.0, (6.35 - 10.33) / 2)), 1e-12);
}

TEST(FindConcentration, SodiumHydroxideThatBringsAcetateToItsPK) {
    // At pH = pK the acetate is half of 0.1 mol/L and Na+ = [A-] + [OH-] - [H+].
    const double h = std::pow(10.0, -4.76);
    const MixtureResult r = FindConcentration({Acid(0.1, {4.76}), Sodium(1)}, 1, 4.76, 14);
    ExpectBalanced(r);
    EXPECT_NEAR(r.components[1].total, 0.05 - h + 1e-14 / h, 1e-12);
    EXPECT_NEAR(r.pH, 4.76, 1e-10);
}

TEST(FindConcentration, FallingPHAndTheAcidItself) {
    const MixtureResult hcl = FindConcentration({Chloride(0)}, 0, 2, 14);
    EXPECT_NEAR(hcl.components[0].total, 0.01 - 1e-12, 1e-14);
    // Acetic acid alone at pH 3: C·K / (h + K) = h - [OH-].
    const double h = 1e-3, k = std::pow(10.0, -4.76);
    const MixtureResult acetic = FindConcentration({Acid(0, {4.76})}, 0, 3, 14);
    EXPECT_NEAR(acetic.components[0].total, (h - 1e-11) * (h + k) / k, 1e-13);
}

TEST(FindConcentration, APHOutOfReachIsAReason) {
    const MixtureResult r = FindConcentration({Acid(0.1, {4.76}), Chloride(0)}, 1, 3, 14);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.reason.find("no concentration of \"Cl-\" gives pH 3"), 0u) << r.reason;
    EXPECT_FALSE(FindConcentration({Sodium(0)}, 0, 6, 14).ok);
    EXPECT_FALSE(FindConcentration({Sodium(0)}, 0, 17, 14).ok);
    EXPECT_FALSE(FindConcentration({Sodium(0)}, 1, 9, 14).ok);
}

MixtureTitration WithSodiumHydroxide(std::vector<Component> mixture) {
    return {std::move(mixture), 25, Sodium(0.1)};
}

TEST(MixtureTitration, EquivalenceVolumesCountTheProtons) {
    using V = std::vector<double>;
    auto near = [](const V& got, const V& want) {
        ASSERT_EQ(got.size(), want.size());
        for (std::size_t i = 0; i < want.size(); ++i)
            EXPECT_NEAR(got[i], want[i], 1e-9) << i;
    };
    near(EquivalenceVolumes(WithSodiumHydroxide({Acid(0.1, {4.76})}), 14), V{25});
    near(EquivalenceVolumes(WithSodiumHydroxide({Acid(0.1, {2.16, 7.21, 12.32})}), 14),
         V{25, 50, 75});
    // Hydrochloric acid first, then acetic acid.
    near(EquivalenceVolumes(WithSodiumHydroxide({Chloride(0.05), Acid(0.1, {4.76})}), 14),
         V{12.5, 37.5});
    // Sodium acetate has nothing left to give to a base; a step weaker than water neither.
    near(EquivalenceVolumes(WithSodiumHydroxide({Acid(0.1, {4.76}), Sodium(0.1)}), 14), V{});
    near(EquivalenceVolumes(WithSodiumHydroxide({Acid(0.1, {15})}), 14), V{});
    // Ammonia titrated with hydrochloric acid; sulfuric acid's strong first proton is taken
    // first, then the one of HSO4-.
    near(EquivalenceVolumes({{Base(0.1, 4.75)}, 25, Chloride(0.1)}, 14), V{25});
    near(EquivalenceVolumes(WithSodiumHydroxide({Acid(0.05, {1.99}, -1)}), 14), V{12.5, 25});
}

TEST(MixtureTitration, PointsAreTheDilutedMixtureOfTheProblemType) {
    // Acetic acid 0.1 mol/L, 25 mL, at 12.5 mL of NaOH 0.1 mol/L: code 32 with both diluted.
    const MixtureTitration t = WithSodiumHydroxide({Acid(0.1, {4.76})});
    for (double added : {0.0, 5.0, 12.5, 24.9, 25.0, 40.0}) {
        const double whole = 25 + added;
        const EquilAB state = Solve(
            Calc32, {{0, 0.1 * 25 / whole}, {1, 0.1 * added / whole}, {3, std::pow(10.0, -4.76)}});
        ASSERT_EQ(state.CalcError, 0);
        const MixtureResult r = TitrationPoint(t, added, 14);
        ExpectBalanced(r);
        EXPECT_NEAR(r.pH, state.IOValues[slot::mixture::PH], 1e-8) << added;
    }
    EXPECT_FALSE(TitrationPoint(t, -1, 14).ok);
}

} // namespace
