// \brief The calculation cycle that the window's Calculate button, corvane-cli solve and batch
// share: the given values in their slots, the solver run, what came of it, and the results
// emptied after a failure. Each caller reads its texts and writes its results itself.
#pragma once

#include "engine/catalogue.h"
#include "engine/equilab.h"

#include <string>

namespace corvane::calc {

/// The messages of the window's error box, also what corvane-cli solve writes.
inline constexpr const char* ReadingErrorMessage = "Invalid input values: Reading error.";
inline constexpr const char* CalculationErrorMessage = "Invalid input values: Calculation error.";

/// Incomplete: solved without an error, but an input row the option offers is still unknown.
enum class Status { Ok, ReadingError, CalculationError, Incomplete };

struct Outcome {
    Status status = Status::Ok;
    /// Why it failed; for Incomplete what else to give ("Not enough values: ..."); for Ok a
    /// warning about the result (an ionic strength beyond the range of the Davies equation)
    /// or nothing.
    std::string reason;
};

/// Empties every slot after the task's input rows: a failure shows no results.
void ClearResults(const engine::ProblemType& problem, engine::EquilAB& state);

/// A given value could not be read: the results emptied, ReadingError with `reason`.
Outcome ReadingFailed(const engine::ProblemType& problem, engine::EquilAB& state,
                      std::string reason);

/// Solves `problem` on a state whose input rows hold the given values (the other slots
/// empty): the solver run, then the outcome. The input rows known before the run are the
/// given ones the hint of an incomplete input starts from; a calculation error empties the
/// results.
Outcome Calculate(const engine::ProblemType& problem, engine::EquilAB& state);

} // namespace corvane::calc
