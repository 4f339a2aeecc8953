#include "ions.h"

#include <cmath>
#include <initializer_list>
#include <map>
#include <string>

namespace corvane::engine {

namespace {

double value(const Slots& s, int slot) {
    return IsKnown(s[slot]) ? s[slot] : 0.0;
}

// Single solutions (10 to 15): the acid's anions or the base's cation with H+ and OH-. The
// A- row of a strong acid is its Cl-, the B+ row of a strong base its Na+.
IonTable monoproticAcid(int H, int anion, int OH, std::vector<ConstantRow> constants) {
    return {{1}, std::move(constants), {{H, 1}, {anion, -1}, {OH, -1}}};
}
IonTable polyproticAcid(std::vector<ConstantRow> constants, std::vector<IonRow> anions, int OH) {
    anions.insert(anions.begin(), {2, 1});
    anions.push_back({OH, -1});
    return {{1}, std::move(constants), std::move(anions)};
}
IonTable singleBase(std::vector<ConstantRow> constants) {
    return {{1}, std::move(constants), {{2, 1}, {5, -1}, {7, 1}}};
}

// Salts (20 to 23): the salt's cation B+ (Na+ of a strong base) and anion A- (Cl- of a strong
// acid) are rows of their own.
IonTable salt(int pH, int H, int OH, int anion, int cation, std::vector<ConstantRow> constants) {
    return {{pH}, std::move(constants), {{H, 1}, {OH, -1}, {anion, -1}, {cation, 1}}};
}

// Mixtures (30 to 35): the acid's anions (Cl- of a strong acid) and the base's cation B+
// (Na+ of a strong base).
IonTable mixture(int H, int OH, std::vector<IonRow> anions, int cation,
                 std::vector<ConstantRow> constants) {
    std::vector<IonRow> ions{{H, 1}, {OH, -1}, {cation, 1}};
    ions.insert(ions.end(), anions.begin(), anions.end());
    return {{2}, std::move(constants), std::move(ions)};
}

// Buffers (40 to 45): A- and the salt's cation (Na+) for an acid buffer, B+ and the salt's
// anion (Cl-) for a base buffer, and the X- of an added strong acid or the Z+ of an added
// strong base.
IonTable buffer(bool acid, int OH, int added, int addedCharge) {
    std::vector<IonRow> ions{{5, 1}, {OH, -1}, {7, acid ? -1 : 1}, {8, acid ? 1 : -1}};
    if (added >= 0) ions.push_back({added, addedCharge});
    return {{2}, {{3, acid ? 1 : BaseStep}}, std::move(ions)};
}

// Titrations (50 to 55C): the flask at the (last) equivalence point, the analyte's C·V and the
// titrant's T·V_eq in V + V_eq. Its ions are the titrant's and analyte's counter-ions (Na+
// of the base, Cl- of the acid) and the analyte's own ions.
double diluted(const Slots& s, int C, int V, int other) {
    const double total = value(s, V) + value(s, other);
    return total > 0 ? value(s, C) * value(s, V) / total : 0.0;
}

// Monoprotic slots: C 0, V 1, k 2, titrant 3, V_eq 4; polyprotic: C_a 0, V_a 1, k 3 to 5,
// C_SB 6, V_eq 7, [H+] 9, [OH-] 12.
double strongAcidFlask(const Slots& s) {
    return diluted(s, 3, 4, 1) + diluted(s, 0, 1, 4); // Na+ and Cl-
}
double weakAcidFlask(const Slots& s) {
    // Na+ and A-, which the charge balance fixes: [A-] = [Na+] + [H+] − [OH-].
    const double sodium = diluted(s, 3, 4, 1);
    return sodium + (sodium + value(s, 9) - value(s, 12));
}
double strongBaseFlask(const Slots& s) {
    return diluted(s, 0, 1, 4) + diluted(s, 3, 4, 1); // Na+ and Cl-
}
double weakBaseFlask(const Slots& s) {
    // Cl- and BH+ = [Cl-] + [OH-] − [H+].
    const double chloride = diluted(s, 3, 4, 1);
    return chloride + (chloride + value(s, 12) - value(s, 9));
}

// Σ z²·c of the anions of an acid with the successive constants ks at [H+] = h, from the
// species of charge `first` (1 when the first dissociation is complete) up to the last.
double anionSquares(double C, double h, std::initializer_list<double> ks, int first) {
    const int n = static_cast<int>(ks.size()) + first;
    double weighted = 0, total = 0, product = 1;
    auto k = ks.begin();
    for (int z = first; z <= n; ++z) {
        if (z > first) product *= *k++;
        const double term = std::pow(h, n - z) * product;
        weighted += z * z * term;
        total += term;
    }
    return total > 0 ? C * weighted / total : 0.0;
}

// The polyprotic flask after V mL: C_A = C_a·V_a / (V_a + V), Na+ = C_SB·V / (V_a + V).
double acidAt(const Slots& s, double V) {
    const double total = value(s, 1) + V;
    return total > 0 ? value(s, 0) * value(s, 1) / total : 0.0;
}
double sodiumAt(const Slots& s, double V) {
    const double total = value(s, 1) + V;
    return total > 0 ? value(s, 6) * V / total : 0.0;
}

PolynomialCoefficients diproticPolynomial(const Slots& s, double V, double Kw) {
    return Polynomial54(acidAt(s, V), sodiumAt(s, V), value(s, 3), value(s, 4), Kw);
}
PolynomialCoefficients diproticCPolynomial(const Slots& s, double V, double Kw) {
    return Polynomial54C(acidAt(s, V), sodiumAt(s, V), value(s, 4), Kw);
}
PolynomialCoefficients triproticPolynomial(const Slots& s, double V, double Kw) {
    return Polynomial55(acidAt(s, V), sodiumAt(s, V), value(s, 3), value(s, 4), value(s, 5), Kw);
}
PolynomialCoefficients triproticCPolynomial(const Slots& s, double V, double Kw) {
    return Polynomial55C(acidAt(s, V), sodiumAt(s, V), value(s, 4), value(s, 5), Kw);
}

double diproticSquares(const Slots& s, double V, double h) {
    return sodiumAt(s, V) + anionSquares(acidAt(s, V), h, {value(s, 3), value(s, 4)}, 0);
}
double diproticCSquares(const Slots& s, double V, double h) {
    return sodiumAt(s, V) + anionSquares(acidAt(s, V), h, {value(s, 4)}, 1);
}
double triproticSquares(const Slots& s, double V, double h) {
    return sodiumAt(s, V) +
           anionSquares(acidAt(s, V), h, {value(s, 3), value(s, 4), value(s, 5)}, 0);
}
double triproticCSquares(const Slots& s, double V, double h) {
    return sodiumAt(s, V) + anionSquares(acidAt(s, V), h, {value(s, 4), value(s, 5)}, 1);
}

// At the last equivalence point, V_eq in slot 7 and its [H+] in slot 9.
double diproticFlask(const Slots& s) {
    return diproticSquares(s, value(s, 7), value(s, 9));
}
double diproticCFlask(const Slots& s) {
    return diproticCSquares(s, value(s, 7), value(s, 9));
}
double triproticFlask(const Slots& s) {
    return triproticSquares(s, value(s, 7), value(s, 9));
}
double triproticCFlask(const Slots& s) {
    return triproticCSquares(s, value(s, 7), value(s, 9));
}

IonTable titration(std::vector<int> pHSlots, std::vector<ConstantRow> constants,
                   DerivedIons flask) {
    return {std::move(pHSlots), std::move(constants), {{9, 1}, {12, -1}}, {flask}};
}

IonTable polyproticTitration(std::vector<EarlierPoint> earlier, std::vector<ConstantRow> constants,
                             DerivedIons atEquivalence, Flask flask) {
    std::vector<int> pHSlots{8};
    for (const EarlierPoint& e : earlier)
        pHSlots.push_back(e.pHSlot);
    IonTable t = titration(std::move(pHSlots), std::move(constants), atEquivalence);
    t.earlier = std::move(earlier);
    t.flask = flask;
    return t;
}

std::map<std::string, IonTable, std::less<>> buildTables() {
    const std::vector<ConstantRow> diprotic{{3, 1}, {4, 2}};
    const std::vector<ConstantRow> diproticC{{4, 2}};
    const std::vector<ConstantRow> triprotic{{3, 1}, {4, 2}, {5, 3}};
    const std::vector<ConstantRow> triproticC{{4, 2}, {5, 3}};
    const std::vector<IonRow> twoAnions{{7, -1}, {8, -2}};
    const std::vector<IonRow> threeAnions{{7, -1}, {8, -2}, {9, -3}};
    const std::vector<EarlierPoint> first{{11, 10}};
    const std::vector<EarlierPoint> firstTwo{{11, 10}, {14, 13}};
    return {
        {"10", monoproticAcid(2, 7, 9, {})},
        {"11", monoproticAcid(2, 7, 9, {{3, 1}})},
        {"12", polyproticAcid(diprotic, twoAnions, 9)},
        {"12C", polyproticAcid(diproticC, twoAnions, 9)},
        {"13", polyproticAcid(triprotic, threeAnions, 10)},
        {"13C", polyproticAcid(triproticC, threeAnions, 10)},
        {"14", singleBase({})},
        {"15", singleBase({{3, BaseStep}})},
        {"20", salt(6, 7, 8, 9, 10, {})},
        {"21", salt(1, 2, 5, 8, 7, {{4, BaseStep}})},
        {"22", salt(1, 2, 5, 7, 8, {{3, 1}})},
        {"23", salt(1, 2, 5, 7, 10, {{3, 1}, {4, BaseStep}})},
        {"30", mixture(5, 4, {{7, -1}}, 10, {})},
        {"31", mixture(5, 11, {{7, -1}}, 10, {{4, BaseStep}})},
        {"32", mixture(5, 11, {{7, -1}}, 10, {{3, 1}})},
        {"33", mixture(5, 11, {{7, -1}}, 10, {{3, 1}, {4, BaseStep}})},
        {"34", mixture(5, 11, twoAnions, 10, diprotic)},
        {"34C", mixture(5, 11, twoAnions, 10, diproticC)},
        {"35", mixture(10, 11, threeAnions, 13, triprotic)},
        {"35C", mixture(10, 11, threeAnions, 13, triproticC)},
        {"40", buffer(true, 4, -1, 0)},
        {"41", buffer(false, 4, -1, 0)},
        {"42", buffer(true, 11, 10, -1)},
        {"43", buffer(false, 11, 10, -1)},
        {"44", buffer(true, 11, 10, 1)},
        {"45", buffer(false, 11, 10, 1)},
        {"50", titration({5}, {}, {"Na+ and Cl-", strongAcidFlask})},
        {"51", titration({5}, {{2, 1}}, {"Na+ and A-", weakAcidFlask})},
        {"52", titration({5}, {}, {"Na+ and Cl-", strongBaseFlask})},
        {"53", titration({5}, {{2, BaseStep}}, {"Cl- and B+", weakBaseFlask})},
        {"54", polyproticTitration(first, diprotic, {"Na+ and the anions", diproticFlask},
                                   {diproticPolynomial, diproticSquares})},
        {"54C", polyproticTitration(first, diproticC, {"Na+ and the anions", diproticCFlask},
                                    {diproticCPolynomial, diproticCSquares})},
        {"55", polyproticTitration(firstTwo, triprotic, {"Na+ and the anions", triproticFlask},
                                   {triproticPolynomial, triproticSquares})},
        {"55C", polyproticTitration(firstTwo, triproticC, {"Na+ and the anions", triproticCFlask},
                                    {triproticCPolynomial, triproticCSquares})},
    };
}

} // namespace

const IonTable* IonsOf(std::string_view code) {
    static const auto tables = buildTables();
    const auto found = tables.find(code);
    return found == tables.end() ? nullptr : &found->second;
}

double IonicStrength(const IonTable& ions, const Slots& values) {
    double sum = 0;
    for (const IonRow& ion : ions.species)
        sum += ion.charge * ion.charge * value(values, ion.slot);
    for (const DerivedIons& d : ions.derived)
        sum += d.chargeSquareSum(values);
    return sum / 2;
}

double ConditionalFactor(const ConstantRow& row, const Gammas& g) {
    if (row.step == BaseStep) return 1 / (g[0] * g[0]);
    const double before = row.step == 1 ? 1.0 : g[row.step - 2];
    return before / (g[0] * g[row.step - 1]);
}

} // namespace corvane::engine
