#include "activitycurves.h"

#include "catalogue.h"
#include "generators.h"

#include "engine/catalogue.h"
#include "engine/slots.h"
#include "engine/titration_flask.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

namespace corvane::graphs {

namespace {

using engine::Quantity;

// The input a pH or degree-of-dissociation kind varies along x.
std::optional<Quantity> sweptQuantity(int kind) {
    switch (KindFacts(kind).x) {
    case XQuantity::AcidConcentration:
        return Quantity::C_a;
    case XQuantity::BaseConcentration:
        return Quantity::C_b;
    case XQuantity::SaltConcentration:
        return Quantity::C_S;
    case XQuantity::AcidConstant:
        return Quantity::k_a;
    case XQuantity::BaseConstant:
        return Quantity::k_b;
    case XQuantity::AddedAcidConcentration:
        return Quantity::C_SA;
    case XQuantity::AddedBaseConcentration:
        return Quantity::C_SB;
    default:
        return std::nullopt;
    }
}

Quantity plotted(int kind) {
    return KindFacts(kind).y == YQuantity::Alpha ? Quantity::alpha : Quantity::pH;
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

// After V mL of added strong acid or base a buffer of codes 42 to 45 is diluted from its
// volume V0 by V mL of concentration C_T; a titration's flask is the mixture of its acid and
// base. The pH then, as Calculate would solve it; a failure shows as CalcError in `work`.
double pHAfter(std::string_view code, const engine::Slots& solved, double V,
               engine::EquilAB& work) {
    namespace buffer = engine::slot::buffer;
    if (engine::HasTitrationFlask(code)) return engine::PHInFlask(code, solved, V, work);
    const double V0 = solved[buffer::Volume], CT = solved[buffer::AddedConcentration];
    work.IOValues.fill(engine::EmptyValue);
    work.IOValues[buffer::C] = solved[buffer::C] * V0 / (V0 + V);
    work.IOValues[buffer::CS] = solved[buffer::CS] * V0 / (V0 + V);
    work.IOValues[buffer::K] = solved[buffer::K];
    work.IOValues[buffer::Added] = CT * V / (V + V0);
    engine::RunProblem(work, code);
    return work.IOValues[buffer::PH];
}

// pH against the volume (27, 29) or, for a titration, its slope |ΔpH/ΔV| by a central
// difference (31, 33) with the half-width of the ideal curves.
Curves volumeCurves(std::string_view code, const GeneratorInput& in) {
    const engine::Slots solved = in.state.IOValues;
    const int fineness = code.starts_with("54") ? DiproticFineness : 1;
    if (KindFacts(in.kind).y == YQuantity::Slope) {
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

// The volume kinds of the titrations and of the buffers with a strong acid or base added.
bool isVolumeKind(std::string_view code, int kind) {
    const engine::ProblemType* p = engine::FindProblem(code);
    return IsAddedVolume(KindFacts(kind).x) && p != nullptr &&
           (p->strongAdded || engine::HasTitrationFlask(code));
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
