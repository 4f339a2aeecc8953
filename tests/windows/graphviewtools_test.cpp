#include "graphviewtools_test.h"

#include "graphwindow_fixture.h"

#include "plot/markdrawing.h"
#include "widgets/buttonbar.h"
#include "widgets/pictureview.h"
#include "windows/formgraficaab.h"
#include "windows/graphviewtools.h"
#include "windows/plotpointer.h"
#include "windows/scalesdialog.h"
#include "windows/valueatdialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cmath>

using namespace corvane;
using namespace corvane::graphs;
using namespace corvane::windows;
using corvane::windows::test::Shared;

namespace {

std::unique_ptr<Shared> g_shared;
std::unique_ptr<windows::WindowContext> g_context;

std::unique_ptr<FormGraficaAB> openGraph() {
    return windows::test::OpenGraphWindow(*g_shared, g_context);
}

// The picture pixel of a point in problem values.
QPoint pixelOf(const FormGraficaAB& w, double x, double y) {
    const plot::PlotState& p = w.drawn().plot;
    constexpr double Twips = markup::PictureSurface::ScreenTwipsPerPixel;
    return QPoint(int(std::lround(p.X(x) / Twips)), int(std::lround(p.Y(y) / Twips)));
}

// The pointer moved to a picture pixel, without a button held.
void moveTo(QWidget* picture, QPoint pixel) {
    QMouseEvent move(QEvent::MouseMove, pixel, picture->mapToGlobal(pixel), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &move);
}

QAction* viewItem(const FormGraficaAB& w, const QString& text) {
    for (QAction* menu : w.menus()->actions())
        for (QAction* item : menu->menu()->actions())
            if (item->text() == text) return item;
    return nullptr;
}

// Fills the scales dialog and presses Ok; the dialog's answer is whether it accepted.
std::function<bool(QDialog&)> answerScales(std::vector<std::pair<ScaleField, QString>> entries) {
    return [entries](QDialog& d) {
        auto* dialog = qobject_cast<ScalesDialog*>(&d);
        if (dialog == nullptr) return false;
        for (const auto& [field, text] : entries)
            dialog->field(field)->setText(text);
        dialog->okButton()->click();
        return dialog->result() == QDialog::Accepted;
    };
}

int pixelsOf(const QImage& image, const QColor& colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

int pixelsNear(const QImage& image, const QColor& colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                     std::abs(c.blue() - colour.blue()) <
                 30;
        }
    return n;
}

} // namespace

void GraphViewToolsTest::init() {
    g_shared = std::make_unique<Shared>();
    // 25 mL of 0.1 mol/L acetic acid titrated with 0.1 mol/L strong base.
    QVERIFY(g_shared->solve("51", 29, {{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}}));
}

void GraphViewToolsTest::scalesDialogSetsAndRestoresTheDefaults() {
    auto w = openGraph();
    QStringList shown;
    g_shared->desktop.answerDialog = [&shown](QDialog& d) {
        auto* dialog = qobject_cast<ScalesDialog*>(&d);
        for (int f = 0; f < 8; ++f)
            shown << dialog->field(static_cast<ScaleField>(f))->text();
        return answerScales({{ScaleField::XMin, "20"},
                             {ScaleField::XMax, "30"},
                             {ScaleField::XStep, "1"},
                             {ScaleField::YMin, "2,5"}})(d);
    };
    emit w->button(5)->clicked();
    // Prefilled with the defaults: 0 to 2 · 25 mL by 4, every second labelled; pH -1 to 15.
    QCOMPARE(shown, (QStringList{"0", "50", "4", "2", "-1", "15", "1", "1"}));
    const plot::PlotState& p = w->drawn().plot;
    QCOMPARE(p.XMin, 20.0);
    QCOMPARE(p.XMax, 30.0);
    QCOMPARE(p.YMin, 2.5);
    // The sweep and the table rows follow: the first row at 20 mL, then every 4 · 10/256 mL.
    QCOMPARE(g_shared->table.Value[0][1], 20.0);
    QVERIFY(std::abs(g_shared->table.Value[0][2] - (20 + 40.0 / 256)) < 1e-12);
    QCOMPARE(g_shared->graph.XMax, 50.0); // the defaults stay in the settings

    g_shared->desktop.answerDialog = [](QDialog& d) {
        auto* dialog = qobject_cast<ScalesDialog*>(&d);
        if (dialog->field(ScaleField::XMin)->text() != "20") return false;
        dialog->defaultsButton()->click();
        dialog->okButton()->click();
        return dialog->result() == QDialog::Accepted;
    };
    w->tools()->EditScales();
    QVERIFY(!w->plot().scales);
    QCOMPARE(w->drawn().plot.XMax, 50.0);
    QCOMPARE(g_shared->table.Value[0][1], 0.0);
    QCOMPARE(g_shared->table.RecordedRows, 65);
}

