// corvane-cli graph: a graph of a solved problem made as the graph window makes it, without a
// window: the chooser's extra values, the scales, the sweep, the table rows and the picture.
#include "graphfiles.h"
#include "graphoutput.h"
#include "request.h"

#include "commandline.h"
#include "graphextras.h"
#include "graphkinds.h"

#include "engine/reason.h"
#include "engine/slots.h"
#include "fit/measured.h"

#include "graphs/catalogue.h"
#include "graphs/extrafields.h"
#include "graphs/graphvalues.h"
#include "graphs/measuredrms.h"
#include "graphs/scales.h"
#include "graphs/screenframe.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace corvane::cli {

namespace {

using engine::EquilAB;

int parseKind(const std::string& text, const engine::ProblemType& problem) {
    const std::vector<int> offered = graphs::OfferedKinds(graphs::Catalogue(), problem.code);
    const std::optional<int> kind = parseWhole(text);
    if (kind && std::find(offered.begin(), offered.end(), *kind) != offered.end()) return *kind;
    std::string list;
    for (int k : offered)
        list += (list.empty() ? "" : ", ") + std::to_string(k);
    throw UsageError{"code " + std::string(problem.code) + " offers the graph kinds " + list +
                     ", not \"" + text + "\" (see corvane-cli graph " + std::string(problem.code) +
                     " --kinds)"};
}

} // namespace

namespace {

// Whether any graph kind of the code asks for the buffer volume and the added concentration.
bool hasExtraFields(const std::string& code) {
    const std::vector<int> offered = graphs::OfferedKinds(graphs::Catalogue(), code);
    return std::any_of(offered.begin(), offered.end(),
                       [&](int kind) { return graphs::NeedsExtraFields(code, kind); });
}

// A value given on the command line reads as a whole ("10mL" does not); an empty one is left
// to the chooser's rule.
bool wholeNumber(const std::optional<std::string>& text) {
    if (!text) return true;
    numtext::NumberSettings scratch;
    std::int16_t error = 0;
    numtext::ParseNumberToken(*text, scratch, error);
    return error == 0;
}

} // namespace

namespace {

// "graph CODE --kinds [--json]".
int listKinds(const std::vector<std::string>& args, std::ostream& out) {
    const engine::ProblemType* problem = engine::FindProblem(args[1]);
    if (problem == nullptr)
        throw UsageError{"unknown problem code \"" + args[1] + "\" (see corvane-cli list)"};
    bool json = false;
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--json")
            json = true;
        else if (args[i] != "--kinds")
            throw UsageError{"graph CODE --kinds takes only --json, not \"" + args[i] + "\""};
    }
    WriteGraphKinds(*problem, json, out);
    return ExitOk;
}

} // namespace

