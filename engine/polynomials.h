// \brief The [H+] polynomials of the solvers' root-solve rules, the strong-electrolyte closed
// form and the back-solves that invert the polyprotic polynomials, on plain numbers: the solvers
// and the curve generators build them from here alone.
#pragma once

#include <array>

namespace corvane::engine {

/// c5, c4, c3, c2, c1, c0 in the order SolvePolynomial takes them.
using PolynomialCoefficients = std::array<double, 6>;

/// (C + √(C² + 4·Kw)) / 2: [H+] of a strong acid, [OH-] of a strong base (codes 10, 14).
double StrongIon(double C, double Kw);

/// h² + (C_B − C_A)·h − Kw: a strong acid beside a strong base (codes 30, 50, 52).
PolynomialCoefficients StrongPairPolynomial(double CA, double CB, double Kw);

// Single solutions.
PolynomialCoefficients Polynomial11(double Ca, double ka, double Kw);
PolynomialCoefficients Polynomial12(double Ca, double k1, double k2, double Kw);
PolynomialCoefficients Polynomial12C(double Ca, double k2, double Kw);
PolynomialCoefficients Polynomial13(double Ca, double k1, double k2, double k3, double Kw);
PolynomialCoefficients Polynomial13C(double Ca, double k2, double k3, double Kw);
PolynomialCoefficients Polynomial15(double Cb, double kb, double Kw);

// Salt hydrolysis.
PolynomialCoefficients Polynomial21(double CS, double kb, double Kw);
PolynomialCoefficients Polynomial22(double CS, double ka, double Kw);
PolynomialCoefficients Polynomial23(double CS, double ka, double kb, double Kw);

// Mixtures of an acid and a base.
PolynomialCoefficients Polynomial31(double Ca, double Cb, double kb, double Kw);
PolynomialCoefficients Polynomial32(double Ca, double Cb, double ka, double Kw);
PolynomialCoefficients Polynomial33(double Ca, double Cb, double ka, double kb, double Kw);
PolynomialCoefficients Polynomial34(double Ca, double Cb, double k1, double k2, double Kw);
PolynomialCoefficients Polynomial34C(double Ca, double Cb, double k2, double Kw);
PolynomialCoefficients Polynomial35(double Ca, double Cb, double k1, double k2, double k3,
                                    double Kw);
PolynomialCoefficients Polynomial35C(double Ca, double Cb, double k2, double k3, double Kw);

// Buffers: C is the weak acid (40, 42, 44) or weak base (41, 43, 45), CS its salt, and
// `added` the strong acid (42, 43) or strong base (44, 45) in the solution.
PolynomialCoefficients Polynomial40(double C, double CS, double ka, double Kw);
PolynomialCoefficients Polynomial41(double C, double CS, double kb, double Kw);
PolynomialCoefficients Polynomial42(double C, double CS, double ka, double added, double Kw);
PolynomialCoefficients Polynomial43(double C, double CS, double kb, double added, double Kw);
PolynomialCoefficients Polynomial44(double C, double CS, double ka, double added, double Kw);
PolynomialCoefficients Polynomial45(double C, double CS, double kb, double added, double Kw);

// Titrations, at the flask concentrations C_A and C_B (codes 50 and 52 take the strong pair).
PolynomialCoefficients Polynomial51(double CA, double CB, double ka, double Kw);
PolynomialCoefficients Polynomial53(double CA, double CB, double kb, double Kw);
PolynomialCoefficients Polynomial54(double CA, double CB, double k1, double k2, double Kw);
PolynomialCoefficients Polynomial54C(double CA, double CB, double k2, double Kw);
PolynomialCoefficients Polynomial55(double CA, double CB, double k1, double k2, double k3,
                                    double Kw);
PolynomialCoefficients Polynomial55C(double CA, double CB, double k2, double k3, double Kw);

// Back-solves of the balance of a polyprotic acid C beside a strong base D (codes 34 to 35C, and
// codes 54 to 55C at an equivalence point, where C and D are the flask concentrations): the one
// unknown for which the polynomial of the code has its root at h.
double BackSolve34Acid(double h, double D, double K1, double K2, double Kw);
double BackSolve34Base(double h, double C, double K1, double K2, double Kw);
double BackSolve34K1(double h, double C, double D, double K2, double Kw);
double BackSolve34K2(double h, double C, double D, double K1, double Kw);

double BackSolve34CAcid(double h, double D, double K2, double Kw);
double BackSolve34CBase(double h, double C, double K2, double Kw);
double BackSolve34CK2(double h, double C, double D, double Kw);

double BackSolve35Acid(double h, double D, double K1, double K2, double K3, double Kw);
double BackSolve35Base(double h, double C, double K1, double K2, double K3, double Kw);
double BackSolve35K1(double h, double C, double D, double K2, double K3, double Kw);
double BackSolve35K2(double h, double C, double D, double K1, double K3, double Kw);
double BackSolve35K3(double h, double C, double D, double K1, double K2, double Kw);

double BackSolve35CAcid(double h, double D, double K2, double K3, double Kw);
double BackSolve35CBase(double h, double C, double K2, double K3, double Kw);
double BackSolve35CK2(double h, double C, double D, double K3, double Kw);
double BackSolve35CK3(double h, double C, double D, double K2, double Kw);

} // namespace corvane::engine
