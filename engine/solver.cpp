#include "solver.h"

#include "reason.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace corvane::engine {

namespace {

// Faults that end a solver; inexact results and underflow to 0 are ordinary arithmetic.
constexpr int FaultFlags = FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID;

// Every pass fills at least one empty quantity, so a run needs far fewer passes than this;
// the cap only keeps a faulty table from looping.
constexpr int MaxPasses = 200;

bool applies(const Work& w, const Rule& r) {
    if (r.target != NoVar && !w.empty(r.target)) return false;
    if (!w.known(r.needs)) return false;
    return r.guard == nullptr || r.guard(w);
}

void run(Work& w, const Rule& r) {
    w.enter(&r);
    if (r.formula != nullptr)
        w.set(r.target, r.formula(w));
    else
        r.action(w);
    if (ArithmeticFaultRaised()) w.fault();
    w.explainFailure();
    w.enter(nullptr);
}

// Every range test runs; the first failure gives the reason.
void validate(Work& w, const std::vector<Validation>& table) {
    for (const Validation& v : table)
        if (w.known(v.var) && !Accepts(w.state(), v.accepted, w[v.var]))
            w.state().Fail(RangeReason(w, v.var, v.accepted));
}

void checkConsistency(Work& w, const std::vector<Consistency>& table) {
    for (const Consistency& c : table) {
        if (!w.known(c.members)) continue;
        if (c.guard != nullptr && !c.guard(w)) continue;
        if (!(c.mismatch(w) <= c.tolerance)) w.state().Fail(ConsistencyReason(w, c));
    }
}

// Counts the species of a zero total as 0 where no rule derived them, so that a relation
// over them (the charge balance, say) can still be checked.
Work withZeroTotals(const Work& w, const std::vector<Consistency>& table) {
    Work view = w;
    for (const Consistency& c : table)
        if (c.total != NoVar && w.known(c.total) && w[c.total] == 0)
            for (int v : c.parts)
                if (view.empty(v)) view.load(v, 0);
    return view;
}

// A known [H+] must be the root of the equation that would have derived it.
void checkRoot(Work& w, const Rule& r) {
    if (r.polynomial == nullptr || w.empty(r.target) || w.isRoot(r.target)) return;
    if (!w.known(r.needs)) return;
    if (r.guard != nullptr && !r.guard(w)) return;
    EquilAB scratch = w.state();
    const std::array<double, 6> c = r.polynomial(w);
    const double root = SolvePolynomial(scratch, c[0], c[1], c[2], c[3], c[4], c[5]);
    if (scratch.CalcError != 0)
        w.state().Fail(StepReason(w, r));
    else if (!PHUnitsAgree(root, w[r.target]))
        w.state().Fail(RootReason(w, r.target, root));
}

// Once nothing more follows, every relation of the problem must hold on the final values. A
// quantity a rule derived from one relation satisfies that relation by construction; this is
// where it meets the others, so over-determined input that disagrees is refused.
void checkFinalValues(Work& w, const SolverTables& tables) {
    Work view = withZeroTotals(w, tables.consistency);
    checkConsistency(view, tables.consistency);
    for (const Rule& r : tables.rules)
        checkRoot(view, r);
    ClearArithmeticFaults();
}

// The water step of the [H+] that a root solve has just filled.
void completeWater(Work& w, const std::vector<Rule>& rules, int H) {
    for (const Rule& r : rules)
        if (r.waterValues.size() == 3 && r.waterValues.begin()[1] == H) run(w, r);
}

// Repeats passes until nothing changes. False when the run ends in an error (CalcError set).
bool derive(Work& w, const SolverTables& tables) {
    EquilAB& state = w.state();
    auto faulted = [&] {
        if (ArithmeticFaultRaised()) w.fault();
        return w.stopped();
    };
    for (int pass = 0; pass < MaxPasses; ++pass) {
        w.beginPass();
        validate(w, tables.validation);
        checkConsistency(w, tables.consistency);
        if (state.CalcError != 0) return false;
        for (const Rule& r : tables.specialCases)
            if (applies(w, r)) run(w, r);
        if (w.stopped()) return false;
        for (const Rule& r : tables.rules) {
            const bool fired = applies(w, r);
            if (fired) run(w, r);
            if (w.stopped()) return false;
            // A root ends its pass once the water step has completed pH and [OH-] from it: the
            // next pass starts again at the first rule, so the rules that derive directly from
            // [H+] (alpha = k_a / ([H+] + k_a), listed before the root solve) come before those
            // that derive by a difference of nearly equal terms, and no rule derives [OH-]
            // other than from [H+].
            if (fired && r.polynomial != nullptr) {
                completeWater(w, tables.rules, r.target);
                if (w.stopped()) return false;
                break;
            }
        }
        if (faulted()) return false;
        // A pass that left CalcError set reports it, even when nothing changed.
        if (!w.changed()) return state.CalcError == 0;
    }
    state.Fail("The calculation does not settle for the values given");
    return false;
}

Work loaded(EquilAB& state, const SolverTables& tables, const Vars& withheld) {
    Work w(state, &tables);
    for (const SlotLink& in : tables.inputs)
        w.load(in.var, state.IOValues[in.slot]);
    w.markGiven();
    for (int v : withheld)
        w.load(v, EmptyValue);
    if (tables.start) tables.start(w);
    return w;
}

bool isWaterValue(const Rule& r, int v) {
    return std::count(r.waterValues.begin(), r.waterValues.end(), v) > 0;
}

// The given values that others fix when they are known: the pH, [H+] and [OH-] of the water
// step and quantities such as V_eq.
Vars givenDependentValues(const EquilAB& state, const SolverTables& tables) {
    Vars dependent;
    for (const SlotLink& in : tables.inputs) {
        if (IsEmpty(state.IOValues[in.slot])) continue;
        bool isDependent = false;
        for (const Rule& r : tables.rules)
            isDependent = isDependent || isWaterValue(r, in.var);
        for (const Consistency& c : tables.consistency)
            isDependent = isDependent || c.fixedByOthers == in.var;
        if (isDependent && !std::count(dependent.begin(), dependent.end(), in.var))
            dependent.add(in.var);
    }
    return dependent;
}

// A given value against the one the others gave: a pH to PHAgreement, [H+] and [OH-] in pH
// units, a value like V_eq by its consistency group.
bool agrees(const Work& given, const Work& derived, int v, const SolverTables& tables) {
    for (const Rule& r : tables.rules) {
        if (!isWaterValue(r, v)) continue;
        const bool isPH = *r.waterValues.begin() == v;
        return isPH ? std::abs(given[v] - derived[v]) <= PHAgreement
                    : PHUnitsAgree(given[v], derived[v]);
    }
    for (const Consistency& c : tables.consistency) {
        if (c.fixedByOthers != v) continue;
        Work probe = derived;
        probe.load(v, given[v]);
        return c.mismatch(probe) <= c.tolerance;
    }
    return false;
}

void checkDependent(Work& given, const Work& derived, int v, const SolverTables& tables) {
    if (!agrees(given, derived, v, tables)) given.state().Fail(DependentReason(given, derived, v));
}

void writeBack(Work& w, const SolverTables& tables) {
    EquilAB& state = w.state();
    for (const SlotLink& out : tables.writeBack)
        state.IOValues[out.slot] = w[out.var];
    for (const FixedWrite& out : tables.fixedWrites)
        state.IOValues[out.slot] = out.value;
    if (tables.afterWriteBack) tables.afterWriteBack(w);
}

} // namespace

