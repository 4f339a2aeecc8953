#include "titrationmodel.h"

#include "engine/polynomials.h"
#include "engine/slots.h"
#include "engine/titration_flask.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>

namespace corvane::fit {

namespace {

constexpr std::array<std::string_view, 8> Codes{"50", "51", "52", "53", "54", "54C", "55", "55C"};

int indexOf(std::string_view code) {
    for (std::size_t i = 0; i < Codes.size(); ++i)
        if (Codes[i] == code) return static_cast<int>(i);
    return -1;
}

} // namespace

std::vector<int> CurveSlots(std::string_view code) {
    namespace mono = engine::slot::titration;
    namespace poly = engine::slot::polyprotic_titration;
    switch (indexOf(code)) {
    case 0:
    case 2:
        return {mono::C, mono::V, mono::Titrant};
    case 1:
    case 3:
        return {mono::C, mono::V, mono::K, mono::Titrant};
    case 4:
        return {poly::Ca, poly::Va, poly::K1, poly::K2, poly::Titrant};
    case 5:
        return {poly::Ca, poly::Va, poly::K2, poly::Titrant};
    case 6:
        return {poly::Ca, poly::Va, poly::K1, poly::K2, poly::K3, poly::Titrant};
    case 7:
        return {poly::Ca, poly::Va, poly::K2, poly::K3, poly::Titrant};
    default:
        return {};
    }
}

int TitratedProtons(std::string_view code) {
    return code.starts_with("54") ? 2 : code.starts_with("55") ? 3 : 1;
}

bool BaseTitrated(std::string_view code) {
    return code == "52" || code == "53";
}

FlaskSlots FlaskSlotsOf(std::string_view code) {
    namespace mono = engine::slot::titration;
    return {mono::C, mono::V,
            TitratedProtons(code) == 1 ? mono::Titrant
                                       : engine::slot::polyprotic_titration::Titrant};
}

bool IsConstantSlot(std::string_view code, int slot) {
    const std::vector<int> curve = CurveSlots(code);
    const FlaskSlots flask = FlaskSlotsOf(code);
    return std::find(curve.begin(), curve.end(), slot) != curve.end() && slot != flask.analyte &&
           slot != flask.volume && slot != flask.titrant;
}

TitrationModel::TitrationModel(std::string_view code, const engine::Slots& values, double pKw,
                               engine::ActivityModel activity, double temperature)
    : m_code(indexOf(code)), m_values(values), m_work(pKw) {
    if (m_code < 0) throw std::invalid_argument("not a titration code: " + std::string(code));
    m_work.Activity = activity;
    m_work.Temperature = temperature;
}

double TitrationModel::pH(double V) const {
    if (m_work.Activity != engine::ActivityModel::Ideal) {
        m_work.ClearCalcError();
        const double pH = engine::PHInFlask(Codes[m_code], m_values, V, m_work);
        return m_work.CalcError != 0 ? std::nan("") : pH;
    }
    const engine::Slots& s = m_values;
    const double Kw = m_work.Kw;
    const FlaskSlots flask = FlaskSlotsOf(Codes[m_code]);
    const double C = s[flask.analyte], V0 = s[flask.volume], titrant = s[flask.titrant];
    const double analyte = C * V0 / (V0 + V), added = titrant * V / (V + V0);
    const bool base = m_code == 2 || m_code == 3;
    const double CA = base ? added : analyte, CB = base ? analyte : added;
    engine::PolynomialCoefficients c;
    switch (m_code) {
    case 0:
    case 2:
        c = engine::StrongPairPolynomial(CA, CB, Kw);
        break;
    case 1:
        c = engine::Polynomial51(CA, CB, s[2], Kw);
        break;
    case 3:
        c = engine::Polynomial53(CA, CB, s[2], Kw);
        break;
    case 4:
        c = engine::Polynomial54(CA, CB, s[3], s[4], Kw);
        break;
    case 5:
        c = engine::Polynomial54C(CA, CB, s[4], Kw);
        break;
    case 6:
        c = engine::Polynomial55(CA, CB, s[3], s[4], s[5], Kw);
        break;
    default:
        c = engine::Polynomial55C(CA, CB, s[4], s[5], Kw);
        break;
    }
    m_work.CalcError = 0;
    const double h = engine::SolvePolynomial(m_work, c[0], c[1], c[2], c[3], c[4], c[5]);
    const double pH = -engine::Log10Guarded(m_work, h);
    return m_work.CalcError != 0 ? std::nan("") : pH;
}

} // namespace corvane::fit
