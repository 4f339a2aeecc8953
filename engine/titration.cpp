#include "titration.h"

#include "reason.h"

#include <cmath>

namespace corvane::engine {

Flask AcidInFlask(int Ca, int Va, int CSB) {
    return [=](const Work& w, double V) {
        return std::pair{w[Ca] * w[Va] / (w[Va] + V), w[CSB] * V / (V + w[Va])};
    };
}

Flask BaseInFlask(int Cb, int Vb, int CSA) {
    return [=](const Work& w, double V) {
        return std::pair{w[CSA] * V / (V + w[Vb]), w[Cb] * w[Vb] / (w[Vb] + V)};
    };
}

Consistency Equivalence(int C, int V, int titrant, int Veq, double protons) {
    Consistency c{"equivalence", {C, V, titrant, Veq}, [=](const Work& w) {
                      const double analyte = protons * w[C] * w[V];
                      const double added = w[titrant] * w[Veq];
                      return RelativeMismatch(analyte - added, analyte + added);
                  }};
    c.fixedByOthers = Veq;
    c.describe = [=](const Work& w) {
        return "at the equivalence point the titrant adds " + ReasonNumber(w[titrant] * w[Veq]) +
               " mmol (" + w.name(titrant) + "·" + w.name(Veq) + ") for " +
               ReasonNumber(protons * w[C] * w[V]) + " mmol titrated (" + w.name(C) + "·" +
               w.name(V) + ")";
    };
    return c;
}

Rule RootAtEquivalence(const char* name, int h, int CA, int CB, Vars constants,
                       TitrationPolynomial polynomial, Action then) {
    Vars needs{CA, CB};
    for (int k : constants)
        needs.add(k);
    return RootSolve(
        name, h, needs, [=](const Work& w) { return polynomial(w, w[CA], w[CB]); }, then);
}

Action EquivalenceSlope(Vars needs, int Veq, std::vector<int> volumes, double factor, Flask flask,
                        TitrationPolynomial polynomial) {
    return [=](Work& w) {
        if (!w.known(needs)) return;
        EquilAB& state = w.state();
        ClearArithmeticFaults();
        const double delta = factor * w[Veq] / 256 / 1000 * 1.1;
        auto logH = [&](double V) {
            const auto [CA, CB] = flask(w, V);
            const std::array<double, 6> c = polynomial(w, CA, CB);
            return Log10Guarded(state, SolvePolynomial(state, c[0], c[1], c[2], c[3], c[4], c[5]));
        };
        double largest = 0;
        for (int W : volumes) {
            const double slope = std::abs(logH(w[W] - delta) - logH(w[W] + delta)) / (2 * delta);
            if (W == volumes.front() || slope > largest) largest = slope;
        }
        if (state.CalcError != 0 || !std::isfinite(largest) || ArithmeticFaultRaised()) {
            state.CalcError = 0;
            state.Fail("The slope of the titration curve at the equivalence point cannot be "
                       "computed for these values");
            return;
        }
        state.IOValues[EquivalenceSlopeSlot] = largest;
    };
}

} // namespace corvane::engine
