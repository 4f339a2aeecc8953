#include "mixtitration.h"

#include "commandline.h"

#include "graphs/mixture_graphs.h"
#include "markup/renderer.h"
#include "numtext/numbertext.h"

#include <ostream>

namespace corvane::cli {

namespace {

std::string numberMarkup(const MixOptions& o, double v) {
    std::int16_t formatError = 0;
    return numtext::FormatNumberMarkup(v, 4, o.numbers.DecimalSeparator, formatError);
}

// "Acetic acid 0.1 M" for a component, in mark-up.
std::string amountText(const MixOptions& o, const engine::Component& c) {
    return c.name + " " + numberMarkup(o, c.total) + " M";
}

std::string mixtureText(const MixOptions& o, const engine::MixtureTitration& t) {
    std::string text = numberMarkup(o, t.volume) + " mL of ";
    for (std::size_t i = 0; i < t.mixture.size(); ++i)
        text += (i ? ", " : "") + amountText(o, t.mixture[i]);
    return text;
}

} // namespace

int RunMixtureTitration(const MixOptions& o, const engine::MixtureTitration& titration,
                        std::optional<double> to, std::ostream& out, std::ostream& err) {
    const engine::MixtureModel model = mixtureModel(o);
    graphs::MixtureTitrationGraph graph{titration,
                                        o.pKw,
                                        amountText(o, titration.titrant),
                                        mixtureText(o, titration),
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
    const std::vector<graphs::Mark> marks = graphs::EquivalenceMarks(graph);
    ensureGuiApplication();
    markup::PictureSurface picture(o.graph.width, o.graph.height);
    graphs::GraphTable table;
    const engine::EquilAB state(o.pKw);
    graphs::GraphPlot plot(settings, state, table);
    plot.decimalSeparator = o.numbers.DecimalSeparator;
    int accepted = 0;
    plot.ownCurves = [&](markup::DrawingSurface& surface, const graphs::PlotState& p) {
        const graphs::Curves curves = graphs::SweepTitration(graph, p.frame());
        graphs::RecordTable(curves, p.SweepDensity, table);
        graphs::DrawCurves(surface, p, curves, plot.colors);
        graphs::DrawMarks(surface, p, marks, plot.colors, o.numbers.DecimalSeparator);
        accepted = curves.accepted;
    };

    const GraphRequest& g = o.graph;
    if (!drawAndSave(plot, picture, settings, table, o.digits, o.numbers.DecimalSeparator, g, err))
        return ExitInvalidInput;

    const GraphText text(picture, settings, table, {0, 1});
    if (!o.json) {
        text.writeRows(out, o.digits, o.numbers.DecimalSeparator);
        for (const graphs::Mark& m : marks)
            out << "equivalence\t" << resultText(o, m.volume) << '\t' << resultText(o, m.pH)
                << '\n';
        return ExitOk;
    }
    out << "{";
    text.writeJsonFields(out, plot.usedScales());
    out << ",\"marks\":[";
    for (std::size_t i = 0; i < marks.size(); ++i)
        out << (i ? "," : "")
            << "{\"kind\":\"equivalence\",\"x\":" << fullPrecision(marks[i].volume)
            << ",\"y\":" << fullPrecision(marks[i].pH) << "}";
    out << "],\"accepted\":" << accepted
        << ",\"picture\":" << (g.picture.empty() ? "null" : jsonString(g.picture)) << "}\n";
    return ExitOk;
}

} // namespace corvane::cli
