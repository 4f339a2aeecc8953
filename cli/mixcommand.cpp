// corvane-cli mix: the equilibrium of a free mixture, the concentration of one component for a
// required pH, or the titration curve of the mixture with a strong acid or base.
#include "mixcommand.h"

#include "commandline.h"
#include "mixcomponents.h"
#include "mixoptions.h"
#include "mixtitration.h"

#include "compounds/componentforms.h"
#include "engine/mixture.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <utility>

namespace corvane::cli {

namespace {

struct MixRequest {
    MixOptions o;
    std::vector<std::pair<std::string, std::string>> components; // NAME and value, as typed
    std::optional<std::string> ph, find;
    std::optional<std::string> titrant, volume, to;
};

std::pair<std::string, std::string> nameAndValue(const std::string& arg, const char* expected) {
    const std::size_t eq = arg.find('=');
    if (eq == std::string::npos || eq == 0)
        throw UsageError{std::string("expected ") + expected + ", not \"" + arg + "\""};
    return {arg.substr(0, eq), arg.substr(eq + 1)};
}

MixRequest parseMix(const std::vector<std::string>& args) {
    MixRequest r;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (takeMixOption(args, i, r.o) || takeActivityOption(args, i, r.o)) continue;
        if (arg.starts_with("--ph"))
            r.ph = optionValue(args, i, "--ph");
        else if (arg.starts_with("--find"))
            r.find = optionValue(args, i, "--find");
        else if (arg.starts_with("--titrate"))
            r.titrant = optionValue(args, i, "--titrate");
        else if (arg.starts_with("--volume"))
            r.volume = optionValue(args, i, "--volume");
        else if (arg.starts_with("--to"))
            r.to = optionValue(args, i, "--to");
        else if (arg.starts_with("--"))
            throw UsageError{"unknown option \"" + arg + "\""};
        else
            r.components.push_back(nameAndValue(arg, "COMPONENT=C"));
    }
    if (r.components.empty()) throw UsageError{"mix needs at least one COMPONENT=C"};
    finishModel(r.o);
    if (r.components.size() > static_cast<std::size_t>(engine::MaxComponents))
        throw UsageError{"a mixture holds at most " + std::to_string(engine::MaxComponents) +
                         " components, not " + std::to_string(r.components.size())};
    if (r.ph.has_value() != r.find.has_value())
        throw UsageError{"--ph P and --find NAME go together"};
    if (r.titrant && r.ph) throw UsageError{"--titrate cannot be combined with --ph and --find"};
    if (r.titrant && !r.volume) throw UsageError{"--titrate needs --volume V0"};
    if (!r.titrant && (r.volume || r.to || !r.o.graph.picture.empty() || !r.o.graph.table.empty()))
        throw UsageError{"--volume, --to, --picture and --table belong to --titrate"};
    return r;
}

// The component --find names: as typed, or by the name it resolved to.
int findIndex(const MixRequest& r, const std::vector<engine::Component>& mixture) {
    for (std::size_t i = 0; i < mixture.size(); ++i)
        if (r.components[i].first == *r.find || mixture[i].name == *r.find)
            return static_cast<int>(i);
    throw UsageError{"--find " + *r.find + " names none of the components"};
}

void writeText(const MixOptions& o, const engine::MixtureResult& r, std::ostream& out) {
    out << "pH\t" << resultText(o, r.pH) << "\n[H+]\t" << resultText(o, r.h) << "\n[OH-]\t"
        << resultText(o, r.oh) << "\nionic strength\t" << resultText(o, r.ionicStrength) << '\n';
    for (const engine::ComponentAmounts& c : r.components) {
        out << c.name << '\t' << resultText(o, c.total) << '\n';
        for (const engine::SpeciesAmount& s : c.species)
            out << "  " << compounds::SpeciesText(s.species) << '\t'
                << resultText(o, s.concentration) << '\t' << resultText(o, s.fraction) << '\n';
    }
    out << "ok\n";
    if (!r.warning.empty()) out << r.warning << '\n';
}

void writeJson(const MixOptions& o, const engine::MixtureResult& r, std::ostream& out) {
    out << "{\"status\":\"ok\",";
    if (!r.warning.empty()) out << "\"reason\":" << jsonString(r.warning) << ",";
    out << "\"pH\":" << fullPrecision(r.pH) << ",\"h\":" << fullPrecision(r.h)
        << ",\"oh\":" << fullPrecision(r.oh)
        << ",\"ionic_strength\":" << fullPrecision(r.ionicStrength) << ",\"components\":[";
    for (std::size_t i = 0; i < r.components.size(); ++i) {
        const engine::ComponentAmounts& c = r.components[i];
        out << (i ? "," : "") << "{\"name\":" << jsonString(c.name)
            << ",\"total\":" << fullPrecision(c.total) << ",\"species\":[";
        for (std::size_t k = 0; k < c.species.size(); ++k) {
            const engine::SpeciesAmount& s = c.species[k];
            out << (k ? "," : "")
                << "{\"formula\":" << jsonString(compounds::SpeciesText(s.species))
                << ",\"charge\":" << s.species.charge
                << ",\"concentration\":" << fullPrecision(s.concentration)
                << ",\"fraction\":" << fullPrecision(s.fraction) << "}";
        }
        out << "]}";
    }
    out << "]" << jsonActivity(o, r) << "}\n";
}

} // namespace