Vars::Vars(std::initializer_list<int> ids) {
    for (int id : ids)
        m_ids[m_count++] = static_cast<std::int8_t>(id);
}

void Vars::add(int id) {
    if (m_count == static_cast<int>(m_ids.size())) throw std::length_error("too many quantities");
    m_ids[m_count++] = static_cast<std::int8_t>(id);
}

Work::Work(EquilAB& state, const SolverTables* tables) : m_state(state), m_tables(tables) {
    m_values.fill(EmptyValue);
}

void Work::markGiven() {
    m_given = 0;
    for (int v = 0; v < MaxWorkingValues; ++v)
        if (known(v)) m_given |= 1u << v;
}

void Work::fail(std::string reason) {
    m_state.Fail(std::move(reason));
    m_stopped = true;
}

void Work::explainFailure() {
    if (m_state.CalcError != 0 && m_state.CalcErrorReason.empty() && m_step != nullptr)
        m_state.Fail(StepReason(*this, *m_step));
}

std::string Work::name(int v) const {
    if (m_tables != nullptr) {
        for (const auto* links : {&m_tables->inputs, &m_tables->writeBack})
            for (const SlotLink& link : *links)
                if (link.var == v && !m_state.SlotSymbols[link.slot].empty())
                    return std::string(m_state.SlotSymbols[link.slot]);
    }
    return "a quantity derived on the way";
}

std::string Work::named(int v) const {
    return name(v) + " = " + ReasonNumber(m_values[v]);
}

std::vector<std::string> Work::givenNames() const {
    std::vector<std::string> names;
    for (int v = 0; v < MaxWorkingValues; ++v)
        if (given(v)) names.push_back(name(v));
    return names;
}

