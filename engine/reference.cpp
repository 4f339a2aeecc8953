// One typical, fully determined problem of every code: the stated quantities a student would
// type, solved to fill every input row.
#include "determining.h"

#include <map>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane::engine {

namespace {

using Q = Quantity;
using Inputs = std::vector<std::pair<Q, double>>;

const std::map<std::string_view, Inputs>& referenceInputs() {
    static const Inputs weakAcid{{Q::C_a, 0.1}, {Q::k_a, 1.8e-5}};
    static const Inputs weakBase{{Q::C_b, 0.1}, {Q::k_b, 1.8e-5}};
    static const Inputs diprotic{{Q::k_1, 4.3e-7}, {Q::k_2, 5.6e-11}};
    static const Inputs triprotic{{Q::k_1, 7.1e-3}, {Q::k_2, 6.3e-8}, {Q::k_3, 4.5e-13}};
    auto with = [](Inputs a, const Inputs& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    static const std::map<std::string_view, Inputs> inputs{
        {"10", {{Q::C_a, 0.01}}},
        {"11", weakAcid},
        {"12", with({{Q::C_a, 0.1}}, diprotic)},
        {"12C", {{Q::C_a, 0.01}, {Q::k_2, 1.2e-2}}},
        {"13", with({{Q::C_a, 0.1}}, triprotic)},
        {"13C", {{Q::C_a, 0.1}, {Q::k_2, 6.3e-8}, {Q::k_3, 4.5e-13}}},
        {"14", {{Q::C_b, 0.01}}},
        {"15", weakBase},
        {"20", {{Q::C_S, 0.1}}},
        {"21", {{Q::C_S, 0.1}, {Q::k_b, 1.8e-5}}},
        {"22", {{Q::C_S, 0.1}, {Q::k_a, 1.8e-5}}},
        {"23", {{Q::C_S, 0.1}, {Q::k_a, 1.8e-5}, {Q::k_b, 1.8e-5}}},
        {"30", {{Q::C_a, 0.1}, {Q::C_b, 0.05}}},
        {"31", {{Q::C_a, 0.05}, {Q::C_b, 0.1}, {Q::k_b, 1.8e-5}}},
        {"32", {{Q::C_a, 0.1}, {Q::C_b, 0.05}, {Q::k_a, 1.8e-5}}},
        {"33", {{Q::C_a, 0.1}, {Q::C_b, 0.05}, {Q::k_a, 1.8e-5}, {Q::k_b, 1.8e-5}}},
        {"34", with({{Q::C_a, 0.1}, {Q::C_b, 0.1}}, diprotic)},
        {"34C", {{Q::C_a, 0.1}, {Q::C_b, 0.15}, {Q::k_2, 1.2e-2}}},
        {"35", with({{Q::C_a, 0.1}, {Q::C_b, 0.15}}, triprotic)},
        {"35C", {{Q::C_a, 0.1}, {Q::C_b, 0.15}, {Q::k_2, 6.3e-8}, {Q::k_3, 4.5e-13}}},
        {"40", with({{Q::C_S, 0.1}}, weakAcid)},
        {"41", with({{Q::C_S, 0.1}}, weakBase)},
        {"42", with({{Q::C_S, 0.1}, {Q::C_SA, 0.01}}, weakAcid)},
        {"43", with({{Q::C_S, 0.1}, {Q::C_SA, 0.01}}, weakBase)},
        {"44", with({{Q::C_S, 0.1}, {Q::C_SB, 0.01}}, weakAcid)},
        {"45", with({{Q::C_S, 0.1}, {Q::C_SB, 0.01}}, weakBase)},
        {"50", {{Q::C_a, 0.1}, {Q::V_a, 25}, {Q::C_SB, 0.1}}},
        {"51", with({{Q::V_a, 25}, {Q::C_SB, 0.1}}, weakAcid)},
        {"52", {{Q::C_b, 0.1}, {Q::V_b, 25}, {Q::C_SA, 0.1}}},
        {"53", with({{Q::V_b, 25}, {Q::C_SA, 0.1}}, weakBase)},
        {"54", with({{Q::C_a, 0.1}, {Q::V_a, 25}, {Q::C_SB, 0.1}}, diprotic)},
        {"54C", {{Q::C_a, 0.1}, {Q::V_a, 25}, {Q::k_2, 1.2e-2}, {Q::C_SB, 0.1}}},
        {"55", with({{Q::C_a, 0.1}, {Q::V_a, 25}, {Q::C_SB, 0.1}}, triprotic)},
        {"55C", {{Q::C_a, 0.1}, {Q::V_a, 25}, {Q::k_2, 6.3e-8}, {Q::k_3, 4.5e-13}, {Q::C_SB, 0.1}}},
    };
    return inputs;
}

// The typed row of a quantity (C_SA of the buffers also stands in slot 16).
int inputSlot(const ProblemType& problem, Q quantity) {
    for (const SlotRow& row : problem.rows)
        if (row.quantity == quantity && OffersInput(problem, row.slot)) return row.slot;
    throw std::logic_error("the reference of " + std::string(problem.code) + " gives " +
                           std::string(SymbolName(quantity)) + ", which it does not offer");
}

} // namespace

Slots SolvedReference(const ProblemType& problem) {
    EquilAB state;
    for (const auto& [quantity, value] : referenceInputs().at(problem.code))
        state.IOValues[inputSlot(problem, quantity)] = value;
    RunProblem(state, problem.code);
    if (state.CalcError != 0 || !IsDetermined(problem, state.IOValues))
        throw std::logic_error("the reference of " + std::string(problem.code) +
                               " does not determine it");
    return state.IOValues;
}

} // namespace corvane::engine
