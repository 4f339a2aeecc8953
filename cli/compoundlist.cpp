#include "compoundlist.h"

#include "commandline.h"

#include "request.h"

#include "compounds/compounds.h"
#include "compounds/species.h"
#include "numtext/numbertext.h"

#include <cstdio>
#include <ostream>

namespace corvane::cli {

namespace {

using compounds::Compound;

// "k_a", "k_b" or "k_1".. "k_3" for a step of a compound.
std::string constantName(const Compound& c, int step) {
    if (c.kind == compounds::Kind::Base) return "k_b";
    if (c.protons == 1) return "k_a";
    return "k_" + std::to_string(step + 1);
}

} // namespace

int ListCompounds(const std::string& text, std::ostream& out, std::ostream& err) {
    int listed = 0;
    for (const Compound& c : compounds::Compounds()) {
        if (!compounds::Matches(c, text)) continue;
        std::string pks, constants;
        for (int step = 0; step < c.protons; ++step) {
            const std::string name = constantName(c, step);
            const std::string separator = step == 0 ? "" : ", ";
            if (!c.pk[step]) {
                pks += separator + "p" + name + " strong";
                continue;
            }
            char pk[16];
            std::snprintf(pk, sizeof pk, "%.2f", *c.pk[step]);
            std::int16_t formatError = 0;
            pks += separator + "p" + name + " " + pk;
            constants += (constants.empty() ? "" : ", ") + name + " " +
                         numtext::FormatNumber(c.constant(step), 4, '.', formatError);
        }
        out << c.name << '\t' << compounds::PlainFormula(c.formula) << '\t'
            << compounds::KindText(c) << '\t' << pks << '\t' << constants << '\t' << c.source
            << '\n';
        ++listed;
    }
    if (listed > 0) return ExitOk;
    err << "corvane-cli: no compound matches \"" << text << "\"\n";
    return ExitInvalidInput;
}

int ListCompoundsJson(const std::string& text, std::ostream& out, std::ostream& err) {
    int listed = 0;
    out << "[";
    for (const Compound& c : compounds::Compounds()) {
        if (!compounds::Matches(c, text)) continue;
        out << (listed ? "," : "") << "{\"name\":" << jsonString(c.name)
            << ",\"formula\":" << jsonString(compounds::PlainFormula(c.formula))
            << ",\"kind\":" << jsonString(compounds::KindText(c)) << ",\"pk\":[";
        for (std::size_t step = 0; step < c.pk.size(); ++step)
            out << (step ? "," : "") << (c.pk[step] ? fullPrecision(*c.pk[step]) : "null");
        out << "],\"charge\":" << compounds::TopCharge(c) << ",\"source\":" << jsonString(c.source)
            << ",\"reagents\":[]}";
        ++listed;
    }
    out << "]\n";
    if (listed > 0) return ExitOk;
    err << "corvane-cli: no compound matches \"" << text << "\"\n";
    return ExitInvalidInput;
}

} // namespace corvane::cli
