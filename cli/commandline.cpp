#include "commandline.h"
#include "batch.h"
#include "request.h"

#include "compoundlist.h"
#include "fileoutput.h"
#include "graphkinds.h"
#include "mixcommand.h"
#include "validutf8.h"

#include "compounds/constants.h"
#include "engine/catalogue.h"
#include "engine/equilab.h"
#include "numtext/numbertext.h"
#include "version/version.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>

namespace corvane::cli {

namespace {

using engine::EquilAB;
using engine::ProblemType;

constexpr const char* HelpText =
    R"(corvane-cli - acid-base equilibria in water from the command line

Usage:
  corvane-cli solve CODE [--pkw 14.00|13.59 | --temperature T] [--activity ideal|davies]
                   [--digits N] [--json] [--acid NAME] [--base NAME] [NAME=VALUE ...]
  corvane-cli graph CODE KIND [--pkw 14.00|13.59 | --temperature T] [--activity ideal|davies]
                    [--digits N] [--acid NAME] [--base NAME]
                    [--volume V0] [--added C] [--picture FILE] [--size WxH]
                    [--table FILE] [--x MIN:MAX[:STEP]] [--y MIN:MAX[:STEP]]
                    [--at X ...] [--marks] [--indicator NAME] [--data FILE] [--json]
                    [NAME=VALUE ...]
  corvane-cli graph CODE --kinds [--json]
  corvane-cli fit CODE --data FILE --fit NAME[,NAME...] [--pkw 14.00|13.59 | --temperature T]
                  [--activity ideal|davies] [--digits N] [--json] [NAME=VALUE ...]
  corvane-cli batch CODE [--pkw 14.00|13.59 | --temperature T] [--activity ideal|davies]
                    [--digits N] [--acid NAME] [--base NAME] [--input FILE]
  corvane-cli list
  corvane-cli compounds [TEXT] [--json]
  corvane-cli mix COMPONENT=C ... [--pkw 14.00|13.59 | --temperature T]
                  [--activity ideal|davies] [--digits N] [--json] [--ph P --find NAME]
  corvane-cli mix COMPONENT=C ... --titrate TITRANT=C --volume V0 [--to VMAX]
                  [--pkw 14.00|13.59 | --temperature T] [--activity ideal|davies]
                  [--picture FILE] [--size WxH] [--table FILE] [--json]
  corvane-cli species NAME [--pkw 14.00|13.59] [--picture FILE] [--size WxH] [--table FILE]
                      [--json]
  corvane-cli recipe NAME --ph P --total C --volume V [--reagents R1,R2] [--stock R=C]
                     [--pkw 14.00|13.59 | --temperature T] [--activity ideal|davies]
                     [--digits N] [--json]
  corvane-cli --help
  corvane-cli --version

solve   Calculates one problem type as the Calculate button does: every quantity starts
        unknown, the given ones are set, and the solver fills in all that follows from them.
        CODE     a problem code such as 11, 12C or 55C (see "list").
        NAME     a slot index 0..16 or the quantity's symbol as "list" writes it (C_a, pH,
                 [H+], k_a, alpha, V_eq, pH_eq ...). Only the rows the option offers for
                 typing can be given.
        VALUE    a whole number: 0.1, 0,1 (a comma switches the output to commas too),
                 1e-5, 5% or 1/3; anything after it ("1mM") or nothing is a reading error.
        --pkw    the ionic product of water, 14.00 (25 °C, default) or 13.59 (37 °C).
        --temperature
                 the temperature in °C, 0 to 60, instead of --pkw: Kw by Harned and
                 Robinson, pKw = 4470.99/T - 6.0875 + 0.01706·T (T in K).
        --activity
                 ideal (default): activities are concentrations; davies: activity
                 coefficients by the Davies equation at the ionic strength of the solution
                 (its spectator ions included), the pH being -log10 of the H+ activity and
                 the constants thermodynamic. Beyond an ionic strength of 0.5 mol/L the
                 result comes with a warning on the reason line.
        --digits significant digits of the results, 4 to 12 (default 4).
        --json   one JSON object instead of text lines; with --activity davies or
                 --temperature it holds "activity": the model, "ionic_strength", "gamma"
                 of the charges 1 to 3 and "temperature".
        --acid, --base
                 fill the constants of the code (k_a; k_1, k_2, k_3; k_b) with 10^(-pK) of
                 a compound of the table (see "compounds"), named by its name, the start of
                 its name, a part of it or its formula, ignoring case ("acetic", "HF").
                 Its constants cannot also be given as NAME=VALUE.
        Text output: one line "slot<TAB>symbol<TAB>value" for every quantity that holds a
        value, then "ok" or the error message followed by a line saying why the input is
        invalid ("reason" in the JSON object), or "incomplete" followed by what else to give
        ("Not enough values: give also one of k_a, pH, [H+], α"; "hint" in JSON), or
        after "ok" a warning about the result.
graph   Solves as "solve" does, then makes graph KIND of the problem as the graph window
        does: its scales, the sweep of its curves and the recorded points of the data table.
        KIND     a graph kind the code offers (a wrong one lists those offered).
        --kinds  lists the graph kinds the code offers instead, one line "KIND<TAB>title"
                 each as the graph type chooser titles them, or with --json one object
                 {"code": CODE, "kinds": [{"kind": KIND, "title": TITLE}, ...]}.
        --volume the buffer volume in mL for kinds 27 and 29 of codes 42 to 45 (default 100).
        --added  the concentration of the added strong acid or base in mol/L for those kinds
                 (default: the one the solver found).
        --picture draws the graph into FILE, a Windows bitmap (.bmp), a PNG (.png), an SVG
                 drawing (.svg) or, as printed, an A4 PDF page (.pdf).
        --size   the picture in pixels, 200x150 to 8000x8000 (default 1000x700).
        --table  writes the data table into FILE as the table window saves it (its text
                 with CR LF line ends, UTF-8), or as CSV when FILE ends in .csv.
        --x, --y the axis from MIN to MAX with ticks every STEP (all labelled); without
                 STEP the step is chosen as for the default scales (every second tick
                 labelled). The sweep and the table rows follow the x range.
        --at     the curve's value at X, computed there (repeat it for several values):
                 one line "x<TAB>y" per value, with the slope |dpH/dV| as a third field for
                 the titration kinds, instead of the table rows. An X outside the curve's
                 domain gives the reason on its line, and exit status 1.
        --marks  draws the equivalence and half-equivalence points of a titration curve
                 on the picture.
        --indicator
                 shades the transition range of an indicator on a pH axis: thymol blue,
                 bromophenol blue, methyl orange, bromocresol green, methyl red,
                 bromothymol blue, phenol red, cresol red, phenolphthalein,
                 thymolphthalein or alizarin yellow R (or the start of one name).
        --json   one JSON object: titles, axes (the scales used), columns, the recorded
                 rows, the number of accepted sweep points, the marks of a titration curve
                 ("marks", empty for other graphs), the values of --at ("at"), the
                 indicator and the picture written.
        --data   draws the x,y pairs of FILE (measured data, as for "fit") as markers
                 over the curve; JSON adds "data": {"points", "rms"}, the RMS of measured
                 minus computed pH for the titration curves (null for other graphs).
        Text output: the column headings, tab-separated, then one line per recorded row.
fit     Fits a titration (codes 50 to 55C) to measured pH values by least squares; with
        --activity davies each point's pH is solved as the mixture its flask then is, at
        its own ionic strength.
        --data   the measurements: one "volume, pH" pair a line (mL of titrant, measured
                 pH), an optional header line, separated by ",", ";", a tab or spaces; with
                 ";" or tabs a decimal comma may be used. A bad line refuses the file.
        --fit    the unknowns: quantities of the curve (C_a, V_a, k_a, C_SB ... as "list"
                 names them) and pH_offset, a constant added to every computed pH.
        NAME=VALUE fixes the other quantities (the solver completes them as in "solve");
                 a given value of an unknown is where the fit starts, besides the guesses
                 read off the data. pH_offset=VALUE fixes the offset or starts it.
        Text output: one line "NAME<TAB>value<TAB>standard error" per unknown, then rms,
        r2 and points, then the problem solved with the fitted values as "solve" prints
        it. JSON: {"code", "fitted": {NAME: {"value", "se"}}, "rms", "r2", "points",
        "solve": {...}}. Unknowns the data cannot tell apart, or a fit that does not
        converge, give exit status 1 with the reason.
batch   Solves one problem per line of CSV read from standard input (or FILE), as "solve"
        does, and writes CSV as it goes. The first line names the columns (NAME as for
        "solve"); fields are separated by ";" when that line holds one (numbers may then
        use a decimal comma), else by ",". Each line written holds every quantity of the
        code, a status (ok, reading error, calculation error, incomplete, bad line) and the
        reason. An empty cell is not given; a quoted cell may hold line breaks. A bad line
        (one over 1 MB too) is reported and the batch goes on; a bad first line stops it
        (status 2).
        --acid and --base fill the constants of every line.
list    Every problem code with its task, option, title and slot table, and a line
        "graph KIND<TAB>title" for every graph kind it offers.
compounds
        The table of common weak acids and bases at 25 °C whose name or formula contains
        TEXT (all without it), one line each: name, formula, kind, pK values, constants and
        the source of the values. Exit status 1 when none matches. --json writes one array
        of {"name", "formula", "kind", "pk", "charge" (of the most protonated form),
        "source", "reagents"}.
mix     The equilibrium of any mixture in water, from its charge balance: pH, [H+], [OH-],
        the ionic strength and, for each component, its species with concentrations and
        fractions. Up to 20 COMPONENT=C (C in mol/L, read like a value field):
          a compound of the table by its name, the start of its name or its formula, added
          in its tabulated form (acetic=0.1, H3PO4=0.05, ammonia=0.02);
          acid:PK1[,PK2...][/CHARGE]=C, an acid of up to six pK values whose most protonated
          form has CHARGE (0 unless given); base:PKB[,PKB2...]=C likewise for a base;
          a strong acid or base: HCl, HNO3, HClO4, NaOH, KOH;
          a spectator ion: Na+, K+, Cl-, NO3-, or ion:CHARGE=C (ion:+2=0.1).
        A salt is written as its parts: sodium acetate 0.1 mol/L is acetic=0.1 Na+=0.1.
        --ph P --find NAME
                 the concentration of component NAME (its given value is ignored) that
                 gives pH P, or the reason why none does.
        --titrate TITRANT=C --volume V0 [--to VMAX]
                 the titration curve of V0 mL of the mixture with the strong acid or base
                 TITRANT up to VMAX mL (default twice the last equivalence volume), with the
                 equivalence points of the mixture's proton balance marked. --picture,
                 --size and --table as for "graph"; the text output is the data table and one
                 line "equivalence<TAB>V<TAB>pH" per point, --json that of "graph" with
                 "marks".
        --activity, --temperature
                 as for "solve": with davies every species has the Davies coefficient of
                 its charge at the mixture's ionic strength (each titration point at its
                 own), iterated until the pH, -log10 of the H+ activity, settles; [H+],
                 [OH-] and the species stay concentrations.
        --json   {"status", "pH", "h", "oh", "ionic_strength", "components": [{"name",
                 "total", "species": [{"formula", "charge", "concentration",
                 "fraction"}]}]}, with "activity" as "solve" writes it.
