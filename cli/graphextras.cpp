#include "graphextras.h"

#include "commandline.h"
#include "request.h"

#include "numtext/numbertext.h"

#include <ostream>

namespace corvane::cli {

namespace {

using graphs::AxisScale;

// A number of a range or an --at value, read as a value field reads it (a decimal comma
// allowed), without switching the output's separator.
std::optional<double> readNumber(const std::string& text) {
    char separator = '.';
    return graphs::ReadFieldNumber(text, separator);
}

// MIN:MAX or MIN:MAX:STEP over the default axis; without STEP the step and label spacing
// are those the defaults take for the span.
AxisScale readRange(const std::string& option, const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t colon; (colon = text.find(':', start)) != std::string::npos; start = colon + 1)
        parts.push_back(text.substr(start, colon - start));
    parts.push_back(text.substr(start));
    std::vector<double> v;
    for (const std::string& part : parts)
        if (const std::optional<double> n = readNumber(part)) v.push_back(*n);
    if ((parts.size() != 2 && parts.size() != 3) || v.size() != parts.size())
        throw UsageError{option + " must be MIN:MAX or MIN:MAX:STEP, not \"" + text + "\""};
    if (v.size() == 3) return {v[0], v[1], v[2], 1};
    if (const std::optional<AxisScale> axis = graphs::AutoAxis(v[0], v[1])) return *axis;
    return {v[0], v[1], 0, 1}; // refused below, naming the field
}

std::string number(double v) {
    return fullPrecision(v);
}

} // namespace

bool parseGraphExtra(const std::vector<std::string>& a, std::size_t& i, GraphExtras& e) {
    const std::string& arg = a[i];
    if (arg == "--marks") {
        e.marks = true;
    } else if (arg == "--x" || arg.starts_with("--x=")) {
        e.xRange = optionValue(a, i, "--x");
    } else if (arg == "--y" || arg.starts_with("--y=")) {
        e.yRange = optionValue(a, i, "--y");
    } else if (arg == "--at" || arg.starts_with("--at=")) {
        e.at.push_back(optionValue(a, i, "--at"));
    } else if (arg == "--indicator" || arg.starts_with("--indicator=")) {
        const std::string name = optionValue(a, i, "--indicator");
        e.indicator = graphs::FindIndicator(name);
        if (e.indicator == nullptr)
            throw UsageError{"--indicator must name one of " + graphs::IndicatorNames() +
                             " (or the start of one name), not \"" + name + "\""};
    } else {
        return false;
    }
    return true;
}

std::optional<graphs::PlotScales> checkGraphExtras(const GraphExtras& e,
                                                   const graphs::GraphSettings& settings) {
    if (e.indicator != nullptr && !graphs::PlotsPH(settings.GraphKind))
        throw UsageError{"--indicator shades a pH range; graph kind " +
                         std::to_string(settings.GraphKind) + " has no pH axis"};
    if (!e.xRange && !e.yRange) return std::nullopt;
    graphs::PlotScales scales = graphs::ScalesOf(settings);
    if (e.xRange) scales.x = readRange("--x", *e.xRange);
    if (e.yRange) scales.y = readRange("--y", *e.yRange);
    if (const std::optional<graphs::ScaleRefusal> r =
            graphs::CheckScales(scales, settings.GraphKind)) {
        const bool x = r->field <= graphs::ScaleField::XLabelEvery;
        throw UsageError{std::string(x ? "--x" : "--y") + ": " + r->reason};
    }
    return scales;
}

std::vector<double> atValues(const GraphExtras& e) {
    std::vector<double> xs;
    for (const std::string& text : e.at) {
        const std::optional<double> v = readNumber(text);
        if (!v) throw UsageError{"--at must be a number, not \"" + text + "\""};
        xs.push_back(*v);
    }
    return xs;
}

void writeReadingsText(std::ostream& out, const std::vector<graphs::CurveReading>& readings,
                       int digits, char separator) {
    std::int16_t error = 0;
    auto format = [&](double v) { return numtext::FormatNumber(v, digits, separator, error); };
    for (const graphs::CurveReading& r : readings) {
        out << format(r.x);
        if (!r.ok) {
            out << "\t" << r.reason << "\n";
            continue;
        }
        for (int k = 0; k < r.count; ++k)
            out << "\t" << format(r.y[k]);
        if (r.slope) out << "\t" << format(*r.slope);
        out << "\n";
    }
}

std::string readingsJson(const std::vector<graphs::CurveReading>& readings) {
    std::string j = ",\"at\":[";
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const graphs::CurveReading& r = readings[i];
        j += i ? ",{\"x\":" : "{\"x\":";
        j += number(r.x);
        if (!r.ok) {
            j += ",\"reason\":" + jsonString(r.reason) + "}";
            continue;
        }
        if (r.count == 1) {
            j += ",\"y\":" + number(r.y[0]);
        } else {
            j += ",\"y\":[";
            for (int k = 0; k < r.count; ++k) {
                if (k > 0) j += ",";
                j += number(r.y[k]);
            }
            j += "]";
        }
        if (r.slope) j += ",\"slope\":" + number(*r.slope);
        if (r.pH) j += ",\"pH\":" + number(*r.pH) + ",\"H\":" + number(*r.hydrogen);
        j += "}";
    }
    return j + "]";
}

std::string marksJson(const std::vector<graphs::CurveMark>& marks,
                      const graphs::Indicator* indicator) {
    std::string j = ",\"marks\":[";
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const graphs::CurveMark& m = marks[i];
        j += std::string(i ? "," : "") + "{\"kind\":" + jsonString(graphs::MarkKindName(m.kind)) +
             ",\"x\":" + number(m.x) + ",\"y\":" + number(m.y) + ",\"pH\":" + number(m.pH) + "}";
    }
    j += "]";
    if (indicator == nullptr) return j;
    j += ",\"indicator\":{\"name\":" + jsonString(indicator->name) + ",\"ranges\":[";
    for (int i = 0; i < indicator->rangeCount; ++i) {
        const graphs::IndicatorRange& r = indicator->ranges[i];
        j += std::string(i ? "," : "") + "{\"low\":" + number(r.LowPH) +
             ",\"high\":" + number(r.HighPH) + ",\"acid\":" + jsonString(r.acidColour) +
             ",\"base\":" + jsonString(r.baseColour) + "}";
    }
    return j + "],\"source\":" + jsonString(graphs::IndicatorSource) + "}";
}

} // namespace corvane::cli
