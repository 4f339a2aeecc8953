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

} // namespace corvane::engine
