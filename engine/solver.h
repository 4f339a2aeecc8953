// \brief The shape every solver shares: validation table, consistency table, special cases,
// ordered rules repeated while something changed, and the write-back.
#pragma once

#include "equilab.h"

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace corvane::engine {

inline constexpr int MaxWorkingValues = 32;
inline constexpr int NoVar = -1;

struct Rule;
struct SolverTables;

/// A few working-value indices: the quantities a rule needs or a check covers.
class Vars {
public:
    Vars() = default;
    Vars(std::initializer_list<int> ids);
    const std::int8_t* begin() const { return m_ids.data(); }
    const std::int8_t* end() const { return m_ids.data() + m_count; }
    int size() const { return m_count; }
    void add(int id);

private:
    std::array<std::int8_t, 12> m_ids{};
    int m_count = 0;
};

/// The working values of one solver run and the helpers its rules call. Every value a rule
/// computes passes through set() or put(), which turn a non-finite result into an
/// arithmetic fault: CalcError = 1 and the run stops without write-back.
class Work {
public:
    /// tables name the quantities in the words of a failure.
    explicit Work(EquilAB& state, const SolverTables* tables = nullptr);

    double operator[](int v) const { return m_values[v]; }
    bool known(int v) const { return IsKnown(m_values[v]); }
    bool empty(int v) const { return IsEmpty(m_values[v]); }
    bool known(const Vars& vs) const;

    /// A rule fills v: marks the pass as changed.
    void set(int v, double x);
    /// A special case or an overwriting rule: leaves the changed flag alone.
    void put(int v, double x);

    double Kw() const { return m_state.Kw; }
    double sqrtKw() const;
    /// |[H+]² − Kw| / Kw < 1e-12 for an [H+] that is not a root: the solution is pure water.
    /// A root comes from a concentration and a constant that are known, and a solution of
    /// them, however dilute, keeps its species.
    bool isPureWater(int H) const;
    double log10(double x) { return Log10Guarded(m_state, x); }
    /// SolvePolynomial; a failed root solve stops the run.
    double solve(double c5, double c4, double c3, double c2, double c1, double c0);
    /// SnapNeutral: [H+] within relative 1e-8 of √Kw becomes √Kw.
    void snapNeutral(int H);
    void waterTriplet(int pH, int H, int OH);

    void load(int v, double x) { m_values[v] = x; }
    /// Marks the values known now as the ones the user gave.
    void markGiven();
    /// An arithmetic fault in the current step: CalcError, and the run stops.
    void fault();
    /// CalcError with a reason; the run stops.
    void fail(std::string reason);
    /// The step being run, for the words of its failure.
    void enter(const Rule* step) { m_step = step; }
    /// A failure that a helper signalled with CalcError alone gets the current step's words.
    void explainFailure();

    /// The quantity's symbol as its field row shows it.
    std::string name(int v) const;
    /// "C_a = 0.1".
    std::string named(int v) const;
    bool given(int v) const { return (m_given >> v) & 1u; }
    /// v holds the root of its equation, as a root solve left it.
    void markRoot(int v) { m_roots |= 1u << v; }
    bool isRoot(int v) const { return (m_roots >> v) & 1u; }
    /// The symbols of every value the user gave.
    std::vector<std::string> givenNames() const;
    bool stopped() const { return m_stopped; }
    bool changed() const { return m_changed; }
    void beginPass() { m_changed = false; }
    EquilAB& state() { return m_state; }
    const EquilAB& state() const { return m_state; }

private:
    EquilAB& m_state;
    const SolverTables* m_tables;
    const Rule* m_step = nullptr;
    std::uint32_t m_given = 0;
    std::uint32_t m_roots = 0;
    std::array<double, MaxWorkingValues> m_values;
    bool m_changed = false;
    bool m_stopped = false;
};

using Guard = std::function<bool(const Work&)>;
using Formula = std::function<double(const Work&)>;
using Action = std::function<void(Work&)>;
using Measure = std::function<double(const Work&)>;
/// Polynomial coefficients c5 .. c0 for SolvePolynomial.
using Coefficients = std::function<std::array<double, 6>(const Work&)>;
/// The words of a failed check, naming what it compared.
using Describe = std::function<std::string(const Work&)>;

/// Accepted range of a validated quantity.
struct Range {
    enum class Kind { Plain, PH, AcidicH, BasicH };
    double lo;
    double hi;
    bool loOpen = false;
    bool hiOpen = false;
    Kind kind = Kind::Plain;
};

inline constexpr Range Concentration{0.0, 100.0};                        // 0 ≤ x ≤ 100
inline constexpr Range PositiveConcentration{0.0, 100.0, true};          // 0 < x ≤ 100
inline constexpr Range Constant{0.0, 1e90};                              // 0 ≤ x ≤ 1e90
inline constexpr Range PositiveConstant{0.0, 1e90, true};                // 0 < x ≤ 1e90
inline constexpr Range Degree{0.0, 1.0, false, true};                    // 0 ≤ x < 1
inline constexpr Range PHRange{0.0, 0.0, false, false, Range::Kind::PH}; // PHMin ≤ pH ≤ PHMax
/// 0 < [H+] ≤ 100 and never basic: [H+] ≥ √Kw / 1.0000000001.
inline constexpr Range AcidicH{0.0, 100.0, true, false, Range::Kind::AcidicH};
/// 0 < [H+] ≤ 100 and never acidic: [H+] ≤ √Kw · 1.0000000001.
inline constexpr Range BasicH{0.0, 100.0, true, false, Range::Kind::BasicH};

struct Validation {
    int var;
    Range accepted;
};

/// |difference| / scale. A scale of 0 means every member of the group is 0 (they are range-tested
/// non-negative first), which balances exactly: mismatch 0.
double RelativeMismatch(double difference, double scale);

/// A redundant group: when all members are known and the guard holds, mismatch() above the
/// tolerance is an inconsistency.
struct Consistency {
    const char* group;
    Vars members;
    Measure mismatch;
    Guard guard = nullptr;
    double tolerance = 0.01;
    /// For a mass balance: the total and its species. A total of 0 makes every species 0, so
    /// the final check counts an underived species of a zero total as 0.
    int total = NoVar;
    Vars parts = {};
    /// A member the others fix whenever they are known (V_eq from the amounts titrated): given
    /// together with them, it is checked by this group, not used to derive anything.
    int fixedByOthers = NoVar;
    /// What the two sides come to, for the reason of a failure.
    Describe describe = nullptr;
};

/// A special case or a derivation rule. It applies when every quantity of `needs` is known,
/// the guard (if any) holds and, for a rule with a target, the target is empty. A target with
/// a formula is filled through Work::set; otherwise the action runs.
struct Rule {
    const char* name;
    int target;
    Vars needs;
    Guard guard;
    Formula formula;
    Action action;
    /// For a root solve: the [H+] equation, which must hold on the final values too.
    Coefficients polynomial = nullptr;
    /// For the water step: its pH, [H+] and [OH-], in that order.
    Vars waterValues = {};
};

/// target = formula, when target is empty and `needs` are known (and the guard holds).
Rule Derive(const char* name, int target, Vars needs, Formula formula, Guard guard = nullptr);
/// A free-form step with a target that must be empty, such as a root solve.
Rule Solve(const char* name, int target, Vars needs, Action action, Guard guard = nullptr);
/// A free-form step that runs when `needs` are known and the guard holds.
Rule Step(const char* name, Vars needs, Guard guard, Action action);
/// A free-form step that always runs.
Rule Step(const char* name, Action action);

struct SlotLink {
    int slot;
    int var;
};

struct FixedWrite {
    int slot;
    double value;
};

struct SolverTables {
    std::vector<SlotLink> inputs;
    /// Working values that hold from the start and are never validated (may be empty).
    Action start = nullptr;
    std::vector<Validation> validation;
    std::vector<Consistency> consistency;
    std::vector<Rule> specialCases;
    std::vector<Rule> rules;
    std::vector<SlotLink> writeBack;
    std::vector<FixedWrite> fixedWrites = {};
    /// A step after the write-back; a failure there sets CalcError but keeps what was written.
    Action afterWriteBack = nullptr;
};

/// Runs one solver: clears CalcError, reads the input slots, repeats passes while a rule
/// filled something, checks every relation on the final values, and writes back only when
/// the run ends without CalcError.
void RunSolver(EquilAB& state, const SolverTables& tables);

/// Clears and tests the floating-point flags of a division by zero, an overflow or an invalid
/// operation.
void ClearArithmeticFaults();
bool ArithmeticFaultRaised();

/// True when x lies in the accepted range (state supplies PHMin, PHMax and √Kw).
bool Accepts(const EquilAB& state, const Range& range, double x);

} // namespace corvane::engine
