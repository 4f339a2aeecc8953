#include "compounds.h"
#include "reagents.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace corvane::compounds {

namespace {

constexpr int FieldCount = 8;                // kind;name;formula;protons;pk1;pk2;pk3;source
constexpr std::size_t ReagentFieldCount = 7; // reagent;system;name;formula;mass;supplies;source

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(';', start);
        fields.push_back(trim(line.substr(start, end - start)));
        if (end == std::string_view::npos) return fields;
        start = end + 1;
    }
}

std::optional<double> readNumber(std::string_view text) {
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// pK values outside this range are typing errors, not weak acids or bases.
constexpr double LowestPK = -2.0;
constexpr double HighestPK = 20.0;

struct Source {
    std::string key;
    std::string citation;
};

// One compound line; the message of the first fault it finds, or nothing.
std::optional<std::string> readCompound(const std::vector<std::string_view>& f,
                                        const std::vector<Source>& sources, Compound& c) {
    if (f.size() != FieldCount)
        return "expected " + std::to_string(FieldCount) + " fields, found " +
               std::to_string(f.size());
    c.kind = f[0] == "acid" ? Kind::Acid : Kind::Base;
    c.name = f[1];
    c.formula = f[2];
    if (c.name.empty()) return std::string("no name");
    if (c.formula.empty()) return "no formula for " + c.name;
    const std::optional<double> protons = readNumber(f[3]);
    const int maxProtons = c.kind == Kind::Acid ? 3 : 1;
    if (!protons || *protons != std::floor(*protons) || *protons < 1 || *protons > maxProtons)
        return c.name + ": protons must be a whole number from 1 to " + std::to_string(maxProtons);
    c.protons = static_cast<int>(*protons);
    for (int step = 0; step < 3; ++step) {
        const std::string_view text = f[4 + step];
        const std::string which = c.name + ": pk" + std::to_string(step + 1);
        if (step >= c.protons) {
            if (!text.empty())
                return which + " given for " + std::to_string(c.protons) + " proton(s)";
            continue;
        }
        if (text == "strong") {
            if (step != 0 || c.kind != Kind::Acid || c.protons < 2)
                return which + ": only the first step of a polyprotic acid can be strong";
            c.pk.emplace_back();
            continue;
        }
        if (text.empty()) return which + " missing";
        const std::optional<double> pk = readNumber(text);
        if (!pk || *pk < LowestPK || *pk > HighestPK)
            return which + " is not a pK value: \"" + std::string(text) + "\"";
        if (step > 0 && c.pk.back() && *pk <= *c.pk.back())
            return which + " does not exceed pk" + std::to_string(step);
        c.pk.emplace_back(*pk);
    }
    const auto source = std::find_if(sources.begin(), sources.end(),
                                     [&](const Source& s) { return s.key == f[7]; });
    if (f[7].empty()) return c.name + ": no source";
    if (source == sources.end()) return c.name + ": unknown source \"" + std::string(f[7]) + "\"";
    c.source = source->citation;
    return std::nullopt;
}

} // namespace

std::string Lowercase(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return out;
}

double Compound::constant(int step) const {
    return std::pow(10.0, -pk.at(step).value());
}

