#include "activitycurves.h"

#include "generators.h"

#include "engine/catalogue.h"

#include <cmath>
#include <cstdio>
#include <optional>

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

} // namespace

bool FollowsActivityModel(std::string_view code, int kind) {
    const engine::ProblemType* p = engine::FindProblem(code);
    const std::optional<Quantity> swept = sweptQuantity(kind);
    return p != nullptr && p->task <= 4 && swept && inputSlot(*p, *swept) >= 0 &&
           resultSlot(*p, plotted(kind)) >= 0;
}

Curves ActivityCurves(std::string_view code, const GeneratorInput& in) {
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
