#include "refusedchoice_test.h"

#include "tests/support/fakedesktop.h"
#include "tests/support/gui_test_main.h"

#include "engine/slots.h"
#include "widgets/pictureview.h"
#include "windows/formeditgraf.h"
#include "windows/formgraficaab.h"

#include <QPushButton>

#include <cmath>

using namespace corvane;
using namespace corvane::graphs;
using namespace corvane::windows;
using corvane::windows::test::Shared;

namespace {

// Code 42: a buffer of C_a = C_S = 0.1 mol/L acetic acid and acetate, k_a = 1.8e-5, with
// C_SA = 0.01 mol/L of strong acid added.
constexpr double Ka = 1.8e-5;
// The rows of code 42 in the chooser.
constexpr int AddedConcentrationRow = 0; // kind 23, "pH vs. C_SA"
constexpr int AddedVolumeRow = 2;        // kind 27, "pH vs. V_SA"

std::unique_ptr<Shared> g_shared;
std::unique_ptr<windows::WindowContext> g_context;

void type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

void waitForTheCurves(FormGraficaAB& w) {
    QTRY_VERIFY_WITH_TIMEOUT(!w.deferredDraw().isActive(), 10000);
}

// As after Graphic: "pH vs. V_SA" with 0.05 mol/L added to the 100 mL of buffer, confirmed,
// then the graph window.
std::unique_ptr<FormGraficaAB> openAddedVolumeGraph() {
    g_context = std::make_unique<windows::WindowContext>(g_shared->context());
    {
        FormEditGRAF chooser(*g_context);
        chooser.selectRow(AddedVolumeRow);
        type(chooser.concentrationField(), "0.05");
        chooser.Ok();
    }
    if (!g_shared->graph.GraphConfirmed) return nullptr;
    auto w = std::make_unique<FormGraficaAB>(*g_context);
    w->resize(1000, 720);
    w->show();
    waitForTheCurves(*w);
    return w;
}

struct Drawn {
    QImage picture;
    graphs::GraphTable table;
    std::string caption;
};

Drawn drawn(const FormGraficaAB& w) {
    return {w.picture()->surface().image(), g_shared->table, w.drawnSettings().ParamCaption};
}

// A resize away and back redraws everything from what the window holds.
Drawn redrawn(FormGraficaAB& w) {
    w.resize(1100, 800);
    waitForTheCurves(w);
    w.resize(1000, 720);
    waitForTheCurves(w);
    return drawn(w);
}

void compareDrawn(const Drawn& now, const Drawn& before) {
    QCOMPARE(now.caption, before.caption);
    QCOMPARE(now.table.RecordedRows, before.table.RecordedRows);
    QVERIFY(now.table.Value == before.table.Value);
    QCOMPARE(now.picture, before.picture);
}

// Henderson–Hasselbalch for V mL of 0.05 mol/L strong acid added to 100 mL of the buffer.
double bufferPH(double v) {
    return -std::log10(Ka) + std::log10((0.1 * 100 - 0.05 * v) / (0.1 * 100 + 0.05 * v));
}

} // namespace

void RefusedChoiceTest::init() {
    g_shared = std::make_unique<Shared>();
    QVERIFY(g_shared->solve("42", 23, {{0, 0.1}, {1, 0.1}, {3, Ka}, {4, 0.01}}));
    g_shared->graph.GraphKind = 0;
    g_shared->graph.GraphConfirmed = false;
}

void RefusedChoiceTest::theAddedVolumeCurveFollowsTheBufferEquation() {
    auto w = openAddedVolumeGraph();
    QVERIFY(w);
    const graphs::GraphTable& t = g_shared->table;
    QVERIFY(t.RecordedRows > 60);
    QCOMPARE(t.Value[0][1], 0.0);
    QVERIFY(std::abs(t.Value[1][1] - 4.7447) < 1e-3);
    // Up to about 150 mL the pair still buffers and the equation holds to 0.01.
    int checked = 0;
    for (int r = 2; r <= t.RecordedRows && t.Value[0][r] <= 150; ++r, ++checked)
        QVERIFY2(std::abs(t.Value[1][r] - bufferPH(t.Value[0][r])) < 0.01,
                 qPrintable(QString("V %1: pH %2").arg(t.Value[0][r]).arg(t.Value[1][r])));
    QVERIFY(checked > 5);
    QVERIFY(w->drawnSettings().ParamCaption.find("V_D_I_S_o = 100 mL") != std::string::npos);
}

