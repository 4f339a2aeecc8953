// \brief Activity coefficients of ions in water (Davies equation) and the water constants at a
// temperature: what any solver needs to turn thermodynamic constants into conditional ones.
#pragma once

#include <array>
#include <string>

namespace corvane::engine {

/// The temperatures a temperature may be given at, in °C.
inline constexpr double LowestTemperature = 0.0;
inline constexpr double HighestTemperature = 60.0;

/// The ionic strength up to which the Davies equation is meant to hold, in mol/L.
inline constexpr double DaviesRangeLimit = 0.5;

/// The Debye–Hückel constant A in (L/mol)^½ at a temperature in °C: 1.82483e6·(ε·T)^(−3/2), T
/// in K, with ε of water from Wyman and Ingalls (1938), 78.54 at 25 °C. A(25 °C) = 0.5093.
double DebyeHuckelA(double celsius);

/// pKw at a temperature in °C by Harned and Robinson (1940): 4470.99/T − 6.0875 + 0.01706·T,
/// T in K (13.995 at 25 °C).
double WaterPKw(double celsius);
/// Kw = 10^(−pKw) at a temperature in °C.
double WaterKw(double celsius);

/// log10 γ of an ion of charge z at ionic strength I (mol/L) by the Davies equation:
/// −A·z²·(√I/(1 + √I) − 0.3·I). Neutral species (z = 0) have γ = 1.
double DaviesLog10Gamma(int charge, double ionicStrength, double A);
/// γ of an ion of charge z at ionic strength I and a temperature in °C.
double ActivityCoefficient(int charge, double ionicStrength, double celsius);

/// γ of ions of charge 1, 2 and 3, in that order.
using Gammas = std::array<double, 3>;
inline constexpr Gammas IdealGammas{1.0, 1.0, 1.0};
Gammas DaviesGammas(double ionicStrength, double celsius);

/// The warning for a result at an ionic strength beyond DaviesRangeLimit; empty within it.
std::string DaviesRangeWarning(double ionicStrength);

/// The temperature that a pKw item of the settings stands for: 37 °C for 13.59, else 25 °C.
double TemperatureOfPKw(double pKw);

} // namespace corvane::engine
