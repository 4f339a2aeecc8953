// Medians of the graph code: whole on-screen sweeps (values only) of a titration (ideal and
// solved point by point with the Davies equation), a triprotic molar-fraction diagram and a
// mixture, the finer sweep of a diprotic titration, Dibujar with its curves on a large
// picture, DrawMarkup of the longest graph title, and the values read off a curve at one x
// and the marks.
#include "graphs/catalogue.h"
#include "graphs/scales.h"
#include "graphs/valueat.h"
#include "plot/plot.h"

#include "engine/catalogue.h"
#include "qt_bench_main.h"

#include "markup/renderer.h"
#include "markup/surface.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <utility>
#include <vector>

using namespace corvane;

namespace {

struct Graph {
    engine::EquilAB state;
    graphs::GraphSettings settings;
};

Graph solved(const char* code, int kind, std::vector<std::pair<int, double>> given,
             engine::ActivityModel model = engine::ActivityModel::Ideal) {
    Graph g;
    g.state.Activity = model;
    for (auto [slot, v] : given)
        g.state.IOValues[slot] = v;
    engine::RunProblem(g.state, code);
    g.settings.ProblemCode = code;
    graphs::ChooseGraphKind(g.settings, graphs::Catalogue(), kind);
    graphs::AjustaEscalasETC(g.settings, g.state);
    return g;
}

void sweep(benchmark::State& bench, const Graph& g) {
    if (g.state.CalcError != 0) bench.SkipWithError("the problem did not solve");
    const graphs::GeneratorInput in{
        g.settings.GraphKind,
        g.state,
        {g.settings.XMin, g.settings.XMax, g.settings.YMin, g.settings.YMax, 1}};
    for (auto _ : bench) {
        const graphs::Curves curves = graphs::GenerateCurves(g.settings.ProblemCode, in);
        benchmark::DoNotOptimize(curves.accepted);
    }
}

const std::vector<std::pair<int, double>> Triprotic55{{0, 0.1},    {1, 25},      {3, 7.5e-3},
                                                      {4, 6.2e-8}, {5, 4.8e-13}, {6, 0.1}};

void BM_Sweep_Titration55_pH(benchmark::State& bench) {
    sweep(bench, solved("55", 29, Triprotic55));
}
BENCHMARK(BM_Sweep_Titration55_pH);

void BM_Sweep_Titration55_pH_Davies(benchmark::State& bench) {
    sweep(bench, solved("55", 29, Triprotic55, engine::ActivityModel::Davies));
}
BENCHMARK(BM_Sweep_Titration55_pH_Davies);

void BM_Sweep_Titration51_Slope(benchmark::State& bench) {
    sweep(bench, solved("51", 33, {{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}}));
}
BENCHMARK(BM_Sweep_Titration51_Slope);

void BM_Sweep_TriproticFractions13(benchmark::State& bench) {
    sweep(bench, solved("13", 22, {{0, 0.1}, {3, 7.5e-3}, {4, 6.2e-8}, {5, 4.8e-13}}));
}
BENCHMARK(BM_Sweep_TriproticFractions13);

void BM_Sweep_Mixture35(benchmark::State& bench) {
    sweep(bench, solved("35", 3, {{0, 0.1}, {1, 0.1}, {3, 7.5e-3}, {4, 6.2e-8}, {5, 4.8e-13}}));
}
BENCHMARK(BM_Sweep_Mixture35);

void BM_Sweep_Titration54_1281Points(benchmark::State& bench) {
    sweep(bench, solved("54", 29, {{0, 0.1}, {1, 25}, {3, 4.3e-7}, {4, 5.6e-11}, {6, 0.1}}));
}
BENCHMARK(BM_Sweep_Titration54_1281Points);

// What the status line computes at each pointer move: the pH and slope at one volume of a
// triprotic titration, and its marks.
void BM_ReadCurve_Titration55_OnePoint(benchmark::State& bench) {
    const Graph g = solved("55", 29, Triprotic55);
    const graphs::SweepFrame frame{g.settings.XMin, g.settings.XMax, g.settings.YMin,
                                   g.settings.YMax, 1};
    for (auto _ : bench) {
        const auto readings = graphs::ReadCurve("55", 29, g.state, frame, {37.3});
        benchmark::DoNotOptimize(readings[0].slope);
    }
}
BENCHMARK(BM_ReadCurve_Titration55_OnePoint);

void BM_TitrationMarks55(benchmark::State& bench) {
    const Graph g = solved("55", 29, Triprotic55);
    const graphs::SweepFrame frame{g.settings.XMin, g.settings.XMax, g.settings.YMin,
                                   g.settings.YMax, 1};
    for (auto _ : bench)
        benchmark::DoNotOptimize(graphs::TitrationMarks("55", 29, g.state, frame).size());
}
BENCHMARK(BM_TitrationMarks55);

void BM_Dibujar_Titration55_1600x1000(benchmark::State& bench) {
    const Graph g = solved("55", 29, Triprotic55);
    const plot::GraphPlot graph(g.settings, g.state);
    markup::PictureSurface picture(1600, 1000);
    for (auto _ : bench) {
        graph.Dibujar(picture, true);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(BM_Dibujar_Titration55_1600x1000)->Unit(benchmark::kMillisecond);

// Painting a graph computed once, as a print's second copy or a saved SVG does.
void BM_Paint_Titration55_1600x1000(benchmark::State& bench) {
    const Graph g = solved("55", 29, Triprotic55);
    const plot::GraphPlot graph(g.settings, g.state);
    markup::PictureSurface picture(1600, 1000);
    const plot::PlottedGraph computed = graph.Compute(picture, true);
    for (auto _ : bench) {
        plot::Paint(computed, picture);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(BM_Paint_Titration55_1600x1000)->Unit(benchmark::kMillisecond);

void BM_DrawMarkup_LongestGraphTitle(benchmark::State& bench) {
    const QString title = "-&DeltapH/&DeltaV  vs.  V_S_A.  @Rate of change of pH with change of "
                          "volume  vs.  volume of added strong acid V_S_A";
    markup::PictureSurface picture(1200, 40);
    picture.setFontSize(12);
    for (auto _ : bench) {
        picture.setCurrentX(0);
        markup::DrawMarkup(title, picture);
    }
}
BENCHMARK(BM_DrawMarkup_LongestGraphTitle)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    bench::UseOffscreenByDefault();
    QGuiApplication app(argc, argv);
    return bench::RunBenchmarks(argc, argv);
}