species The distribution diagram of one component (NAME as for mix, without =C): the
        fraction of each of its forms at 257 pH values from 0 to 14, one column per form.
        --picture draws it as "graph" does; --table writes the columns (tab-separated, or
        CSV for a .csv file); --json writes {"species": [...], "rows": [[pH, ...], ...]}.
recipe  The amounts of two reagents of an acid or base system of the table (NAME as for
        compounds: a name, a formula or a reagent) that make V mL of total concentration C
        (mol/L) at pH P: grams of each, or mL of a stock solution of C mol/L given with
        --stock R=C. Without --reagents the pair lies around the pK nearest P: the acid and
        its sodium salt, or two anhydrous sodium salts (corvane-cli compounds --json lists
        the reagents). A pH the pair cannot reach is refused with the range it reaches.
        --activity, --temperature
                 as for "mix": with davies the made solution has pH P in activity terms.
        --json   {"system", "ph", "total", "volume", "reagents": [{"name", "formula",
                 "grams" or "millilitres", "moles"}], "ionic_strength"}, with "activity"
                 as "solve" writes it.

--help     this text.
--version  the program's version.

Exit status: 0 solved (and drawn), 1 invalid input (reading or calculation error, not
enough values, "Invalid data" for the graph, a picture or table that cannot be written, any
line of a batch) or standard output that cannot be written, 2 usage error.