bool Work::known(const Vars& vs) const {
    for (int v : vs)
        if (empty(v)) return false;
    return true;
}

void Work::set(int v, double x) {
    put(v, x);
    m_changed = true;
}

void Work::put(int v, double x) {
    if (!std::isfinite(x)) fault();
    if (x != m_values[v]) m_roots &= ~(1u << v);
    m_values[v] = x;
}

double Work::sqrtKw() const {
    return std::sqrt(m_state.Kw);
}

bool Work::isPureWater(int H) const {
    if (isRoot(H)) return false;
    return std::abs(m_values[H] * m_values[H] - m_state.Kw) / m_state.Kw < 1e-12;
}

double Work::solve(double c5, double c4, double c3, double c2, double c1, double c0) {
    const double root = SolvePolynomial(m_state, c5, c4, c3, c2, c1, c0);
    if (m_state.CalcError != 0) {
        explainFailure();
        m_stopped = true;
    }
    return root;
}

void Work::snapNeutral(int H) {
    const double neutral = sqrtKw();
    if (std::abs(m_values[H] - neutral) / neutral < 1e-8) m_values[H] = neutral;
}

void Work::waterTriplet(int pH, int H, int OH) {
    const bool failedBefore = m_state.CalcError != 0;
    CompleteWaterTriplet(m_state, m_values[pH], m_values[H], m_values[OH], m_changed);
    if (!failedBefore && m_state.CalcError != 0) m_state.Fail(WaterReason(*this, pH, H, OH));
}

void Work::fault() {
    m_state.CalcError = 1;
    explainFailure();
    if (m_state.CalcErrorReason.empty())
        m_state.Fail("An arithmetic fault (a division by zero or a number beyond range) for the "
                     "values given");
    m_stopped = true;
}

Rule Derive(const char* name, int target, Vars needs, Formula formula, Guard guard) {
    return Rule{name, target, needs, guard, formula, nullptr};
}

Rule Solve(const char* name, int target, Vars needs, Action action, Guard guard) {
    return Rule{name, target, needs, guard, nullptr, action};
}

Rule Step(const char* name, Vars needs, Guard guard, Action action) {
    return Rule{name, NoVar, needs, guard, nullptr, action};
}

Rule Step(const char* name, Action action) {
    return Rule{name, NoVar, {}, nullptr, nullptr, action};
}

double RelativeMismatch(double difference, double scale) {
    if (scale == 0.0) return difference == 0.0 ? 0.0 : std::numeric_limits<double>::infinity();
    return std::abs(difference) / scale;
}

bool Accepts(const EquilAB& state, const Range& range, double x) {
    if (range.kind == Range::Kind::PH) return state.PHMin <= x && x <= state.PHMax;
    const bool aboveLo = range.loOpen ? x > range.lo : x >= range.lo;
    const bool belowHi = range.hiOpen ? x < range.hi : x <= range.hi;
    if (!(aboveLo && belowHi)) return false;
    const double neutral = std::sqrt(state.Kw);
    if (range.kind == Range::Kind::AcidicH) return x >= neutral / 1.0000000001;
    if (range.kind == Range::Kind::BasicH) return x <= neutral * 1.0000000001;
    return true;
}

void ClearArithmeticFaults() {
    std::feclearexcept(FaultFlags);
}

bool ArithmeticFaultRaised() {
    return std::fetestexcept(FaultFlags) != 0;
}

void RunSolver(EquilAB& state, const SolverTables& tables) {
    state.ClearCalcError();
    ClearArithmeticFaults();

    // When the other values fix [H+] (or V_eq) already, a given pH, [H+], [OH-] or V_eq is a
    // check, not a source: deriving species from a rounded pH by a difference of large
    // concentrations, or an equivalence pH from a rounded V_eq, would turn four good digits
    // into none. Solve without them, then compare.
    const Vars dependent = givenDependentValues(state, tables);
    if (dependent.size() > 0) {
        Work rest = loaded(state, tables, dependent);
        if (derive(rest, tables) && rest.known(dependent)) {
            Work given = loaded(state, tables, {});
            for (int v : dependent)
                checkDependent(given, rest, v, tables);
            if (state.CalcError == 0) checkFinalValues(rest, tables);
            if (state.CalcError == 0) writeBack(rest, tables);
            return;
        }
        state.ClearCalcError();
        ClearArithmeticFaults();
    }

    Work w = loaded(state, tables, {});
    if (!derive(w, tables)) return;
    checkFinalValues(w, tables);
    if (state.CalcError == 0) writeBack(w, tables);
}

} // namespace corvane::engine
