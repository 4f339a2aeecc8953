#include "commandline.h"
#include "batch.h"
#include "request.h"

#include "compoundlist.h"

#include "compounds/constants.h"
#include "engine/catalogue.h"
#include "engine/equilab.h"
#include "numtext/numbertext.h"

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
                    [--table FILE] [--json] [NAME=VALUE ...]
  corvane-cli batch CODE [--pkw 14.00|13.59 | --temperature T] [--activity ideal|davies]
                    [--digits N] [--acid NAME] [--base NAME] [--input FILE]
  corvane-cli list
  corvane-cli compounds [TEXT]
  corvane-cli --help

solve   Calculates one problem type as the Calculate button does: every quantity starts
        unknown, the given ones are set, and the solver fills in all that follows from them.
        CODE     a problem code such as 11, 12C or 55C (see "list").
        NAME     a slot index 0..16 or the quantity's symbol as "list" writes it (C_a, pH,
                 [H+], k_a, alpha, V_eq, pH_eq ...). Only the rows the option offers for
                 typing can be given.
        VALUE    read like a value field: 0.1, 0,1 (a comma switches the output to commas
                 too), 1e-5, 5% or 1/3.
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
        invalid ("reason" in the JSON object), or after "ok" a warning about the result.
graph   Solves as "solve" does, then makes graph KIND of the problem as the graph window
        does: its scales, the sweep of its curves and the recorded points of the data table.
        KIND     a graph kind the code offers (a wrong one lists those offered).
        --volume the buffer volume in mL for kinds 27 and 29 of codes 42 to 45 (default 100).
        --added  the concentration of the added strong acid or base in mol/L for those kinds
                 (default: the one the solver found).
        --picture draws the graph into FILE, a Windows bitmap (.bmp), a PNG (.png), an SVG
                 drawing (.svg) or, as printed, an A4 PDF page (.pdf).
        --size   the picture in pixels, 200x150 to 8000x8000 (default 1000x700).
        --table  writes the data table into FILE as the table window saves it (its text
                 with CR LF line ends, UTF-8), or as CSV when FILE ends in .csv.
        --json   one JSON object: titles, axes, columns, the recorded rows, the number of
                 accepted sweep points and the picture written.
        Text output: the column headings, tab-separated, then one line per recorded row.
batch   Solves one problem per line of CSV read from standard input (or FILE), as "solve"
        does, and writes CSV as it goes. The first line names the columns (NAME as for
        "solve"); fields are separated by ";" when that line holds one (numbers may then
        use a decimal comma), else by ",". Each line written holds every quantity of the
        code, a status (ok, reading error, calculation error, bad line) and the reason. A
        bad line is reported and the batch goes on; a bad first line stops it (status 2).
        --acid and --base fill the constants of every line.
list    Every problem code with its task, option, title and slot table.
compounds
        The table of common weak acids and bases at 25 °C whose name or formula contains
        TEXT (all without it), one line each: name, formula, kind, pK values, constants and
        the source of the values. Exit status 1 when none matches.

Exit status: 0 solved (and drawn), 1 invalid input (reading or calculation error, "Invalid
data" for the graph, a picture or table that cannot be written, any line of a batch), 2 usage
error.

Examples:
  corvane-cli solve 11 C_a=0.1 k_a=1.8e-5
  corvane-cli solve 11 --json C_a=0.1 pH=2.87528
  corvane-cli solve 55 --acid phosphoric C_a=0.1 V_a=25 C_SB=0.1
  corvane-cli compounds amine
  corvane-cli graph 50 33 --picture slope.png C_a=0.1 V_a=25 C_SB=0.1
  corvane-cli graph 13 22 --json C_a=0.1 k_1=7.5e-3 k_2=6.2e-8 k_3=4.8e-13
  corvane-cli batch 11 --acid acetic < concentrations.csv
)";

} // namespace

std::optional<int> parseWhole(const std::string& text) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(text);
}

namespace {

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

} // namespace

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
    if (pKwGiven && request.temperature)
        throw UsageError{"--temperature and --pkw exclude each other: Kw follows from the "
                         "temperature"};
    request.constants = constantsOf(*request.problem, acid, base, request.values);
    return request;
}

