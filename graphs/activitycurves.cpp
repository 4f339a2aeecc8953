#include "activitycurves.h"

#include "generators.h"

#include "engine/catalogue.h"
#include "engine/titration_flask.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

namespace corvane::graphs {

namespace {

using engine::Quantity;

// The input a pH kind varies (kinds 1 to 10, 23 to 26) or a degree-of-dissociation kind
// (11 to 14).
std::optional<Quantity> sweptQuantity(int kind) {
    switch (kind) {
    case 1:
    case 2:
    case 11:
    case 12:
        return Quantity::C_a;
    case 3:
    case 4:
    case 13:
    case 14:
        return Quantity::C_b;
    case 5:
    case 6:
        return Quantity::C_S;
    case 7:
    case 8:
        return Quantity::k_a;
    case 9:
    case 10:
        return Quantity::k_b;
    case 23:
    case 24:
        return Quantity::C_SA;
    case 25:
    case 26:
        return Quantity::C_SB;
    default:
        return std::nullopt;
    }
}

Quantity plotted(int kind) {
    return kind >= 11 && kind <= 14 ? Quantity::alpha : Quantity::pH;
}

// The typed row of a quantity, or -1.
int inputSlot(const engine::ProblemType& p, Quantity q) {
    for (const engine::SlotRow& row : p.rows)
        if (row.quantity == q && engine::OffersInput(p, row.slot)) return row.slot;
    return -1;
}

int resultSlot(const engine::ProblemType& p, Quantity q) {
    for (const engine::SlotRow& row : p.rows)
        if (row.quantity == q) return row.slot;
    return -1;
}

// What fixes the problem forwards: the typed concentrations, constants and added
// concentration; the pH, [H+], [OH-] and alpha follow from them.
bool isForwardInput(Quantity q) {
    return q != Quantity::pH && q != Quantity::H_plus && q != Quantity::OH_minus &&
           q != Quantity::alpha;
}

bool isDilutedBuffer(std::string_view code, int kind) {
    return (kind == 27 || kind == 29) &&
           (code == "42" || code == "43" || code == "44" || code == "45");
}

// After V mL of added strong acid or base a buffer of codes 42 to 45 is diluted from its
// volume V0 (slot 15) by V mL of concentration C_T (slot 16); a titration's flask is the
// mixture of its acid and base. The pH then, as Calculate would solve it; a failure shows as
// CalcError in `work`.
double pHAfter(std::string_view code, const engine::Slots& solved, double V,
               engine::EquilAB& work) {
    if (engine::HasTitrationFlask(code)) return engine::PHInFlask(code, solved, V, work);
    const double V0 = solved[15], CT = solved[16];
    work.IOValues.fill(engine::EmptyValue);
    work.IOValues[0] = solved[0] * V0 / (V0 + V);
    work.IOValues[1] = solved[1] * V0 / (V0 + V);
    work.IOValues[3] = solved[3];
    work.IOValues[4] = CT * V / (V + V0);
    engine::RunProblem(work, code);
    return work.IOValues[2];
}

// pH against the volume (27, 29) or, for a titration, its slope |ΔpH/ΔV| by a central
// difference (31, 33) with the half-width of the ideal curves.
Curves volumeCurves(std::string_view code, const GeneratorInput& in) {
    const engine::Slots solved = in.state.IOValues;
    const int fineness = code.starts_with("54") ? DiproticFineness : 1;
    if (in.kind == 31 || in.kind == 33) {
        const double delta = in.frame.XRange() / 256 / 1000;
        return RunSweep(
            in, 1, false,
            [&](double V, engine::EquilAB& work, double* y) {
                const double before = pHAfter(code, solved, V - delta, work);
                if (work.CalcError != 0) return;
                y[0] = std::abs(before - pHAfter(code, solved, V + delta, work)) / (2 * delta);
            },
            fineness);
    }
    return RunSweep(
        in, 1, false,
        [&](double V, engine::EquilAB& work, double* y) { y[0] = pHAfter(code, solved, V, work); },
        fineness);
}

bool isVolumeKind(std::string_view code, int kind) {
    if (isDilutedBuffer(code, kind)) return true;
    return engine::HasTitrationFlask(code) &&
           (kind == 27 || kind == 29 || kind == 31 || kind == 33);
}

} // namespace

bool FollowsActivityModel(std::string_view code, int kind) {
    if (isVolumeKind(code, kind)) return true;
    const engine::ProblemType* p = engine::FindProblem(code);
    const std::optional<Quantity> swept = sweptQuantity(kind);
    return p != nullptr && p->task <= 4 && swept && inputSlot(*p, *swept) >= 0 &&
           resultSlot(*p, plotted(kind)) >= 0;
}

Curves ActivityCurves(std::string_view code, const GeneratorInput& in) {
    if (isVolumeKind(code, in.kind)) return volumeCurves(code, in);
    const engine::ProblemType& p = *engine::FindProblem(code);
    const int swept = inputSlot(p, *sweptQuantity(in.kind));
    const int shown = resultSlot(p, plotted(in.kind));
    engine::Slots inputs;
    inputs.fill(engine::EmptyValue);
    for (const engine::SlotRow& row : p.rows)
        if (engine::OffersInput(p, row.slot) && isForwardInput(row.quantity))
            inputs[row.slot] = in.state.IOValues[row.slot];
    const bool negativeLog = NegativeLogAxis(in.kind);
    return RunSweep(in, 1, false, [&](double x, engine::EquilAB& work, double* y) {
        work.IOValues = inputs;
        work.IOValues[swept] = negativeLog ? std::pow(10.0, -x) : x;
        engine::RunProblem(work, code);
        y[0] = work.IOValues[shown];
    });
}

std::string ModelSubtitle(const engine::EquilAB& state, std::string_view code, int kind) {
    if (state.Activity == engine::ActivityModel::Ideal) return {};
    if (!FollowsActivityModel(code, kind)) return " (curves for an ideal solution)";
    char text[64];
    std::snprintf(text, sizeof text, " (Davies equation, %g °C)", state.Temperature);
    return text;
}

} // namespace corvane::graphs
