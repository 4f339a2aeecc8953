#include "compoundlist.h"

#include "commandline.h"

#include "request.h"

#include "compounds/componentforms.h"
#include "compounds/compounds.h"
#include "compounds/reagents.h"
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

// A tabulated value as the table gives it: 9.27, not 9.2699999999999996.
std::string tabulated(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", v);
    return text;
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
            out << (step ? "," : "") << (c.pk[step] ? tabulated(*c.pk[step]) : "null");
        out << "],\"charge\":" << compounds::TopCharge(c) << ",\"source\":" << jsonString(c.source)
            << ",\"reagents\":[";
        for (std::size_t i = 0; i < c.reagents.size(); ++i) {
            const compounds::Reagent& r = c.reagents[i];
            out << (i ? "," : "") << "{\"name\":" << jsonString(r.name)
                << ",\"formula\":" << jsonString(compounds::PlainFormula(r.formula))
                << ",\"molar_mass\":" << tabulated(r.molarMass) << ",\"supplies\":[";
            for (std::size_t k = 0; k < r.supplies.size(); ++k) {
                const compounds::ChargedFormula f = compounds::SplitCharge(r.supplies[k].formula);
                out << (k ? "," : "")
                    << "{\"formula\":" << jsonString(compounds::SpeciesText({f.formula, f.charge}))
                    << ",\"count\":" << r.supplies[k].count << "}";
            }
            out << "],\"protons\":" << compounds::Protons(c, r)
                << ",\"source\":" << jsonString(r.source) << "}";
        }
        out << "]}";
        ++listed;
    }
    out << "]\n";
    if (listed > 0) return ExitOk;
    err << "corvane-cli: no compound matches \"" << text << "\"\n";
    return ExitInvalidInput;
}

} // namespace corvane::cli
