#include "generators.h"

#include "catalogue.h"

#include "engine/polynomials.h"
#include "engine/slots.h"

#include <cmath>
#include <functional>

namespace corvane::graphs {

using engine::EquilAB;
using engine::PolynomialCoefficients;
namespace solution = engine::slot::solution;
namespace salt = engine::slot::salt;
namespace mixture = engine::slot::mixture;
namespace buffer = engine::slot::buffer;
namespace titration = engine::slot::titration;
namespace polyprotic_titration = engine::slot::polyprotic_titration;

bool NegativeLogAxis(int kind) {
    return KindFacts(kind).negativeLog;
}

namespace {

// The working copies of a problem's parameters; the kind's quantity follows x.
struct Problem {
    double Ca = 0, Cb = 0, CS = 0, ka = 0, kb = 0, k1 = 0, k2 = 0, k3 = 0, added = 0;
};

void setFromX(Problem& p, const GraphKindFacts& kind, double x) {
    const double v = kind.negativeLog ? std::pow(10.0, -x) : x;
    switch (kind.x) {
    case XQuantity::AcidConcentration:
        p.Ca = v;
        break;
    case XQuantity::BaseConcentration:
        p.Cb = v;
        break;
    case XQuantity::SaltConcentration:
        p.CS = v;
        break;
    case XQuantity::AcidConstant:
        p.ka = v;
        break;
    case XQuantity::BaseConstant:
        p.kb = v;
        break;
    case XQuantity::AddedAcidConcentration:
    case XQuantity::AddedBaseConcentration:
        p.added = v;
        break;
    default:
        break;
    }
}

double root(EquilAB& w, const PolynomialCoefficients& c) {
    return engine::SolvePolynomial(w, c[0], c[1], c[2], c[3], c[4], c[5]);
}

double pHOf(EquilAB& w, double h) {
    return -engine::Log10Guarded(w, h);
}

/// [H+] of a problem at one point.
using HydrogenIon = std::function<double(const Problem&, EquilAB&)>;
/// A polynomial of the problem's parameters.
using ProblemPolynomial = std::function<PolynomialCoefficients(const Problem&, double Kw)>;

HydrogenIon rootOf(ProblemPolynomial polynomial) {
    return [polynomial](const Problem& p, EquilAB& w) { return root(w, polynomial(p, w.Kw)); };
}

// One pH curve: x sets the kind's quantity, the rest keep their solved values.
Curves pHCurve(const GeneratorInput& in, const Problem& problem, const HydrogenIon& h) {
    const GraphKindFacts& kind = KindFacts(in.kind);
    return RunSweep(in, 1, false, [&](double x, EquilAB& w, double* y) {
        Problem p = problem;
        setFromX(p, kind, x);
        y[0] = pHOf(w, h(p, w));
    });
}

/// The molar fractions at h; a denominator that is not positive fails the point.
using Fractions = std::function<void(double h, EquilAB& w, double* alpha)>;

Curves fractionCurves(const GeneratorInput& in, const Fractions& fractions) {
    return RunSweep(in, KindFacts(in.kind).curves, true,
                    [&](double x, EquilAB& w, double* y) { fractions(std::pow(10.0, -x), w, y); });
}

// Fails the point when the fraction denominator is not positive.
bool positive(EquilAB& w, double D) {
    if (D > 0) return true;
    w.CalcError = 1;
    return false;
}

const engine::Slots& io(const GeneratorInput& in) {
    return in.state.IOValues;
}

// Buffers: in the volume kinds the buffer is diluted by the added volume V of a strong acid or
// base of concentration C_T; otherwise x sets one quantity and nothing is diluted.
Curves bufferCurve(const GeneratorInput& in, const Problem& problem, ProblemPolynomial polynomial) {
    if (!IsAddedVolume(KindFacts(in.kind).x)) return pHCurve(in, problem, rootOf(polynomial));
    const double V0 = io(in)[buffer::Volume], CT = io(in)[buffer::AddedConcentration];
    return RunSweep(in, 1, false, [&](double V, EquilAB& w, double* y) {
        Problem p = problem;
        p.Ca = problem.Ca * V0 / (V0 + V);
        p.Cb = problem.Cb * V0 / (V0 + V);
        p.CS = problem.CS * V0 / (V0 + V);
        p.added = CT * V / (V + V0);
        y[0] = pHOf(w, root(w, polynomial(p, w.Kw)));
    });
}

/// The titration polynomial at the flask concentrations C_A and C_B.
using FlaskPolynomial = std::function<PolynomialCoefficients(double CA, double CB, double Kw)>;

struct Titration {
    bool acidTitrated; // acid in the flask, base added (50, 51, 54 to 55C); else the reverse
    double C, V0, titrant;
};

// C_A(V), C_B(V): the flask after V mL of titrant.
std::pair<double, double> flask(const Titration& t, double V) {
    if (t.acidTitrated) return {t.C * t.V0 / (t.V0 + V), t.titrant * V / (V + t.V0)};
    return {t.titrant * V / (V + t.V0), t.C * t.V0 / (t.V0 + V)};
}

// pH against the titrant volume or its slope |ΔpH/ΔV| by a central difference with a
// half-width fixed by the axis alone.
Curves titrationCurve(const GeneratorInput& in, const Titration& t, FlaskPolynomial polynomial,
                      int fineness = 1) {
    auto logH = [&](double V, EquilAB& w) {
        const auto [CA, CB] = flask(t, V);
        return engine::Log10Guarded(w, root(w, polynomial(CA, CB, w.Kw)));
    };
    if (KindFacts(in.kind).y == YQuantity::Slope) {
        const double delta = in.frame.XRange() / 256 / 1000;
        return RunSweep(
            in, 1, false,
            [&](double V, EquilAB& w, double* y) {
                y[0] = std::abs(logH(V - delta, w) - logH(V + delta, w)) / (2 * delta);
            },
            fineness);
    }
    return RunSweep(
        in, 1, false, [&](double V, EquilAB& w, double* y) { y[0] = -logH(V, w); }, fineness);
}

// The analyte's concentration and volume take the same slots in every titration.
Titration acidTitration(const GeneratorInput& in, int titrantSlot) {
    return {true, io(in)[titration::C], io(in)[titration::V], io(in)[titrantSlot]};
}
Titration baseTitration(const GeneratorInput& in) {
    return {false, io(in)[titration::C], io(in)[titration::V], io(in)[titration::Titrant]};
}

bool plots(const GeneratorInput& in, YQuantity y) {
    return KindFacts(in.kind).y == y;
}

} // namespace

Curves G10(const GeneratorInput& in) {
    return pHCurve(in, {},
                   [](const Problem& p, EquilAB& w) { return engine::StrongIon(p.Ca, w.Kw); });
}

Curves G11(const GeneratorInput& in) {
    Problem q{.Ca = io(in)[solution::C], .ka = io(in)[solution::K]};
    if (plots(in, YQuantity::MolarFractions))
        return fractionCurves(in, [ka = q.ka](double h, EquilAB& w, double* a) {
            const double D = h + ka;
            if (!positive(w, D)) return;
            a[0] = h / D;
            a[1] = ka / D;
        });
    const HydrogenIon h =
        rootOf([](const Problem& p, double Kw) { return engine::Polynomial11(p.Ca, p.ka, Kw); });
    if (plots(in, YQuantity::Alpha)) {
        const GraphKindFacts& kind = KindFacts(in.kind);
        return RunSweep(in, 1, false, [&](double x, EquilAB& w, double* y) {
            Problem p = q;
            setFromX(p, kind, x);
            // Without acid the solution is neutral water, into which the acid dissociates
            // in the limit C_a → 0.
            const double hx = p.Ca == 0 ? std::sqrt(w.Kw) : h(p, w);
            y[0] = p.ka / (hx + p.ka);
        });
    }
    return pHCurve(in, q, h);
}

Curves G12(const GeneratorInput& in) {
    Problem q{.Ca = io(in)[solution::C], .k1 = io(in)[solution::K], .k2 = io(in)[solution::K2]};
    if (plots(in, YQuantity::MolarFractions))
        return fractionCurves(in, [q](double h, EquilAB& w, double* a) {
            const double D = h * h + q.k1 * h + q.k1 * q.k2;
            if (!positive(w, D)) return;
            a[0] = h * h / D;
            a[1] = q.k1 * h / D;
            a[2] = q.k1 * q.k2 / D;
        });
    return pHCurve(in, q, rootOf([](const Problem& p, double Kw) {
                       return engine::Polynomial12(p.Ca, p.k1, p.k2, Kw);
                   }));
}

Curves G12C(const GeneratorInput& in) {
    Problem q{.Ca = io(in)[solution::C], .k2 = io(in)[solution::K2]};
    if (plots(in, YQuantity::MolarFractions))
        return fractionCurves(in, [q](double h, EquilAB& w, double* a) {
            const double D = h + q.k2;
            if (!positive(w, D)) return;
            a[0] = 0;
            a[1] = h / D;
            a[2] = q.k2 / D;
        });
    return pHCurve(in, q, rootOf([](const Problem& p, double Kw) {
                       return engine::Polynomial12C(p.Ca, p.k2, Kw);
                   }));
}

Curves G13(const GeneratorInput& in) {
    Problem q{.Ca = io(in)[solution::C],
              .k1 = io(in)[solution::K],
              .k2 = io(in)[solution::K2],
              .k3 = io(in)[solution::K3]};
    if (plots(in, YQuantity::MolarFractions))
        return fractionCurves(in, [q](double h, EquilAB& w, double* a) {
            const double D = h * h * h + q.k1 * h * h + q.k1 * q.k2 * h + q.k1 * q.k2 * q.k3;
            if (!positive(w, D)) return;
            a[0] = h * h * h / D;
            a[1] = q.k1 * h * h / D;
            a[2] = q.k1 * q.k2 * h / D;
            a[3] = q.k1 * q.k2 * q.k3 / D;
        });
    return pHCurve(in, q, rootOf([](const Problem& p, double Kw) {
                       return engine::Polynomial13(p.Ca, p.k1, p.k2, p.k3, Kw);
                   }));
}

Curves G13C(const GeneratorInput& in) {
    Problem q{.Ca = io(in)[solution::C], .k2 = io(in)[solution::K2], .k3 = io(in)[solution::K3]};
    if (plots(in, YQuantity::MolarFractions))
        return fractionCurves(in, [q](double h, EquilAB& w, double* a) {
            const double D = h * h + q.k2 * h + q.k2 * q.k3;
            if (!positive(w, D)) return;
            a[0] = 0;
            a[1] = h * h / D;
            a[2] = q.k2 * h / D;
            a[3] = q.k2 * q.k3 / D;
        });
    return pHCurve(in, q, rootOf([](const Problem& p, double Kw) {
                       return engine::Polynomial13C(p.Ca, p.k2, p.k3, Kw);
                   }));
}

Curves G14(const GeneratorInput& in) {
    return pHCurve(
        in, {}, [](const Problem& p, EquilAB& w) { return w.Kw / engine::StrongIon(p.Cb, w.Kw); });
}

Curves G15(const GeneratorInput& in) {
    Problem q{.Cb = io(in)[solution::C], .kb = io(in)[solution::K]};
    const double Kw = in.state.Kw;
    if (plots(in, YQuantity::MolarFractions))
        return fractionCurves(in, [kb = q.kb, Kw](double h, EquilAB& w, double* a) {
            const double D = Kw / h + kb;
            if (!positive(w, D)) return;
            a[0] = Kw / h / D;
            a[1] = kb / D;
        });
    const HydrogenIon h =
        rootOf([](const Problem& p, double kw) { return engine::Polynomial15(p.Cb, p.kb, kw); });
    if (plots(in, YQuantity::Alpha)) {
        const GraphKindFacts& kind = KindFacts(in.kind);
        return RunSweep(in, 1, false, [&](double x, EquilAB& w, double* y) {
            Problem p = q;
            setFromX(p, kind, x);
            // Without base the solution is neutral water, the limit of C_b → 0.
            const double hx = p.Cb == 0 ? std::sqrt(w.Kw) : h(p, w);
            y[0] = p.kb / (w.Kw / hx + p.kb);
        });
    }
    return pHCurve(in, q, h);
}

Curves G20(const GeneratorInput& in) {
    EquilAB w = in.state;
    const double neutral = pHOf(w, std::sqrt(w.Kw));
    return RunSweep(in, 1, false, [neutral](double, EquilAB&, double* y) { y[0] = neutral; });
}

Curves G21(const GeneratorInput& in) {
    return pHCurve(
        in, {.CS = io(in)[salt::CS], .kb = io(in)[salt::Kb]},
        rootOf([](const Problem& p, double Kw) { return engine::Polynomial21(p.CS, p.kb, Kw); }));
}

Curves G22(const GeneratorInput& in) {
    return pHCurve(
        in, {.CS = io(in)[salt::CS], .ka = io(in)[salt::Ka]},
        rootOf([](const Problem& p, double Kw) { return engine::Polynomial22(p.CS, p.ka, Kw); }));
}

Curves G23(const GeneratorInput& in) {
    return pHCurve(in, {.CS = io(in)[salt::CS], .ka = io(in)[salt::Ka], .kb = io(in)[salt::Kb]},
                   rootOf([](const Problem& p, double Kw) {
                       return engine::Polynomial23(p.CS, p.ka, p.kb, Kw);
                   }));
}

Curves G30(const GeneratorInput& in) {
    return pHCurve(in, {.Ca = io(in)[mixture::Ca], .Cb = io(in)[mixture::Cb]},
                   rootOf([](const Problem& p, double Kw) {
                       return engine::StrongPairPolynomial(p.Ca, p.Cb, Kw);
                   }));
}

Curves G31(const GeneratorInput& in) {
    return pHCurve(
        in, {.Ca = io(in)[mixture::Ca], .Cb = io(in)[mixture::Cb], .kb = io(in)[mixture::Kb]},
        rootOf([](const Problem& p, double Kw) {
            return engine::Polynomial31(p.Ca, p.Cb, p.kb, Kw);
        }));
}

Curves G32(const GeneratorInput& in) {
    return pHCurve(
        in, {.Ca = io(in)[mixture::Ca], .Cb = io(in)[mixture::Cb], .ka = io(in)[mixture::Ka]},
        rootOf([](const Problem& p, double Kw) {
            return engine::Polynomial32(p.Ca, p.Cb, p.ka, Kw);
        }));
}

Curves G33(const GeneratorInput& in) {
    return pHCurve(in,
                   {.Ca = io(in)[mixture::Ca],
                    .Cb = io(in)[mixture::Cb],
                    .ka = io(in)[mixture::Ka],
                    .kb = io(in)[mixture::Kb]},
                   rootOf([](const Problem& p, double Kw) {
                       return engine::Polynomial33(p.Ca, p.Cb, p.ka, p.kb, Kw);
                   }));
}

Curves G34(const GeneratorInput& in) {
    return pHCurve(in,
                   {.Ca = io(in)[mixture::Ca],
                    .Cb = io(in)[mixture::Cb],
                    .k1 = io(in)[mixture::Ka],
                    .k2 = io(in)[mixture::Kb]},
                   rootOf([](const Problem& p, double Kw) {
                       return engine::Polynomial34(p.Ca, p.Cb, p.k1, p.k2, Kw);
                   }));
}

Curves G34C(const GeneratorInput& in) {
    return pHCurve(
        in, {.Ca = io(in)[mixture::Ca], .Cb = io(in)[mixture::Cb], .k2 = io(in)[mixture::Kb]},
        rootOf([](const Problem& p, double Kw) {
            return engine::Polynomial34C(p.Ca, p.Cb, p.k2, Kw);
        }));
}

Curves G35(const GeneratorInput& in) {
    return pHCurve(in,
                   {.Ca = io(in)[mixture::Ca],
                    .Cb = io(in)[mixture::Cb],
                    .k1 = io(in)[mixture::Ka],
                    .k2 = io(in)[mixture::Kb],
                    .k3 = io(in)[mixture::K3]},
                   rootOf([](const Problem& p, double Kw) {
                       return engine::Polynomial35(p.Ca, p.Cb, p.k1, p.k2, p.k3, Kw);
                   }));
}

Curves G35C(const GeneratorInput& in) {
    return pHCurve(in,
                   {.Ca = io(in)[mixture::Ca],
                    .Cb = io(in)[mixture::Cb],
                    .k2 = io(in)[mixture::Kb],
                    .k3 = io(in)[mixture::K3]},
                   rootOf([](const Problem& p, double Kw) {
                       return engine::Polynomial35C(p.Ca, p.Cb, p.k2, p.k3, Kw);
                   }));
}

Curves G40(const GeneratorInput& in) {
    return bufferCurve(
        in, {.Ca = io(in)[buffer::C], .CS = io(in)[buffer::CS], .ka = io(in)[buffer::K]},
        [](const Problem& p, double Kw) { return engine::Polynomial40(p.Ca, p.CS, p.ka, Kw); });
}

Curves G41(const GeneratorInput& in) {
    return bufferCurve(
        in, {.Cb = io(in)[buffer::C], .CS = io(in)[buffer::CS], .kb = io(in)[buffer::K]},
        [](const Problem& p, double Kw) { return engine::Polynomial41(p.Cb, p.CS, p.kb, Kw); });
}

Curves G42(const GeneratorInput& in) {
    return bufferCurve(in,
                       {.Ca = io(in)[buffer::C], .CS = io(in)[buffer::CS], .ka = io(in)[buffer::K]},
                       [](const Problem& p, double Kw) {
                           return engine::Polynomial42(p.Ca, p.CS, p.ka, p.added, Kw);
                       });
}

Curves G43(const GeneratorInput& in) {
    return bufferCurve(in,
                       {.Cb = io(in)[buffer::C], .CS = io(in)[buffer::CS], .kb = io(in)[buffer::K]},
                       [](const Problem& p, double Kw) {
                           return engine::Polynomial43(p.Cb, p.CS, p.kb, p.added, Kw);
                       });
}

Curves G44(const GeneratorInput& in) {
    return bufferCurve(in,
                       {.Ca = io(in)[buffer::C], .CS = io(in)[buffer::CS], .ka = io(in)[buffer::K]},
                       [](const Problem& p, double Kw) {
                           return engine::Polynomial44(p.Ca, p.CS, p.ka, p.added, Kw);
                       });
}

Curves G45(const GeneratorInput& in) {
    return bufferCurve(in,
                       {.Cb = io(in)[buffer::C], .CS = io(in)[buffer::CS], .kb = io(in)[buffer::K]},
                       [](const Problem& p, double Kw) {
                           return engine::Polynomial45(p.Cb, p.CS, p.kb, p.added, Kw);
                       });
}

Curves G50(const GeneratorInput& in) {
    return titrationCurve(in, acidTitration(in, titration::Titrant), engine::StrongPairPolynomial);
}

Curves G51(const GeneratorInput& in) {
    const double ka = io(in)[titration::K];
    return titrationCurve(
        in, acidTitration(in, titration::Titrant),
        [ka](double CA, double CB, double Kw) { return engine::Polynomial51(CA, CB, ka, Kw); });
}

Curves G52(const GeneratorInput& in) {
    return titrationCurve(in, baseTitration(in), engine::StrongPairPolynomial);
}

Curves G53(const GeneratorInput& in) {
    const double kb = io(in)[titration::K];
    return titrationCurve(in, baseTitration(in), [kb](double CA, double CB, double Kw) {
        return engine::Polynomial53(CA, CB, kb, Kw);
    });
}

Curves G54(const GeneratorInput& in) {
    const double k1 = io(in)[polyprotic_titration::K1], k2 = io(in)[polyprotic_titration::K2];
    return titrationCurve(
        in, acidTitration(in, polyprotic_titration::Titrant),
        [k1, k2](double CA, double CB, double Kw) {
            return engine::Polynomial54(CA, CB, k1, k2, Kw);
        },
        DiproticFineness);
}

Curves G54C(const GeneratorInput& in) {
    const double k2 = io(in)[polyprotic_titration::K2];
    return titrationCurve(
        in, acidTitration(in, polyprotic_titration::Titrant),
        [k2](double CA, double CB, double Kw) { return engine::Polynomial54C(CA, CB, k2, Kw); },
        DiproticFineness);
}

Curves G55(const GeneratorInput& in) {
    const double k1 = io(in)[polyprotic_titration::K1], k2 = io(in)[polyprotic_titration::K2],
                 k3 = io(in)[polyprotic_titration::K3];
    return titrationCurve(in, acidTitration(in, polyprotic_titration::Titrant),
                          [k1, k2, k3](double CA, double CB, double Kw) {
                              return engine::Polynomial55(CA, CB, k1, k2, k3, Kw);
                          });
}

Curves G55C(const GeneratorInput& in) {
    const double k2 = io(in)[polyprotic_titration::K2], k3 = io(in)[polyprotic_titration::K3];
    return titrationCurve(in, acidTitration(in, polyprotic_titration::Titrant),
                          [k2, k3](double CA, double CB, double Kw) {
                              return engine::Polynomial55C(CA, CB, k2, k3, Kw);
                          });
}

} // namespace corvane::graphs
