// \brief Writing the picture and the data table a command asks for. corvane-cli itself leaves
// them to its drawing helper, corvane-cli-draw beside it, which runs the same command with the
// graph drawing linked in (cli/drawinghelper.cpp); the helper and the tests draw them in the
// process (cli/graphdrawing.cpp). A file that cannot be written is reported on `err` and gives
// false.
#pragma once

#include "graphoutput.h"

#include "engine/equilab.h"
#include "engine/mixture.h"
#include "graphs/mixture_numbers.h"
#include "graphs/settings.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

/// A solved problem's graph as `graph` draws it.
struct ProblemGraph {
    const graphs::GraphSettings& settings;
    const engine::EquilAB& state;
    std::optional<graphs::PlotScales> scales; // the user's, over the settings' own
    int digits;
    char decimalSeparator;
};

/// The picture and the data table of a problem's graph, as the graph and table windows save
/// them (CSV for a .csv table).
bool WriteProblemGraphFiles(const ProblemGraph& graph, const GraphRequest& g, std::ostream& err);

/// The distribution diagram of a component as a picture, and `tableText` as its table.
bool WriteDistributionFiles(const engine::Component& component,
                            const graphs::GraphSettings& settings, double pKw,
                            char decimalSeparator, const std::string& tableText,
                            const GraphRequest& g, std::ostream& err);

/// The picture and the data table of a mixture's titration curve with its marks.
bool WriteMixtureTitrationFiles(const graphs::MixtureTitrationGraph& graph,
                                const graphs::GraphSettings& settings,
                                const std::vector<graphs::CurveMark>& marks, int digits,
                                char decimalSeparator, const GraphRequest& g, std::ostream& err);

} // namespace corvane::cli