namespace {

bool blank(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

} // namespace

std::string jsonString(std::string_view text) {
    std::string s = "\"";
    for (char c : text) {
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
    if (request.activity == engine::ActivityModel::Ideal && !request.temperature) return {};
    const engine::ActivityResult& a = state.Activities;
    return std::string(",\"activity\":{\"model\":") +
           (request.activity == engine::ActivityModel::Davies ? "\"davies\"" : "\"ideal\"") +
           ",\"ionic_strength\":" + fullPrecision(a.ionicStrength) +
           ",\"gamma\":{\"1\":" + fullPrecision(a.gamma[0]) +
           ",\"2\":" + fullPrecision(a.gamma[1]) + ",\"3\":" + fullPrecision(a.gamma[2]) +
           "},\"temperature\":" + fullPrecision(state.Temperature) + "}";
}

Status solveProblem(const SolveRequest& request, EquilAB& state, numtext::NumberSettings& settings,
                    std::string& reason) {
    applyModel(request, state);
    for (const auto& [slot, value] : request.constants)
        state.IOValues[slot] = value;
    // Reading as the window reads its fields: in row order, stopping at the first failure.
    for (const auto& [slot, text] : request.values) {
        if (blank(text)) continue;
        const double v = numtext::ParseNumber(text, settings, state.CalcError);
        if (state.CalcError != 0) {
            reason = std::string(slotName(*request.problem, slot)) + " = \"" + text +
                     "\" cannot be read as a number";
            return Status::ReadingError;
        }
        state.IOValues[slot] = v;
    }
    engine::RunProblem(state, request.problem->code);
    if (state.CalcError == 0) {
        reason = state.ActivityWarning;
        return Status::Ok;
    }
    reason = state.CalcErrorReason;
    return Status::CalculationError;
}

const char* statusMessage(Status status) {
    return status == Status::Ok             ? "ok"
           : status == Status::ReadingError ? ReadingErrorMessage
                                            : CalculationErrorMessage;
}

namespace {

int solve(const SolveRequest& request, std::ostream& out, std::ostream& err) {
    const ProblemType& problem = *request.problem;
    EquilAB state(request.pKw);
    numtext::NumberSettings settings;
    std::string reason;
    const Status status = solveProblem(request, state, settings, reason);
    if (status != Status::Ok)
        for (int slot = engine::InputRowCount(problem.task); slot < engine::SlotCount; ++slot)
            state.IOValues[slot] = engine::EmptyValue;

    std::int16_t formatError = 0; // formatting must not disturb the status read above
    auto text = [&](double v) {
        return numtext::FormatNumber(v, request.digits, settings.DecimalSeparator, formatError);
    };
    const char* message = statusMessage(status);
    if (request.json) {
        const char* statusWord = status == Status::Ok             ? "ok"
                                 : status == Status::ReadingError ? "reading error"
                                                                  : "calculation error";
        char pKwText[16];
        std::snprintf(pKwText, sizeof pKwText, request.temperature ? "%.4f" : "%.2f", state.pKw);
        out << "{\"code\":" << jsonString(problem.code) << ",\"title\":"
            << jsonString(engine::FormTaskTitle(problem.task, problem.option,
                                                problem.firstDissociationComplete))
            << ",\"pKw\":" << pKwText << ",\"status\":\"" << statusWord << '"';
        if (!reason.empty()) out << ",\"reason\":" << jsonString(reason);
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
        out << "]}\n";
    } else {
        for (int slot = 0; slot < engine::SlotCount; ++slot) {
            const double v = state.IOValues[slot];
            if (engine::IsKnown(v))
                out << slot << '\t' << slotName(problem, slot) << '\t' << text(v) << '\n';
        }
        out << message << '\n';
        if (!reason.empty()) out << reason << '\n';
    }
    if (status == Status::Ok) return ExitOk;
    err << "corvane-cli: " << message << "\n";
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
    }
}

} // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return RunCommandLine(args, std::cin, out, err);
}

int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    try {
        if (args.empty()) throw UsageError{"no command given"};
        const std::string& command = args[0];
        if (command == "--help" || command == "-h" || command == "help") {
            out << HelpText;
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
        if (command == "batch") {
            if (args.size() < 2) throw UsageError{"batch needs a problem code"};
            return RunBatch(args, in, out);
        }
        if (command == "compounds") {
            if (args.size() > 2) throw UsageError{"compounds takes at most one TEXT"};
            return ListCompounds(args.size() > 1 ? args[1] : std::string(), out, err);
        }
        throw UsageError{"unknown command \"" + command + "\""};
    } catch (const UsageError& e) {
        err << "corvane-cli: " << e.message << " (corvane-cli --help explains the usage)\n";
        return ExitUsage;
    }
}

} // namespace corvane::cli
