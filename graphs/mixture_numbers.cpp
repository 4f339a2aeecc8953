#include "mixture_numbers.h"

#include "scales.h"

#include "compounds/componentforms.h"
#include "numtext/numbertext.h"

#include <algorithm>
#include <cmath>

namespace corvane::graphs {

namespace {

std::string numberMarkup(double v, char decimalSeparator = '.') {
    std::int16_t formatError = 0;
    return numtext::FormatNumberMarkup(v, 4, decimalSeparator, formatError);
}

void setPHAxis(GraphSettings& s) {
    s.XAxisName = "pH";
    s.XMin = 0;
    s.XMax = 14;
    s.XStep = 1;
    s.XLabelEvery = 1;
}

} // namespace

Distribution SweepDistribution(const engine::Component& component, const SweepFrame& frame) {
    Distribution d;
    d.fractions.resize(component.forms.size());
    const int steps = 256 * frame.SweepDensity;
    const double dx = frame.XRange() / steps;
    for (int i = 0; i <= steps; ++i) {
        const double pH = frame.XMin + i * dx;
        d.pH.push_back(pH);
        const std::vector<double> fractions = engine::Fractions(component, std::pow(10.0, -pH));
        for (std::size_t k = 0; k < fractions.size(); ++k)
            d.fractions[k].push_back(fractions[k]);
    }
    return d;
}

GraphSettings DistributionSettings(const engine::Component& component) {
    GraphSettings s;
    s.GraphTitle = "Distribution of " + component.name;
    s.GraphSubtitle = "Molar fractions &alfa_i of its forms versus pH";
    std::string pks;
    for (double pk : component.pk)
        pks += (pks.empty() ? "pK_a = " : ", ") + numberMarkup(pk);
    s.ParamCaption = pks;
    s.TableCaption = s.GraphTitle;
    setPHAxis(s);
    s.YAxisName = "&alfa_i";
    s.YMin = 0;
    s.YMax = 1;
    s.YStep = 0.05;
    s.YLabelEvery = 2;
    s.ColumnHeading[0] = "pH";
    for (std::size_t k = 0; k < component.forms.size() && k + 1 < s.ColumnHeading.size(); ++k)
        s.ColumnHeading[k + 1] = compounds::SpeciesMarkup(component.forms[k]);
    return s;
}

void RecordDistribution(const Distribution& distribution, int sweepDensity, GraphTable& table) {
    if (sweepDensity != 1) return;
    const std::size_t forms =
        std::min<std::size_t>(distribution.fractions.size(), GraphTableColumns - 1);
    for (std::size_t i = 0; i < distribution.pH.size(); i += 4) {
        if (table.RecordedRows >= GraphTableLastRow) return;
        const int row = ++table.RecordedRows;
        table.Value[0][row] = distribution.pH[i];
        for (std::size_t k = 0; k < forms; ++k)
            table.Value[k + 1][row] = distribution.fractions[k][i];
    }
}

std::string AmountText(const engine::Component& component, char decimalSeparator) {
    return component.name + " " + numberMarkup(component.total, decimalSeparator) + " M";
}

std::string MixtureText(const engine::MixtureTitration& titration, char decimalSeparator) {
    std::string text = numberMarkup(titration.volume, decimalSeparator) + " mL of ";
    for (std::size_t i = 0; i < titration.mixture.size(); ++i)
        text += (i ? ", " : "") + AmountText(titration.mixture[i], decimalSeparator);
    return text;
}

GraphSettings TitrationSettings(const MixtureTitrationGraph& graph) {
    GraphSettings s;
    s.GraphTitle = "Titration of a mixture";
    s.GraphSubtitle = "pH versus volume of added " + graph.titrantText;
    s.ParamCaption = graph.mixtureText;
    s.TableCaption = graph.mixtureText;
    s.XAxisName = "Volume of added " + graph.titrantText + " V (mL)";
    s.YAxisName = "pH";
    s.XMin = 0;
    s.XMax = graph.to;
    s.XStep = 2 * DecadeStep(graph.to).value_or(graph.to / 10);
    s.XLabelEvery = 1;
    s.YMin = 0;
    s.YMax = 14;
    s.YStep = 1;
    s.YLabelEvery = 1;
    s.ColumnHeading = {"V (mL)", "pH", "", "", ""};
    return s;
}

namespace {

engine::MixtureModel modelOf(const MixtureTitrationGraph& graph) {
    return {graph.pKw, graph.activity, graph.temperature};
}

} // namespace

Curves SweepTitration(const MixtureTitrationGraph& graph, const SweepFrame& frame) {
    const engine::EquilAB state(graph.pKw);
    return RunSweep({0, state, frame}, 1, false,
                    [&graph](double volume, engine::EquilAB& work, double* y) {
                        const engine::MixtureResult r =
                            engine::TitrationPoint(graph.titration, volume, modelOf(graph));
                        if (!r.ok) work.CalcError = 1;
                        y[0] = r.pH;
                    });
}

std::vector<Mark> EquivalenceMarks(const MixtureTitrationGraph& graph) {
    std::vector<Mark> marks;
    for (double v : engine::EquivalenceVolumes(graph.titration, graph.pKw)) {
        if (v > graph.to) break;
        const engine::MixtureResult r = engine::TitrationPoint(graph.titration, v, modelOf(graph));
        if (r.ok) marks.push_back({v, r.pH});
    }
    return marks;
}

} // namespace corvane::graphs
