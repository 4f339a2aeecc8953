#include "calculation.h"

#include "engine/determining.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace corvane::calc {

void ClearResults(const engine::ProblemType& problem, engine::EquilAB& state) {
    for (int slot = engine::InputRowCount(problem.task); slot < engine::SlotCount; ++slot)
        state.IOValues[slot] = engine::EmptyValue;
}

Outcome ReadingFailed(const engine::ProblemType& problem, engine::EquilAB& state,
                      std::string reason) {
    ClearResults(problem, state);
    return {Status::ReadingError, std::move(reason)};
}

Outcome Calculate(const engine::ProblemType& problem, engine::EquilAB& state) {
    // The given rows as bits: the list the hint needs is made only for an incomplete input.
    const int inputRows = engine::InputRowCount(problem.task);
    std::uint32_t given = 0;
    for (int slot = 0; slot < inputRows; ++slot)
        if (engine::IsKnown(state.IOValues[slot])) given |= 1u << slot;
    engine::RunProblem(state, problem);
    if (state.CalcError != 0) {
        ClearResults(problem, state);
        return {Status::CalculationError, state.CalcErrorReason};
    }
    if (engine::IsDetermined(problem, state.IOValues)) return {Status::Ok, state.ActivityWarning};
    std::vector<int> givenSlots;
    for (int slot = 0; slot < inputRows; ++slot)
        if ((given >> slot) & 1u) givenSlots.push_back(slot);
    return {Status::Incomplete, engine::NotEnoughValuesHint(problem, givenSlots)};
}

} // namespace corvane::calc