void GraphViewToolsTest::badScalesAreRefusedNamingTheField() {
    auto w = openGraph();
    struct Case {
        ScaleField field;
        QString text;
        QString message;
    };
    const Case cases[] = {
        {ScaleField::XStep, "0", "The x tick step must be greater than 0."},
        {ScaleField::YMax, "abc", "The y maximum is not a number: \"abc\"."},
        {ScaleField::YMax, "-2", "The y maximum must be greater than the minimum."},
        {ScaleField::XLabelEvery, "1.5",
         "The x label spacing must be a whole number of at least 1."},
        {ScaleField::XMin, "-3",
         "The x minimum is outside the curve's domain: a volume cannot be "
         "negative."},
        {ScaleField::XStep, "0.01",
         "The x tick step gives more than 200 ticks; choose a larger "
         "step."},
    };
    for (const Case& c : cases) {
        g_shared->desktop.messages.clear();
        g_shared->desktop.answerDialog = answerScales({{c.field, c.text}});
        w->tools()->EditScales();
        QCOMPARE(g_shared->desktop.messages.size(), std::size_t(1));
        QCOMPARE(g_shared->desktop.messages[0].title, QString("Error"));
        QCOMPARE(g_shared->desktop.messages[0].text, c.message);
        QVERIFY(!w->plot().scales); // the graph stays as it was
        QCOMPARE(w->drawn().plot.XMax, 50.0);
    }
}

void GraphViewToolsTest::dragZoomsAndDoubleClickGoesBack() {
    auto w = openGraph();
    QWidget* picture = w->picture();
    const QPoint from = pixelOf(*w, 20.3, 3.3), to = pixelOf(*w, 29.5, 11.7);
    QTest::mousePress(picture, Qt::LeftButton, {}, from);
    QTest::mouseMove(picture, to);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, to);
    // 20.3 to 29.5 mL (to a pixel, 0.06 mL): span 9.2, log 0.96, step 1 / 5 · 2 = 0.4, so
    // 20 to 29.6; pH 3.3 to 11.7: span 8.4, log 0.92, step 0.4, so 3.2 to 12.
    const plot::PlotState& p = w->drawn().plot;
    QVERIFY(std::abs(p.XMin - 20.0) < 1e-9);
    QVERIFY(std::abs(p.XMax - 29.6) < 1e-9);
    QVERIFY(std::abs(p.XStep - 0.4) < 1e-12);
    QVERIFY(std::abs(p.YMin - 3.2) < 1e-9);
    QVERIFY(std::abs(p.YMax - 12.0) < 1e-9);

    // A click without a drag zooms nothing.
    QTest::mouseClick(picture, Qt::LeftButton, {}, pixelOf(*w, 25, 8));
    QVERIFY(std::abs(w->drawn().plot.XMin - 20.0) < 1e-9);

    QTest::mouseDClick(picture, Qt::LeftButton, {}, pixelOf(*w, 25, 8));
    QVERIFY(!w->plot().scales);
    QCOMPARE(w->drawn().plot.XMax, 50.0);
    // Nothing before the defaults: another double click keeps them.
    QTest::mouseDClick(picture, Qt::LeftButton, {}, pixelOf(*w, 25, 8));
    QCOMPARE(w->drawn().plot.XMax, 50.0);
}

void GraphViewToolsTest::statusLineShowsTheValueUnderThePointer() {
    auto w = openGraph();
    QLabel* status = w->tools()->statusLine();
    QVERIFY(status->geometry().top() >=
            w->picture()->mapTo(w.get(), QPoint(0, 0)).y() + w->picture()->height());
    // At 45 mL 2 mmol of base are over in 70 mL: pH 14 + log(2/70) = 12.456, slope
    // (0.1 / 2 - 1 / 70) / ln 10 = 0.0155 pH/mL; a pixel is 0.06 mL here.
    moveTo(w->picture(), pixelOf(*w, 45, 5));
    const QString text = status->text();
    QVERIFY2(text.startsWith("VSB (mL) 45"), qPrintable(text));
    QVERIFY2(text.contains("   pH 12.46   [H+] 3.4") || text.contains("   pH 12.46   [H+] 3.5"),
             qPrintable(text));
    QVERIFY2(text.contains("|ΔpH/ΔV| 0.015"), qPrintable(text));
    // Off the plot (left of the y axis) the line is empty.
    moveTo(w->picture(), QPoint(3, 300));
    QCOMPARE(status->text(), QString());
}

