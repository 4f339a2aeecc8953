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
#include "graphs/measuredrms.h"
#include "graphs/scales.h"
#include "graphs/screenframe.h"
#include "plainmarkup/plaintext.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <ostream>

namespace corvane::cli {

namespace {

using engine::EquilAB;

constexpr int MinWidth = 200, MinHeight = 150, MaxSide = 8000;

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

// A side of the picture: up to four digits.
std::optional<int> parseSide(const std::string& text) {
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(text);
}

} // namespace

void parseSize(const std::string& text, GraphRequest& g) {
    const std::size_t x = text.find('x');
    const std::optional<int> w =
        x == std::string::npos ? std::nullopt : parseSide(text.substr(0, x));
    const std::optional<int> h =
        x == std::string::npos ? std::nullopt : parseSide(text.substr(x + 1));
    if (!w || !h || *w < MinWidth || *h < MinHeight || *w > MaxSide || *h > MaxSide)
        throw UsageError{"--size must be WxH from 200x150 to 8000x8000, not \"" + text + "\""};
    g.width = *w;
    g.height = *h;
}

namespace {

std::string suffixOf(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) return {};
    std::string suffix = path.substr(dot + 1);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return suffix;
}

} // namespace

void parsePicture(const std::string& path, GraphRequest& g) {
    const std::string suffix = suffixOf(path);
    if (suffix != "bmp" && suffix != "png" && suffix != "svg" && suffix != "pdf")
        throw UsageError{"--picture must name a .bmp, .png, .svg or .pdf file, not \"" + path +
                         "\""};
    g.picture = path;
    g.pictureFormat = suffix;
}

void parseTable(const std::string& path, GraphRequest& g) {
    if (path.empty()) throw UsageError{"--table needs a file name"};
    g.table = path;
    g.tableAsCsv = suffixOf(path) == "csv";
}

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

GraphText::GraphText(const graphs::GraphSettings& settings, const graphs::GraphTable& table,
                     std::vector<int> columns)
    : m_settings(settings), m_table(table), m_columns(std::move(columns)) {}

std::string GraphText::plain(const std::string& text) const {
    return markup::PlainMarkup(text);
}

void GraphText::writeRows(std::ostream& out, int digits, char decimalSeparator) const {
    for (int c : m_columns)
        out << (c == 0 ? "" : "\t") << plain(m_settings.ColumnHeading[c]);
    out << "\n";
    std::int16_t formatError = 0;
    for (int row = 1; row <= m_table.RecordedRows; ++row) {
        for (int c : m_columns)
            out << (c == 0 ? "" : "\t")
                << numtext::FormatNumber(m_table.Value[c][row], digits, decimalSeparator,
                                         formatError);
        out << "\n";
    }
}

void GraphText::writeJsonFields(std::ostream& out, const graphs::PlotScales& used) const {
    const graphs::GraphSettings& s = m_settings;
    auto axis = [](double lo, double hi, double step, int every) {
        return "{\"min\":" + fullPrecision(lo) + ",\"max\":" + fullPrecision(hi) +
               ",\"step\":" + fullPrecision(step) + ",\"labelEvery\":" + std::to_string(every) +
               "}";
    };
    out << "\"title\":" << jsonString(plain(s.GraphTitle))
        << ",\"subtitle\":" << jsonString(plain(s.GraphSubtitle))
        << ",\"caption\":" << jsonString(plain(s.ParamCaption))
        << ",\"tableCaption\":" << jsonString(plain(s.TableCaption))
        << ",\"xAxis\":" << jsonString(plain(s.XAxisName))
        << ",\"yAxis\":" << jsonString(plain(s.YAxisName))
        << ",\"x\":" << axis(used.x.Min, used.x.Max, used.x.Step, used.x.LabelEvery)
        << ",\"y\":" << axis(used.y.Min, used.y.Max, used.y.Step, used.y.LabelEvery)
        << ",\"columns\":[";
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        out << (i ? "," : "") << jsonString(plain(s.ColumnHeading[m_columns[i]]));
    out << "],\"rows\":[";
    for (int row = 1; row <= m_table.RecordedRows; ++row) {
        out << (row > 1 ? "," : "") << "[";
        for (std::size_t i = 0; i < m_columns.size(); ++i)
            out << (i ? "," : "") << fullPrecision(m_table.Value[m_columns[i]][row]);
        out << "]";
    }
    out << "]";
}

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

