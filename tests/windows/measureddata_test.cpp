#include "measureddata_test.h"

#include "tests/support/fakedesktop.h"
#include "tests/support/gui_test_main.h"

#include "engine/slots.h"
#include "fit/titrationmodel.h"
#include "plot/measuredmarks.h"
#include "widgets/pictureview.h"
#include "windows/formfit.h"
#include "windows/formgraficaab.h"
#include "windows/formtabla.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cmath>
#include <random>

using namespace corvane;
using namespace corvane::graphs;
using namespace corvane::windows;
using corvane::windows::test::Shared;

namespace {

// The window shows 0.1 mol/L acetic acid (k_a = 1.8e-5, 25 mL) titrated with 0.1 mol/L base;
// the measured titration had C_a = 0.09 and k_a = 2.5e-5, read with 0.01 pH of noise.
constexpr double MeasuredCa = 0.09, MeasuredKa = 2.5e-5;

std::unique_ptr<Shared> g_shared;
std::unique_ptr<windows::WindowContext> g_context;
std::unique_ptr<QTemporaryDir> g_dir;

std::unique_ptr<FormGraficaAB> openGraph() {
    g_context = std::make_unique<windows::WindowContext>(g_shared->context());
    auto w = std::make_unique<FormGraficaAB>(*g_context);
    w->resize(1000, 720);
    w->show();
    [[maybe_unused]] const bool drawn =
        QTest::qWaitFor([&w] { return !w->deferredDraw().isActive(); }, 10000);
    return w;
}

QString writeData(const QString& name, const QByteArray& text) {
    const QString path = g_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) return {};
    return path;
}

QString measuredFile() {
    engine::Slots truth;
    truth.fill(engine::EmptyValue);
    truth[0] = MeasuredCa, truth[1] = 25, truth[2] = MeasuredKa, truth[3] = 0.1;
    const fit::TitrationModel model("51", truth, 14.0);
    std::mt19937 random(42);
    std::normal_distribution<double> noise(0, 0.01);
    QByteArray text = "V (mL);pH\n";
    for (int i = 1; i <= 80; ++i)
        text += QByteArray::number(0.5 * i) + ";" +
                QByteArray::number(model.pH(0.5 * i) + noise(random), 'f', 3) + "\n";
    return writeData("titration.csv", text);
}

int markerPixels(const QImage& image) {
    const QColor marker = plot::PlotColors().MeasuredColor;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == marker) ++n;
    return n;
}

} // namespace

void MeasuredDataTest::init() {
    g_shared = std::make_unique<Shared>();
    g_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(g_shared->solve("51", 29, {{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}}));
}

void MeasuredDataTest::loadingDrawsTheMarkersAndGivesTheRms() {
    auto w = openGraph();
    QCOMPARE(markerPixels(w->picture()->surface().image()), 0);
    QVERIFY(!w->fitAction()->isEnabled());
    g_shared->desktop.openPath = measuredFile();
    w->LoadMeasuredData();
    QCOMPARE(g_shared->desktop.openTitle, QString("Measured data"));
    QCOMPARE(w->plot().measuredPoints.size(), std::size_t(80));
    QVERIFY(markerPixels(w->picture()->surface().image()) > 80);
    QVERIFY(w->fitAction()->isEnabled());
    QCOMPARE(g_shared->desktop.messages.size(), std::size_t(1));
    const widgets::test::Message& m = g_shared->desktop.messages[0];
    QCOMPARE(m.title, QString("Measured data"));
    QVERIFY2(m.text.startsWith("80 points read from"), qPrintable(m.text));
    // The data lie off the drawn curve (another C_a and k_a): far more than the noise.
    const double rms = MeasuredRms("51", 29, w->drawnValues(), w->plot().measuredPoints);
    QVERIFY2(rms > 0.05, qPrintable(QString::number(rms)));
    QVERIFY2(m.text.contains("RMS of measured − computed pH: "), qPrintable(m.text));
    QDir().mkpath(CORVANE_TEST_OUTPUT_DIR);
    QVERIFY(w->grab().save(QString(CORVANE_TEST_OUTPUT_DIR) + "/graph_measured_data.png"));
}

void MeasuredDataTest::aRefusedFileKeepsTheGraph() {
    auto w = openGraph();
    g_shared->desktop.openPath = writeData("bad.txt", "0 3\n1 x\n");
    w->LoadMeasuredData();
    QCOMPARE(g_shared->desktop.messages.size(), std::size_t(1));
    QCOMPARE(g_shared->desktop.messages[0].title, QString("Error"));
    QVERIFY2(g_shared->desktop.messages[0].text.endsWith("line 2: \"x\" is not a number"),
             qPrintable(g_shared->desktop.messages[0].text));
    QVERIFY(w->plot().measuredPoints.empty());
    QCOMPARE(markerPixels(w->picture()->surface().image()), 0);
    QVERIFY(!w->fitAction()->isEnabled());

    g_shared->desktop.openPath.clear(); // a cancelled dialog says nothing
    w->LoadMeasuredData();
    QCOMPARE(g_shared->desktop.messages.size(), std::size_t(1));
}

