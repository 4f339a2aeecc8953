// corvane-cli graph: a graph of a solved problem made as the graph window makes it, without a
// window: the chooser's extra values, the scales, the sweep, the table rows and the picture.
#include "request.h"

#include "commandline.h"

#include "engine/reason.h"
#include "fit/measured.h"

#include "graphs/catalogue.h"
#include "graphs/extrafields.h"
#include "graphs/measuredmarks.h"
#include "graphs/plot.h"
#include "graphs/scales.h"
#include "graphs/windows/svgsurface.h"
#include "markup/fonts.h"
#include "markup/renderer.h"
#include "markup/surface.h"
#include "markup/symbols.h"
#include "table/export.h"
#include "table/formtabla.h"
#include "table/tabletext.h"

#include <QGuiApplication>

#include <algorithm>
#include <cmath>
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
    QString pictureFormat; // "bmp", "png", "svg" or "pdf"
    std::string table;
    bool tableAsCsv = false;
    int width = 1000, height = 700;
    std::string data;                     // the file of measured points, drawn over the curve
    std::vector<fit::MeasuredPoint> points;
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

QString suffixOf(const std::string& path) {
    if (path.find('.') == std::string::npos) return {};
    return QString::fromStdString(path).section('.', -1).toLower();
}

void parsePicture(const std::string& path, GraphRequest& g) {
    const QString suffix = suffixOf(path);
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

std::optional<std::string> failure(const table::SaveResult& result) {
    if (result.ok) return std::nullopt;
    return result.description.isEmpty() ? std::string("it could not be written")
                                        : result.description.toStdString();
}

// The vector forms, drawn as the graph window saves and exports them: an SVG of the picture's
// size, or the printer-page drawing on an A4 PDF page turned as the picture is.
std::optional<std::string> writeVectorPicture(graphs::GraphPlot& graph,
                                              const markup::PictureSurface& picture,
                                              const GraphRequest& g) {
    const QString path = QString::fromStdString(g.picture);
    const QFont font = picture.font();
    if (g.pictureFormat == "svg")
        return failure(table::SaveAtomically(path, [&](QIODevice& file) {
            graphs::SvgSurface svg(file, g.width, g.height);
            if (!svg.isActive()) return false;
            svg.setFont(font);
            graph.Dibujar(svg, true);
            return true;
        }));
    const auto orientation = g.height >= g.width ? QPageLayout::Portrait : QPageLayout::Landscape;
    return failure(table::ExportPdf(path, orientation, [&](markup::PrinterSurface& page) {
        page.setFont(font);
        graph.Dibujar(page, true);
    }));
}

// The bitmap forms, of the picture as drawn, whole or not at all.
std::optional<std::string> writeImage(const QImage& image, const GraphRequest& g) {
    return failure(table::SaveAtomically(QString::fromStdString(g.picture), [&](QIODevice& file) {
        return image.save(&file, g.pictureFormat.toUpper().toLatin1().constData());
    }));
}

// The data table as the table window saves it: TableText, or the CSV for a .csv file.
std::optional<std::string> writeTable(const graphs::GraphSettings& settings,
                                      const graphs::GraphTable& graphTable, int digits,
                                      char decimalSeparator, const GraphRequest& g) {
    table::TableDrawing drawing(settings, graphTable, digits, decimalSeparator);
    drawing.setMeasuredPoints(g.points);
    markup::PictureSurface heading(table::FormTabla::HeadingWidth, table::FormTabla::HeadingHeight);
    markup::PictureSurface body(table::FormTabla::HeadingWidth, 1);
    body.resize(table::FormTabla::HeadingWidth, drawing.bodyPictureHeight(body));
    drawing.PonerCabecera(heading);
    drawing.PonerTabla(body);
    const QByteArray bytes = (g.tableAsCsv ? table::TableCsv(settings, graphTable, decimalSeparator)
                                           : drawing.TableText())
                                 .toUtf8();
    return failure(table::SaveAtomically(QString::fromStdString(g.table), [&](QIODevice& file) {
        return file.write(bytes) == bytes.size();
    }));
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
            else if (arg.starts_with("--table"))
                parseTable(optionValue(a, i, "--table"), g);
            else if (arg.starts_with("--data"))
                g.data = optionValue(a, i, "--data");
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
    // As the Graphic button, which the window offers only when every input row holds a value.
    std::vector<std::string> empty;
    for (const engine::SlotRow& row : problem.rows)
        if (engine::OffersInput(problem, row.slot) && engine::IsEmpty(state.IOValues[row.slot]))
            empty.emplace_back(engine::SymbolName(row.quantity));
    if (!empty.empty()) {
        err << "corvane-cli: a graph needs every input of the problem; still unknown: "
            << engine::JoinNames(empty) << "\n";
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
    graph.measuredPoints = g.points;
    auto cannotWrite = [&err](const std::string& what, const std::string& path,
                              const std::string& why) {
        err << "corvane-cli: cannot write the " << what << " \"" << path << "\": " << why << "\n";
        return ExitInvalidInput;
    };
    // A vector picture first: drawing on a printer page records the printer's rows, and the
    // screen drawing below records the rows of the data table again, as the window does.
    const bool vector = g.pictureFormat == "svg" || g.pictureFormat == "pdf";
    if (vector)
        if (const std::optional<std::string> why = writeVectorPicture(graph, picture, g))
            return cannotWrite("picture", g.picture, *why);
    graph.Dibujar(picture, true);
    if (!g.picture.empty() && !vector)
        if (const std::optional<std::string> why = writeImage(picture.image(), g))
            return cannotWrite("picture", g.picture, *why);
    if (!g.table.empty())
        if (const std::optional<std::string> why =
                writeTable(settings, table, request.digits, numbers.DecimalSeparator, g))
            return cannotWrite("data table", g.table, *why);

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
        << ",\"picture\":" << (g.picture.empty() ? "null" : jsonString(g.picture));
    if (!g.data.empty()) {
        const double rms = graphs::MeasuredRms(code, g.kind, state, g.points);
        out << ",\"data\":{\"points\":" << g.points.size()
            << ",\"rms\":" << (std::isfinite(rms) ? fullPrecision(rms) : "null") << "}";
    }
    out << "}\n";
    return ExitOk;
}

} // namespace corvane::cli