void RefusedChoiceTest::aRefusedVolumeThenEscapeKeepsTheGraph() {
    auto w = openAddedVolumeGraph();
    QVERIFY(w);
    const Drawn before = drawn(*w);
    corvane::test::WhenShown<FormEditGRAF>([](FormEditGRAF& chooser) {
        type(chooser.volumeField(), "0");
        chooser.Ok();
        QVERIFY(chooser.isVisible());
        QTest::keyClick(&chooser, Qt::Key_Escape);
    });
    w->EditTypeOfGraphic();
    QCOMPARE(g_shared->desktop.messages.size(), std::size_t(1));
    QCOMPARE(g_shared->desktop.messages[0].text, QString("Invalid data"));
    QVERIFY(!g_shared->graph.GraphConfirmed);
    // The chooser emptied the refused slot; the graph keeps the volume it was drawn with.
    QVERIFY(engine::IsEmpty(g_shared->engine.IOValues[engine::slot::buffer::Volume]));
    QCOMPARE(w->drawnValues().IOValues[engine::slot::buffer::Volume], 100.0);
    compareDrawn(redrawn(*w), before);
}

void RefusedChoiceTest::aVolumeBeyondTheScalesOrCancelKeepsTheGraph() {
    auto w = openAddedVolumeGraph();
    QVERIFY(w);
    const Drawn before = drawn(*w);
    // A volume that reads but gives no scale: the chooser closes with its own message.
    corvane::test::WhenShown<FormEditGRAF>([](FormEditGRAF& chooser) {
        type(chooser.volumeField(), "1e308");
        chooser.Ok();
    });
    w->EditTypeOfGraphic();
    QCOMPARE(g_shared->desktop.messages.size(), std::size_t(1));
    QCOMPARE(g_shared->desktop.messages[0].text, QString("Invalid data."));
    QVERIFY(!g_shared->graph.GraphConfirmed);
    compareDrawn(redrawn(*w), before);

    // Another kind and other values, then Cancel.
    corvane::test::WhenShown<FormEditGRAF>([](FormEditGRAF& chooser) {
        type(chooser.volumeField(), "20");
        chooser.selectRow(AddedConcentrationRow);
        QTest::mouseClick(chooser.cancelButton(), Qt::LeftButton);
    });
    w->EditTypeOfGraphic();
    QCOMPARE(g_shared->desktop.messages.size(), std::size_t(1));
    compareDrawn(redrawn(*w), before);
}

void RefusedChoiceTest::aValidChoiceAfterARefusedOneDraws() {
    auto w = openAddedVolumeGraph();
    QVERIFY(w);
    corvane::test::WhenShown<FormEditGRAF>([](FormEditGRAF& chooser) {
        type(chooser.concentrationField(), "");
        chooser.Ok();
        QVERIFY(chooser.isVisible());
        chooser.selectRow(AddedConcentrationRow);
        chooser.Ok();
    });
    w->EditTypeOfGraphic();
    QCOMPARE(g_shared->desktop.messages.size(), std::size_t(1));
    QCOMPARE(g_shared->desktop.messages[0].text, QString("Invalid data"));
    QVERIFY(g_shared->graph.GraphConfirmed);
    QCOMPARE(w->drawnSettings().GraphKind, std::int16_t(23));
    QCOMPARE(w->drawnSettings().ColumnHeading[0], std::string("C_S_A (mol/L)"));
    // pH against added acid concentration: none added, the buffer's pK_a; at 0.05 mol/L the
    // acid turns half the salt over, pH = pK_a + log(0.05 / 0.15).
    const graphs::GraphTable& t = g_shared->table;
    QVERIFY(t.RecordedRows > 60);
    QCOMPARE(t.Value[0][1], 0.0);
    QVERIFY(std::abs(t.Value[1][1] + std::log10(Ka)) < 1e-3);
    for (int r = 2; r <= t.RecordedRows; ++r) {
        if (std::abs(t.Value[0][r] - 0.05) > 1e-9) continue;
        QVERIFY(std::abs(t.Value[1][r] - (-std::log10(Ka) + std::log10(0.05 / 0.15))) < 0.01);
        return;
    }
    QFAIL("no row at C_SA = 0.05");
}
