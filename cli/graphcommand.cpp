// corvane-cli graph: a graph of a solved problem made as the graph window makes it, without a
// window: the chooser's extra values, the scales, the sweep, the table rows and the picture.
#include "request.h"

#include "commandline.h"

#include "graphs/catalogue.h"
#include "graphs/extrafields.h"
#include "graphs/plot.h"
#include "graphs/scales.h"
#include "markup/fonts.h"
#include "markup/renderer.h"
#include "markup/surface.h"
#include "markup/symbols.h"

#include <QGuiApplication>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace corvane::cli {

namespace {

using engine::EquilAB;

constexpr int MinWidth = 200, MinHeight = 150, MaxSide = 8000;

struct GraphRequest {
    int kind = 0;
    std::optional<std::string> volume, added;
    std::string picture;
    const char* pictureFormat = nullptr;
    int width = 1000, height = 700;
};

int parseKind(const std::string& text, const engine::ProblemType& problem) {
    const std::vector<int> offered = graphs::OfferedKinds(graphs::Catalogue(), problem.code);
    const std::optional<int> kind = parseWhole(text);
    if (kind && std::find(offered.begin(), offered.end(), *kind) != offered.end()) return *kind;
    std::string list;
    for (int k : offered)
        list += (list.empty() ? "" : ", ") + std::to_string(k);
    throw UsageError{"code " + std::string(problem.code) + " offers the graph kinds " + list +
                     ", not \"" + text + "\""};
}

// A side of the picture: up to four digits.
std::optional<int> parseSide(const std::string& text) {
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(text);
}

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

void parsePicture(const std::string& path, GraphRequest& g) {
    const QString suffix = QString::fromStdString(path).section('.', -1).toLower();
    if (path.find('.') == std::string::npos || (suffix != "bmp" && suffix != "png"))
        throw UsageError{"--picture must name a .bmp or a .png file, not \"" + path + "\""};
    g.picture = path;
    g.pictureFormat = suffix == "bmp" ? "BMP" : "PNG";
}

// The command's error stream carries its own messages only, not the toolkit's notes.
void keepSeriousMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// The graph code draws with Qt's font system, which needs an application object.
void ensureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(keepSeriousMessages);
    static int argc = 1;
    static char name[] = "corvane-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    markup::InstallFontSubstitutions();
    markup::InitMarkupSymbols();
}

// Writes the picture whole or not at all.
std::optional<std::string> writePicture(const QImage& image, const GraphRequest& g) {
    QSaveFile file(QString::fromStdString(g.picture));
    if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();
    if (!image.save(&file, g.pictureFormat)) {
        file.cancelWriting();
        return std::string("the image could not be encoded");
    }
    if (!file.commit()) return file.errorString().toStdString();
    return std::nullopt;
}

} // namespace

int RunGraph(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
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
            else
                return false;
            return true;
        });
    const engine::ProblemType& problem = *request.problem;
    const std::string code(problem.code);

    // First the problem, as solve does; then the kind, as the chooser takes it.
    EquilAB state(request.pKw);
    numtext::NumberSettings numbers;
    std::string reason;
    const Status status = solveProblem(request, state, numbers, reason);
    if (status != Status::Ok) {
        err << "corvane-cli: " << statusMessage(status) << "\n";
        if (!reason.empty()) err << "corvane-cli: " << reason << "\n";
        return ExitInvalidInput;
    }
    g.kind = parseKind(args[2], problem);

    // The chooser proposes 100 mL and the added concentration the solver found, as its fields
    // show them.
    if (graphs::NeedsExtraFields(code, g.kind)) {
        const std::string proposed =
            graphs::ExtraFieldText(state.IOValues[16], request.digits, numbers.DecimalSeparator);
        if (!graphs::ReadExtraFields(g.volume.value_or(graphs::DefaultBufferVolume),
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

    ensureGuiApplication();
    markup::PictureSurface picture(g.width, g.height);
    graphs::GraphTable table;
    graphs::GraphPlot graph(settings, state, table);
    graph.decimalSeparator = numbers.DecimalSeparator;
    graph.Dibujar(picture, true);
    if (!g.picture.empty()) {
        if (const std::optional<std::string> failure = writePicture(picture.image(), g)) {
            err << "corvane-cli: cannot write the picture \"" << g.picture << "\": " << *failure
                << "\n";
            return ExitInvalidInput;
        }
    }

    markup::MeasuringSurface measuring(picture);
    auto plain = [&measuring](const std::string& text) {
        QString drawn;
        measuring.setCurrentX(0);
        markup::DrawMarkup(QString::fromStdString(text), measuring, &drawn);
        return drawn.toStdString();
    };
    std::vector<int> columns{0, 1};
    for (int c = 2; c < graphs::GraphTableColumns; ++c)
        if (!settings.ColumnHeading[c].empty()) columns.push_back(c);

    if (!request.json) {
        for (int c : columns)
            out << (c == 0 ? "" : "\t") << plain(settings.ColumnHeading[c]);
        out << "\n";
        std::int16_t formatError = 0;
        for (int row = 1; row <= table.RecordedRows; ++row) {
            for (int c : columns)
                out << (c == 0 ? "" : "\t")
                    << numtext::FormatNumber(table.Value[c][row], request.digits,
                                             numbers.DecimalSeparator, formatError);
            out << "\n";
        }
        return ExitOk;
    }

    auto axis = [](double lo, double hi, double step, int every) {
        return "{\"min\":" + fullPrecision(lo) + ",\"max\":" + fullPrecision(hi) +
               ",\"step\":" + fullPrecision(step) + ",\"labelEvery\":" + std::to_string(every) +
               "}";
    };
    out << "{\"code\":" << jsonString(code) << ",\"kind\":" << g.kind
        << ",\"title\":" << jsonString(plain(settings.GraphTitle))
        << ",\"subtitle\":" << jsonString(plain(settings.GraphSubtitle))
        << ",\"caption\":" << jsonString(plain(settings.ParamCaption))
        << ",\"tableCaption\":" << jsonString(plain(settings.TableCaption))
        << ",\"xAxis\":" << jsonString(plain(settings.XAxisName))
        << ",\"yAxis\":" << jsonString(plain(settings.YAxisName))
        << ",\"x\":" << axis(settings.XMin, settings.XMax, settings.XStep, settings.XLabelEvery)
        << ",\"y\":" << axis(settings.YMin, settings.YMax, settings.YStep, settings.YLabelEvery)
        << ",\"columns\":[";
    for (std::size_t i = 0; i < columns.size(); ++i)
        out << (i ? "," : "") << jsonString(plain(settings.ColumnHeading[columns[i]]));
    out << "],\"rows\":[";
    for (int row = 1; row <= table.RecordedRows; ++row) {
        out << (row > 1 ? "," : "") << "[";
        for (std::size_t i = 0; i < columns.size(); ++i)
            out << (i ? "," : "") << fullPrecision(table.Value[columns[i]][row]);
        out << "]";
    }
    out << "],\"accepted\":" << graph.curves().accepted
        << ",\"picture\":" << (g.picture.empty() ? "null" : jsonString(g.picture)) << "}\n";
    return ExitOk;
}

} // namespace corvane::cli
