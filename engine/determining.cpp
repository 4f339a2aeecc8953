#include "determining.h"

#include "reason.h"

#include <algorithm>
#include <functional>

namespace corvane::engine {

namespace {

// Subsets of `items` of one size, each in the order of `items`, in lexicographic order.
void forEachSubsetOfSize(const std::vector<int>& items, int size,
                         const std::function<void(const std::vector<int>&)>& f) {
    const int n = static_cast<int>(items.size());
    std::vector<int> pick(size);
    for (int i = 0; i < size; ++i)
        pick[i] = i;
    std::vector<int> subset(size);
    while (true) {
        for (int i = 0; i < size; ++i)
            subset[i] = items[pick[i]];
        f(subset);
        int i = size - 1;
        while (i >= 0 && pick[i] == n - size + i)
            --i;
        if (i < 0) return;
        ++pick[i];
        for (int j = i + 1; j < size; ++j)
            pick[j] = pick[j - 1] + 1;
    }
}

bool holdsAll(const std::vector<int>& set, const std::vector<int>& part) {
    return std::all_of(part.begin(), part.end(), [&](int slot) {
        return std::find(set.begin(), set.end(), slot) != set.end();
    });
}

// The quantities a problem states rather than measures: what a student types to pose it.
bool isStated(Quantity q) {
    switch (q) {
    case Quantity::C_a:
    case Quantity::C_b:
    case Quantity::C_S:
    case Quantity::C_SA:
    case Quantity::C_SB:
    case Quantity::k_a:
    case Quantity::k_b:
    case Quantity::k_1:
    case Quantity::k_2:
    case Quantity::k_3:
    case Quantity::V_a:
    case Quantity::V_b:
        return true;
    default:
        return false;
    }
}

// The symbol as the row's picture shows it.
std::string fieldSymbol(Quantity q) {
    return q == Quantity::alpha ? "α" : std::string(SymbolName(q));
}

} // namespace

bool IsDetermined(const ProblemType& problem, const Slots& values) {
    return std::none_of(problem.rows.begin(), problem.rows.end(), [&](const SlotRow& row) {
        return OffersInput(problem, row.slot) && IsEmpty(values[row.slot]);
    });
}

bool IsTypable(const ProblemType& problem, const SlotRow& row) {
    return OffersInput(problem, row.slot) && row.readAtEntry;
}

std::vector<std::vector<int>> DeterminingSets(const ProblemType& problem, const Slots& solved,
                                              const std::vector<int>& candidates,
                                              const std::vector<int>& given, bool smallestOnly) {
    std::vector<std::vector<int>> found;
    auto determines = [&](const std::vector<int>& subset) {
        EquilAB state;
        for (int slot : given)
            state.IOValues[slot] = solved[slot];
        for (int slot : subset)
            state.IOValues[slot] = solved[slot];
        RunProblem(state, problem.code);
        return state.CalcError == 0 && IsDetermined(problem, state.IOValues);
    };
    const int n = static_cast<int>(candidates.size());
    for (int size = 1; size <= n && !(smallestOnly && !found.empty()); ++size) {
        const std::size_t smaller = found.size();
        forEachSubsetOfSize(candidates, size, [&](const std::vector<int>& subset) {
            for (std::size_t i = 0; i < smaller; ++i)
                if (holdsAll(subset, found[i])) return;
            if (determines(subset)) found.push_back(subset);
        });
    }
    return found;
}

std::vector<std::vector<int>> MissingInputs(const ProblemType& problem,
                                            const std::vector<int>& given) {
    std::vector<const SlotRow*> rows;
    for (const SlotRow& row : problem.rows)
        if (IsTypable(problem, row) &&
            std::find(given.begin(), given.end(), row.slot) == given.end())
            rows.push_back(&row);
    std::stable_partition(rows.begin(), rows.end(),
                          [](const SlotRow* row) { return isStated(row->quantity); });
    std::vector<int> candidates;
    for (const SlotRow* row : rows)
        candidates.push_back(row->slot);
    return DeterminingSets(problem, SolvedReference(problem), candidates, given, true);
}

std::string NotEnoughValuesHint(const ProblemType& problem, const std::vector<int>& given) {
    const std::vector<std::vector<int>> missing = MissingInputs(problem, given);
    std::string hint = "Not enough values";
    if (missing.empty()) return hint;
    auto symbol = [&](int slot) { return fieldSymbol(FindRow(problem, slot)->quantity); };
    std::vector<std::string> names;
    if (missing.front().size() == 1)
        for (const std::vector<int>& set : missing)
            names.push_back(symbol(set.front()));
    else
        for (int slot : missing.front())
            names.push_back(symbol(slot));
    hint += given.empty() ? ": give " : ": give also ";
    if (missing.front().size() == 1 && names.size() > 1) {
        hint += "one of ";
        for (std::size_t i = 0; i < names.size(); ++i)
            hint += (i ? ", " : "") + names[i];
        return hint;
    }
    return hint + JoinNames(names);
}

} // namespace corvane::engine
