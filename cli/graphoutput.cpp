// The picture and table options of the graph commands and the texts of a graph for standard
// output.
#include "graphoutput.h"
#include "request.h"

#include "numtext/numbertext.h"
#include "plainmarkup/plaintext.h"

#include <algorithm>
#include <cctype>
#include <ostream>

namespace corvane::cli {

namespace {

constexpr int MinWidth = 200, MinHeight = 150, MaxSide = 8000;

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

} // namespace corvane::cli