Examples:
  corvane-cli solve 11 C_a=0.1 k_a=1.8e-5
  corvane-cli solve 11 --json C_a=0.1 pH=2.87528
  corvane-cli solve 55 --acid phosphoric C_a=0.1 V_a=25 C_SB=0.1
  corvane-cli compounds amine
  corvane-cli graph 50 33 --picture slope.png C_a=0.1 V_a=25 C_SB=0.1
  corvane-cli graph 13 22 --json C_a=0.1 k_1=7.5e-3 k_2=6.2e-8 k_3=4.8e-13
  corvane-cli graph 51 29 --at 10 --at 12.5 C_a=0.1 V_a=25 k_a=1.8e-5 C_SB=0.1
  corvane-cli graph 51 29 --marks --indicator phenolphthalein --x 15:35 --picture eq.png
                    C_a=0.1 V_a=25 k_a=1.8e-5 C_SB=0.1
  corvane-cli batch 11 --acid acetic < concentrations.csv
  corvane-cli mix acetic=0.1 Na+=0.1
  corvane-cli mix acetic=0.1 NaOH=0 --ph 4.76 --find NaOH
  corvane-cli mix H3PO4=0.1 --titrate NaOH=0.1 --volume 25 --picture phosphate.png
  corvane-cli species phosphoric --picture fractions.svg
  corvane-cli recipe phosphate --ph 7.2 --total 0.1 --volume 1000
  corvane-cli fit 51 --data titration.csv --fit C_a,k_a V_a=25 C_SB=0.1
)";

} // namespace

