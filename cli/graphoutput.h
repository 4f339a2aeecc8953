// \brief What the commands that draw graphs share (defined with the graph command): the
// picture and table options and writing the picture and the data table as the graph and table
// windows save them.
#pragma once

#include "graphextras.h"

#include "fit/measured.h"
#include "graphs/plot.h"
#include "graphs/settings.h"
#include "graphs/sweep.h"
#include "markup/surface.h"
#include "table/export.h"

#include <QString>

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

struct GraphRequest {
    int kind = 0;
    std::optional<std::string> volume, added;
    std::string picture;
    QString pictureFormat; // "bmp", "png", "svg" or "pdf"
    std::string table;
    bool tableAsCsv = false;
    int width = 1000, height = 700;
    GraphExtras extras;
    std::string data; // the file of measured points, drawn over the curve
    std::vector<fit::MeasuredPoint> points;
};

/// --size WxH, --picture FILE and --table FILE; a wrong one is a usage error.
void parseSize(const std::string& text, GraphRequest& g);
void parsePicture(const std::string& path, GraphRequest& g);
void parseTable(const std::string& path, GraphRequest& g);

/// The application object the graph code's fonts need, made once, offscreen.
void ensureGuiApplication();

/// Why a save failed, or nothing when it succeeded.
std::optional<std::string> failure(const table::SaveResult& result);

/// Draws the graph on the picture and writes what the request asks for: a vector picture
/// first (a printer-page drawing records no table rows), then the screen drawing, which records
/// them, a bitmap picture and the data table as the table window saves it (CSV for a .csv
/// file). A file that cannot be written is reported on `err` and gives false.
bool drawAndSave(graphs::GraphPlot& graph, markup::PictureSurface& picture,
                 const graphs::GraphSettings& settings, const graphs::GraphTable& table, int digits,
                 char decimalSeparator, const GraphRequest& g, std::ostream& err);

/// The texts of a drawn graph for standard output: the column headings and recorded rows, or
/// the JSON fields from "title" to "rows".
class GraphText {
public:
    GraphText(const markup::PictureSurface& picture, const graphs::GraphSettings& settings,
              const graphs::GraphTable& table, std::vector<int> columns);
    ~GraphText();

    /// A mark-up text as drawn: "V_S_B" becomes "VSB".
    std::string plain(const std::string& text) const;
    void writeRows(std::ostream& out, int digits, char decimalSeparator) const;
    /// The axes are written as `used`: the scales the graph was drawn with.
    void writeJsonFields(std::ostream& out, const graphs::PlotScales& used) const;

private:
    std::unique_ptr<markup::MeasuringSurface> m_measuring;
    const graphs::GraphSettings& m_settings;
    const graphs::GraphTable& m_table;
    std::vector<int> m_columns;
};

} // namespace corvane::cli
