#include "polynomials.h"

#include <cmath>

namespace corvane::engine {

double StrongIon(double C, double Kw) {
    return (C + std::sqrt(C * C + 4 * Kw)) / 2;
}

PolynomialCoefficients StrongPairPolynomial(double CA, double CB, double Kw) {
    return {0.0, 0.0, 0.0, 1.0, CB - CA, -Kw};
}

PolynomialCoefficients Polynomial11(double Ca, double ka, double Kw) {
    return {0.0, 0.0, 1.0, ka, -(Ca * ka + Kw), -ka * Kw};
}

PolynomialCoefficients Polynomial12(double C, double K1, double K2, double Kw) {
    return {0.0, 1.0, K1, K1 * K2 - K1 * C - Kw, -2 * C * K1 * K2 - Kw * K1, -K1 * K2 * Kw};
}

PolynomialCoefficients Polynomial12C(double C, double K2, double Kw) {
    return {0.0, 0.0, 1.0, K2 - C, -2 * C * K2 - Kw, -K2 * Kw};
}

PolynomialCoefficients Polynomial13(double C, double K1, double K2, double K3, double Kw) {
    return {1.0,
            K1,
            K1 * K2 - K1 * C - Kw,
            K1 * K2 * K3 - 2 * C * K1 * K2 - Kw * K1,
            -3 * C * K1 * K2 * K3 - K1 * K2 * Kw,
            -K1 * K2 * K3 * Kw};
}

PolynomialCoefficients Polynomial13C(double C, double K2, double K3, double Kw) {
    return {0.0, 1.0, K2 - C, K2 * K3 - 2 * C * K2 - Kw, -3 * C * K2 * K3 - Kw * K2, -K2 * K3 * Kw};
}

PolynomialCoefficients Polynomial15(double Cb, double kb, double Kw) {
    return {0.0, 0.0, kb, kb * Cb + Kw, -kb * Kw, -Kw * Kw};
}

PolynomialCoefficients Polynomial21(double CS, double kb, double Kw) {
    return {0.0, 0.0, kb, Kw, -kb * Kw - Kw * CS, -Kw * Kw};
}

PolynomialCoefficients Polynomial22(double CS, double ka, double Kw) {
    return {0.0, 0.0, 1.0, ka + CS, -Kw, -ka * Kw};
}

PolynomialCoefficients Polynomial23(double C, double Ka, double Kb, double Kw) {
    return {0.0,
            Kb,
            Kb * Ka + Kb * C + Kw,
            Kw * Ka - Kw * Kb,
            -C * Ka * Kw - Kb * Ka * Kw - Kw * Kw,
            -Kw * Kw * Ka};
}

PolynomialCoefficients Polynomial31(double Ca, double Cb, double Kb, double Kw) {
    return {0.0, 0.0, Kb, Kb * Cb + Kw - Kb * Ca, -Ca * Kw - Kw * Kb, -Kw * Kw};
}

PolynomialCoefficients Polynomial32(double Ca, double Cb, double Ka, double Kw) {
    return {0.0, 0.0, 1.0, Ka + Cb, Ka * Cb - Ka * Ca - Kw, -Ka * Kw};
}

PolynomialCoefficients Polynomial33(double C, double D, double Ka, double Kb, double Kw) {
    return {0.0,
            Kb,
            Kb * Ka + Kw + Kb * D,
            Ka * D * Kb + Kw * Ka - Ka * C * Kb - Kw * Kb,
            -(Kw * Kw + Ka * C * Kw + Kb * Ka * Kw),
            -Kw * Kw * Ka};
}

PolynomialCoefficients Polynomial34(double C, double D, double K1, double K2, double Kw) {
    return {0.0,
            1.0,
            K1 + D,
            K1 * K2 - K1 * C + K1 * D - Kw,
            K1 * D * K2 - 2 * C * K1 * K2 - Kw * K1,
            -K1 * K2 * Kw};
}

PolynomialCoefficients Polynomial34C(double C, double D, double K2, double Kw) {
    return {0.0, 0.0, 1.0, K2 - C + D, K2 * D - Kw - 2 * C * K2, -K2 * Kw};
}

PolynomialCoefficients Polynomial35(double C, double D, double K1, double K2, double K3,
                                    double Kw) {
    return {1.0,
            K1 + D,
            K1 * K2 - K1 * C + K1 * D - Kw,
            K1 * K2 * K3 - 2 * C * K1 * K2 + K1 * D * K2 - Kw * K1,
            K1 * D * K2 * K3 - 3 * C * K1 * K2 * K3 - K1 * K2 * Kw,
            -K1 * K2 * K3 * Kw};
}

PolynomialCoefficients Polynomial35C(double C, double D, double K2, double K3, double Kw) {
    return {0.0,
            1.0,
            K2 - C + D,
            K2 * K3 - 2 * C * K2 + K2 * D - Kw,
            K2 * D * K3 - 3 * C * K2 * K3 - Kw * K2,
            -K2 * K3 * Kw};
}

PolynomialCoefficients Polynomial40(double C, double CS, double k, double Kw) {
    return {0.0, 0.0, 1.0, k + CS, -(C * k + Kw), -k * Kw};
}

PolynomialCoefficients Polynomial41(double C, double CS, double Kb, double Kw) {
    return {0.0, 0.0, Kb, Kb * C + Kw, -Kw * (CS + Kb), -Kw * Kw};
}

PolynomialCoefficients Polynomial42(double C, double CS, double Ka, double A, double Kw) {
    return {0.0, 0.0, 1.0, Ka + CS - A, -(Ka * (C + A) + Kw), -Ka * Kw};
}

PolynomialCoefficients Polynomial43(double C, double CS, double Kb, double A, double Kw) {
    return {0.0, 0.0, Kb, Kb * (C - A) + Kw, -Kw * (CS + A + Kb), -Kw * Kw};
}

PolynomialCoefficients Polynomial44(double C, double CS, double Ka, double B, double Kw) {
    return {0.0, 0.0, 1.0, Ka + CS + B, Ka * (B - C) - Kw, -Ka * Kw};
}

PolynomialCoefficients Polynomial45(double C, double CS, double Kb, double B, double Kw) {
    return {0.0, 0.0, Kb, Kb * (C + B) + Kw, Kw * (B - CS - Kb), -Kw * Kw};
}

PolynomialCoefficients Polynomial51(double CA, double CB, double Ka, double Kw) {
    return {0.0, 0.0, 1.0, Ka + CB, Ka * CB - Ka * CA - Kw, -Ka * Kw};
}

PolynomialCoefficients Polynomial53(double CA, double CB, double Kb, double Kw) {
    return {0.0, 0.0, Kb, Kb * (CB - CA) + Kw, -Kw * (CA + Kb), -Kw * Kw};
}

PolynomialCoefficients Polynomial54(double A, double B, double K1, double K2, double Kw) {
    return {0.0,          1.0, K1 + B, K1 * K2 + K1 * (B - A) - Kw, K1 * K2 * (B - 2 * A) - K1 * Kw,
            -K1 * K2 * Kw};
}

PolynomialCoefficients Polynomial54C(double A, double B, double K2, double Kw) {
    return {0.0, 0.0, 1.0, K2 + B - A, K2 * (B - 2 * A) - Kw, -K2 * Kw};
}

PolynomialCoefficients Polynomial55(double A, double B, double K1, double K2, double K3,
                                    double Kw) {
    return {1.0,
            K1 + B,
            K1 * K2 + K1 * (B - A) - Kw,
            K1 * K2 * K3 + K1 * K2 * (B - 2 * A) - K1 * Kw,
            K1 * K2 * K3 * (B - 3 * A) - K1 * K2 * Kw,
            -K1 * K2 * K3 * Kw};
}

PolynomialCoefficients Polynomial55C(double A, double B, double K2, double K3, double Kw) {
    return {0.0,
            1.0,
            K2 + B - A,
            K2 * K3 + K2 * (B - 2 * A) - Kw,
            K2 * K3 * (B - 3 * A) - K2 * Kw,
            -K2 * K3 * Kw};
}

double BackSolve34Acid(double h, double D, double K1, double K2, double Kw) {
    return (std::pow(h, 4) + (K1 + D) * std::pow(h, 3) + (K1 * K2 + K1 * D - Kw) * h * h +
            (K1 * D * K2 - Kw * K1) * h - K1 * K2 * Kw) /
           (K1 * h * h + 2 * K1 * K2 * h);
}

double BackSolve34Base(double h, double C, double K1, double K2, double Kw) {
    return (std::pow(h, 4) + K1 * std::pow(h, 3) + (K1 * K2 - K1 * C - Kw) * h * h -
            (2 * C * K1 * K2 + Kw * K1) * h - K1 * K2 * Kw) /
           (-std::pow(h, 3) - K1 * h * h - K1 * K2 * h);
}

double BackSolve34K1(double h, double C, double D, double K2, double Kw) {
    return (std::pow(h, 4) + D * std::pow(h, 3) - Kw * h * h) /
           (-std::pow(h, 3) + (C - D - K2) * h * h + (2 * C * K2 - K2 * D + Kw) * h + Kw * K2);
}

double BackSolve34K2(double h, double C, double D, double K1, double Kw) {
    return (std::pow(h, 4) + (K1 + D) * std::pow(h, 3) + (K1 * D - K1 * C - Kw) * h * h -
            Kw * K1 * h) /
           (-K1 * h * h + (2 * C * K1 - K1 * D) * h + Kw * K1);
}

double BackSolve34CAcid(double h, double D, double K2, double Kw) {
    return (std::pow(h, 3) + (K2 + D) * h * h + (K2 * D - Kw) * h - Kw * K2) / (h * h + 2 * K2 * h);
}

double BackSolve34CBase(double h, double C, double K2, double Kw) {
    return (std::pow(h, 3) + (K2 - C) * h * h - (2 * C * K2 + Kw) * h - Kw * K2) /
           (-h * h - h * K2);
}

double BackSolve34CK2(double h, double C, double D, double Kw) {
    return (std::pow(h, 3) + (D - C) * h * h - Kw * h) / ((2 * C - D) * h + Kw - h * h);
}

double BackSolve35Acid(double h, double D, double K1, double K2, double K3, double Kw) {
    return (std::pow(h, 5) + (K1 + D) * std::pow(h, 4) + (K1 * K2 + K1 * D - Kw) * std::pow(h, 3) +
            (K1 * K2 * K3 + K1 * D * K2 - Kw * K1) * h * h + (K1 * D * K2 * K3 - K1 * K2 * Kw) * h -
            K1 * K2 * K3 * Kw) /
           (K1 * std::pow(h, 3) + 2 * K1 * K2 * h * h + 3 * K1 * K2 * K3 * h);
}

double BackSolve35Base(double h, double C, double K1, double K2, double K3, double Kw) {
    return (std::pow(h, 5) + K1 * std::pow(h, 4) + (K1 * K2 - K1 * C - Kw) * std::pow(h, 3) +
            (K1 * K2 * K3 - 2 * C * K1 * K2 - Kw * K1) * h * h -
            (3 * C * K1 * K2 * K3 + K1 * K2 * Kw) * h - K1 * K2 * K3 * Kw) /
           (-std::pow(h, 4) - K1 * std::pow(h, 3) - K1 * K2 * h * h - K1 * K2 * K3 * h);
}

double BackSolve35K1(double h, double C, double D, double K2, double K3, double Kw) {
    return (std::pow(h, 5) + D * std::pow(h, 4) - Kw * std::pow(h, 3)) /
           (-std::pow(h, 4) + (C - D - K2) * std::pow(h, 3) +
            (2 * C * K2 - K3 * K2 - K2 * D + Kw) * h * h +
            (3 * C * K2 * K3 - K2 * D * K3 + Kw * K2) * h + K3 * K2 * Kw);
}

double BackSolve35K2(double h, double C, double D, double K1, double K3, double Kw) {
    return (std::pow(h, 5) + (K1 + D) * std::pow(h, 4) + (K1 * D - K1 * C - Kw) * std::pow(h, 3) -
            Kw * K1 * h * h) /
           (-K1 * std::pow(h, 3) + (2 * C * K1 - K3 * K1 - K1 * D) * h * h +
            (3 * C * K1 * K3 + Kw * K1 - K1 * D * K3) * h + K3 * K1 * Kw);
}

double BackSolve35K3(double h, double C, double D, double K1, double K2, double Kw) {
    return (std::pow(h, 5) + (K1 + D) * std::pow(h, 4) +
            (K1 * K2 + K1 * D - K1 * C - Kw) * std::pow(h, 3) +
            (K1 * D * K2 - 2 * C * K1 * K2 - Kw * K1) * h * h - K1 * K2 * Kw * h) /
           (-K1 * K2 * h * h + (3 * C * K1 * K2 - K1 * D * K2) * h + K1 * K2 * Kw);
}

double BackSolve35CAcid(double h, double D, double K2, double K3, double Kw) {
    return (std::pow(h, 4) + (K2 + D) * std::pow(h, 3) + (K2 * K3 + K2 * D - Kw) * h * h +
            (K2 * D * K3 - Kw * K2) * h - K2 * K3 * Kw) /
           (std::pow(h, 3) + 2 * K2 * h * h + 3 * K2 * K3 * h);
}

double BackSolve35CBase(double h, double C, double K2, double K3, double Kw) {
    return (std::pow(h, 4) + (K2 - C) * std::pow(h, 3) + (K2 * K3 - 2 * C * K2 - Kw) * h * h -
            (3 * C * K2 * K3 + Kw * K2) * h - K2 * K3 * Kw) /
           (-std::pow(h, 3) - K2 * h * h - K2 * K3 * h);
}

double BackSolve35CK2(double h, double C, double D, double K3, double Kw) {
    return (std::pow(h, 4) + (D - C) * std::pow(h, 3) - Kw * h * h) /
           (-std::pow(h, 3) + (2 * C - K3 - D) * h * h + (3 * C * K3 + Kw - K3 * D) * h + Kw * K3);
}

double BackSolve35CK3(double h, double C, double D, double K2, double Kw) {
    return (std::pow(h, 4) + (K2 + D - C) * std::pow(h, 3) + (K2 * D - 2 * C * K2 - Kw) * h * h -
            Kw * K2 * h) /
           (-K2 * h * h + (3 * C * K2 - K2 * D) * h + Kw * K2);
}

} // namespace corvane::engine
