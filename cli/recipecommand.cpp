// corvane-cli recipe: grams of two reagents (or millilitres of a stock solution) that make a
// buffer of a given pH, total concentration and volume.
#include "mixcommand.h"

#include "commandline.h"
#include "mixoptions.h"

#include "compounds/reagents.h"
#include "compounds/recipe.h"
#include "engine/reason.h"

#include <ostream>
#include <tuple>

namespace corvane::cli {

namespace {

using compounds::Compound;
using compounds::Reagent;

struct RecipeRequest {
    MixOptions o;
    std::string system;
    std::optional<std::string> ph, total, volume, reagents, stock;
};

RecipeRequest parseRecipe(const std::vector<std::string>& args) {
    RecipeRequest r;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (takeMixOption(args, i, r.o) || takeActivityOption(args, i, r.o)) continue;
        if (arg.starts_with("--ph"))
            r.ph = optionValue(args, i, "--ph");
        else if (arg.starts_with("--total"))
            r.total = optionValue(args, i, "--total");
        else if (arg.starts_with("--volume"))
            r.volume = optionValue(args, i, "--volume");
        else if (arg.starts_with("--reagents"))
            r.reagents = optionValue(args, i, "--reagents");
        else if (arg.starts_with("--stock"))
            r.stock = optionValue(args, i, "--stock");
        else if (arg.starts_with("--"))
            throw UsageError{"unknown option \"" + arg + "\""};
        else if (r.system.empty())
            r.system = arg;
        else
            throw UsageError{"recipe takes one NAME"};
    }
    if (r.system.empty()) throw UsageError{"recipe needs the NAME of an acid or base system"};
    finishModel(r.o);
    if (!r.ph || !r.total || !r.volume) throw UsageError{"recipe needs --ph, --total and --volume"};
    if (!r.o.graph.picture.empty() || !r.o.graph.table.empty())
        throw UsageError{"recipe draws no picture and writes no table"};
    return r;
}

std::string reagentNames(const Compound& system) {
    std::string names;
    for (const Reagent& r : system.reagents)
        names += (names.empty() ? "" : ", ") + compounds::PlainFormula(r.formula);
    return names;
}

const Compound& findSystem(const std::string& name) {
    std::vector<const Compound*> all;
    for (const Compound& c : compounds::Compounds())
        all.push_back(&c);
    const compounds::Lookup found = compounds::FindCompound(name, all);
    if (found.status != compounds::LookupStatus::Found)
        throw UsageError{"\"" + name + "\" names no single compound (see corvane-cli compounds)"};
    if (found.compound->reagents.size() < 2)
        throw UsageError{found.compound->name + " has no reagents for a recipe"};
    return *found.compound;
}

const Reagent& findReagent(const Compound& system, const std::string& name) {
    const Reagent* r = compounds::FindReagent(system, name);
    if (r == nullptr)
        throw UsageError{"\"" + name + "\" is not a reagent of " + system.name + " (" +
                         reagentNames(system) + ")"};
    return *r;
}

} // namespace

int RunRecipe(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    RecipeRequest r = parseRecipe(args);
    MixOptions& o = r.o;
    const Compound& system = findSystem(r.system);
    const Reagent* first = nullptr;
    const Reagent* second = nullptr;
    if (r.reagents) {
        const std::size_t comma = r.reagents->find(',');
        if (comma == std::string::npos) throw UsageError{"--reagents takes two: R1,R2"};
        first = &findReagent(system, r.reagents->substr(0, comma));
        second = &findReagent(system, r.reagents->substr(comma + 1));
    }
    const Reagent* stock = nullptr;
    std::string stockText;
    if (r.stock) {
        const std::size_t eq = r.stock->find('=');
        if (eq == std::string::npos) throw UsageError{"--stock takes R=C"};
        stock = &findReagent(system, r.stock->substr(0, eq));
        stockText = r.stock->substr(eq + 1);
    }

    std::string reason;
    const std::optional<double> pH = readOption("pH", *r.ph, false, o, reason);
    std::optional<double> total, volume, stockConcentration;
    if (pH) total = readOption("--total", *r.total, true, o, reason);
    if (total) volume = readOption("--volume", *r.volume, true, o, reason);
    if (volume && stock) stockConcentration = readOption("--stock", stockText, true, o, reason);
    if (!volume || (stock && !stockConcentration))
        return refuse(o, Status::ReadingError, reason, out, err);

    if (!first) {
        std::tie(first, second) = compounds::DefaultReagents(system, *pH, o.pKw);
        if (!first || !second)
            return refuse(o, Status::CalculationError,
                          system.name + " has no reagent on one side of the pK nearest pH " +
                              engine::ReasonNumber(*pH) + "; name two with --reagents (" +
                              reagentNames(system) + ")",
                          out, err);
    }
    if (stock && stock != first && stock != second)
        throw UsageError{"--stock names " + stock->name + ", which the recipe does not use"};
    const engine::MixtureModel model = mixtureModel(o);
    const compounds::Recipe recipe =
        compounds::MakeRecipe(system, *first, *second, *pH, *total, model);
    if (!recipe.ok) return refuse(o, Status::CalculationError, recipe.reason, out, err);
    const engine::MixtureResult made =
        engine::SolveMixture(compounds::RecipeMixture(system, recipe.amounts, o.pKw), model);

    const double litres = *volume / 1000;
    if (o.json) {
        out << "{\"system\":" << jsonString(system.name) << ",\"ph\":" << fullPrecision(*pH)
            << ",\"total\":" << fullPrecision(*total) << ",\"volume\":" << fullPrecision(*volume)
            << ",\"reagents\":[";
    } else {
        out << "system\t" << system.name << "\npH\t" << resultText(o, *pH) << "\ntotal\t"
            << resultText(o, *total) << " mol/L\nvolume\t" << resultText(o, *volume) << " mL\n";
    }
    for (std::size_t i = 0; i < recipe.amounts.size(); ++i) {
        const Reagent& reagent = *recipe.amounts[i].reagent;
        const double moles = recipe.amounts[i].concentration * litres;
        const bool fromStock = &reagent == stock;
        const double amount =
            fromStock ? moles / *stockConcentration * 1000 : moles * reagent.molarMass;
        const std::string formula = compounds::PlainFormula(reagent.formula);
        if (o.json)
            out << (i ? "," : "") << "{\"name\":" << jsonString(reagent.name)
                << ",\"formula\":" << jsonString(formula) << ",\""
                << (fromStock ? "millilitres" : "grams") << "\":" << fullPrecision(amount)
                << ",\"moles\":" << fullPrecision(moles) << "}";
        else
            out << reagent.name << '\t' << formula << '\t' << resultText(o, amount)
                << (fromStock ? " mL" : " g") << '\t' << resultText(o, moles) << " mol\n";
    }
    if (o.json)
        out << "],\"ionic_strength\":" << fullPrecision(made.ionicStrength) << jsonActivity(o, made)
            << "}\n";
    else
        out << "ionic strength\t" << resultText(o, made.ionicStrength) << "\nok\n";
    return ExitOk;
}

} // namespace corvane::cli
