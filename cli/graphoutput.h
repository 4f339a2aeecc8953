// \brief What the commands that draw graphs share: the picture and table options and the texts
// of a graph for standard output.
#pragma once

#include "graphextras.h"

#include "fit/measured.h"
#include "graphs/settings.h"
#include "graphs/sweep.h"
#include "graphs/userscales.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

struct GraphRequest {
    int kind = 0;
    std::optional<std::string> volume, added;
    std::string picture;
    std::string pictureFormat; // "bmp", "png", "svg" or "pdf"
    std::string table;
    bool tableAsCsv = false;
    int width = 1000, height = 700;
    GraphExtras extras;
    std::string data; // the file of measured points, drawn over the curve
    std::vector<fit::MeasuredPoint> points;
    std::vector<std::string> commandLine; // the command as given, for the drawing helper
};

/// --size WxH, --picture FILE and --table FILE; a wrong one is a usage error.
void parseSize(const std::string& text, GraphRequest& g);
void parsePicture(const std::string& path, GraphRequest& g);
void parseTable(const std::string& path, GraphRequest& g);

/// The texts of a graph for standard output: the column headings and recorded rows, or the
/// JSON fields from "title" to "rows".
class GraphText {
public:
    GraphText(const graphs::GraphSettings& settings, const graphs::GraphTable& table,
              std::vector<int> columns);

    /// A mark-up text as drawn: "V_S_B" becomes "VSB".
    std::string plain(const std::string& text) const;
    void writeRows(std::ostream& out, int digits, char decimalSeparator) const;
    /// The axes are written as `used`: the scales the graph was drawn with.
    void writeJsonFields(std::ostream& out, const graphs::PlotScales& used) const;

private:
    const graphs::GraphSettings& m_settings;
    const graphs::GraphTable& m_table;
    std::vector<int> m_columns;
};

} // namespace corvane::cli