void GraphViewToolsTest::valueAtListsSeveralValues() {
    auto w = openGraph();
    QAction* item = viewItem(*w, "&Value at...");
    QVERIFY(item != nullptr);
    QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    QStringList lines;
    g_shared->desktop.answerDialog = [&lines](QDialog& d) {
        auto* dialog = qobject_cast<ValueAtDialog*>(&d);
        dialog->input()->setText("5; 12,5 25");
        dialog->showButton()->click();
        lines = dialog->results()->toPlainText().split('\n');
        dialog->input()->setText("5; ten");
        dialog->showButton()->click();
        return true;
    };
    item->trigger();
    QCOMPARE(lines.size(), 3);
    // 5 mL: 0.5 mmol acetate and 2 mmol acid: pH ≈ pk_a + log(0.5 / 2) = 4.14.
    QVERIFY2(lines[0].startsWith("VSB (mL) 5   pH 4.14"), qPrintable(lines[0]));
    // Half-way, pH ≈ pk_a = 4.745; at equivalence 0.05 M acetate, pH 8.72.
    QVERIFY2(lines[1].startsWith("VSB (mL) 12.5   pH 4.745"), qPrintable(lines[1]));
    QVERIFY2(lines[2].startsWith("VSB (mL) 25   pH 8.72"), qPrintable(lines[2]));
    QVERIFY(lines[2].contains("|ΔpH/ΔV|"));
    QCOMPARE(g_shared->desktop.messages.back().text, QString("Not a number: \"ten\"."));
}

void GraphViewToolsTest::showMarksIsKeptAndDrawn() {
    const QColor purple = plot::EquivalenceMarkColor;
    {
        auto w = openGraph();
        QAction* item = w->tools()->showMarksAction();
        QVERIFY(!item->isChecked());
        QCOMPARE(pixelsNear(w->picture()->surface().image(), purple), 0);
        item->trigger();
        QVERIFY(g_shared->showMarks);
        QCOMPARE(w->drawn().values.marks.size(), std::size_t(2));
        QVERIFY(pixelsNear(w->picture()->surface().image(), purple) > 20);
    }
    // The next graph window starts with the marks on.
    auto w = openGraph();
    QVERIFY(w->tools()->showMarksAction()->isChecked());
    QCOMPARE(w->drawn().values.marks.size(), std::size_t(2));
    w->tools()->showMarksAction()->trigger();
    QVERIFY(!g_shared->showMarks);
    QVERIFY(w->drawn().values.marks.empty());
}

void GraphViewToolsTest::indicatorShadesItsRange() {
    auto w = openGraph();
    const IndicatorRange& range = FindIndicator("bromothymol blue")->ranges[0];
    const QColor shade(range.shade.r, range.shade.g, range.shade.b);
    QCOMPARE(pixelsOf(w->picture()->surface().image(), shade), 0);
    QAction* bromothymol = nullptr;
    for (QAction* a : viewItem(*w, "&Indicator")->menu()->actions())
        if (a->text() == "bromothymol blue") bromothymol = a;
    QVERIFY(bromothymol != nullptr);
    bromothymol->trigger();
    const QImage image = w->picture()->surface().image();
    QVERIFY(pixelsOf(image, shade) > 1000);
    const QPoint inside = pixelOf(*w, 41, 6.8), outside = pixelOf(*w, 41, 5.5); // off the grid
    QCOMPARE(image.pixelColor(inside), shade);
    QCOMPARE(image.pixelColor(outside), QColor(Qt::white));
}

void GraphViewToolsTest::screenshots() {
    const QString out = QString(CORVANE_TEST_OUTPUT_DIR) + "/";
    const QString suffix = "-" + QGuiApplication::platformName() + ".png";
    g_shared->showMarks = true;
    auto w = openGraph();
    w->tools()->SetIndicator(FindIndicator("phenolphthalein"));
    w->tools()->ZoomTo(5, 2, 35, 13);
    moveTo(w->picture(), pixelOf(*w, 12.5, 4));
    QVERIFY(w->grab().save(out + "graph_window_marks_zoom" + suffix));

    QImage dialogPicture;
    g_shared->desktop.answerDialog = [&dialogPicture](QDialog& d) {
        d.show();
        dialogPicture = d.grab().toImage();
        return false;
    };
    w->tools()->EditScales();
    QVERIFY(dialogPicture.save(out + "graph_scales_dialog" + suffix));
}
