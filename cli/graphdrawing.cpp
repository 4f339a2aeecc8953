// Drawing the pictures and data tables of the graph commands with the graph code, in the
// process: the drawing helper and the tests link this.
#include "graphfiles.h"

#include "markup/fonts.h"
#include "markup/surface.h"
#include "markup/svgsurface.h"
#include "markup/symbols.h"
#include "plot/export.h"
#include "plot/mixture_graphs.h"
#include "plot/plot.h"
#include "table/tabletext.h"

#include <QGuiApplication>

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
    const QByteArray path = QByteArray::fromStdString(g.picture);
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
    return failure(
        table::SaveAtomically(QByteArray::fromStdString(g.picture), [&](QIODevice& file) {
            return image.save(
                &file, QString::fromStdString(g.pictureFormat).toUpper().toLatin1().constData());
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
    return failure(table::SaveAtomically(QByteArray::fromStdString(g.table), [&](QIODevice& file) {
        return file.write(bytes) == bytes.size();
    }));
}

// Draws the graph on the picture and writes what the request asks for: a vector picture
// first (a printer-page drawing records no table rows), then the screen drawing, which records
// them, a bitmap picture and the data table as the table window saves it (CSV for a .csv file).
bool drawAndSave(graphs::GraphPlot& graph, markup::PictureSurface& picture,
                 const graphs::GraphSettings& settings, const graphs::GraphTable& table, int digits,
                 char decimalSeparator, const GraphRequest& g, std::ostream& err) {
    auto cannotWrite = [&err](const std::string& what, const std::string& path,
                              const std::string& why) {
        err << "corvane-cli: cannot write the " << what << " \"" << path << "\": " << why << "\n";
        return false;
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
                writeTable(settings, table, digits, decimalSeparator, g))
            return cannotWrite("data table", g.table, *why);

    return true;
}

} // namespace

bool WriteProblemGraphFiles(const ProblemGraph& graph, const GraphRequest& g, std::ostream& err) {
    ensureGuiApplication();
    markup::PictureSurface picture(g.width, g.height);
    graphs::GraphTable table;
    graphs::GraphPlot plot(graph.settings, graph.state, table);
    plot.decimalSeparator = graph.decimalSeparator;
    plot.scales = graph.scales;
    plot.showMarks = g.extras.marks;
    plot.indicator = g.extras.indicator;
    plot.measuredPoints = g.points;
    return drawAndSave(plot, picture, graph.settings, table, graph.digits, graph.decimalSeparator,
                       g, err);
}

bool WriteDistributionFiles(const engine::Component& component,
                            const graphs::GraphSettings& settings, double pKw,
                            char decimalSeparator, const std::string& tableText,
                            const GraphRequest& g, std::ostream& err) {
    if (!g.picture.empty()) {
        ensureGuiApplication();
        markup::PictureSurface picture(g.width, g.height);
        graphs::GraphTable table;
        const engine::EquilAB state(pKw);
        graphs::GraphPlot plot(settings, state, table);
        plot.decimalSeparator = decimalSeparator;
        plot.ownCurves = [&](markup::DrawingSurface& surface, const graphs::PlotState& p) {
            graphs::DrawDistribution(surface, p, component,
                                     graphs::SweepDistribution(component, p.frame()), plot.colors);
        };
        // The table below is the distribution's own, so the drawing writes none (nor reads
        // its digits).
        GraphRequest pictureOnly = g;
        pictureOnly.table.clear();
        if (!drawAndSave(plot, picture, settings, table, 4, decimalSeparator, pictureOnly, err))
            return false;
    }
    if (!g.table.empty()) {
        const QByteArray bytes = QByteArray::fromStdString(tableText);
        if (const std::optional<std::string> why = failure(
                table::SaveAtomically(QByteArray::fromStdString(g.table), [&](QIODevice& file) {
                    return file.write(bytes) == bytes.size();
                }))) {
            err << "corvane-cli: cannot write the data table \"" << g.table << "\": " << *why
                << "\n";
            return false;
        }
    }
    return true;
}

bool WriteMixtureTitrationFiles(const graphs::MixtureTitrationGraph& graph,
                                const graphs::GraphSettings& settings,
                                const std::vector<graphs::Mark>& marks, int digits,
                                char decimalSeparator, const GraphRequest& g, std::ostream& err) {
    ensureGuiApplication();
    markup::PictureSurface picture(g.width, g.height);
    graphs::GraphTable table;
    const engine::EquilAB state(graph.pKw);
    graphs::GraphPlot plot(settings, state, table);
    plot.decimalSeparator = decimalSeparator;
    plot.ownCurves = [&](markup::DrawingSurface& surface, const graphs::PlotState& p) {
        const graphs::Curves curves = graphs::SweepTitration(graph, p.frame());
        graphs::RecordTable(curves, p.SweepDensity, table);
        graphs::DrawCurves(surface, p, curves, plot.colors);
        graphs::DrawMarks(surface, p, marks, plot.colors, decimalSeparator);
    };
    return drawAndSave(plot, picture, settings, table, digits, decimalSeparator, g, err);
}

} // namespace corvane::cli