std::optional<int> parseWhole(const std::string& text) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(text);
}

double parsePKw(const std::string& text) {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (!text.empty() && *end == '\0') {
        if (std::abs(v - 14.0) < 1e-9) return 14.0;
        if (std::abs(v - 13.59) < 1e-9) return 13.59;
    }
    throw UsageError{"--pkw must be 14.00 or 13.59, not \"" + text + "\""};
}

engine::ActivityModel parseActivity(const std::string& text) {
    if (text == "ideal") return engine::ActivityModel::Ideal;
    if (text == "davies") return engine::ActivityModel::Davies;
    throw UsageError{"--activity must be ideal or davies, not \"" + text + "\""};
}

double parseTemperature(const std::string& text) {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(v >= engine::LowestTemperature) ||
        !(v <= engine::HighestTemperature))
        throw UsageError{"--temperature must be a number of °C from 0 to 60, not \"" + text + "\""};
    return v;
}

int parseDigits(const std::string& text) {
    const std::optional<int> n = parseWhole(text);
    if (!n || *n < 4 || *n > 12) throw UsageError{"--digits must be a whole number from 4 to 12"};
    return *n;
}

int resolveSlot(const ProblemType& problem, const std::string& name) {
    int slot = -1;
    if (const std::optional<int> index = parseWhole(name)) {
        if (*index > 16) throw UsageError{"slot " + name + " does not exist (0 to 16)"};
        slot = *index;
    } else {
        // A quantity can stand in two rows (C_SA in slot 4 and its copy in slot 16): the
        // typed row wins.
        for (const engine::SlotRow& row : problem.rows)
            if (engine::SymbolName(row.quantity) == name &&
                (slot < 0 || engine::OffersInput(problem, row.slot)))
                slot = row.slot;
        if (slot < 0)
            throw UsageError{"code " + std::string(problem.code) + " has no quantity \"" + name +
                             "\" (see corvane-cli list)"};
    }
    if (!engine::OffersInput(problem, slot))
        throw UsageError{"\"" + name + "\" is not an input of code " + std::string(problem.code)};
    return slot;
}