int RunMix(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    MixRequest r = parseMix(args);
    MixOptions& o = r.o;
    o.graph.commandLine = args;

    // Every name first, so that a usage error comes before any reading error.
    std::vector<engine::Component> mixture;
    for (const auto& [name, value] : r.components)
        mixture.push_back(ComponentNamed(name, o.pKw));
    const int unknown = r.find ? findIndex(r, mixture) : -1;
    std::optional<engine::Component> titrant;
    std::string titrantValue;
    if (r.titrant) {
        const auto [name, value] = nameAndValue(*r.titrant, "--titrate TITRANT=C");
        titrant = StrongAcidOrBase(name);
        if (!titrant)
            throw UsageError{"the titrant must be a strong acid or base (HCl, HNO3, HClO4, NaOH "
                             "or KOH), not \"" +
                             name + "\""};
        titrantValue = value;
    }

    std::string reason;
    for (std::size_t i = 0; i < mixture.size(); ++i) {
        if (static_cast<int>(i) == unknown) continue;
        const std::optional<double> c =
            ReadConcentration(r.components[i].first, r.components[i].second, o.numbers, reason);
        if (!c) return refuse(o, Status::ReadingError, reason, out, err);
        mixture[i].total = *c;
    }

    if (titrant) {
        const std::optional<double> c =
            ReadConcentration(titrant->name, titrantValue, o.numbers, reason);
        if (!c) return refuse(o, Status::ReadingError, reason, out, err);
        titrant->total = *c;
        const std::optional<double> volume = readOption("--volume", *r.volume, true, o, reason);
        if (!volume) return refuse(o, Status::ReadingError, reason, out, err);
        std::optional<double> to;
        if (r.to) {
            to = readOption("--to", *r.to, true, o, reason);
            if (!to) return refuse(o, Status::ReadingError, reason, out, err);
        }
        return RunMixtureTitration(o, {std::move(mixture), *volume, std::move(*titrant)}, to, out,
                                   err);
    }

    engine::MixtureResult result;
    if (unknown >= 0) {
        const std::optional<double> pH = readOption("pH", *r.ph, false, o, reason);
        if (!pH) return refuse(o, Status::ReadingError, reason, out, err);
        result = engine::FindConcentration(mixture, unknown, *pH, mixtureModel(o));
    } else {
        result = engine::SolveMixture(mixture, mixtureModel(o));
    }
    if (!result.ok) return refuse(o, Status::CalculationError, result.reason, out, err);
    if (o.json)
        writeJson(o, result, out);
    else
        writeText(o, result, out);
    return ExitOk;
}

} // namespace corvane::cli
