#include "catalogue.h"

#include "activity_cycle.h"
#include "ions.h"
#include "reason.h"
#include "solvers.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace corvane::engine {

namespace {

using Q = Quantity;

// Group headings of the field rows.
constexpr std::string_view NoHeading = "";
constexpr std::string_view AcidConc = " Acid concentration (M)";
constexpr std::string_view BaseConc = " Base concentration (M)";
constexpr std::string_view SaltConc = " Salt concentration (M)";
constexpr std::string_view Conc = " Concentration (M)";
constexpr std::string_view EquilConst = " Equilibrium constant";
constexpr std::string_view Dissociation = " Degree of dissociation";
constexpr std::string_view FirstConst = " 1st equilibrium constant";
constexpr std::string_view SecondConst = " 2nd equilibrium constant";
constexpr std::string_view ThirdConst = " 3rd equilibrium constant";
constexpr std::string_view AcidConst = " Acid equilibrium constant";
constexpr std::string_view BaseConst = " Base equilibrium constant";
constexpr std::string_view AddedAcid = " Strong added acid concentration (M)";
constexpr std::string_view AddedBase = " Strong added base concentration (M)";
constexpr std::string_view AcidVolume = " Acid volume (mL)";
constexpr std::string_view BaseVolume = " Base volume (mL)";
constexpr std::string_view BaseVolumeEq = " Base volume at equiv. point (mL)";
constexpr std::string_view AcidVolumeEq = " Acid volume at equiv. point (mL)";
constexpr std::string_view PHEq = " pH at equiv. point";
constexpr std::string_view VolumeEq1 = " Vol. at 1st equiv. point (mL)";
constexpr std::string_view PHEq1 = " pH at 1st equiv. point";
constexpr std::string_view VolumeEq2 = " Vol. at 2nd equiv. point (mL)";
constexpr std::string_view PHEq2 = " pH at 2nd equiv. point";

SlotRow in(int slot, Q q, std::string_view heading) {
    return {slot, q, heading, false, true};
}
SlotRow inH(int slot, Q q, std::string_view heading) {
    return {slot, q, heading, true, true};
}
SlotRow out(int slot, Q q, std::string_view heading = Conc) {
    return {slot, q, heading, false, false};
}

using Rows = std::vector<SlotRow>;

void append(Rows& rows, std::initializer_list<SlotRow> more) {
    for (const SlotRow& row : more)
        rows.push_back(row);
}

Rows strongAcid() {
    return {inH(0, Q::C_a, AcidConc), inH(1, Q::pH, NoHeading),
            inH(2, Q::H_plus, Conc),  out(6, Q::HA),
            out(7, Q::A_minus),       out(9, Q::OH_minus)};
}
Rows weakAcid() {
    return {in(0, Q::C_a, AcidConc),
            inH(1, Q::pH, NoHeading),
            inH(2, Q::H_plus, Conc),
            in(3, Q::k_a, EquilConst),
            in(4, Q::alpha, Dissociation),
            out(6, Q::HA),
            out(7, Q::A_minus),
            out(9, Q::OH_minus)};
}
Rows diproticAcid() {
    return {in(0, Q::C_a, AcidConc),   inH(1, Q::pH, NoHeading),   inH(2, Q::H_plus, Conc),
            in(3, Q::k_1, FirstConst), in(4, Q::k_2, SecondConst), out(6, Q::H2A),
            out(7, Q::HA_minus),       out(8, Q::A2_minus),        out(9, Q::OH_minus)};
}
Rows triproticAcid() {
    return {in(0, Q::C_a, AcidConc),
            inH(1, Q::pH, NoHeading),
            inH(2, Q::H_plus, Conc),
            in(3, Q::k_1, FirstConst),
            in(4, Q::k_2, SecondConst),
            in(5, Q::k_3, ThirdConst),
            out(6, Q::H3A),
            out(7, Q::H2A_minus),
            out(8, Q::HA2_minus),
            out(9, Q::A3_minus),
            out(10, Q::OH_minus)};
}
Rows strongBase() {
    return {inH(0, Q::C_b, BaseConc),  inH(1, Q::pH, NoHeading), inH(2, Q::H_plus, Conc),
            inH(5, Q::OH_minus, Conc), out(6, Q::BOH),           out(7, Q::B_plus)};
}
Rows weakBase() {
    return {in(0, Q::C_b, BaseConc),
            inH(1, Q::pH, NoHeading),
            inH(2, Q::H_plus, Conc),
            in(3, Q::k_b, EquilConst),
            in(4, Q::alpha, Dissociation),
            inH(5, Q::OH_minus, Conc),
            out(6, Q::BOH),
            out(7, Q::B_plus)};
}

Rows neutralSalt() {
    return {in(0, Q::C_S, SaltConc), out(6, Q::pH),      out(7, Q::H_plus),
            out(8, Q::OH_minus),     out(9, Q::A_minus), out(10, Q::B_plus)};
}
Rows hydrolysis(int code) {
    Rows r{in(0, Q::C_S, SaltConc), inH(1, Q::pH, NoHeading), inH(2, Q::H_plus, Conc)};
    if (code != 21) r.push_back(in(3, Q::k_a, AcidConst));
    if (code != 22) r.push_back(in(4, Q::k_b, BaseConst));
    r.push_back(inH(5, Q::OH_minus, Conc));
    if (code == 21) {
        append(r, {out(6, Q::BOH), out(7, Q::B_plus), out(8, Q::A_minus)});
    } else if (code == 22) {
        append(r, {out(6, Q::HA), out(7, Q::A_minus), out(8, Q::B_plus)});
    } else {
        append(r, {out(6, Q::HA), out(7, Q::A_minus), out(9, Q::BOH), out(10, Q::B_plus)});
    }
    return r;
}

Rows strongMixture() {
    return {in(0, Q::C_a, AcidConc),   in(1, Q::C_b, BaseConc), inH(2, Q::pH, NoHeading),
            inH(4, Q::OH_minus, Conc), inH(5, Q::H_plus, Conc), out(6, Q::HA),
            out(7, Q::A_minus),        out(9, Q::BOH),          out(10, Q::B_plus)};
}
Rows weakMixture(int code) {
    Rows r{in(0, Q::C_a, AcidConc), in(1, Q::C_b, BaseConc), inH(2, Q::pH, NoHeading)};
    if (code != 31) r.push_back(in(3, Q::k_a, AcidConst));
    if (code != 32) r.push_back(in(4, Q::k_b, BaseConst));
    append(r, {inH(5, Q::H_plus, Conc), out(6, Q::HA), out(7, Q::A_minus), out(9, Q::BOH),
               out(10, Q::B_plus), out(11, Q::OH_minus)});
    return r;
}
Rows diproticMixture() {
    return {in(0, Q::C_a, AcidConc),
            in(1, Q::C_b, BaseConc),
            inH(2, Q::pH, NoHeading),
            in(3, Q::k_1, FirstConst),
            in(4, Q::k_2, SecondConst),
            inH(5, Q::H_plus, Conc),
            out(6, Q::H2A),
            out(7, Q::HA_minus),
            out(8, Q::A2_minus),
            out(9, Q::BOH),
            out(10, Q::B_plus),
            out(11, Q::OH_minus)};
}
Rows triproticMixture() {
    return {in(0, Q::C_a, AcidConc),
            in(1, Q::C_b, BaseConc),
            in(2, Q::pH, NoHeading),
            in(3, Q::k_1, FirstConst),
            in(4, Q::k_2, SecondConst),
            in(5, Q::k_3, ThirdConst),
            out(6, Q::H3A),
            out(7, Q::H2A_minus),
            out(8, Q::HA2_minus),
            out(9, Q::A3_minus),
            out(10, Q::H_plus),
            out(11, Q::OH_minus),
            out(12, Q::BOH),
            out(13, Q::B_plus)};
}

// Buffers: the weak partner, its constant and the species rows 6 to 10 vary by code.
struct BufferLayout {
    Q analyte;
    std::string_view analyteHeading;
    Q constant;
    std::string_view constantHeading;
    std::vector<Q> species;
};
Rows plainBuffer(const BufferLayout& b) {
    Rows r{in(0, b.analyte, b.analyteHeading), in(1, Q::C_S, SaltConc),
           inH(2, Q::pH, NoHeading),           in(3, b.constant, b.constantHeading),
           inH(4, Q::OH_minus, Conc),          inH(5, Q::H_plus, Conc)};
    for (int i = 0; i < 3; ++i)
        r.push_back(out(6 + i, b.species[i]));
    return r;
}
Rows addedBuffer(const BufferLayout& b, Q added) {
    const bool acidAdded = added == Q::C_SA;
    Rows r{in(0, b.analyte, b.analyteHeading),
           in(1, Q::C_S, SaltConc),
           inH(2, Q::pH, NoHeading),
           in(3, b.constant, b.constantHeading),
           in(4, added, acidAdded ? AddedAcid : AddedBase),
           inH(5, Q::H_plus, Conc)};
    for (int i = 0; i < 5; ++i)
        r.push_back(out(6 + i, b.species[i]));
    r.push_back(out(11, Q::OH_minus));
    r.push_back(out(16, added, NoHeading));
    return r;
}
const BufferLayout AcidBuffer{Q::C_a, AcidConc, Q::k_a, AcidConst, {Q::HA, Q::A_minus, Q::B_plus}};
const BufferLayout BaseBuffer{Q::C_b, BaseConc, Q::k_b, BaseConst, {Q::BOH, Q::B_plus, Q::A_minus}};
BufferLayout withSpecies(BufferLayout b, std::initializer_list<Q> extra) {
    b.species.insert(b.species.end(), extra);
    return b;
}

Rows acidTitration(bool weak) {
    Rows r{in(0, Q::C_a, AcidConc), in(1, Q::V_a, AcidVolume)};
    if (weak) r.push_back(in(2, Q::k_a, AcidConst));
    append(r, {in(3, Q::C_SB, BaseConc), in(4, Q::V_eq, BaseVolumeEq),
               SlotRow{5, Q::pH_eq, PHEq, false, weak}, out(9, Q::H_plus), out(12, Q::OH_minus),
               out(15, Q::EquivalenceSlope, NoHeading)});
    return r;
}
Rows baseTitration(bool weak) {
    Rows r{in(0, Q::C_b, BaseConc), in(1, Q::V_b, BaseVolume)};
    if (weak) r.push_back(in(2, Q::k_b, BaseConst));
    append(r, {in(3, Q::C_SA, AcidConc), in(4, Q::V_eq, AcidVolumeEq),
               SlotRow{5, Q::pH_eq, PHEq, false, weak}, out(9, Q::H_plus), out(12, Q::OH_minus),
               out(15, Q::EquivalenceSlope, NoHeading)});
    return r;
}
Rows polyproticTitration(bool triprotic) {
    Rows r{in(0, Q::C_a, AcidConc), in(1, Q::V_a, AcidVolume), in(3, Q::k_1, FirstConst),
           in(4, Q::k_2, SecondConst)};
    if (triprotic) r.push_back(in(5, Q::k_3, ThirdConst));
    append(r, {in(6, Q::C_SB, BaseConc), in(7, Q::V_eq, BaseVolumeEq), in(8, Q::pH_eq, PHEq),
               out(9, Q::H_plus), out(10, Q::V_eq1, VolumeEq1), out(11, Q::pH_eq1, PHEq1),
               out(12, Q::OH_minus)});
    if (triprotic) append(r, {out(13, Q::V_eq2, VolumeEq2), out(14, Q::pH_eq2, PHEq2)});
    r.push_back(out(15, Q::EquivalenceSlope, NoHeading));
    return r;
}

ProblemType plain(std::string_view code, Rows rows, SolverFunction solver) {
    const int number = (code[0] - '0') * 10 + (code[1] - '0');
    return {code, number / 10, number % 10, false, std::move(rows), -1, solver};
}
ProblemType cVariant(std::string_view code, Rows rows, SolverFunction solver) {
    ProblemType p = plain(code, std::move(rows), solver);
    p.firstDissociationComplete = true;
    p.hiddenSlot = 3;
    return p;
}

ProblemType strongAddedBuffer(std::string_view code, Rows rows, SolverFunction solver) {
    ProblemType p = plain(code, std::move(rows), solver);
    p.strongAdded = true;
    return p;
}

std::vector<ProblemType> buildProblems() {
    return {
        plain("10", strongAcid(), Calc10),
        plain("11", weakAcid(), Calc11),
        plain("12", diproticAcid(), Calc12),
        cVariant("12C", diproticAcid(), Calc12C),
        plain("13", triproticAcid(), Calc13),
        cVariant("13C", triproticAcid(), Calc13C),
        plain("14", strongBase(), Calc14),
        plain("15", weakBase(), Calc15),
        plain("20", neutralSalt(), Calc20),
        plain("21", hydrolysis(21), Calc21),
        plain("22", hydrolysis(22), Calc22),
        plain("23", hydrolysis(23), Calc23),
        plain("30", strongMixture(), Calc30),
        plain("31", weakMixture(31), Calc31),
        plain("32", weakMixture(32), Calc32),
        plain("33", weakMixture(33), Calc33),
        plain("34", diproticMixture(), Calc34),
        cVariant("34C", diproticMixture(), Calc34C),
        plain("35", triproticMixture(), Calc35),
        cVariant("35C", triproticMixture(), Calc35C),
        plain("40", plainBuffer(AcidBuffer), Calc40),
        plain("41", plainBuffer(BaseBuffer), Calc41),
        strongAddedBuffer("42", addedBuffer(withSpecies(AcidBuffer, {Q::HX, Q::X_minus}), Q::C_SA),
                          Calc42),
        strongAddedBuffer("43", addedBuffer(withSpecies(BaseBuffer, {Q::HX, Q::X_minus}), Q::C_SA),
                          Calc43),
        strongAddedBuffer("44", addedBuffer(withSpecies(AcidBuffer, {Q::ZOH, Q::Z_plus}), Q::C_SB),
                          Calc44),
        strongAddedBuffer("45", addedBuffer(withSpecies(BaseBuffer, {Q::ZOH, Q::Z_plus}), Q::C_SB),
                          Calc45),
        plain("50", acidTitration(false), Calc50),
        plain("51", acidTitration(true), Calc51),
        plain("52", baseTitration(false), Calc52),
        plain("53", baseTitration(true), Calc53),
        plain("54", polyproticTitration(false), Calc54),
        cVariant("54C", polyproticTitration(false), Calc54C),
        plain("55", polyproticTitration(true), Calc55),
        cVariant("55C", polyproticTitration(true), Calc55C),
    };
}

std::vector<TaskInfo> buildTasks() {
    return {
        {1,
         "Single acid or base",
         "Single solution of ...",
         "Single solution of ",
         {"Strong acid", "Weak monoprotic acid", "Weak diprotic acid", "Weak triprotic acid",
          "Strong base", "Weak base"},
         {2, 3},
         true,
         6},
        {2,
         "Salt hydrolysis",
         "Hydrolysis of ...",
         "Hydrolysis of ",
         {"Salt from strong acid and strong base", "Salt from strong acid and weak base",
          "Salt from weak acid and strong base", "Salt from weak acid and weak base"},
         {},
         false,
         6},
        {3,
         "Mixture: acid and base",
         "Mixture of ...",
         "Mixture of ",
         {"Strong acid + strong base", "Strong acid + weak base", "Weak acid + strong base",
          "Weak acid + weak base", "Diprotic acid + strong base", "Triprotic acid + strong base"},
         {4, 5},
         true,
         6},
        {4,
         "Buffer solution",
         "Buffer solution of ...",
         "",
         {"Buffer of weak acid and its salt", "Buffer of weak base and its salt",
          "Buffer of weak acid and its salt (strong acid is added)",
          "Buffer of weak base and its salt (strong acid is added)",
          "Buffer of weak acid and its salt (strong base is added)",
          "Buffer of weak base and its salt (strong base is added)"},
         {},
         false,
         6},
        {5,
         "Titration",
         "Titration of ...",
         "Titration of ",
         {"Strong acid with strong base", "Weak acid with strong base",
          "Strong base with strong acid", "Weak base with strong acid",
          "Diprotic acid with strong base", "Triprotic acid with strong base"},
         {4, 5},
         true,
         9},
    };
}

std::string lowerCase(std::string_view text) {
    std::string s(text);
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// The ionic strength of a result, and the warning when it lies beyond the range of the Davies
// equation.
void NoteIonicStrength(EquilAB& state, const ProblemType& problem) {
    if (state.Activity == ActivityModel::Ideal)
        state.Activities.ionicStrength = IonicStrength(*IonsOf(problem.code), state.IOValues);
    const double I = state.Activities.ionicStrength;
    if (state.Activity == ActivityModel::Davies) state.ActivityWarning = DaviesRangeWarning(I);
}

bool validOption(int taskIndex, int optionIndex) {
    return taskIndex >= 1 && taskIndex <= 5 && optionIndex >= 0 &&
           optionIndex < static_cast<int>(Task(taskIndex).options.size());
}

} // namespace

const std::vector<TaskInfo>& Tasks() {
    static const std::vector<TaskInfo> tasks = buildTasks();
    return tasks;
}

const TaskInfo& Task(int taskIndex) {
    if (taskIndex < 1 || taskIndex > 5) throw std::out_of_range("TaskIndex must be 1 to 5");
    return Tasks()[taskIndex - 1];
}

int InputRowCount(int taskIndex) {
    return taskIndex == 5 ? 9 : 6;
}

bool IsCCapable(int taskIndex, int optionIndex) {
    if (!validOption(taskIndex, optionIndex)) return false;
    const auto& c = Task(taskIndex).cCapableOptions;
    return std::find(c.begin(), c.end(), optionIndex) != c.end();
}

std::string FormProblemCode(int taskIndex, int optionIndex, bool checkBoxChecked) {
    std::string code = std::to_string(taskIndex * 10 + optionIndex);
    if (checkBoxChecked && IsCCapable(taskIndex, optionIndex)) code += "C";
    return code;
}

std::string FormTaskTitle(int taskIndex, int optionIndex, bool checkBoxChecked) {
    if (!validOption(taskIndex, optionIndex)) return {};
    const TaskInfo& task = Task(taskIndex);
    const std::string_view caption = task.options[optionIndex];
    std::string title =
        taskIndex == 4 ? std::string(caption) : std::string(task.titlePrefix) + lowerCase(caption);
    if (checkBoxChecked && IsCCapable(taskIndex, optionIndex))
        title += " (" + lowerCase(CheckBoxCaption) + ")";
    return title;
}

const std::vector<ProblemType>& Problems() {
    static const std::vector<ProblemType> problems = buildProblems();
    return problems;
}

const ProblemType* FindProblem(std::string_view code) {
    for (const ProblemType& p : Problems())
        if (p.code == code) return &p;
    return nullptr;
}

const SlotRow* FindRow(const ProblemType& problem, int slot) {
    for (const SlotRow& row : problem.rows)
        if (row.slot == slot) return &row;
    return nullptr;
}

bool OffersInput(const ProblemType& problem, int slot) {
    return slot < InputRowCount(problem.task) && slot != problem.hiddenSlot &&
           FindRow(problem, slot) != nullptr;
}

DispatchResult RunProblem(EquilAB& state, std::string_view code) {
    const ProblemType* problem = FindProblem(code);
    if (problem == nullptr) return DispatchResult::UnknownProblem;
    RunProblem(state, *problem);
    return DispatchResult::Ran;
}

void RunProblem(EquilAB& state, const ProblemType& problem) {
    state.SlotSymbols = {};
    for (const SlotRow& row : problem.rows)
        state.SlotSymbols[row.slot] = SymbolName(row.quantity);
    state.ActivityWarning.clear();
    state.Activities = {0.0, IdealGammas, state.Temperature};
    if (state.Activity == ActivityModel::Ideal) {
        problem.solver(state);
    } else {
        const double celsius = state.Temperature;
        SolveWithActivities(state, problem,
                            [celsius](double I) { return DaviesGammas(I, celsius); });
    }
    if (state.CalcError == 0) NoteIonicStrength(state, problem);
}

DispatchResult Dispatch(EquilAB& state, int taskIndex, int optionIndex,
                        int firstDissociationComplete) {
    if (!validOption(taskIndex, optionIndex)) return DispatchResult::UnknownProblem;
    return RunProblem(state,
                      FormProblemCode(taskIndex, optionIndex, firstDissociationComplete != 0));
}

} // namespace corvane::engine