void MeasuredDataTest::theDataTableListsThePointsAsASecondBlock() {
    auto w = openGraph();
    QVERIFY(w->ReadMeasuredData(writeData("two.csv", "V;pH\n0,5;3,18\n12,25;4,70\n")));
    QString text;
    corvane::test::WhenShown<windows::FormTabla>([&text](windows::FormTabla& window) {
        text = window.TableText();
        window.scrollBar()->setValue(window.scrollBar()->maximum()); // down to the points
        QVERIFY(window.grab().save(QString(CORVANE_TEST_OUTPUT_DIR) + "/table_measured_data.png"));
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    w->ShowDataTable();
    const QStringList lines = text.split("\r\n");
    const qsizetype caption = lines.indexOf("Measured data");
    QVERIFY2(caption > 70, qPrintable(text)); // after the 64 rows of the curve
    QCOMPARE(lines[caption + 4].simplified(), QString("0.5 3.18"));
    QCOMPARE(lines[caption + 5].simplified(), QString("12.25 4.7"));
}

void MeasuredDataTest::theFitResultShowsTheValuesAndTheirResiduals() {
    auto w = openGraph();
    QVERIFY(w->ReadMeasuredData(measuredFile()));
    const fit::FitResult result = w->FitFor({0, 2});
    QVERIFY2(result.ok(), result.reason.c_str());
    QVERIFY(std::abs(result.fitted[0].value - MeasuredCa) <= 3 * result.fitted[0].se);
    QVERIFY(std::abs(result.fitted[1].value - MeasuredKa) <= 3 * result.fitted[1].se);

    bool used = false;
    FormFitResult window("51", 14.0, result, w->plot().measuredPoints, 4, '.',
                         [&used] { used = true; });
    const QString text = window.text();
    QVERIFY2(text.startsWith("C_a = 0.09"), qPrintable(text));
    QVERIFY2(text.contains("\nk_a = 2."), qPrintable(text));
    QVERIFY2(text.contains("\nPoints: 80"), qPrintable(text));
    // The residuals shown are those the fit minimised: their RMS is the fit's.
    double sum = 0;
    for (double r : window.residuals())
        sum += r * r;
    QCOMPARE(window.residuals().size(), std::size_t(80));
    QVERIFY(std::abs(std::sqrt(sum / 80) - result.rms) < 1e-9);
    window.show();
    QVERIFY(window.grab().save(QString(CORVANE_TEST_OUTPUT_DIR) + "/fit_result.png"));
    window.useButton()->click();
    QVERIFY(used);

    FormFitResult withoutMainWindow("51", 14.0, result, w->plot().measuredPoints, 4, '.', {});
    QVERIFY(withoutMainWindow.useButton()->isHidden());
}

void MeasuredDataTest::useTheseValuesRedrawsTheGraphFromTheMainWindowsCalculation() {
    auto w = openGraph();
    // The main window's part: the values typed and calculated.
    engine::Slots typed{};
    g_context->useValues = [&typed](const engine::Slots& values) {
        typed = values;
        g_shared->engine.ClearIOValues();
        for (int slot : {0, 1, 2, 3})
            g_shared->engine.IOValues[slot] = values[slot];
        engine::RunProblem(g_shared->engine, "51");
    };
    QVERIFY(w->ReadMeasuredData(measuredFile()));
    const fit::FitResult result = w->FitFor({0, 2});
    QVERIFY2(result.ok(), result.reason.c_str());
    w->UseFittedValues(result);
    QCOMPARE(typed[0], result.values[0]);
    QCOMPARE(typed[2], result.values[2]);
    QCOMPARE(typed[1], 25.0);
    QVERIFY(engine::IsEmpty(typed[4])); // V_eq follows from the fitted C_a
    // The graph now shows the fitted curve: V_eq = C_a·V_a / C_SB.
    QVERIFY(std::abs(w->drawnValues().IOValues[engine::slot::titration::Veq] -
                     result.values[0] * 25 / 0.1) < 1e-9);
    const double rms = MeasuredRms("51", 29, w->drawnValues(), w->plot().measuredPoints);
    QVERIFY(std::abs(rms - result.rms) < 1e-6);
}
