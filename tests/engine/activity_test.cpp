// Activity coefficients by the Davies equation: the model's numbers against published tables,
// the pH of the standard buffers, the relations of every problem type in activity terms, and
// the ideal path unchanged.
#include "engine/activity.h"
#include "engine/activity_cycle.h"
#include "engine/catalogue.h"
#include "second_calculate.h"
#include "solver_fixture.h"

#include <cmath>
#include <map>
#include <random>
#include <sstream>

namespace corvane::engine::test {
namespace {

double P(double pk) {
    return std::pow(10.0, -pk);
}

EquilAB DaviesState(double pKw = 14.0) {
    EquilAB state(pKw);
    state.Activity = ActivityModel::Davies;
    return state;
}

// Robinson and Stokes, Electrolyte Solutions (2nd ed., 1959), appendix 7.1: A of the
// Debye–Hückel equation, 0.4918 at 0 °C, 0.5115 at 25 °C, 0.5373 at 50 °C. The issue's
// 0.509 ± 0.002 at 25 °C is met too.
TEST(ActivityModel, DebyeHuckelAFollowsThePublishedTable) {
    EXPECT_NEAR(DebyeHuckelA(0), 0.4918, 0.004);
    EXPECT_NEAR(DebyeHuckelA(25), 0.5115, 0.004);
    EXPECT_NEAR(DebyeHuckelA(50), 0.5373, 0.004);
    EXPECT_NEAR(DebyeHuckelA(25), 0.509, 0.002);
}

// Harned and Owen, The Physical Chemistry of Electrolytic Solutions (1958), table 15-4-1a:
// pKw 14.9435 at 0 °C, 13.9965 at 25 °C, 13.2617 at 50 °C, 13.0171 at 60 °C.
TEST(ActivityModel, WaterPKwFollowsThePublishedTable) {
    EXPECT_NEAR(WaterPKw(0), 14.9435, 0.005);
    EXPECT_NEAR(WaterPKw(25), 13.9965, 0.005);
    EXPECT_NEAR(WaterPKw(50), 13.2617, 0.005);
    EXPECT_NEAR(WaterPKw(60), 13.0171, 0.005);
    EXPECT_DOUBLE_EQ(WaterKw(25), std::pow(10.0, -WaterPKw(25)));
}

// By hand: at I = 0.1 with A = 0.5093, √I/(1 + √I) − 0.3·I = 0.210253, so log γ1 = −0.107082
// (γ1 = 0.78154), log γ2 = −0.428328 (γ2 = 0.37305), log γ3 = −0.963738 (γ3 = 0.10870).
TEST(ActivityModel, DaviesCoefficientsByHand) {
    EXPECT_NEAR(DaviesLog10Gamma(1, 0.1, 0.5093), -0.107082, 1e-6);
    EXPECT_NEAR(DaviesLog10Gamma(2, 0.1, 0.5093), -0.428328, 1e-6);
    EXPECT_EQ(DaviesLog10Gamma(0, 0.1, 0.5093), 0.0);
    const Gammas g = DaviesGammas(0.1, 25);
    const double A = DebyeHuckelA(25);
    EXPECT_NEAR(g[0], std::pow(10.0, -0.210253 * A), 1e-6);
    EXPECT_NEAR(g[1], std::pow(10.0, -4 * 0.210253 * A), 1e-6);
    EXPECT_NEAR(g[2], std::pow(10.0, -9 * 0.210253 * A), 1e-6);
    EXPECT_NEAR(ActivityCoefficient(2, 0.1, 25), g[1], 1e-12);
    EXPECT_EQ(ActivityCoefficient(1, 0.0, 25), 1.0);
}

TEST(ActivityModel, TemperatureOfThePKwItems) {
    EXPECT_EQ(EquilAB(14.0).Temperature, 25.0);
    EXPECT_EQ(EquilAB(13.59).Temperature, 37.0);
    EquilAB state;
    state.SetTemperature(50);
    EXPECT_EQ(state.Temperature, 50.0);
    EXPECT_DOUBLE_EQ(state.pKw, WaterPKw(50));
    state.SetPKw(14.0);
    EXPECT_EQ(state.Temperature, 25.0);
    EXPECT_EQ(state.Kw, 1e-14);
}

// The reference pH of the primary standard buffers at 25 °C: Buck et al., "Measurement of pH.
// Definition, standards, and procedures", Pure Appl. Chem. 74 (2002) 2169, table 2 (with the
// tetroxalate value of its table 4). Compositions in mol/kg taken as mol/L; the pK values are
// those of the program's compound table (CRC Handbook, Harris).
struct StandardBuffer {
    const char* name;
    std::string_view code;
    Given given;
    double referencePH;
};

void PrintTo(const StandardBuffer& b, std::ostream* os) {
    *os << b.name;
}

class StandardBuffers : public ::testing::TestWithParam<StandardBuffer> {};

TEST_P(StandardBuffers, DaviesGivesTheReferencePH) {
    const StandardBuffer& b = GetParam();
    EquilAB state = DaviesState();
    for (auto [slot, value] : b.given)
        state.IOValues[slot] = value;
    RunProblem(state, b.code);
    ASSERT_EQ(state.CalcError, 0) << state.CalcErrorReason;
    const ProblemType& problem = *FindProblem(b.code);
    EXPECT_NEAR(state.IOValues[SlotOf(problem, "pH")], b.referencePH, 0.03);
    EXPECT_TRUE(state.ActivityWarning.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Buck2002, StandardBuffers,
    ::testing::Values(
        // KH3(C2O4)2 0.05: oxalic acid 0.1 with 0.05 KOH; pK 1.25, 4.27.
        StandardBuffer{
            "tetroxalate", "34", {{0, 0.1}, {1, 0.05}, {3, P(1.25)}, {4, P(4.27)}}, 1.679},
        // KHC8H4O4 0.05: phthalic acid 0.05 with 0.05 KOH; pK 2.95, 5.41.
        StandardBuffer{
            "phthalate", "34", {{0, 0.05}, {1, 0.05}, {3, P(2.95)}, {4, P(5.41)}}, 4.005},
        // KH2PO4 0.025 + Na2HPO4 0.025: phosphoric acid 0.05 with 0.075 of base; pK 2.16,
        // 7.21, 12.32.
        StandardBuffer{"phosphate",
                       "35",
                       {{0, 0.05}, {1, 0.075}, {3, P(2.16)}, {4, P(7.21)}, {5, P(12.32)}},
                       6.865},
        // Na2B4O7 0.01: boric acid 0.02 with sodium borate 0.02; pK 9.27.
        StandardBuffer{"borax", "40", {{0, 0.02}, {1, 0.02}, {3, P(9.27)}}, 9.180},
        // NaHCO3 0.025 + Na2CO3 0.025: carbonic acid 0.05 with 0.075 of base; pK 6.35, 10.33.
        StandardBuffer{
            "carbonate", "34", {{0, 0.05}, {1, 0.075}, {3, P(6.35)}, {4, P(10.33)}}, 10.012}));

// A neutral salt keeps a(H+) = a(OH-) = √Kw however large its ionic strength: pH 7 at 25 °C,
// and pKw/2 = 6.6306 at 50 °C (Harned and Robinson).
TEST(DaviesSolutions, NeutralSaltStaysAtHalfPKw) {
    EquilAB state = DaviesState();
    namespace salt = slot::salt;
    state.IOValues[salt::CS] = 0.1;
    RunProblem(state, "20");
    ASSERT_EQ(state.CalcError, 0);
    EXPECT_NEAR(state.IOValues[salt::NeutralPH], 7.0, 1e-9);
    EXPECT_NEAR(state.Activities.ionicStrength, 0.1, 1e-6);
    EXPECT_GT(state.IOValues[salt::NeutralH], 1e-7 / 0.79); // [H+] = √Kw / γ1, γ1 ≈ 0.78
    state.ClearIOValues();
    state.SetTemperature(50);
    state.IOValues[salt::CS] = 0.1;
    RunProblem(state, "20");
    ASSERT_EQ(state.CalcError, 0);
    EXPECT_NEAR(state.IOValues[salt::NeutralPH], 6.6306, 1e-4);
}

// A strong acid given by its pH reads the pH as an activity: a(H+) = 0.01 at I = [H+] (the
// Cl- and H+ of HCl, [OH-] negligible), so [H+] = 0.01 / γ1 with γ1 by the Davies equation
// written out here, and C_a = [H+].
TEST(DaviesSolutions, GivenPHIsAnActivity) {
    EquilAB state = DaviesState();
    namespace solution = slot::solution;
    state.IOValues[solution::PH] = 2.0;
    RunProblem(state, "10");
    ASSERT_EQ(state.CalcError, 0) << state.CalcErrorReason;
    const double H = state.IOValues[solution::H];
    const double rootI = std::sqrt(H);
    const double gamma1 = std::pow(10.0, -0.5093 * (rootI / (1 + rootI) - 0.3 * H));
    EXPECT_NEAR(gamma1 * H, 0.01, 0.01 * 1e-3);
    EXPECT_NEAR(state.IOValues[solution::C], H, H * 1e-9);
    EXPECT_EQ(state.IOValues[solution::PH], 2.0);
}

TEST(DaviesSolutions, BeyondItsRangeResultsComeWithAWarning) {
    EquilAB state = DaviesState();
    state.IOValues[slot::mixture::Ca] = 1.0;
    state.IOValues[slot::mixture::Cb] = 0.5;
    RunProblem(state, "30");
    ASSERT_EQ(state.CalcError, 0);
    EXPECT_EQ(state.ActivityWarning,
              "ionic strength 1 mol/L is beyond the range of the Davies equation");
    state.ClearIOValues();
    state.IOValues[slot::mixture::Ca] = 0.1;
    state.IOValues[slot::mixture::Cb] = 0.05;
    RunProblem(state, "30");
    EXPECT_TRUE(state.ActivityWarning.empty());
}

// A pH given beside the values that fix it is checked in activity terms, and a refusal names
// the pH of activities they give (4.638 for the acetate buffer, not the ideal 4.745).
TEST(DaviesSolutions, OverDeterminedInputIsCheckedInActivityTerms) {
    EquilAB state = DaviesState();
    namespace b = slot::buffer;
    const Given buffer{{b::C, 0.1}, {b::CS, 0.1}, {b::K, 1.8e-5}};
    for (auto [at, value] : buffer)
        state.IOValues[at] = value;
    state.IOValues[b::PH] = 4.638;
    RunProblem(state, "40");
    EXPECT_EQ(state.CalcError, 0) << state.CalcErrorReason;
    EXPECT_NEAR(state.IOValues[b::PH], 4.6379, 1e-4); // the more exact pH the others fix

    state.ClearIOValues();
    for (auto [at, value] : buffer)
        state.IOValues[at] = value;
    state.IOValues[b::PH] = 4.745; // the ideal pH
    const Slots given = state.IOValues;
    RunProblem(state, "40");
    EXPECT_EQ(state.CalcError, 1);
    EXPECT_EQ(state.CalcErrorReason,
              "pH = 4.745 disagrees with the other values given, which give pH = 4.638");
    EXPECT_TRUE(SameBits(state.IOValues, given));
}

TEST(DaviesSolutions, CoefficientsThatDoNotSettleAreACalculationError) {
    EquilAB state = DaviesState();
    state.IOValues[slot::solution::C] = 0.1;
    state.IOValues[slot::solution::K] = 1.8e-5;
    const Slots given = state.IOValues;
    int calls = 0;
    const GammaFunction swinging = [&calls](double) {
        const double g = ++calls % 2 ? 0.5 : 0.9;
        return Gammas{g, g * g, g * g * g};
    };
    SolveWithActivities(state, *FindProblem("11"), swinging);
    EXPECT_EQ(state.CalcError, 1);
    EXPECT_NE(state.CalcErrorReason.find("do not settle"), std::string::npos);
    EXPECT_TRUE(SameBits(state.IOValues, given));
    EXPECT_GE(calls, MaxActivityPasses);
}

// The flask at an earlier equivalence point of a polyprotic titration has an ionic strength of
// its own. Checked from its pH alone: the ionic strength that makes the flask's charges
// balance (found here by plain repetition) is the one whose γ1 turns the pH into [H+].
double FlaskChargeMismatch(double Ca, double Va, double CSB, double V, std::vector<double> k,
                           double pH) {
    const double C = Ca * Va / (Va + V), Na = CSB * V / (Va + V);
    double I = 0, mismatch = 1;
    for (int pass = 0; pass < 200; ++pass) {
        const Gammas g = DaviesGammas(I, 25);
        const double h = std::pow(10.0, -pH) / g[0];
        // Species of charge 0..n from the activity constants: [A_j] ∝ Π k_i / (h^j·γ_j).
        std::vector<double> terms{1.0};
        for (std::size_t j = 1; j <= k.size(); ++j) {
            const double before = j == 1 ? 1.0 : g[j - 2];
            terms.push_back(terms.back() * k[j - 1] * before / (h * g[0] * g[j - 1]));
        }
        double total = 0, charge = 0, squares = 0;
        for (double t : terms)
            total += t;
        for (std::size_t z = 1; z < terms.size(); ++z) {
            const double charged = static_cast<double>(z);
            charge += charged * C * terms[z] / total;
            squares += charged * charged * C * terms[z] / total;
        }
        const double OH = 1e-14 / (g[0] * g[0]) / h;
        mismatch = (Na + h - OH - charge) / (Na + h + OH + charge);
        I = (Na + h + OH + squares) / 2;
    }
    return mismatch;
}

TEST(DaviesSolutions, EarlierEquivalencePointsHaveTheirOwnIonicStrength) {
    EquilAB diprotic = DaviesState();
    for (auto [slot, value] : Given{{0, 0.1}, {1, 25}, {6, 0.1}, {3, 1e-4}, {4, 1e-8}})
        diprotic.IOValues[slot] = value;
    RunProblem(diprotic, "54");
    ASSERT_EQ(diprotic.CalcError, 0) << diprotic.CalcErrorReason;
    const Slots& d = diprotic.IOValues;
    EXPECT_NEAR(FlaskChargeMismatch(0.1, 25, 0.1, d[10], {1e-4, 1e-8}, d[11]), 0, 1e-6);
    EXPECT_NEAR(FlaskChargeMismatch(0.1, 25, 0.1, d[7], {1e-4, 1e-8}, d[8]), 0, 1e-6);

    EquilAB triprotic = DaviesState();
    const std::vector<double> k{7.1e-3, 6.3e-8, 4.5e-13};
    for (auto [slot, value] : Given{{0, 0.1}, {1, 25}, {6, 0.1}, {3, k[0]}, {4, k[1]}, {5, k[2]}})
        triprotic.IOValues[slot] = value;
    RunProblem(triprotic, "55");
    ASSERT_EQ(triprotic.CalcError, 0) << triprotic.CalcErrorReason;
    const Slots& t = triprotic.IOValues;
    EXPECT_NEAR(FlaskChargeMismatch(0.1, 25, 0.1, t[10], k, t[11]), 0, 1e-6);
    EXPECT_NEAR(FlaskChargeMismatch(0.1, 25, 0.1, t[13], k, t[14]), 0, 1e-6);
    EXPECT_NEAR(FlaskChargeMismatch(0.1, 25, 0.1, t[7], k, t[8]), 0, 1e-6);
}

// Random problems of every code, forwards, and backwards from the pH the forward run gave.
std::vector<EquilAB> RandomProblems(const ProblemType& problem, std::mt19937& rng,
                                    const EquilAB& blank, int count) {
    std::vector<EquilAB> problems;
    for (int trial = 0; trial < count; ++trial) {
        EquilAB state = blank;
        for (const SlotRow& row : problem.rows)
            if (OffersInput(problem, row.slot) && IsForwardInput(row.quantity))
                state.IOValues[row.slot] = RandomValue(row.quantity, rng);
        problems.push_back(state);
    }
    return problems;
}

// With every coefficient 1 the activity cycle is the ideal solver, bit for bit, forwards and
// backwards, failures included.
TEST(DaviesSolutions, UnitCoefficientsGiveTheIdealResultsBitForBit) {
    std::mt19937 rng(23);
    const GammaFunction unit = [](double) { return IdealGammas; };
    int compared = 0;
    for (const ProblemType& problem : Problems()) {
        for (EquilAB ideal : RandomProblems(problem, rng, EquilAB(14.0), 8)) {
            for (bool backwards : {false, true}) {
                EquilAB viaCycle = ideal;
                if (backwards) {
                    const SlotRow* pHRow = nullptr;
                    for (const SlotRow& row : problem.rows)
                        if (OffersInput(problem, row.slot) && IsPHLike(row.quantity)) pHRow = &row;
                    if (pHRow == nullptr) continue;
                    viaCycle.IOValues[pHRow->slot] =
                        1 + 12 * std::uniform_real_distribution<>()(rng);
                    viaCycle.IOValues[problem.rows.front().slot] = EmptyValue;
                }
                EquilAB direct = viaCycle;
                RunProblem(direct, problem.code);
                SolveWithActivities(viaCycle, problem, unit);
                EXPECT_EQ(viaCycle.CalcError, direct.CalcError) << problem.code;
                EXPECT_TRUE(SameBits(viaCycle.IOValues, direct.IOValues)) << problem.code;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 300);
}

// The charges of the species rows.
const std::map<Quantity, int> Charges{
    {Quantity::H_plus, 1},     {Quantity::OH_minus, -1}, {Quantity::A_minus, -1},
    {Quantity::HA_minus, -1},  {Quantity::A2_minus, -2}, {Quantity::H2A_minus, -1},
    {Quantity::HA2_minus, -2}, {Quantity::A3_minus, -3}, {Quantity::B_plus, 1},
    {Quantity::X_minus, -1},   {Quantity::Z_plus, 1},
};

// A constant and the pair of species it links: K = a(H+)·a(dissociated) / a(undissociated)
// for an acid, K = a(B+)·a(OH-) / a(BOH) for a base.
struct Pair {
    Quantity constant;
    Quantity undissociated;
    Quantity dissociated;
};
const std::vector<Pair> AcidPairs{{Quantity::k_a, Quantity::HA, Quantity::A_minus},
                                  {Quantity::k_1, Quantity::H2A, Quantity::HA_minus},
                                  {Quantity::k_2, Quantity::HA_minus, Quantity::A2_minus},
                                  {Quantity::k_1, Quantity::H3A, Quantity::H2A_minus},
                                  {Quantity::k_2, Quantity::H2A_minus, Quantity::HA2_minus},
                                  {Quantity::k_3, Quantity::HA2_minus, Quantity::A3_minus}};
const Pair BasePair{Quantity::k_b, Quantity::BOH, Quantity::B_plus};

int ChargeOf(Quantity q) {
    const auto found = Charges.find(q);
    return found == Charges.end() ? 0 : found->second;
}

double SlotValue(const EquilAB& s, const ProblemType& p, Quantity q) {
    for (const SlotRow& row : p.rows)
        if (row.quantity == q) return s.IOValues[row.slot];
    return EmptyValue;
}

// Every relation of the problem in activity terms on the final values: the pH is −log a(H+),
// a(H+)·a(OH-) = Kw, each constant links its species' activities, the charges balance and the
// ionic strength is that of the species rows.
void ExpectActivityRelations(const ProblemType& p, const EquilAB& s, double tolerance = 1e-6) {
    const Gammas& g = s.Activities.gamma;
    auto gamma = [&](Quantity q) {
        const int z = std::abs(ChargeOf(q));
        return z == 0 ? 1.0 : g[z - 1];
    };
    const Gammas expected = DaviesGammas(s.Activities.ionicStrength, s.Temperature);
    EXPECT_NEAR(std::log10(g[0] / expected[0]), 0, 1e-9);
    const double H = SlotValue(s, p, Quantity::H_plus);
    const double OH = SlotValue(s, p, Quantity::OH_minus);
    const double aH = g[0] * H;
    for (Quantity q : {Quantity::pH, Quantity::pH_eq}) {
        const double pH = SlotValue(s, p, q);
        if (IsKnown(pH)) {
            EXPECT_NEAR(pH, -std::log10(aH), 1e-9) << SymbolName(q);
        }
    }
    EXPECT_NEAR(aH * g[0] * OH / s.Kw, 1, tolerance);
    std::vector<Pair> pairs = AcidPairs;
    pairs.push_back(BasePair);
    for (const Pair& pair : pairs) {
        const double k = SlotValue(s, p, pair.constant);
        const double und = SlotValue(s, p, pair.undissociated);
        const double dis = SlotValue(s, p, pair.dissociated);
        if (IsEmpty(k) || IsEmpty(und) || IsEmpty(dis) || k == 0 || und < 1e-30 || dis < 1e-30)
            continue;
        const double partner = pair.constant == Quantity::k_b ? g[0] * OH : aH;
        const double fromSpecies =
            partner * gamma(pair.dissociated) * dis / (gamma(pair.undissociated) * und);
        EXPECT_NEAR(std::log10(fromSpecies / k), 0, tolerance) << SymbolName(pair.constant);
    }
    if (p.task == 5) return; // the flask's ions are no rows
    double positive = 0, negative = 0, squares = 0;
    for (const SlotRow& row : p.rows) {
        const int z = ChargeOf(row.quantity);
        const double c = s.IOValues[row.slot];
        if (z == 0 || IsEmpty(c)) continue;
        (z > 0 ? positive : negative) += std::abs(z) * c;
        squares += z * z * c;
    }
    EXPECT_NEAR((positive - negative) / (positive + negative), 0, tolerance) << "charge balance";
    EXPECT_NEAR(s.Activities.ionicStrength / (squares / 2), 1, 1e-12) << "ionic strength";
}

std::string Trace(const ProblemType& problem, const EquilAB& s) {
    std::ostringstream trace;
    trace << problem.code;
    for (const SlotRow& row : problem.rows)
        if (IsKnown(s.IOValues[row.slot]) && OffersInput(problem, row.slot))
            trace << ' ' << SymbolName(row.quantity) << '=' << s.IOValues[row.slot];
    return trace.str();
}

TEST(DaviesSolutions, RandomProblemsSatisfyEveryRelationAndASecondCalculate) {
    std::mt19937 rng(2023);
    int checked = 0;
    for (const ProblemType& problem : Problems()) {
        int solvedForCode = 0;
        for (EquilAB first : RandomProblems(problem, rng, DaviesState(), 25)) {
            const std::string given = Trace(problem, first);
            RunProblem(first, problem.code);
            if (first.CalcError != 0 || first.Activities.ionicStrength > 0.5) continue;
            SCOPED_TRACE(given);
            ExpectActivityRelations(problem, first);
            ExpectSecondCalculateAgrees(problem, first);
            ++solvedForCode;
        }
        EXPECT_GE(solvedForCode, 5) << problem.code;
        checked += solvedForCode;
    }
    EXPECT_GT(checked, 34 * 10);
}

// Backwards: a constant (or, without one, the first concentration) from the pH of a forward
// run gives the forward ionic strength back. A constant from a pH that hardly depends on it
// comes by a difference of near-equal terms, so its relations hold to the program's
// consistency tolerance of 1 %.
TEST(DaviesSolutions, BackwardsFromThePHGivesBackWhatGaveIt) {
    std::mt19937 rng(1923);
    int checked = 0;
    for (const ProblemType& problem : Problems()) {
        const SlotRow* pHRow = nullptr;
        for (const SlotRow& row : problem.rows)
            if (OffersInput(problem, row.slot) && row.readAtEntry && IsPHLike(row.quantity))
                pHRow = &row;
        if (pHRow == nullptr) continue;
        for (EquilAB forwards : RandomProblems(problem, rng, DaviesState(), 25)) {
            RunProblem(forwards, problem.code);
            if (forwards.CalcError != 0 || forwards.Activities.ionicStrength > 0.5) continue;
            // The unknown: the last constant row offered, else the first row.
            int unknown = problem.rows.front().slot;
            for (const SlotRow& row : problem.rows)
                if (OffersInput(problem, row.slot) && ChargeOf(row.quantity) == 0 &&
                    (row.quantity == Quantity::k_a || row.quantity == Quantity::k_b ||
                     row.quantity == Quantity::k_3))
                    unknown = row.slot;
            EquilAB backwards = DaviesState();
            for (const SlotRow& row : problem.rows)
                if (OffersInput(problem, row.slot) && IsForwardInput(row.quantity) &&
                    row.slot != unknown)
                    backwards.IOValues[row.slot] = forwards.IOValues[row.slot];
            backwards.IOValues[pHRow->slot] = forwards.IOValues[pHRow->slot];
            SCOPED_TRACE(Trace(problem, backwards));
            RunProblem(backwards, problem.code);
            // A pH that fixes the unknown only loosely, or not at all.
            if (backwards.CalcError != 0 || IsEmpty(backwards.IOValues[unknown])) continue;
            ExpectActivityRelations(problem, backwards, 0.01);
            EXPECT_NEAR(backwards.Activities.ionicStrength / forwards.Activities.ionicStrength, 1,
                        1e-3);
            ++checked;
        }
    }
    EXPECT_GT(checked, 200);
}

} // namespace
} // namespace corvane::engine::test
