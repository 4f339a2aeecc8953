// corvane-cli species: the distribution diagram of one component, the fraction of each of its
// forms against pH 0 to 14.
#include "mixcommand.h"

#include "commandline.h"
#include "graphfiles.h"
#include "mixcomponents.h"
#include "mixoptions.h"

#include "compounds/componentforms.h"
#include "graphs/mixture_numbers.h"

#include <ostream>
#include <sstream>

namespace corvane::cli {

namespace {

// One line per pH: tab-separated, or comma-separated for a CSV file (";" with a decimal
// comma).
std::string distributionText(const MixOptions& o, const engine::Component& component,
                             const graphs::Distribution& d, char separator) {
    std::ostringstream text;
    text << "pH";
    for (const engine::Species& s : component.forms)
        text << separator << compounds::SpeciesText(s);
    text << '\n';
    for (std::size_t i = 0; i < d.pH.size(); ++i) {
        text << resultText(o, d.pH[i]);
        for (const std::vector<double>& f : d.fractions)
            text << separator << resultText(o, f[i]);
        text << '\n';
    }
    return text.str();
}

} // namespace

int RunSpecies(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    MixOptions o;
    std::string name;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (takeMixOption(args, i, o)) continue;
        if (args[i].starts_with("--")) throw UsageError{"unknown option \"" + args[i] + "\""};
        if (!name.empty()) throw UsageError{"species takes one NAME"};
        name = args[i];
    }
    if (name.empty()) throw UsageError{"species needs a NAME"};
    const engine::Component component = ComponentNamed(name, o.pKw);
    if (component.pk.empty())
        throw UsageError{"\"" + name + "\" has only one form: there is nothing to distribute"};

    const graphs::GraphSettings settings = graphs::DistributionSettings(component);
    const graphs::Distribution d = graphs::SweepDistribution(component, {0, 14, 0, 1, 1});
    GraphRequest& g = o.graph;
    g.commandLine = args;
    if (!g.picture.empty() || !g.table.empty()) {
        const char separator = !g.tableAsCsv ? '\t' : o.numbers.DecimalSeparator == ',' ? ';' : ',';
        const std::string tableText =
            g.table.empty() ? std::string() : distributionText(o, component, d, separator);
        if (!WriteDistributionFiles(component, settings, o.pKw, o.numbers.DecimalSeparator,
                                    tableText, g, err))
            return ExitInvalidInput;
    }

    if (!o.json) {
        out << distributionText(o, component, d, '\t');
        return ExitOk;
    }
    out << "{\"species\":[";
    for (std::size_t k = 0; k < component.forms.size(); ++k)
        out << (k ? "," : "") << jsonString(compounds::SpeciesText(component.forms[k]));
    out << "],\"rows\":[";
    for (std::size_t i = 0; i < d.pH.size(); ++i) {
        out << (i ? "," : "") << "[" << fullPrecision(d.pH[i]);
        for (const std::vector<double>& f : d.fractions)
            out << "," << fullPrecision(f[i]);
        out << "]";
    }
    out << "]}\n";
    return ExitOk;
}

} // namespace corvane::cli