int RunGraph(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() >= 3 && std::find(args.begin() + 2, args.end(), "--kinds") != args.end())
        return listKinds(args, out);
    if (args.size() < 3) throw UsageError{"graph needs a problem code and a graph kind"};
    GraphRequest g;
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
    const engine::ProblemType& problem = *request.problem;
    const std::string code(problem.code);
    if ((g.volume || g.added) && !hasExtraFields(code))
        throw UsageError{"--volume and --added are for the buffers with an added acid or base "
                         "(codes 42 to 45), not for code " +
                         code};

    // First the problem, as solve does; then the kind, as the chooser takes it.
    EquilAB state(request.pKw);
    numtext::NumberSettings numbers;
    std::string reason;
    const Status status = solveProblem(request, state, numbers, reason);
    // As the Graphic button, which the window offers only when every input row holds a value.
    if (status == Status::Incomplete) {
        err << "corvane-cli: " << reason << "\n";
        return ExitInvalidInput;
    }
    if (status != Status::Ok) {
        err << "corvane-cli: " << statusMessage(status) << "\n";
        if (!reason.empty()) err << "corvane-cli: " << reason << "\n";
        return ExitInvalidInput;
    }
    g.kind = parseKind(args[2], problem);
    if (!g.data.empty()) {
        fit::MeasuredData data = fit::ReadMeasuredFile(g.data);
        if (!data.ok()) {
            err << "corvane-cli: the measured data were refused\ncorvane-cli: " << data.error
                << "\n";
            return ExitInvalidInput;
        }
        g.points = std::move(data.points);
    }

    // The chooser proposes 100 mL and the added concentration the solver found, as its fields
    // show them.
    if (graphs::NeedsExtraFields(code, g.kind)) {
        const std::string proposed =
            graphs::ExtraFieldText(state.IOValues[engine::slot::buffer::AddedConcentration],
                                   request.digits, numbers.DecimalSeparator);
        if (!wholeNumber(g.volume) || !wholeNumber(g.added) ||
            !graphs::ReadExtraFields(g.volume.value_or(graphs::DefaultBufferVolume),
                                     g.added.value_or(proposed), state, numbers)) {
            err << "corvane-cli: " << graphs::ExtraFieldsInvalidMessage << "\n";
            return ExitInvalidInput;
        }
    }

    graphs::GraphSettings settings;
    settings.ProblemCode = code;
    settings.TaskTitle =
        engine::FormTaskTitle(problem.task, problem.option, problem.firstDissociationComplete);
    graphs::ChooseGraphKind(settings, graphs::Catalogue(), g.kind);
    if (!graphs::AjustaEscalasETC(settings, state, numbers.DecimalSeparator)) {
        err << "corvane-cli: " << graphs::InvalidDataMessage << "\n";
        return ExitInvalidInput;
    }
    const std::optional<graphs::PlotScales> scales = checkGraphExtras(g.extras, settings);
    const std::vector<double> atX = atValues(g.extras);

    // The curves as the screen drawing sweeps them, which fill the data table.
    const graphs::PlotScales used = scales.value_or(graphs::ScalesOf(settings));
    const graphs::SweepFrame frame = graphs::ScreenFrame(used);
    graphs::GraphTable table;
    graphs::Curves curves;
    if (graphs::HasCurves(used))
        curves = graphs::GenerateCurves(code, {settings.GraphKind, state, frame}, table);
    g.commandLine = args;
    if ((!g.picture.empty() || !g.table.empty()) &&
        !WriteProblemGraphFiles({settings, state, scales, request.digits, numbers.DecimalSeparator},
                                g, err))
        return ExitInvalidInput;

    const std::vector<graphs::CurveReading> readings =
        graphs::ReadCurve(code, g.kind, state, frame, atX);
    const int readingStatus =
        std::all_of(readings.begin(), readings.end(), [](const auto& r) { return r.ok; })
            ? ExitOk
            : ExitInvalidInput;

    std::vector<int> columns{0, 1};
    for (int c = 2; c < graphs::GraphTableColumns; ++c)
        if (!settings.ColumnHeading[c].empty()) columns.push_back(c);

    if (!request.json && !atX.empty()) {
        writeReadingsText(out, readings, request.digits, numbers.DecimalSeparator);
        return readingStatus;
    }
    const GraphText text(settings, table, columns);
    if (!request.json) {
        text.writeRows(out, request.digits, numbers.DecimalSeparator);
        return ExitOk;
    }

    out << "{\"code\":" << jsonString(code) << ",\"kind\":" << g.kind << ",";
    text.writeJsonFields(out, used);
    out << ",\"accepted\":" << curves.accepted
        << marksJson(graphs::TitrationMarks(code, g.kind, state, frame), g.extras.indicator);
    if (!atX.empty()) out << readingsJson(readings);
    out << ",\"picture\":" << (g.picture.empty() ? "null" : jsonString(g.picture));
    if (!g.data.empty()) {
        const double rms = graphs::MeasuredRms(code, g.kind, state, g.points);
        out << ",\"data\":{\"points\":" << g.points.size()
            << ",\"rms\":" << (std::isfinite(rms) ? fullPrecision(rms) : "null") << "}";
    }
    out << "}\n";
    return readingStatus;
}

} // namespace corvane::cli
