#include "equilab.h"

#include <cmath>
#include <utility>

namespace corvane::engine {

EquilAB::EquilAB(double startPKw)
    : pKw(startPKw), Kw(std::pow(10.0, -startPKw)), Temperature(TemperatureOfPKw(startPKw)) {
    PHMax = 2.0 - std::log(Kw);
    ClearIOValues();
}

void EquilAB::SetPKw(double newPKw) {
    pKw = newPKw;
    Kw = std::pow(10.0, -newPKw);
    Temperature = TemperatureOfPKw(newPKw);
}

void EquilAB::SetTemperature(double celsius) {
    SetPKw(WaterPKw(celsius));
    Temperature = celsius;
}

void EquilAB::Fail(std::string reason) {
    if (CalcError == 0 || CalcErrorReason.empty()) CalcErrorReason = std::move(reason);
    CalcError = 1;
}

void EquilAB::ClearCalcError() {
    CalcError = 0;
    CalcErrorReason.clear();
}

void EquilAB::ClearIOValues() {
    IOValues.fill(EmptyValue);
}

bool PHUnitsAgree(double a, double b) {
    return a > 0.0 && b > 0.0 && std::abs(std::log10(a / b)) <= PHAgreement;
}

double Log10Guarded(EquilAB& state, double x) {
    if (std::abs(x - 1.0) < 1e-9) x = 1.0;
    if (!(x > 0.0) || !std::isfinite(x)) {
        state.CalcError = 1;
        return 0.0;
    }
    return std::log(x) / std::log(10.0);
}

void CompleteWaterTriplet(EquilAB& state, double& pH, double& H, double& OH, bool& changed) {
    const double Kw = state.Kw;
    // A division by zero or a value beyond the double range ends the helper with CalcError.
    auto fault = [&state] { state.CalcError = 1; };
    for (;;) {
        bool filled = false;
        if (IsEmpty(pH) && IsKnown(H)) {
            pH = -Log10Guarded(state, H);
            filled = true;
        }
        if (IsEmpty(OH) && IsKnown(H)) {
            if (H == 0.0) return fault();
            OH = Kw / H;
            if (!std::isfinite(OH)) return fault();
            filled = true;
        }
        if (IsEmpty(H) && IsKnown(OH)) {
            if (OH == 0.0) return fault();
            H = Kw / OH;
            if (!std::isfinite(H)) return fault();
            filled = true;
        }
        if (IsEmpty(H) && IsKnown(pH)) {
            H = std::pow(10.0, -pH);
            if (!std::isfinite(H)) return fault();
            filled = true;
        }
        if (!filled) break;
        changed = true;
    }
    // Compared in pH units: a pH rounded to two decimals must still agree with its [H+].
    if (IsKnown(H) && IsKnown(OH) && !PHUnitsAgree(H * OH, Kw)) return fault();
    if (IsKnown(H) && IsKnown(pH) && !PHUnitsAgree(H, std::pow(10.0, -pH))) fault();
}

double SolvePolynomial(EquilAB& state, double c5, double c4, double c3, double c2, double c1,
                       double c0) {
    bool faulted = false;
    // The summation order is part of the result: low powers first.
    auto p = [&](double x) {
        const double x2 = x * x;
        const double y = c1 * x + c0 + c2 * x2 + c3 * x2 * x + c4 * x2 * x2 + c5 * x2 * x2 * x;
        if (!std::isfinite(y)) faulted = true;
        return y;
    };
    auto fail = [&state] {
        state.CalcError = 1;
        return 0.0;
    };

    double lo = 1e-20;
    bool bracketed = false;
    for (int attempt = 0; attempt < 100 && !faulted; ++attempt) {
        if (p(lo) < 0.0) {
            bracketed = true;
            break;
        }
        lo /= 4.0;
    }
    if (faulted || !bracketed) return fail();

    double hi = 2e-20;
    bracketed = false;
    for (int attempt = 0; attempt < 100 && !faulted; ++attempt) {
        if (p(hi) > 0.0) {
            bracketed = true;
            break;
        }
        hi *= 4.0;
    }
    if (faulted || !bracketed) return fail();

    double mid;
    int k = 0;
    do {
        mid = (hi + lo) / 2.0;
        if (p(mid) <= 0.0)
            lo = mid;
        else
            hi = mid;
        ++k;
    } while (!(std::abs(lo - hi) / mid < 1e-12) && k <= 40);
    if (faulted) return fail();
    return mid;
}

} // namespace corvane::engine
