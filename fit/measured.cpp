#include "measured.h"

#include "numtext/fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <istream>
#include <optional>

namespace corvane::fit {

namespace {

struct Line {
    std::vector<std::string> fields;
    bool decimalComma = false;
    bool closed = true; // no quote left open
};

// ";" and tabs leave the comma free to be the decimal separator; otherwise a comma separates
// the fields, and without any of them runs of spaces do.
Line splitLine(const std::string& text) {
    Line line;
    if (text.find(';') != std::string::npos || text.find('\t') != std::string::npos) {
        line.decimalComma = true;
        line.closed = numtext::splitFields(text, text.find(';') != std::string::npos ? ';' : '\t',
                                           line.fields);
    } else if (text.find(',') != std::string::npos) {
        line.closed = numtext::splitFields(text, ',', line.fields);
    } else {
        std::size_t at = 0;
        while ((at = text.find_first_not_of(' ', at)) != std::string::npos) {
            const std::size_t end = std::min(text.find(' ', at), text.size());
            line.fields.push_back(text.substr(at, end - at));
            at = end;
        }
    }
    for (std::string& field : line.fields)
        field = numtext::trimmed(field);
    return line;
}

// The whole field as a number in the C locale; infinities and NaN read as numbers, so that
// they can be refused as not finite.
std::optional<double> number(std::string text, bool decimalComma) {
    if (decimalComma) std::replace(text.begin(), text.end(), ',', '.');
    if (text.starts_with('+')) text.erase(0, 1);
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return v;
}

MeasuredData refused(int lineNumber, const std::string& why) {
    return {{}, "line " + std::to_string(lineNumber) + ": " + why};
}

} // namespace

MeasuredData ReadMeasuredData(std::istream& in) {
    MeasuredData data;
    std::string text;
    int lineNumber = 0;
    bool first = true;
    while (std::getline(in, text)) {
        ++lineNumber;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        const std::string content = numtext::trimmed(text);
        if (content.empty() || content.starts_with('#')) continue;
        const Line line = splitLine(content);
        const bool header = first;
        first = false;
        if (!line.closed) return refused(lineNumber, "a quote is left open");
        // The first line may name the columns: none of its fields is a number.
        if (header && std::none_of(line.fields.begin(), line.fields.end(), [&](const auto& f) {
                return number(f, line.decimalComma).has_value();
            }))
            continue;
        std::optional<double> x, y;
        if (line.fields.size() == 2) {
            x = number(line.fields[0], line.decimalComma);
            y = number(line.fields[1], line.decimalComma);
        }
        if (line.fields.size() != 2)
            return refused(lineNumber, "expected two numbers (x and y), found " +
                                           std::to_string(line.fields.size()) + " fields");
        if (!x || !y) {
            const std::string& bad = x ? line.fields[1] : line.fields[0];
            return refused(lineNumber, "\"" + bad + "\" is not a number");
        }
        if (!std::isfinite(*x) || !std::isfinite(*y))
            return refused(lineNumber, "the numbers must be finite");
        if (*x < 0) return refused(lineNumber, "x (the volume) is below 0");
        data.points.push_back({*x, *y});
    }
    if (in.bad()) return {{}, "the data could not be read"};
    if (data.points.empty()) return {{}, "the file holds no data points"};
    return data;
}

MeasuredData ReadMeasuredFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {{}, "cannot read \"" + path + "\""};
    MeasuredData data = ReadMeasuredData(file);
    if (!data.ok()) data.error = path + ": " + data.error;
    return data;
}

double ResidualRms(const std::vector<MeasuredPoint>& points,
                   const std::function<double(double x)>& model) {
    if (points.empty()) return std::nan("");
    double sum = 0;
    for (const MeasuredPoint& p : points) {
        const double r = p.y - model(p.x);
        sum += r * r;
    }
    return std::sqrt(sum / static_cast<double>(points.size()));
}

} // namespace corvane::fit
