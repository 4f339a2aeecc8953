#include "solver.h"

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
    if (r.formula != nullptr)
        w.set(r.target, r.formula(w));
    else
        r.action(w);
}

void validate(Work& w, const std::vector<Validation>& table) {
    for (const Validation& v : table)
        if (w.known(v.var) && !Accepts(w.state(), v.accepted, w[v.var])) w.state().CalcError = 1;
}

void checkConsistency(Work& w, const std::vector<Consistency>& table) {
    for (const Consistency& c : table) {
        if (!w.known(c.members)) continue;
        if (c.guard != nullptr && !c.guard(w)) continue;
        if (!(c.mismatch(w) <= c.tolerance)) w.state().CalcError = 1;
    }
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

Work::Work(EquilAB& state) : m_state(state) {
    m_values.fill(EmptyValue);
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
    m_values[v] = x;
}

double Work::sqrtKw() const {
    return std::sqrt(m_state.Kw);
}

bool Work::isPureWater(int H) const {
    return std::abs(m_values[H] * m_values[H] - m_state.Kw) / m_state.Kw < 1e-12;
}

double Work::solve(double c5, double c4, double c3, double c2, double c1, double c0) {
    const double root = SolvePolynomial(m_state, c5, c4, c3, c2, c1, c0);
    if (m_state.CalcError != 0) m_stopped = true;
    return root;
}

void Work::snapNeutral(int H) {
    const double neutral = sqrtKw();
    if (std::abs(m_values[H] - neutral) / neutral < 1e-8) m_values[H] = neutral;
}

void Work::waterTriplet(int pH, int H, int OH) {
    CompleteWaterTriplet(m_state, m_values[pH], m_values[H], m_values[OH], m_changed);
}

void Work::fault() {
    m_state.CalcError = 1;
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
    state.CalcError = 0;
    ClearArithmeticFaults();
    Work w(state);
    for (const SlotLink& in : tables.inputs)
        w.load(in.var, state.IOValues[in.slot]);
    if (tables.start) tables.start(w);

    auto faulted = [&] {
        if (ArithmeticFaultRaised()) w.fault();
        return w.stopped();
    };

    bool settled = false;
    for (int pass = 0; pass < MaxPasses && !settled; ++pass) {
        w.beginPass();
        validate(w, tables.validation);
        checkConsistency(w, tables.consistency);
        if (state.CalcError != 0) return;
        for (const Rule& r : tables.specialCases)
            if (applies(w, r)) run(w, r);
        if (w.stopped()) return;
        for (const Rule& r : tables.rules) {
            if (applies(w, r)) run(w, r);
            if (w.stopped()) return;
        }
        if (faulted()) return;
        settled = !w.changed();
    }
    // A run that never settled, or whose last pass left CalcError set, reports the error and
    // leaves IOValues as it was read.
    if (!settled) state.CalcError = 1;
    if (state.CalcError != 0) return;

    for (const SlotLink& out : tables.writeBack)
        state.IOValues[out.slot] = w[out.var];
    for (const FixedWrite& out : tables.fixedWrites)
        state.IOValues[out.slot] = out.value;
    if (tables.afterWriteBack) tables.afterWriteBack(w);
}

} // namespace corvane::engine
