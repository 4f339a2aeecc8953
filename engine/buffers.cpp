// Buffer solutions (codes 40 to 45): a weak acid HA (or weak base BOH) with its salt of
// concentration C_S, in codes 42 to 45 with a strong acid HX (C_SA) or strong base ZOH (C_SB)
// added. Each code solves its cubic in h = [H+] and, being linear in every other unknown, the
// same cubic for the one that is empty.
#include "polynomials.h"
#include "shapes.h"
#include "solvers.h"

#include <cmath>

namespace corvane::engine {

namespace {

// One set of names for all six: the weak partner C (C_a or C_b) with constant k, its
// undissociated (HA, BOH) and dissociated (A-, B+) species, the salt's spectator ion (B+ or
// A-), and in codes 42 to 45 the added strong electrolyte (C_SA or C_SB) with its ion.
enum : int { C, CS, pH, k, OH, H, Und, Dis, Salt, Added, StrongIon };

enum class Partner { Acid, Base };
enum class Addition { None, StrongAcid, StrongBase };

struct BufferKind {
    Partner partner;
    Addition addition;
    bool hasZeroConstantCase;
};

std::vector<SlotLink> inputs(Addition addition) {
    if (addition == Addition::None) return {{0, C}, {1, CS}, {2, pH}, {3, k}, {4, OH}, {5, H}};
    return {{0, C}, {1, CS}, {2, pH}, {3, k}, {4, Added}, {5, H}};
}

// Only the listed quantities are range-tested; the copies Salt and StrongIon are not.
std::vector<Validation> validation() {
    return {{C, Concentration},   {CS, Concentration},        {Added, Concentration},
            {pH, PHRange},        {H, PositiveConcentration}, {k, Constant},
            {Und, Concentration}, {Dis, Concentration},       {OH, Concentration}};
}

std::vector<Consistency> consistency(const BufferKind& b) {
    Consistency mass{"mass balance",
                     {C, CS, Und, Dis},
                     [](const Work& w) {
                         const double total = w[C] + w[CS];
                         return RelativeMismatch(total - w[Und] - w[Dis], total + w[Und] + w[Dis]);
                     },
                     [](const Work& w) { return w[C] + w[CS] != 0; }};
    // Cations: H+, the acid's salt cation or the base's own cation, and Z+ of an added base.
    const bool acid = b.partner == Partner::Acid;
    std::vector<Ion> cations{{H}, {acid ? Salt : Dis}};
    std::vector<Ion> anions{{OH}, {acid ? Dis : Salt}};
    if (b.addition == Addition::StrongAcid) anions.push_back({StrongIon});
    if (b.addition == Addition::StrongBase) cations.push_back({StrongIon});
    return {mass, ChargeBalance(cations, anions),
            acid ? EquilibriumConstant("acid constant", k, Und, H, Dis)
                 : EquilibriumConstant("base constant", k, Und, OH, Dis)};
}

std::vector<Rule> specialCases(const BufferKind& b) {
    std::vector<Rule> cases;
    if (b.hasZeroConstantCase)
        cases.push_back(Step("k = 0", {k}, IsZero(k), [](Work& w) {
            w.put(Dis, 0);
            w.put(Und, w.known(C) && w.known(CS) ? w[C] + w[CS] : EmptyValue);
        }));
    if (b.addition == Addition::None)
        cases.push_back(Step(
            "C_S = 0 and C = 0", {CS, C}, [](const Work& w) { return w[CS] == 0 && w[C] == 0; },
            [](Work& w) {
                w.put(H, w.sqrtKw());
                w.put(pH, -w.log10(w[H]));
                w.put(OH, w[H]);
                SetZero({Und, Dis})(w);
            }));
    const bool added = b.addition != Addition::None;
    cases.push_back(Step("copies", [added](Work& w) {
        w.put(Salt, w[CS]);
        if (added) w.put(StrongIon, w[Added]);
    }));
    return cases;
}

std::vector<SlotLink> writeBack(Addition addition) {
    std::vector<SlotLink> slots{{0, C}, {1, CS},  {2, pH},  {3, k},
                                {5, H}, {6, Und}, {7, Dis}, {8, Salt}};
    if (addition == Addition::None) {
        slots.push_back({4, OH});
    } else {
        slots.insert(slots.end(), {{4, Added}, {10, StrongIon}, {11, OH}, {16, Added}});
    }
    return slots;
}

SolverTables buffer(const BufferKind& b, std::vector<Rule> rules) {
    return SolverTables{
        .inputs = inputs(b.addition),
        .validation = validation(),
        .consistency = consistency(b),
        .specialCases = specialCases(b),
        .rules = std::move(rules),
        .writeBack = writeBack(b.addition),
        .fixedWrites = b.addition == Addition::None ? std::vector<FixedWrite>{}
                                                    : std::vector<FixedWrite>{{9, 0.0}},
    };
}

// The dissociated species from the whole weak partner: (C_S + C)·k / (k + partner).
Formula dissociated(int partner) {
    return [partner](const Work& w) { return (w[CS] + w[C]) * w[k] / (w[k] + w[partner]); };
}

// Without the added acid or base the cubics of codes 40 and 41 at h; the added concentration
// of codes 42 to 45 is that cubic over a code's own denominator.
double acidBufferCubic(const Work& w) {
    const double h = w[H], Kw = w.Kw(), Ka = w[k];
    return std::pow(h, 3) + (Ka + w[CS]) * h * h - (Ka * w[C] + Kw) * h - Ka * Kw;
}
double baseBufferCubic(const Work& w) {
    const double h = w[H], Kw = w.Kw(), Kb = w[k];
    return Kb * std::pow(h, 3) + (Kb * w[C] + Kw) * h * h - (Kb * Kw + Kw * w[CS]) * h - Kw * Kw;
}
Formula addedFromCubic(double (*cubic)(const Work&), double (*denominator)(const Work&)) {
    return [=](const Work& w) { return cubic(w) / denominator(w); };
}

} // namespace

void Calc40(EquilAB& state) {
    static const SolverTables t = buffer(
        {Partner::Acid, Addition::None, true},
        {
            RootSolve(
                "R1", H, {CS, C, k},
                [](const Work& w) { return Polynomial40(w[C], w[CS], w[k], w.Kw()); },
                SnapNeutral(H)),
            Derive("R2", CS, {H, k, C},
                   [](const Work& w) {
                       const double h = w[H], Kw = w.Kw(), Ka = w[k];
                       return ((Ka * w[C] + Kw) * h - std::pow(h, 3) - Ka * h * h + Ka * Kw) /
                              (h * h);
                   }),
            Derive("R3", C, {H, k, CS},
                   [](const Work& w) {
                       const double h = w[H], Kw = w.Kw(), Ka = w[k];
                       return (std::pow(h, 3) + (Ka + w[CS]) * h * h - Kw * h - Kw * Ka) / (h * Ka);
                   }),
            Derive(
                "R4", k, {H, CS, C},
                [](const Work& w) {
                    const double h = w[H], Kw = w.Kw();
                    return (std::pow(h, 3) + w[CS] * h * h - Kw * h) / (w[C] * h - h * h + Kw);
                },
                NonZero(C)),
            WaterTriplet("R5", pH, H, OH),
            Derive("R6", Dis, {CS, C, H, k}, dissociated(H)),
            // No k_a ≠ 0 guard here, unlike codes 42 and 44.
            Derive("R7", Und, {Dis, H, k}, FromConstant(H, Dis, k)),
        });
    RunSolver(state, t);
}

void Calc41(EquilAB& state) {
    static const SolverTables t = buffer(
        {Partner::Base, Addition::None, true},
        {
            RootSolve(
                "R1", H, {CS, C, k},
                [](const Work& w) { return Polynomial41(w[C], w[CS], w[k], w.Kw()); },
                SnapNeutral(H)),
            Derive("R2", CS, {H, k, C},
                   [](const Work& w) {
                       const double h = w[H], Kw = w.Kw(), Kb = w[k];
                       return (Kb * std::pow(h, 3) + (Kb * w[C] + Kw) * h * h - Kb * Kw * h -
                               Kw * Kw) /
                              (Kw * h);
                   }),
            Derive("R3", C, {H, k, CS},
                   [](const Work& w) {
                       const double h = w[H], Kw = w.Kw(), Kb = w[k];
                       return (Kw * (Kb + w[CS]) * h - Kb * std::pow(h, 3) - Kw * h * h + Kw * Kw) /
                              (Kb * h * h);
                   }),
            Derive(
                "R4", k, {H, CS, C},
                [](const Work& w) {
                    const double h = w[H], Kw = w.Kw();
                    return (Kw * h * h - Kw * w[CS] * h - Kw * Kw) /
                           (Kw * h - std::pow(h, 3) - w[C] * h * h);
                },
                NonZero(C)),
            WaterTriplet("R5", pH, H, OH),
            Derive("R6", Dis, {CS, C, OH, k}, dissociated(OH)),
            Derive("R7", Und, {Dis, OH, k}, FromConstant(OH, Dis, k), NonZero(k)),
        });
    RunSolver(state, t);
}

void Calc42(EquilAB& state) {
    static const SolverTables t = buffer(
        {Partner::Acid, Addition::StrongAcid, true},
        {
            RootSolve(
                "R1", H, {CS, C, k, Added},
                [](const Work& w) { return Polynomial42(w[C], w[CS], w[k], w[Added], w.Kw()); },
                SnapNeutral(H)),
            Derive("R2", CS, {H, k, C, Added},
                   [](const Work& w) {
                       const double h = w[H], Kw = w.Kw(), Ka = w[k], A = w[Added];
                       return ((Ka * A + Ka * w[C] + Kw) * h - std::pow(h, 3) + (A - Ka) * h * h +
                               Ka * Kw) /
                              (h * h);
                   }),
            Derive("R3", C, {H, k, CS, Added},
                   [](const Work& w) {
                       const double h = w[H], Kw = w.Kw(), Ka = w[k], A = w[Added];
                       return (std::pow(h, 3) + (w[CS] - A + Ka) * h * h - (Ka * A + Kw) * h -
                               Ka * Kw) /
                              (Ka * h);
                   }),
            Derive(
                "R4", k, {H, CS, C, Added},
                [](const Work& w) {
                    const double h = w[H], Kw = w.Kw(), A = w[Added];
                    return (std::pow(h, 3) + (w[CS] - A) * h * h - Kw * h) /
                           ((A + w[C]) * h - h * h + Kw);
                },
                NonZero(C)),
            Derive("R5", Added, {H, CS, C, k},
                   addedFromCubic(acidBufferCubic,
                                  [](const Work& w) { return w[H] * w[H] + w[k] * w[H]; })),
            WaterTriplet("R6", pH, H, OH),
            Derive("R7", Dis, {CS, C, H, k}, dissociated(H)),
            Derive("R8", Und, {Dis, H, k}, FromConstant(H, Dis, k), NonZero(k)),
        });
    RunSolver(state, t);
}

void Calc43(EquilAB& state) {
    static const SolverTables t = buffer(
        {Partner::Base, Addition::StrongAcid, false},
        {
            RootSolve(
                "R1", H, {CS, C, k, Added},
                [](const Work& w) { return Polynomial43(w[C], w[CS], w[k], w[Added], w.Kw()); },
                SnapNeutral(H)),
            Derive("R2", CS, {H, k, C, Added},
                   [](const Work& w) {
                       const double h = w[H], Kw = w.Kw(), Kb = w[k], A = w[Added];
                       return (Kb * std::pow(h, 3) + (Kb * w[C] - Kb * A + Kw) * h * h -
                               (Kb * Kw + Kw * A) * h - Kw * Kw) /
                              (Kw * h);
                   }),
            Derive("R3", C, {H, k, CS, Added},
                   [](const Work& w) {
                       const double h = w[H], Kw = w.Kw(), Kb = w[k], A = w[Added];
                       return (Kw * Kw + (Kb * A - Kw) * h * h + Kw * (A + w[CS] + Kb) * h -
                               Kb * std::pow(h, 3)) /
                              (Kb * h * h);
                   }),
            Derive(
                "R4", k, {H, CS, C, Added},
                [](const Work& w) {
                    const double h = w[H], Kw = w.Kw(), A = w[Added];
                    return (Kw * h * h - Kw * (A + w[CS]) * h - Kw * Kw) /
                           ((A - w[C]) * h * h + Kw * h - std::pow(h, 3));
                },
                NonZero(C)),
            WaterTriplet("R5", pH, H, OH),
            Derive("R6", Dis, {CS, C, OH, k}, dissociated(OH)),
            Derive("R7", Und, {Dis, OH, k}, FromConstant(OH, Dis, k), NonZero(k)),
            Derive(
                "R8", Added, {H, CS, C, k},
                addedFromCubic(baseBufferCubic,
                               [](const Work& w) { return w[k] * w[H] * w[H] + w.Kw() * w[H]; })),
            WaterTriplet("R9", pH, H, OH),
        });
    RunSolver(state, t);
}

void Calc44(EquilAB& state) {
    static const SolverTables t = buffer(
        {Partner::Acid, Addition::StrongBase, true},
        {
            RootSolve(
                "R1", H, {CS, C, k, Added},
                [](const Work& w) { return Polynomial44(w[C], w[CS], w[k], w[Added], w.Kw()); },
                SnapNeutral(H)),
            Derive("R2", CS, {H, k, C, Added},
                   [](const Work& w) {
                       const double h = w[H], Kw = w.Kw(), Ka = w[k], B = w[Added];
                       return ((Ka * w[C] - Ka * B + Kw) * h - std::pow(h, 3) - (Ka + B) * h * h +
                               Ka * Kw) /
                              (h * h);
                   }),
            Derive("R3", C, {H, k, CS, Added},
                   [](const Work& w) {
                       const double h = w[H], Kw = w.Kw(), Ka = w[k], B = w[Added];
                       return (std::pow(h, 3) + (w[CS] + B + Ka) * h * h + (Ka * B - Kw) * h -
                               Ka * Kw) /
                              (Ka * h);
                   }),
            Derive(
                "R4", k, {H, CS, C, Added},
                [](const Work& w) {
                    const double h = w[H], Kw = w.Kw(), B = w[Added];
                    return (std::pow(h, 3) + (w[CS] + B) * h * h - Kw * h) /
                           ((w[C] - B) * h - h * h + Kw);
                },
                NonZero(C)),
            Derive("R5", Added, {H, CS, C, k},
                   addedFromCubic(acidBufferCubic,
                                  [](const Work& w) { return -w[H] * w[H] - w[k] * w[H]; })),
            WaterTriplet("R6", pH, H, OH),
            Derive("R7", Dis, {CS, C, H, k}, dissociated(H)),
            Derive("R8", Und, {Dis, H, k}, FromConstant(H, Dis, k), NonZero(k)),
        });
    RunSolver(state, t);
}

void Calc45(EquilAB& state) {
    static const SolverTables t = buffer(
        {Partner::Base, Addition::StrongBase, false},
        {
            RootSolve(
                "R1", H, {CS, C, k, Added},
                [](const Work& w) { return Polynomial45(w[C], w[CS], w[k], w[Added], w.Kw()); },
                SnapNeutral(H)),
            Derive("R2", CS, {H, k, C, Added},
                   [](const Work& w) {
                       const double h = w[H], Kw = w.Kw(), Kb = w[k], B = w[Added];
                       return (Kb * std::pow(h, 3) + (Kb * w[C] + Kb * B + Kw) * h * h +
                               (Kw * B - Kb * Kw) * h - Kw * Kw) /
                              (Kw * h);
                   }),
            Derive("R3", C, {H, k, CS, Added},
                   [](const Work& w) {
                       const double h = w[H], Kw = w.Kw(), Kb = w[k], B = w[Added];
                       return (Kw * Kw + Kw * (w[CS] - B + Kb) * h - Kb * std::pow(h, 3) -
                               (Kb * B + Kw) * h * h) /
                              (Kb * h * h);
                   }),
            Derive(
                "R4", k, {H, CS, C, Added},
                [](const Work& w) {
                    const double h = w[H], Kw = w.Kw(), B = w[Added];
                    return (Kw * h * h + Kw * (B - w[CS]) * h - Kw * Kw) /
                           (Kw * h - std::pow(h, 3) - (w[C] + B) * h * h);
                },
                NonZero(C)),
            Derive(
                "R5", Added, {H, CS, C, k},
                addedFromCubic(baseBufferCubic,
                               [](const Work& w) { return -w[k] * w[H] * w[H] - w.Kw() * w[H]; })),
            WaterTriplet("R6", pH, H, OH),
            Derive("R7", Dis, {CS, C, OH, k}, dissociated(OH)),
            Derive("R8", Und, {Dis, OH, k}, FromConstant(OH, Dis, k), NonZero(k)),
            WaterTriplet("R9", pH, H, OH),
        });
    RunSolver(state, t);
}

} // namespace corvane::engine
