// \brief The problem catalogue: tasks, options, problem codes, the slot table of every code,
// titles, and the dispatch to the solvers.
#pragma once

#include "equilab.h"
#include "quantity.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane::engine {

inline constexpr std::string_view CheckBoxCaption = "First dissociation is complete";

struct TaskInfo {
    int index;                             // TaskIndex, 1 to 5
    std::string_view caption;              // tab caption
    std::string_view titleBeforeOption;    // title label before an option is chosen
    std::string_view titlePrefix;          // put before the lower-cased option caption
    std::vector<std::string_view> options; // option captions by OptionIndex
    std::vector<int> cCapableOptions;      // options with a "C" variant
    bool hasCheckBox;
    int inputRowCount;
};

/// One row of a slot table: IOValues index, quantity, group heading, HGroup membership and
/// whether the solver reads it at entry.
struct SlotRow {
    int slot;
    Quantity quantity;
    std::string_view heading;
    bool hgroup;
    bool readAtEntry;
};

using SolverFunction = void (*)(EquilAB&);

struct ProblemType {
    std::string_view code;
    int task;
    int option;
    bool firstDissociationComplete;
    std::vector<SlotRow> rows;
    int hiddenSlot; // the k_1 row a "C" variant hides, -1 otherwise
    SolverFunction solver;
    bool strongAdded = false; // a buffer to which a strong acid or base is added (42 to 45)
};

const std::vector<TaskInfo>& Tasks();
/// The task of TaskIndex 1 to 5.
const TaskInfo& Task(int taskIndex);
int InputRowCount(int taskIndex);
bool IsCCapable(int taskIndex, int optionIndex);

/// "11", "12C"...: the "C" applies when the option is C-capable and the check box is checked.
std::string FormProblemCode(int taskIndex, int optionIndex, bool checkBoxChecked);
/// "Single solution of weak monoprotic acid", "Buffer of weak acid and its salt"...
std::string FormTaskTitle(int taskIndex, int optionIndex, bool checkBoxChecked);

/// All 34 problem types in catalogue order.
const std::vector<ProblemType>& Problems();
const ProblemType* FindProblem(std::string_view code);
const SlotRow* FindRow(const ProblemType& problem, int slot);

/// A row whose value field the option shows for typing: an input row of the panel
/// (slot < InputRowCount) that the slot table uses, minus the hidden k_1 row.
bool OffersInput(const ProblemType& problem, int slot);

enum class DispatchResult { Ran, UnknownProblem };

/// Runs the solver of (TaskIndex, OptionIndex, FirstDissociationComplete) on state.IOValues.
/// After Ran the caller reads state.CalcError.
DispatchResult Dispatch(EquilAB& state, int taskIndex, int optionIndex,
                        int firstDissociationComplete);
DispatchResult RunProblem(EquilAB& state, std::string_view code);
/// Runs the solver of a problem of the catalogue on state.IOValues.
void RunProblem(EquilAB& state, const ProblemType& problem);

} // namespace corvane::engine
