#include "reason.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace corvane::engine {

namespace {

std::string bound(double x, const EquilAB& state, bool isPH, bool lower) {
    if (isPH) return ReasonNumber(lower ? state.PHMin : state.PHMax);
    return ReasonNumber(x);
}

std::string pHOf(double h) {
    return ReasonNumber(-std::log10(h));
}

std::string disagree(const Work& w, const std::string& detail) {
    const std::vector<std::string> names = w.givenNames();
    if (names.size() < 2) return "The values disagree: " + detail;
    return JoinNames(names) + " disagree: " + detail;
}

} // namespace

std::string ReasonNumber(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4G", x);
    std::string s = text;
    const std::size_t e = s.find('E');
    if (e == std::string::npos) return s;
    const int exponent = std::atoi(s.c_str() + e + 1);
    return s.substr(0, e) + "E" + std::to_string(exponent);
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string joined;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) joined += i + 1 == names.size() ? " and " : ", ";
        joined += names[i];
    }
    return joined;
}

std::string RangeReason(const Work& w, int v, const Range& accepted) {
    const EquilAB& state = w.state();
    const double x = w[v];
    const std::string neutral = ReasonNumber(state.pKw / 2);
    const bool insideConcentrationRange = x > 0 && x <= accepted.hi;
    if (accepted.kind == Range::Kind::AcidicH && insideConcentrationRange)
        return "pH = " + pHOf(x) + " is not acidic; a solution of an acid has pH below " + neutral +
               " here";
    if (accepted.kind == Range::Kind::BasicH && insideConcentrationRange)
        return "pH = " + pHOf(x) + " is not basic; a solution of a base has pH above " + neutral +
               " here";
    const bool isPH = accepted.kind == Range::Kind::PH;
    const std::string name = w.name(v);
    const std::string range =
        bound(accepted.lo, state, isPH, true) + (accepted.loOpen ? " < " : " ≤ ") + name +
        (accepted.hiOpen ? " < " : " ≤ ") + bound(accepted.hi, state, isPH, false);
    if (w.given(v)) return name + " = " + ReasonNumber(x) + " is outside its range " + range;
    return "From the values given, " + name + " would be " + ReasonNumber(x) +
           ", outside its range " + range + "; it cannot follow from them";
}

std::string ConsistencyReason(const Work& w, const Consistency& c) {
    if (c.describe) return disagree(w, c.describe(w));
    return disagree(w, std::string("the ") + c.group + " is off by " +
                           ReasonNumber(100 * c.mismatch(w)) + " %");
}

std::string DependentReason(const Work& given, const Work& derived, int v) {
    return DependentReason(given.name(v), given[v], derived[v]);
}

std::string DependentReason(std::string_view name, double given, double derived) {
    const std::string n(name);
    return n + " = " + ReasonNumber(given) + " disagrees with the other values given, which give " +
           n + " = " + ReasonNumber(derived);
}

std::string RootReason(const Work& w, int h, double root) {
    return disagree(w, "their equation for [H+] gives pH " + pHOf(root) + ", not pH " + pHOf(w[h]));
}

std::string WaterReason(const Work& w, int pH, int H, int OH) {
    const double Kw = w.Kw();
    std::string detail;
    if (w.known(H) && w.known(OH) && !PHUnitsAgree(w[H] * w[OH], Kw))
        detail = w.named(H) + " and " + w.named(OH) +
                 " make [H+][OH-] = " + ReasonNumber(w[H] * w[OH]) +
                 ", not Kw = " + ReasonNumber(Kw);
    else if (w.known(H) && w.known(pH) && !PHUnitsAgree(w[H], std::pow(10.0, -w[pH])))
        detail = w.named(pH) + " means [H+] = " + ReasonNumber(std::pow(10.0, -w[pH])) + ", not " +
                 ReasonNumber(w[H]);
    else
        return "pH, [H+] and [OH-] cannot be completed from " + JoinNames(w.givenNames()) +
               ": a concentration of 0 or one beyond the range of numbers";
    // Name what the user gave: the water values may all have been derived from it.
    return disagree(w, detail);
}

std::string StepReason(const Work& w, const Rule& step) {
    if (step.polynomial)
        return "No positive [H+] satisfies the equation of " + JoinNames(w.givenNames());
    if (step.target == NoVar)
        return std::string("The step ") + step.name + " fails for the values given (" +
               JoinNames(w.givenNames()) + ")";
    std::vector<std::string> sources;
    for (int v : step.needs)
        sources.push_back(w.name(v));
    return w.name(step.target) + " cannot be computed from " + JoinNames(sources) +
           ": the arithmetic fails (a division by zero, a logarithm of a number that is not " +
           "positive, or a number beyond range)";
}

} // namespace corvane::engine
