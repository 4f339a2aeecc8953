// Drawing the pictures and data tables of the graph commands with the graph code, in the
// process: the drawing helper and the tests link this.
#include "graphfiles.h"

#include "markup/fonts.h"
#include "markup/surface.h"
#include "markup/symbols.h"
#include "plot/export.h"
#include "plot/mixture_graphs.h"
#include "plot/plot.h"
#include "table/tabletext.h"

#include <QGuiApplication>
#include <QIODevice>

#include <cstdio>
#include <ostream>

namespace corvane::cli {

namespace {

// The command's error stream carries its own messages only, not the toolkit's notes.
void keepSeriousMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// The graph code draws with Qt's font system, which needs an application object. It never
// shows a window, so it needs no display either, whatever platform the environment names.
void ensureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(keepSeriousMessages);
    static int argc = 1;
    static char name[] = "corvane-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    markup::InstallFontSubstitutions();
    markup::InitMarkupSymbols();
}

std::optional<std::string> failure(const files::SaveResult& result) {
    if (result.ok) return std::nullopt;
    return result.description.isEmpty() ? std::string("it could not be written")
                                        : result.description.toStdString();
}

std::optional<std::string> writeBytes(const std::string& path, const QByteArray& bytes) {
    return failure(files::SaveAtomically(QByteArray::fromStdString(path), [&](QIODevice& file) {
        return file.write(bytes) == bytes.size();
    }));
}

// The data table as the table window saves it: TableText, or the CSV for a .csv file.
std::optional<std::string> writeTable(const graphs::GraphSettings& settings,
                                      const graphs::GraphTable& graphTable, int digits,
                                      char decimalSeparator, const GraphRequest& g) {
    table::TableDrawing drawing(settings, graphTable, digits, decimalSeparator);
    drawing.setMeasuredPoints(g.points);
    markup::PictureSurface heading(table::TableWidth, table::TableHeadingHeight);
    markup::PictureSurface body(table::TableWidth, 1);
    body.resize(table::TableWidth, drawing.bodyPictureHeight(body));
    drawing.PonerCabecera(heading);
    drawing.PonerTabla(body);
    const QByteArray bytes = (g.tableAsCsv ? table::TableCsv(settings, graphTable, decimalSeparator)
                                           : drawing.TableText())
                                 .toUtf8();
    return writeBytes(g.table, bytes);
}

std::optional<std::string> writePicture(const plot::GraphPlot& graph,
                                        const markup::PictureSurface& picture,
                                        const GraphRequest& g) {
    return failure(plot::SaveGraphPicture(QByteArray::fromStdString(g.picture),
                                          QString::fromStdString(g.pictureFormat), graph, picture));
}

// Draws the graph on the picture as the graph window does and writes what the request asks
// for: the picture in its format, as the window saves or exports it, and the rows of that
// drawing as the table window saves them (CSV for a .csv file).
bool drawAndSave(const plot::GraphPlot& graph, int digits, const GraphRequest& g,
                 std::ostream& err) {
    auto cannotWrite = [&err](const std::string& what, const std::string& path,
                              const std::string& why) {
        err << "corvane-cli: cannot write the " << what << " \"" << path << "\": " << why << "\n";
        return false;
    };
    markup::PictureSurface picture(g.width, g.height);
    const plot::PlottedGraph drawn = graph.Dibujar(picture, true);
    if (!g.picture.empty())
        if (const std::optional<std::string> why = writePicture(graph, picture, g))
            return cannotWrite("picture", g.picture, *why);
    if (!g.table.empty())
        if (const std::optional<std::string> why =
                writeTable(graph.settings(), drawn.values.table, digits, graph.decimalSeparator, g))
            return cannotWrite("data table", g.table, *why);
    return true;
}

} // namespace

bool WriteProblemGraphFiles(const ProblemGraph& graph, const GraphRequest& g, std::ostream& err) {
    ensureGuiApplication();
    plot::GraphPlot drawing(graph.settings, graph.state);
    drawing.decimalSeparator = graph.decimalSeparator;
    drawing.scales = graph.scales;
    drawing.showMarks = g.extras.marks;
    drawing.indicator = g.extras.indicator;
    drawing.measuredPoints = g.points;
    return drawAndSave(drawing, graph.digits, g, err);
}

bool WriteDistributionFiles(const engine::Component& component,
                            const graphs::GraphSettings& settings, double pKw,
                            char decimalSeparator, const std::string& tableText,
                            const GraphRequest& g, std::ostream& err) {
    if (!g.picture.empty()) {
        ensureGuiApplication();
        const engine::EquilAB state(pKw);
        plot::GraphPlot drawing(settings, state);
        drawing.decimalSeparator = decimalSeparator;
        drawing.ownCurves = plot::DistributionCurves(component);
        // The table below is the distribution's own, so the drawing writes none (nor reads
        // its digits).
        GraphRequest pictureOnly = g;
        pictureOnly.table.clear();
        if (!drawAndSave(drawing, 4, pictureOnly, err)) return false;
    }
    if (!g.table.empty()) {
        if (const std::optional<std::string> why =
                writeBytes(g.table, QByteArray::fromStdString(tableText))) {
            err << "corvane-cli: cannot write the data table \"" << g.table << "\": " << *why
                << "\n";
            return false;
        }
    }
    return true;
}

bool WriteMixtureTitrationFiles(const graphs::MixtureTitrationGraph& graph,
                                const graphs::GraphSettings& settings,
                                const std::vector<graphs::CurveMark>& marks, int digits,
                                char decimalSeparator, const GraphRequest& g, std::ostream& err) {
    ensureGuiApplication();
    const engine::EquilAB state(graph.pKw);
    plot::GraphPlot drawing(settings, state);
    drawing.decimalSeparator = decimalSeparator;
    drawing.ownCurves = plot::TitrationCurves(graph, marks, decimalSeparator);
    return drawAndSave(drawing, digits, g, err);
}

} // namespace corvane::cli