// An option needs a value: "--digits 6" or "--digits=6".
std::string optionValue(const std::vector<std::string>& args, std::size_t& i,
                        const std::string& option) {
    const std::string& arg = args[i];
    if (arg.size() > option.size() && arg[option.size()] == '=')
        return arg.substr(option.size() + 1);
    if (arg != option) throw UsageError{"unknown option \"" + arg + "\""};
    if (i + 1 >= args.size()) throw UsageError{option + " needs a value"};
    return args[++i];
}

std::string_view slotName(const ProblemType& problem, int slot) {
    const engine::SlotRow* row = engine::FindRow(problem, slot);
    return row ? engine::SymbolName(row->quantity) : std::string_view("-");
}

namespace {

// The constant slots that --acid and --base fill; none of them may also be typed.
std::map<int, double> constantsOf(const ProblemType& problem,
                                  const std::optional<std::string>& acid,
                                  const std::optional<std::string>& base,
                                  const std::map<int, std::string>& typed) {
    const compounds::Filling filling = compounds::FillConstantsByName(problem, acid, base);
    if (!filling.error.empty()) throw UsageError{filling.error + " (see corvane-cli compounds)"};
    std::map<int, double> constants;
    for (const auto& [slot, value] : filling.values) {
        if (typed.contains(slot))
            throw UsageError{std::string(slotName(problem, slot)) +
                             " is given twice: as a value and by --acid or --base"};
        constants[slot] = value;
    }
    return constants;
}

} // namespace

SolveRequest parseSolve(const std::vector<std::string>& args, std::size_t first,
                        const ExtraOption& extra) {
    SolveRequest request;
    request.problem = engine::FindProblem(args[1]);
    if (request.problem == nullptr)
        throw UsageError{"unknown problem code \"" + args[1] + "\" (see corvane-cli list)"};
    std::optional<std::string> acid, base;
    bool pKwGiven = false;
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (extra && extra(args, i)) {
            continue;
        } else if (arg.starts_with("--acid")) {
            acid = optionValue(args, i, "--acid");
        } else if (arg.starts_with("--base")) {
            base = optionValue(args, i, "--base");
        } else if (arg == "--json") {
            request.json = true;
        } else if (arg.starts_with("--pkw")) {
            request.pKw = parsePKw(optionValue(args, i, "--pkw"));
            pKwGiven = true;
        } else if (arg.starts_with("--activity")) {
            request.activity = parseActivity(optionValue(args, i, "--activity"));
        } else if (arg.starts_with("--temperature")) {
            request.temperature = parseTemperature(optionValue(args, i, "--temperature"));
        } else if (arg.starts_with("--digits")) {
            request.digits = parseDigits(optionValue(args, i, "--digits"));
        } else if (arg.starts_with("--")) {
            throw UsageError{"unknown option \"" + arg + "\""};
        } else {
            const std::size_t eq = arg.find('=');
            if (eq == std::string::npos || eq == 0)
                throw UsageError{"expected NAME=VALUE, not \"" + arg + "\""};
            const int slot = resolveSlot(*request.problem, arg.substr(0, eq));
            if (!request.values.emplace(slot, arg.substr(eq + 1)).second)
                throw UsageError{"slot " + std::to_string(slot) + " is given twice"};
        }
    }
    if (pKwGiven && request.temperature) throw UsageError{TemperatureWithPKw};
    request.constants = constantsOf(*request.problem, acid, base, request.values);
    return request;
}

std::string jsonString(std::string_view text) {
    std::string s = "\"";
    for (char c : ValidUtf8(text)) {
        if (c == '"' || c == '\\') s += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            s += escaped;
        } else {
            s += c;
        }
    }
    return s + "\"";
}

std::string fullPrecision(double v) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

void applyModel(const SolveRequest& request, EquilAB& state) {
    state.Activity = request.activity;
    if (request.temperature) state.SetTemperature(*request.temperature);
}

std::string jsonActivity(const SolveRequest& request, const EquilAB& state) {
    return jsonActivity(request.activity, request.temperature.has_value(), state.Activities,
                        state.Temperature);
}