ParseResult ParseCompounds(std::string_view text) {
    ParseResult result;
    std::vector<Source> sources;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = trim(text.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        if (line.empty() || line.front() == '#') continue;

        const std::vector<std::string_view> fields = splitFields(line);
        std::optional<std::string> fault;
        if (fields[0] == "source") {
            if (fields.size() != 3 || fields[1].empty() || fields[2].empty())
                fault = "a source line is source;KEY;citation";
            else if (std::any_of(sources.begin(), sources.end(),
                                 [&](const Source& s) { return s.key == fields[1]; }))
                fault = "source " + std::string(fields[1]) + " given twice";
            else
                sources.push_back({std::string(fields[1]), std::string(fields[2])});
        } else if (fields[0] == "reagent") {
            const auto source = std::find_if(sources.begin(), sources.end(), [&](const Source& x) {
                return fields.size() == ReagentFieldCount && x.key == fields.back();
            });
            if (fields.size() != ReagentFieldCount)
                fault = "expected " + std::to_string(ReagentFieldCount) + " fields, found " +
                        std::to_string(fields.size());
            else if (source == sources.end())
                fault = "unknown source \"" + std::string(fields.back()) + "\"";
            else
                fault = ReadReagent(fields, source->citation, result.compounds);
        } else if (fields[0] == "acid" || fields[0] == "base") {
            Compound c;
            fault = readCompound(fields, sources, c);
            const std::string name = Lowercase(c.name);
            if (!fault && std::any_of(result.compounds.begin(), result.compounds.end(),
                                      [&](const Compound& o) { return Lowercase(o.name) == name; }))
                fault = c.name + " given twice";
            if (!fault) result.compounds.push_back(std::move(c));
        } else {
            fault = "unknown record \"" + std::string(fields[0]) + "\"";
        }
        if (fault) result.errors.push_back("line " + std::to_string(lineNumber) + ": " + *fault);
    }
    return result;
}

namespace {

const ParseResult& embedded() {
    static const ParseResult table = ParseCompounds(EmbeddedData);
    return table;
}

} // namespace

const std::vector<Compound>& Compounds() {
    return embedded().compounds;
}

const std::vector<std::string>& DataErrors() {
    return embedded().errors;
}

std::string PlainFormula(std::string_view markup) {
    std::string plain;
    for (std::size_t i = 0; i < markup.size(); ++i) {
        const char c = markup[i];
        // "_x" and "^x" mark one character; "__" and "^^" stand for the sign itself.
        if ((c == '_' || c == '^') && i + 1 < markup.size()) {
            plain += markup[++i];
            continue;
        }
        plain += c;
    }
    return plain;
}

bool Matches(const Compound& compound, std::string_view text) {
    const std::string needle = Lowercase(trim(text));
    if (needle.empty() || Lowercase(compound.name).find(needle) != std::string::npos ||
        Lowercase(PlainFormula(compound.formula)).find(needle) != std::string::npos)
        return true;
    // A reagent by a part of its name or by its whole formula: "NH4Cl" finds ammonia, while
    // "nh3" does not find Tris hydrochloride.
    return std::any_of(compound.reagents.begin(), compound.reagents.end(), [&](const Reagent& r) {
        return Lowercase(r.name).find(needle) != std::string::npos ||
               Lowercase(PlainFormula(r.formula)) == needle;
    });
}

std::string KindText(const Compound& compound) {
    if (compound.kind == Kind::Base) return "base";
    static constexpr const char* Acids[] = {"monoprotic acid", "diprotic acid", "triprotic acid"};
    return Acids[compound.protons - 1];
}

std::vector<const Compound*> OfKind(Kind kind) {
    std::vector<const Compound*> found;
    for (const Compound& c : Compounds())
        if (c.kind == kind) found.push_back(&c);
    return found;
}

Lookup FindCompound(std::string_view text, const std::vector<const Compound*>& among) {
    const std::string wanted = Lowercase(trim(text));
    std::vector<const Compound*> exact, prefix, contains;
    for (const Compound* c : among) {
        const std::string name = Lowercase(c->name);
        if (name == wanted || Lowercase(PlainFormula(c->formula)) == wanted) exact.push_back(c);
        if (name.starts_with(wanted)) prefix.push_back(c);
        if (Matches(*c, text)) contains.push_back(c);
    }
    for (const std::vector<const Compound*>* found : {&exact, &prefix, &contains}) {
        if (found->size() == 1) return {LookupStatus::Found, found->front(), {}};
        if (found->size() > 1) return {LookupStatus::Ambiguous, nullptr, *found};
    }
    return {LookupStatus::NotFound, nullptr, {}};
}

} // namespace corvane::compounds