namespace {

// The command's arguments: solve's, then the graph's own options.
SolveRequest parseGraphArgs(const std::vector<std::string>& args, GraphRequest& g) {
    if (args.size() < 3) throw UsageError{"graph needs a problem code and a graph kind"};
    const SolveRequest request =
        parseSolve(args, 3, [&g](const std::vector<std::string>& a, std::size_t& i) {
            const std::string& arg = a[i];
            if (arg.starts_with("--volume"))
                g.volume = optionValue(a, i, "--volume");
            else if (arg.starts_with("--added"))
                g.added = optionValue(a, i, "--added");
            else if (arg.starts_with("--picture"))
                parsePicture(optionValue(a, i, "--picture"), g);
            else if (arg.starts_with("--size"))
                parseSize(optionValue(a, i, "--size"), g);
            else if (arg.starts_with("--table"))
                parseTable(optionValue(a, i, "--table"), g);
            else if (arg.starts_with("--data"))
                g.data = optionValue(a, i, "--data");
            else if (!parseGraphExtra(a, i, g.extras))
                return false;
            return true;
        });
    const std::string code(request.problem->code);
    if ((g.volume || g.added) && !hasExtraFields(code))
        throw UsageError{"--volume and --added are for the buffers with an added acid or base "
                         "(codes 42 to 45), not for code " +
                         code};
    return request;
}

// The problem, as solve solves it; a problem that cannot be drawn says why and gives false.
bool solveForGraph(const SolveRequest& request, EquilAB& state, numtext::NumberSettings& numbers,
                   std::ostream& err) {
    std::string reason;
    const Status status = solveProblem(request, state, numbers, reason);
    // As the Graphic button, which the window offers only when every input row holds a value.
    if (status == Status::Incomplete) {
        err << "corvane-cli: " << reason << "\n";
        return false;
    }
    if (status != Status::Ok) {
        err << "corvane-cli: " << statusMessage(status) << "\n";
        if (!reason.empty()) err << "corvane-cli: " << reason << "\n";
        return false;
    }
    return true;
}

// The points of --data; a refused file says why and gives false.
bool readMeasuredPoints(GraphRequest& g, std::ostream& err) {
    if (g.data.empty()) return true;
    fit::MeasuredData data = fit::ReadMeasuredFile(g.data);
    if (!data.ok()) {
        err << "corvane-cli: the measured data were refused\ncorvane-cli: " << data.error << "\n";
        return false;
    }
    g.points = std::move(data.points);
    return true;
}

// The buffer volume and the added concentration of the kinds that ask for them: the chooser
// proposes 100 mL and the concentration the solver found, as its fields show them.
bool readExtraFields(const std::string& code, const GraphRequest& g, int digits, EquilAB& state,
                     numtext::NumberSettings& numbers, std::ostream& err) {
    if (!graphs::NeedsExtraFields(code, g.kind)) return true;
    const std::string proposed = graphs::ExtraFieldText(
        state.IOValues[engine::slot::buffer::AddedConcentration], digits, numbers.DecimalSeparator);
    if (!wholeNumber(g.volume) || !wholeNumber(g.added) ||
        !graphs::ReadExtraFields(g.volume.value_or(graphs::DefaultBufferVolume),
                                 g.added.value_or(proposed), state, numbers)) {
        err << "corvane-cli: " << graphs::ExtraFieldsInvalidMessage << "\n";
        return false;
    }
    return true;
}

// The settings of the chosen kind with the scales, titles and headings set from the values, as
// the chooser's OK sets them; none when the values give no graph.
std::optional<graphs::GraphSettings> chooseGraph(const engine::ProblemType& problem, int kind,
                                                 EquilAB& state,
                                                 const numtext::NumberSettings& numbers,
                                                 std::ostream& err) {
    graphs::GraphSettings settings;
    settings.ProblemCode = problem.code;
    settings.TaskTitle =
        engine::FormTaskTitle(problem.task, problem.option, problem.firstDissociationComplete);
    graphs::ChooseGraphKind(settings, graphs::Catalogue(), kind);
    if (!graphs::AjustaEscalasETC(settings, state, numbers.DecimalSeparator)) {
        err << "corvane-cli: " << graphs::InvalidDataMessage << "\n";
        return std::nullopt;
    }
    return settings;
}

// Column 0, column 1 and every further column the kind heads.
std::vector<int> tableColumns(const graphs::GraphSettings& settings) {
    std::vector<int> columns{0, 1};
    for (int c = 2; c < graphs::GraphTableColumns; ++c)
        if (!settings.ColumnHeading[c].empty()) columns.push_back(c);
    return columns;
}

// What one graph command computed, for its output.
struct GraphOutcome {
    const graphs::GraphSettings& settings;
    graphs::PlotScales used;
    graphs::SweepFrame frame;
    graphs::GraphValues values;
    std::vector<double> atX;
    std::vector<graphs::CurveReading> readings;
};

void writeJson(const SolveRequest& request, const GraphRequest& g, const EquilAB& state,
               const GraphOutcome& o, std::ostream& out) {
    const std::string code(request.problem->code);
    const GraphText text(o.settings, o.values.table, tableColumns(o.settings));
    out << "{\"code\":" << jsonString(code) << ",\"kind\":" << g.kind << ",";
    text.writeJsonFields(out, o.used);
    out << ",\"accepted\":" << o.values.curves.accepted
        << marksJson(graphs::TitrationMarks(code, g.kind, state, o.frame), g.extras.indicator);
    if (!o.atX.empty()) out << readingsJson(o.readings);
    out << ",\"picture\":" << (g.picture.empty() ? "null" : jsonString(g.picture));
    if (!g.data.empty()) {
        const double rms = graphs::MeasuredRms(code, g.kind, state, g.points);
        out << ",\"data\":{\"points\":" << g.points.size()
            << ",\"rms\":" << (std::isfinite(rms) ? fullPrecision(rms) : "null") << "}";
    }
    out << "}\n";
}

// The readings of --at, the table rows or the JSON object; a reading that failed gives exit
// status 1.
int writeOutcome(const SolveRequest& request, const GraphRequest& g, const EquilAB& state,
                 const numtext::NumberSettings& numbers, const GraphOutcome& o, std::ostream& out) {
    const bool readAll = std::all_of(o.readings.begin(), o.readings.end(),
                                     [](const graphs::CurveReading& r) { return r.ok; });
    const int readingStatus = readAll ? ExitOk : ExitInvalidInput;
    if (!request.json && !o.atX.empty()) {
        writeReadingsText(out, o.readings, request.digits, numbers.DecimalSeparator);
        return readingStatus;
    }
    if (!request.json) {
        GraphText(o.settings, o.values.table, tableColumns(o.settings))
            .writeRows(out, request.digits, numbers.DecimalSeparator);
        return ExitOk;
    }
    writeJson(request, g, state, o, out);
    return readingStatus;
}

} // namespace

int RunGraph(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() >= 3 && std::find(args.begin() + 2, args.end(), "--kinds") != args.end())
        return listKinds(args, out);
    GraphRequest g;
    const SolveRequest request = parseGraphArgs(args, g);
    const engine::ProblemType& problem = *request.problem;
    const std::string code(problem.code);

    // First the problem, as solve does; then the kind, as the chooser takes it.
    EquilAB state(request.pKw);
    numtext::NumberSettings numbers;
    if (!solveForGraph(request, state, numbers, err)) return ExitInvalidInput;
    g.kind = parseKind(args[2], problem);
    if (!readMeasuredPoints(g, err) ||
        !readExtraFields(code, g, request.digits, state, numbers, err))
        return ExitInvalidInput;
    const std::optional<graphs::GraphSettings> settings =
        chooseGraph(problem, g.kind, state, numbers, err);
    if (!settings) return ExitInvalidInput;
    const std::optional<graphs::PlotScales> scales = checkGraphExtras(g.extras, *settings);

    // The curves as the screen drawing sweeps them, which fill the data table.
    GraphOutcome o{
        *settings, scales.value_or(graphs::ScalesOf(*settings)), {}, {}, atValues(g.extras), {}};
    o.frame = graphs::ScreenFrame(o.used);
    if (graphs::HasCurves(o.used))
        o.values = graphs::ComputeGraphValues(code, {settings->GraphKind, state, o.frame}, false);
    g.commandLine = args;
    if ((!g.picture.empty() || !g.table.empty()) &&
        !WriteProblemGraphFiles(
            {*settings, state, scales, request.digits, numbers.DecimalSeparator}, g, err))
        return ExitInvalidInput;
    o.readings = graphs::ReadCurve(code, g.kind, state, o.frame, o.atX);
    return writeOutcome(request, g, state, numbers, o, out);
}

} // namespace corvane::cli