std::string jsonActivity(engine::ActivityModel model, bool temperatureGiven,
                         const engine::ActivityResult& a, double temperature) {
    if (model == engine::ActivityModel::Ideal && !temperatureGiven) return {};
    return std::string(",\"activity\":{\"model\":") +
           (model == engine::ActivityModel::Davies ? "\"davies\"" : "\"ideal\"") +
           ",\"ionic_strength\":" + fullPrecision(a.ionicStrength) +
           ",\"gamma\":{\"1\":" + fullPrecision(a.gamma[0]) +
           ",\"2\":" + fullPrecision(a.gamma[1]) + ",\"3\":" + fullPrecision(a.gamma[2]) +
           "},\"temperature\":" + fullPrecision(temperature) + "}";
}

bool readGiven(const ProblemType& problem, int slot, std::string_view text, EquilAB& state,
               numtext::NumberSettings& settings, std::string& reason) {
    const double v = numtext::ParseNumberToken(text, settings, state.CalcError);
    if (state.CalcError != 0 || engine::IsEmpty(v)) {
        state.CalcError = 1;
        reason = std::string(slotName(problem, slot)) + " = \"";
        reason.append(text) += "\" cannot be read as a number";
        return false;
    }
    state.IOValues[slot] = v;
    return true;
}

namespace {

Status settle(calc::Outcome outcome, std::string& reason) {
    reason = std::move(outcome.reason);
    return outcome.status;
}

} // namespace

Status solveProblem(const SolveRequest& request, EquilAB& state, numtext::NumberSettings& settings,
                    std::string& reason) {
    const ProblemType& problem = *request.problem;
    applyModel(request, state);
    for (const auto& [slot, value] : request.constants)
        state.IOValues[slot] = value;
    // Reading as the window reads its fields: in row order, stopping at the first failure.
    // A NAME= with nothing after it is a failure too.
    for (const auto& [slot, text] : request.values)
        if (!readGiven(problem, slot, text, state, settings, reason))
            return settle(calc::ReadingFailed(problem, state, reason), reason);
    return settle(calc::Calculate(problem, state), reason);
}

const char* statusMessage(Status status) {
    if (status == Status::ReadingError) return ReadingErrorMessage;
    if (status == Status::CalculationError) return CalculationErrorMessage;
    return statusWord(status);
}

const char* statusWord(Status status) {
    switch (status) {
    case Status::Ok:
        return "ok";
    case Status::ReadingError:
        return "reading error";
    case Status::CalculationError:
        return "calculation error";
    case Status::Incomplete:
        return "incomplete";
    }
    return "";
}

void writeSolution(const SolveRequest& request, const EquilAB& state, Status status,
                   const std::string& reason, char decimalSeparator, std::ostream& out) {
    const ProblemType& problem = *request.problem;

    std::int16_t formatError = 0; // formatting must not disturb the status read above
    auto text = [&](double v) {
        return numtext::FormatNumber(v, request.digits, decimalSeparator, formatError);
    };
    const char* message = statusMessage(status);
    if (request.json) {
        char pKwText[16];
        std::snprintf(pKwText, sizeof pKwText, request.temperature ? "%.4f" : "%.2f", state.pKw);
        out << "{\"code\":" << jsonString(problem.code) << ",\"title\":"
            << jsonString(engine::FormTaskTitle(problem.task, problem.option,
                                                problem.firstDissociationComplete))
            << ",\"pKw\":" << pKwText << ",\"status\":\"" << statusWord(status) << '"';
        if (!reason.empty())
            out << (status == Status::Incomplete ? ",\"hint\":" : ",\"reason\":")
                << jsonString(reason);
        out << jsonActivity(request, state);
        out << ",\"slots\":[";
        bool first = true;
        for (int slot = 0; slot < engine::SlotCount; ++slot) {
            const double v = state.IOValues[slot];
            if (engine::IsEmpty(v)) continue;
            out << (first ? "" : ",") << "{\"slot\":" << slot
                << ",\"name\":" << jsonString(slotName(problem, slot))
                << ",\"value\":" << fullPrecision(v) << ",\"text\":" << jsonString(text(v)) << "}";
            first = false;
        }
        out << "]}";
    } else {
        for (int slot = 0; slot < engine::SlotCount; ++slot) {
            const double v = state.IOValues[slot];
            if (engine::IsKnown(v))
                out << slot << '\t' << slotName(problem, slot) << '\t' << text(v) << '\n';
        }
        out << message << '\n';
        if (!reason.empty()) out << reason << '\n';
    }
}

