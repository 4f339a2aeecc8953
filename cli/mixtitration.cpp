#include "mixtitration.h"

#include "commandline.h"
#include "graphfiles.h"

#include "graphs/mixture_numbers.h"
#include "graphs/screenframe.h"
#include "numtext/numbertext.h"

#include <ostream>

namespace corvane::cli {

int RunMixtureTitration(const MixOptions& o, const engine::MixtureTitration& titration,
                        std::optional<double> to, std::ostream& out, std::ostream& err) {
    const char separator = o.numbers.DecimalSeparator;
    const engine::MixtureModel model = mixtureModel(o);
    graphs::MixtureTitrationGraph graph{titration,
                                        o.pKw,
                                        graphs::AmountText(titration.titrant, separator),
                                        graphs::MixtureText(titration, separator),
                                        to.value_or(0),
                                        model.activity,
                                        model.temperature};
    const engine::MixtureResult start = engine::TitrationPoint(titration, 0, model);
    if (!start.ok) return refuse(o, Status::CalculationError, start.reason, out, err);
    if (!(titration.titrant.total > 0))
        return refuse(o, Status::CalculationError, "the titrant's concentration must be above 0",
                      out, err);
    if (!to) {
        const std::vector<double> volumes = engine::EquivalenceVolumes(titration, o.pKw);
        if (volumes.empty())
            return refuse(o, Status::CalculationError,
                          "the mixture has no equivalence point with " + titration.titrant.name +
                              "; give the last volume with --to",
                          out, err);
        graph.to = 2 * volumes.back();
    }

    const graphs::GraphSettings settings = graphs::TitrationSettings(graph);
    const std::vector<graphs::CurveMark> marks = graphs::EquivalenceMarks(graph);
    // The curve as the screen drawing sweeps it, which fills the data table.
    const graphs::PlotScales used = graphs::ScalesOf(settings);
    graphs::GraphTable table;
    int accepted = 0;
    if (graphs::HasCurves(used)) {
        const graphs::Curves curves = graphs::SweepTitration(graph, graphs::ScreenFrame(used));
        graphs::RecordTable(curves, 1, table);
        accepted = curves.accepted;
    }
    const GraphRequest& g = o.graph;
    if ((!g.picture.empty() || !g.table.empty()) &&
        !WriteMixtureTitrationFiles(graph, settings, marks, o.digits, o.numbers.DecimalSeparator, g,
                                    err))
        return ExitInvalidInput;

    const GraphText text(settings, table, {0, 1});
    if (!o.json) {
        text.writeRows(out, o.digits, o.numbers.DecimalSeparator);
        for (const graphs::CurveMark& m : marks)
            out << "equivalence\t" << resultText(o, m.x) << '\t' << resultText(o, m.pH) << '\n';
        return ExitOk;
    }
    out << "{";
    text.writeJsonFields(out, used);
    out << ",\"marks\":[";
    for (std::size_t i = 0; i < marks.size(); ++i)
        out << (i ? "," : "") << "{\"kind\":\"equivalence\",\"x\":" << fullPrecision(marks[i].x)
            << ",\"y\":" << fullPrecision(marks[i].pH) << "}";
    out << "],\"accepted\":" << accepted
        << ",\"picture\":" << (g.picture.empty() ? "null" : jsonString(g.picture)) << "}\n";
    return ExitOk;
}

} // namespace corvane::cli
