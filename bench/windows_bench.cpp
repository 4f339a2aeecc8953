// Medians of the windows, headless: Calculate in the main window (code 55, from the click to
// the fields written), the start-up from the splash to the main window shown (the splash's
// 400 ms timer left out), Ok in the graph type chooser to the curves in a new 1600x1000 graph
// window (the 20 ms deferred-draw timer included), and the frame a resize draws at once.
#include "qt_bench_main.h"

#include "app/startup.h"
#include "engine/slots.h"
#include "graphs/catalogue.h"
#include "graphs/scales.h"
#include "mainwin/controls.h"
#include "mainwin/formmain.h"
#include "mainwin/settings.h"
#include "mainwin/taskpanel.h"
#include "widgets/desktop.h"
#include "windows/formeditgraf.h"
#include "windows/formgraficaab.h"

#include "engine/catalogue.h"

#include <QApplication>
#include <QRadioButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace corvane;

namespace {

// A message box would wait for a click: here it only marks the run as failed.
class QuietDesktop : public widgets::SystemDesktop {
public:
    void showMessage(QWidget*, const QString&, const QString&, widgets::MessageKind) override {
        failed = true;
    }
    void showDetailedMessage(QWidget*, const QString&, const QString&, const QString&,
                             widgets::MessageKind) override {
        failed = true;
    }
    void openUrl(const QUrl&, std::function<void()> onFailure) override { onFailure(); }
    bool failed = false;
};

void BM_Calculate_Titration55(benchmark::State& bench) {
    QTemporaryDir dir;
    mainwin::SettingsStore store(dir.filePath("ZEMLO.ini"));
    QuietDesktop desktop;
    mainwin::FormMain w(store, desktop, dir.path());
    w.show();
    w.LblMENU_Click(5);
    w.task(5).optionButtons[5]->click();
    const std::pair<int, const char*> given[] = {{0, "0.1"},    {1, "25"},      {3, "7.1e-3"},
                                                 {4, "6.3e-8"}, {5, "4.5e-13"}, {6, "0.1"}};
    for (auto _ : bench) {
        bench.PauseTiming();
        w.LblDEL_Click(5);
        for (auto [row, value] : given)
            w.task(5).rows[static_cast<std::size_t>(row)].field->setText(value);
        bench.ResumeTiming();
        w.LblCAL_Click(5);
    }
    if (desktop.failed || w.task(5).rows[10].field->text() != "25")
        bench.SkipWithError("Calculate did not give the first equivalence volume, 25 mL");
}
BENCHMARK(BM_Calculate_Titration55)->Unit(benchmark::kMillisecond);

void BM_StartUp_SplashToMainWindow(benchmark::State& bench) {
    QTemporaryDir dir;
    mainwin::SettingsStore store(dir.filePath("ZEMLO.ini"));
    QuietDesktop desktop;
    for (auto _ : bench) {
        app::StartUp startUp(store, desktop, dir.path());
        startUp.start();
        startUp.splash()->Timer1().stop();
        QCoreApplication::processEvents();
        startUp.showMainWindow();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(startUp.mainWindow()->isVisible());
    }
}
BENCHMARK(BM_StartUp_SplashToMainWindow)->Unit(benchmark::kMillisecond);

// A solved titration of 25 mL of 0.1 mol/L strong acid with 0.1 mol/L strong base, with the
// context the graph windows work in.
struct GraphRoad {
    graphs::GraphSettings graph;
    graphs::GraphTable table;
    engine::EquilAB engine;
    numtext::NumberSettings numbers;
    QString lastGraphFolder, lastTableFolder;
    QuietDesktop desktop;
    windows::WindowContext context{graph,           table,           engine,    numbers, 4,
                                   lastGraphFolder, lastTableFolder, QString(), desktop};

    GraphRoad() {
        engine.IOValues[engine::slot::titration::C] = 0.1;
        engine.IOValues[engine::slot::titration::V] = 25;
        engine.IOValues[engine::slot::titration::Titrant] = 0.1;
        engine::RunProblem(engine, "50");
        graph.ProblemCode = "50";
        graph.TaskTitle = "Titration";
    }
};

void BM_GraphWindow_OkToCurves_1600x1000(benchmark::State& bench) {
    GraphRoad road;
    int run = 0;
    for (auto _ : bench) {
        windows::FormEditGRAF chooser(road.context);
        chooser.selectRow(run++ % 2);
        chooser.Ok();
        windows::FormGraficaAB w(road.context);
        w.resize(1600, 1000);
        w.show();
        while (w.drawn().values.curves.points.empty() && !road.desktop.failed)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    if (!road.graph.GraphConfirmed || road.desktop.failed)
        bench.SkipWithError("the chooser did not confirm the graph");
}
BENCHMARK(BM_GraphWindow_OkToCurves_1600x1000)->Unit(benchmark::kMillisecond);

void BM_GraphWindow_ResizeFrame_1600x1000(benchmark::State& bench) {
    GraphRoad road;
    graphs::ChooseGraphKind(road.graph, graphs::Catalogue(), 29);
    if (!graphs::AjustaEscalasETC(road.graph, road.engine)) bench.SkipWithError("no scales");
    windows::FormGraficaAB w(road.context);
    w.show();
    int run = 0;
    for (auto _ : bench)
        w.resize(1600 - run++ % 2, 1000);
}
BENCHMARK(BM_GraphWindow_ResizeFrame_1600x1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    bench::UseOffscreenByDefault();
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    return bench::RunBenchmarks(argc, argv);
}
