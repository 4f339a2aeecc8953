#include "activity.h"

#include "reason.h"

#include <cmath>

namespace corvane::engine {

namespace {

constexpr double ZeroCelsius = 273.15;

// Wyman and Ingalls (1938): ε = 78.54·(1 − 4.579e-3·t + 1.19e-5·t² − 2.8e-8·t³), t = T − 25 °C.
double dielectricConstant(double celsius) {
    const double t = celsius - 25.0;
    return 78.54 * (1 - 4.579e-3 * t + 1.19e-5 * t * t - 2.8e-8 * t * t * t);
}

} // namespace

double DebyeHuckelA(double celsius) {
    const double epsilonT = dielectricConstant(celsius) * (celsius + ZeroCelsius);
    return 1.82483e6 / (epsilonT * std::sqrt(epsilonT));
}

double WaterPKw(double celsius) {
    const double T = celsius + ZeroCelsius;
    return 4470.99 / T - 6.0875 + 0.01706 * T;
}

double WaterKw(double celsius) {
    return std::pow(10.0, -WaterPKw(celsius));
}

double DaviesLog10Gamma(int charge, double ionicStrength, double A) {
    const double root = std::sqrt(ionicStrength);
    return -A * charge * charge * (root / (1 + root) - 0.3 * ionicStrength);
}

double ActivityCoefficient(int charge, double ionicStrength, double celsius) {
    return std::pow(10.0, DaviesLog10Gamma(charge, ionicStrength, DebyeHuckelA(celsius)));
}

Gammas DaviesGammas(double ionicStrength, double celsius) {
    const double log1 = DaviesLog10Gamma(1, ionicStrength, DebyeHuckelA(celsius));
    // log γ grows with z², so γ2 = γ1⁴ and γ3 = γ1⁹.
    return {std::pow(10.0, log1), std::pow(10.0, 4 * log1), std::pow(10.0, 9 * log1)};
}

std::string DaviesRangeWarning(double ionicStrength) {
    if (!(ionicStrength > DaviesRangeLimit)) return {};
    return "ionic strength " + ReasonNumber(ionicStrength) +
           " mol/L is beyond the range of the Davies equation";
}

double TemperatureOfPKw(double pKw) {
    return pKw == 13.59 ? 37.0 : 25.0;
}

} // namespace corvane::engine
