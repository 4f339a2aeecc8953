// \brief Which typable quantities determine a problem, found by running its solver on a
// solved reference: for the manual's lists and for the hint of an incomplete input.
#pragma once

#include "catalogue.h"
#include "equilab.h"

#include <string>
#include <vector>

namespace corvane::engine {

/// Every input row the option offers holds a value: the problem is fully determined.
bool IsDetermined(const ProblemType& problem, const Slots& values);

/// A row the user can type that the solver reads.
bool IsTypable(const ProblemType& problem, const SlotRow& row);

/// The smallest sets of `candidates` (slots) that, given together with `given`, determine the
/// problem: with the values of `solved` in those slots alone the solver succeeds and leaves no
/// offered input row empty. In order of size, each set in the order of `candidates`; a set
/// that holds a smaller one found is left out. `smallestOnly` stops after the first size that
/// has one.
std::vector<std::vector<int>> DeterminingSets(const ProblemType& problem, const Slots& solved,
                                              const std::vector<int>& candidates,
                                              const std::vector<int>& given = {},
                                              bool smallestOnly = false);

/// A typical problem of the code solved: every input row holds a value.
Slots SolvedReference(const ProblemType& problem);

/// What an input that leaves the problem undetermined lacks, given the slots the user gave:
/// the smallest sets of the other typable rows that would complete it, the stated quantities
/// (concentrations, constants, volumes) before the measured ones.
std::vector<std::vector<int>> MissingInputs(const ProblemType& problem,
                                            const std::vector<int>& given);

/// "Not enough values: give also one of k_a, pH, [H+], α", or "... give also k_1 and pH" when
/// no single row suffices, in the field symbols of the problem.
std::string NotEnoughValuesHint(const ProblemType& problem, const std::vector<int>& given);

} // namespace corvane::engine
