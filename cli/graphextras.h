// \brief corvane-cli graph's options beyond the window's defaults: scales (--x, --y), values
// read off the curve (--at), marked points (--marks) and an indicator's range (--indicator),
// with what they add to the output.
#pragma once

#include "graphs/indicators.h"
#include "graphs/marks.h"
#include "graphs/settings.h"
#include "graphs/userscales.h"
#include "graphs/valueat.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

struct GraphExtras {
    std::optional<std::string> xRange, yRange; // MIN:MAX[:STEP] as typed
    std::vector<std::string> at;               // the x values as typed
    bool marks = false;
    const graphs::Indicator* indicator = nullptr;
};

/// Takes --x, --y, --at, --marks or --indicator at args[i]; false for any other argument.
bool parseGraphExtra(const std::vector<std::string>& args, std::size_t& i, GraphExtras& extras);

/// The scales of --x and --y over the defaults of `settings`, none when neither was given; a
/// range that does not read or that the scale checks refuse is a usage error with the reason.
/// A kind without a pH axis cannot shade an indicator's range (also a usage error).
std::optional<graphs::PlotScales> checkGraphExtras(const GraphExtras& extras,
                                                   const graphs::GraphSettings& settings);

/// The --at values read as field texts are read; an unreadable one is a usage error.
std::vector<double> atValues(const GraphExtras& extras);

/// One line per value: x, the curve's value(s) and for the volume kinds the slope, tab-
/// separated; or x and the reason there is none.
void writeReadingsText(std::ostream& out, const std::vector<graphs::CurveReading>& readings,
                       int digits, char decimalSeparator);

/// ,"at":[...] for the JSON object.
std::string readingsJson(const std::vector<graphs::CurveReading>& readings);
/// ,"marks":[...] and, with --indicator, ,"indicator":{...}.
std::string marksJson(const std::vector<graphs::CurveMark>& marks,
                      const graphs::Indicator* indicator);

} // namespace corvane::cli
