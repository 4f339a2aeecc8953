#include "shapes.h"

#include "reason.h"

#include <cmath>

namespace corvane::engine {

Guard IsZero(int v) {
    return [v](const Work& w) { return w[v] == 0; };
}

Guard NonZero(int v) {
    return [v](const Work& w) { return w[v] != 0; };
}

Guard AllNonZero(Vars vs) {
    return [vs](const Work& w) {
        for (int v : vs)
            if (w[v] == 0) return false;
        return true;
    };
}

Action SetZero(Vars vs) {
    return [vs](Work& w) {
        for (int v : vs)
            w.put(v, 0);
    };
}

Consistency MassBalance(int total, Vars species, bool guardTotal) {
    Vars members{total};
    for (int v : species)
        members.add(v);
    return {"mass balance",
            members,
            [=](const Work& w) {
                double sum = 0;
                for (int v : species)
                    sum += w[v];
                return RelativeMismatch(w[total] - sum, w[total] + sum);
            },
            guardTotal ? NonZero(total) : Guard{},
            0.01,
            total,
            species,
            NoVar,
            [=](const Work& w) {
                double sum = 0;
                std::vector<std::string> names;
                for (int v : species) {
                    sum += w[v];
                    names.push_back(w.name(v));
                }
                return w.named(total) + " but " + JoinNames(names) + " add up to " +
                       ReasonNumber(sum);
            }};
}

namespace {

double chargeOf(const Work& w, const std::vector<Ion>& ions) {
    double charge = 0;
    for (const Ion& ion : ions)
        charge += ion.charge * w[ion.var];
    return charge;
}

} // namespace

Consistency ChargeBalance(std::vector<Ion> positive, std::vector<Ion> negative) {
    Consistency c{"charge balance", {}, nullptr};
    for (const Ion& ion : positive)
        c.members.add(ion.var);
    for (const Ion& ion : negative)
        c.members.add(ion.var);
    c.mismatch = [positive, negative](const Work& w) {
        const double plus = chargeOf(w, positive), minus = chargeOf(w, negative);
        return RelativeMismatch(plus - minus, plus + minus);
    };
    c.describe = [positive, negative](const Work& w) {
        return "the charges do not balance: the cations carry " +
               ReasonNumber(chargeOf(w, positive)) + " M of charge, the anions " +
               ReasonNumber(chargeOf(w, negative)) + " M";
    };
    return c;
}

Consistency EquilibriumConstant(const char* group, int k, int undissociated, int partner,
                                int dissociated) {
    Consistency c{group,
                  {k, undissociated, partner, dissociated},
                  [=](const Work& w) {
                      const double left = w[k] * w[undissociated];
                      const double right = w[partner] * w[dissociated];
                      return RelativeMismatch(left - right, left + right);
                  },
                  AllNonZero({k, undissociated, dissociated})};
    c.describe = [=](const Work& w) {
        return w.name(partner) + w.name(dissociated) + "/" + w.name(undissociated) + " gives " +
               ReasonNumber(w[partner] * w[dissociated] / w[undissociated]) + ", " + w.name(k) +
               " is " + ReasonNumber(w[k]);
    };
    return c;
}

Formula FromConstant(int partner, int dissociated, int k) {
    return [=](const Work& w) { return w[partner] * w[dissociated] / w[k]; };
}

Formula AcidDissociated(int total, int H, int k) {
    return [=](const Work& w) { return w[k] * w[total] / (w[H] + w[k]); };
}

Formula BaseDissociated(int total, int H, int k) {
    return [=](const Work& w) { return w[total] * w[k] * w[H] / (w[k] * w[H] + w.Kw()); };
}

Formula Distributed(int total, int h, std::vector<int> constants, int removed) {
    return [=](const Work& w) {
        const int n = static_cast<int>(constants.size());
        double denominator = 0;
        double numerator = 0;
        double product = 1; // k_1···k_i
        for (int i = 0; i <= n; ++i) {
            if (i > 0) product *= w[constants[i - 1]];
            const double term = std::pow(w[h], n - i) * product;
            denominator += term;
            if (i == removed) numerator = term;
        }
        return w[total] * numerator / denominator;
    };
}

Rule WaterTriplet(const char* name, int pH, int H, int OH) {
    Rule r = Step(name, [=](Work& w) { w.waterTriplet(pH, H, OH); });
    r.waterValues = {pH, H, OH};
    return r;
}

Rule RootSolve(const char* name, int h, Vars needs, Coefficients coefficients, Action then) {
    Rule r = Solve(name, h, needs, [=](Work& w) {
        const std::array<double, 6> c = coefficients(w);
        w.set(h, w.solve(c[0], c[1], c[2], c[3], c[4], c[5]));
        w.markRoot(h);
        if (!w.stopped() && then) then(w);
    });
    r.polynomial = coefficients;
    return r;
}

Action SnapNeutral(int h) {
    return [h](Work& w) { w.snapNeutral(h); };
}

} // namespace corvane::engine