namespace {

int solve(const SolveRequest& request, std::ostream& out, std::ostream& err) {
    EquilAB state(request.pKw);
    numtext::NumberSettings settings;
    std::string reason;
    const Status status = solveProblem(request, state, settings, reason);
    writeSolution(request, state, status, reason, settings.DecimalSeparator, out);
    if (request.json) out << "\n";
    if (status == Status::Ok) return ExitOk;
    err << "corvane-cli: "
        << (status == Status::Incomplete ? reason.c_str() : statusMessage(status)) << "\n";
    return ExitInvalidInput;
}

void list(std::ostream& out) {
    for (const ProblemType& p : engine::Problems()) {
        const engine::TaskInfo& task = engine::Task(p.task);
        out << p.code << '\t' << task.caption << '\t' << task.options[p.option] << '\t'
            << engine::FormTaskTitle(p.task, p.option, p.firstDissociationComplete) << '\n';
        for (const engine::SlotRow& row : p.rows) {
            const bool typed = engine::OffersInput(p, row.slot);
            out << "  " << row.slot << '\t' << engine::SymbolName(row.quantity) << '\t'
                << (typed                      ? "input"
                    : row.slot == p.hiddenSlot ? "hidden"
                                               : "result")
                << (typed && !row.readAtEntry ? " (not read)" : "") << (row.hgroup ? "\tH" : "\t-")
                << "\t\"" << row.heading << "\"\n";
        }
        WriteGraphKindLines(p, out);
    }
}

} // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return RunCommandLine(args, std::cin, out, err);
}

namespace {

int runCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err) {
    try {
        if (args.empty()) throw UsageError{"no command given"};
        const std::string& command = args[0];
        if (command == "--help" || command == "-h" || command == "help") {
            out << HelpText;
            return ExitOk;
        }
        if (command == "--version") {
            out << "corvane-cli " << VersionText << '\n';
            return ExitOk;
        }
        if (command == "list") {
            if (args.size() > 1) throw UsageError{"list takes no arguments"};
            list(out);
            return ExitOk;
        }
        if (command == "solve") {
            if (args.size() < 2) throw UsageError{"solve needs a problem code"};
            return solve(parseSolve(args, 2), out, err);
        }
        if (command == "graph") return RunGraph(args, out, err);
        if (command == "mix") return RunMix(args, out, err);
        if (command == "species") return RunSpecies(args, out, err);
        if (command == "recipe") return RunRecipe(args, out, err);
        if (command == "fit") return RunFit(args, out, err);
        if (command == "batch") {
            if (args.size() < 2) throw UsageError{"batch needs a problem code"};
            return RunBatch(args, in, out);
        }
        if (command == "compounds") {
            const bool json = std::find(args.begin() + 1, args.end(), "--json") != args.end();
            if (args.size() > (json ? 3u : 2u))
                throw UsageError{"compounds takes at most one TEXT"};
            std::string text;
            for (std::size_t i = 1; i < args.size(); ++i)
                if (args[i] != "--json") text = args[i];
            return json ? ListCompoundsJson(text, out, err) : ListCompounds(text, out, err);
        }
        throw UsageError{"unknown command \"" + command + "\""};
    } catch (const UsageError& e) {
        err << "corvane-cli: " << e.message << " (corvane-cli --help explains the usage)\n";
        return ExitUsage;
    }
}

} // namespace

int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    const int status = runCommand(args, in, out, err);
    if (out.flush()) return status;
    const auto* file = dynamic_cast<const FileOutput*>(out.rdbuf());
    const std::string why = file ? file->error() : std::string();
    err << "corvane-cli: cannot write the output" << (why.empty() ? "" : ": " + why) << "\n";
    return ExitInvalidInput;
}

} // namespace corvane::cli
