#include "formeditgraf_test.h"

#include "tests/support/fakedesktop.h"

#include "engine/catalogue.h"
#include "engine/slots.h"
#include "graphs/catalogue.h"
#include "markup/renderer.h"
#include "widgets/pictureview.h"
#include "windows/formeditgraf.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

using namespace corvane;
using namespace corvane::graphs;
using namespace corvane::windows;
using corvane::windows::test::Shared;

namespace {

std::unique_ptr<Shared> g_shared;
std::unique_ptr<windows::WindowContext> g_context;

std::unique_ptr<FormEditGRAF> openChooser() {
    g_context = std::make_unique<windows::WindowContext>(g_shared->context());
    auto w = std::make_unique<FormEditGRAF>(*g_context);
    w->show();
    QCoreApplication::processEvents();
    return w;
}

// A buffer of a weak acid and its salt: C_a = 0.1, C_S = 0.1, k_a = 1.8e-5.
void solveBuffer(const char* code) {
    QVERIFY(g_shared->solve(code, code == std::string("42") ? 23 : 25,
                            {{0, 0.1}, {1, 0.1}, {3, 1.8e-5}}));
    g_shared->graph.GraphKind = 0;
    g_shared->graph.GraphConfirmed = false;
}

void type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

} // namespace

void FormEditGRAFTest::init() {
    g_shared = std::make_unique<Shared>();
    g_shared->graph.TaskTitle = "Buffer solution";
}

void FormEditGRAFTest::offeredRows_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QList<int>>("kinds");
    QTest::addRow("33") << "33" << QList<int>{1, 2, 3, 4, 7, 8, 9, 10};
    QTest::addRow("10") << "10" << QList<int>{1, 2};
    QTest::addRow("42") << "42" << QList<int>{23, 24, 27};
    QTest::addRow("55C") << "55C" << QList<int>{29, 33};
    QTest::addRow("not offered") << "99" << QList<int>{};
}

void FormEditGRAFTest::offeredRows() {
    QFETCH(QString, code);
    QFETCH(QList<int>, kinds);
    g_shared->graph.ProblemCode = code.toStdString();
    auto w = openChooser();
    QCOMPARE(w->windowTitle(), QString("Edit type of graphic"));
    QCOMPARE(w->heading()->text(), QString("Buffer solution"));
    QCOMPARE(w->visibleRows(), kinds.size());
    for (int r = 0; r < FormEditGRAF::Rows; ++r) {
        const bool shown = r < kinds.size();
        QCOMPARE(w->option(r)->isVisible(), shown);
        QCOMPARE(w->titlePicture(r)->isVisible(), shown);
        QCOMPARE(w->rowKind(r), shown ? kinds[r] : 0);
        if (shown) QCOMPARE(w->option(r)->objectName(), QString::number(kinds[r]));
        QCOMPARE(w->option(r)->geometry(), QRect(15, 58 + 28 * r, 30, 25));
        QCOMPARE(w->titlePicture(r)->geometry(), QRect(45, 58 + 28 * r, w->width() - 30 - 45, 25));
    }
    // GraphKind 0: the first row is selected.
    QCOMPARE(w->selectedRow(), kinds.isEmpty() ? -1 : 0);
    QVERIFY(!g_shared->graph.GraphConfirmed);
}

void FormEditGRAFTest::titlesAreDrawn() {
    g_shared->graph.ProblemCode = "10";
    auto w = openChooser();
    const QImage title = w->titlePicture(0)->surface().image();
    int ink = 0, firstInk = title.width();
    for (int x = 0; x < title.width(); ++x)
        for (int y = 0; y < title.height(); ++y)
            if (qGray(title.pixel(x, y)) < 128) {
                ++ink;
                firstInk = std::min(firstInk, x);
            }
    QVERIFY(ink > 200);
    QVERIFY(firstInk >= 6 && firstInk <= 8); // drawn from 90 twips (6 pixels) on
    const QImage hidden = w->titlePicture(5)->surface().image();
    QCOMPARE(hidden.pixelColor(10, 10), QColor(Qt::white));
}

namespace {

// Every problem code the catalogue offers graphs for.
QStringList offerCodes() {
    QStringList codes;
    for (int row = 1; row <= OfferRowCount; ++row)
        codes << QString::fromStdString(Catalogue().GraphOfferCode[row]);
    return codes;
}

// The rightmost column with ink in it, -1 for none.
int lastInkColumn(const QImage& image) {
    for (int x = image.width() - 1; x >= 0; --x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 160) return x;
    return -1;
}

} // namespace

void FormEditGRAFTest::everyTitleShowsWhole() {
    for (const QString& code : offerCodes()) {
        g_shared->graph.ProblemCode = code.toStdString();
        auto w = openChooser();
        int widest = 0; // pixels from the picture's left to the end of the longest title
        for (int r = 0; r < w->visibleRows(); ++r) {
            widgets::PictureView* picture = w->titlePicture(r);
            markup::MeasuringSurface measure(picture->surface());
            measure.setCurrentX(90);
            measure.setCurrentY(30);
            markup::DrawMarkup(
                QString::fromStdString(ListTitle(Catalogue().GraphKindTitle[w->rowKind(r)])),
                measure);
            const int end = static_cast<int>(std::ceil(measure.currentX() / 15));
            widest = std::max(widest, end);
            const QString where = code + " kind " + QString::number(w->rowKind(r));
            QVERIFY2(picture->width() >= end, qPrintable(where));
            // Nothing is cut at the right edge: the last columns stay white.
            QVERIFY2(lastInkColumn(picture->surface().image()) < picture->width() - 3,
                     qPrintable(where));
            QCOMPARE(picture->geometry().left(), 45);
            QCOMPARE(picture->geometry().right() + 1, w->width() - 30);
        }
        // As wide as the longest title needs, and never narrower than 620.
        QVERIFY2(w->width() >= 620, qPrintable(code));
        if (w->width() > 620) QVERIFY2(w->titlePicture(0)->width() - widest <= 8, qPrintable(code));
    }
}

void FormEditGRAFTest::windowHeightFollowsTheRows() {
    for (const QString& code : offerCodes()) {
        g_shared->graph.ProblemCode = code.toStdString();
        auto w = openChooser();
        // The lowest thing the window ever shows above its button bar: the highlight around
        // each row in turn, with the extra panel under the rows that have one.
        int lowest = 0;
        for (int r = 0; r < w->visibleRows(); ++r) {
            w->selectRow(r);
            lowest = std::max(lowest, w->highlight()->geometry().bottom() + 1);
        }
        const QRect bar = w->okButton()->parentWidget()->geometry();
        QCOMPARE(bar.bottom() + 1, w->height());
        QVERIFY2(bar.top() >= lowest, qPrintable(code));
        QVERIFY2(bar.top() - lowest <= 12, qPrintable(code));
    }
}

void FormEditGRAFTest::extraPanelFollowsTheSelection() {
    solveBuffer("42");
    auto w = openChooser();
    QVERIFY(w->rowNeedsExtraFields(2));
    QVERIFY(!w->rowNeedsExtraFields(0));
    QVERIFY(w->extraPanel()->isHidden());
    QCOMPARE(w->highlight()->geometry(), QRect(14, 57, 620 - 30 - 15 + 2, 27));

    QTest::mouseClick(w->option(2), Qt::LeftButton, {}, QPoint(8, 12));
    QCOMPARE(w->selectedRow(), 2);
    QVERIFY(!w->extraPanel()->isHidden());
    QCOMPARE(w->extraPanel()->pos(), QPoint(45, 58 + 2 * 28 + 25));
    QCOMPARE(w->concentrationLabel()->text(),
             QString(" Concentration (mol/L) of added strong acid"));
    QCOMPARE(w->volumeField()->text(), QString("100"));
    QCOMPARE(w->concentrationField()->text(), QString());
    QCOMPARE(w->highlight()->geometry().bottom(), w->extraPanel()->geometry().bottom() + 1);

    // A click on a title picture selects its row.
    QTest::mouseClick(w->titlePicture(1), Qt::LeftButton);
    QCOMPARE(w->selectedRow(), 1);
    QVERIFY(w->extraPanel()->isHidden());

    g_shared->graph.ProblemCode = "44";
    auto base = openChooser();
    base->selectRow(2);
    QCOMPARE(base->rowKind(2), 29);
    QCOMPARE(base->concentrationLabel()->text(),
             QString(" Concentration (mol/L) of added strong base"));
}

void FormEditGRAFTest::okStoresTheChoiceAndScales() {
    solveBuffer("42");
    auto w = openChooser();
    w->selectRow(0);
    // Kind 23 ignores the extra fields, even unreadable ones.
    type(w->concentrationField(), "");
    QTest::mouseClick(w->okButton(), Qt::LeftButton);
    QVERIFY(g_shared->desktop.messages.empty());
    QVERIFY(!w->isVisible());
    QCOMPARE(w->result(), int(QDialog::Accepted));
    const GraphSettings& s = g_shared->graph;
    QVERIFY(s.GraphConfirmed);
    QCOMPARE(s.GraphKind, 23);
    QCOMPARE(s.YAxisName, std::string("pH"));
    QCOMPARE(s.GraphSubtitle, std::string("pH versus added strong acid concentration C_S_A"));
    // C_a = C_S = 0.1: the span is 0.4, ticks of 0.04, every fourth labelled.
    QCOMPARE(s.XMax, 0.4);
    QCOMPARE(s.XStep, 0.04);
    QCOMPARE(s.XLabelEvery, 4);
}

void FormEditGRAFTest::okWithTheExtraValues() {
    solveBuffer("42");
    auto w = openChooser();
    w->selectRow(2);
    type(w->volumeField(), "250");
    type(w->concentrationField(), "0,05");
    QTest::keyClick(w->concentrationField(), Qt::Key_Return);
    QVERIFY(g_shared->desktop.messages.empty());
    QVERIFY(g_shared->graph.GraphConfirmed);
    QCOMPARE(g_shared->graph.GraphKind, 27);
    QCOMPARE(g_shared->engine.IOValues[engine::slot::buffer::Volume], 250.0);
    QCOMPARE(g_shared->engine.IOValues[engine::slot::buffer::AddedConcentration], 0.05);
    QVERIFY(g_shared->graph.ParamCaption.find("V_D_I_S_o = 250 mL") != std::string::npos);
}

void FormEditGRAFTest::invalidExtraValuesKeepTheWindowOpen_data() {
    QTest::addColumn<QString>("volume");
    QTest::addColumn<QString>("concentration");
    QTest::addColumn<int>("emptied");
    QTest::addRow("concentration 0") << "100"
                                     << "0" << 16;
    QTest::addRow("concentration empty") << "100"
                                         << "  " << 16;
    QTest::addRow("negative volume") << "-5"
                                     << "0.1" << 15;
    QTest::addRow("unreadable volume") << "1/0"
                                       << "0.1" << 15;
    QTest::addRow("unreadable concentration") << "100"
                                              << "e" << 16;
}

void FormEditGRAFTest::invalidExtraValuesKeepTheWindowOpen() {
    QFETCH(QString, volume);
    QFETCH(QString, concentration);
    QFETCH(int, emptied);
    solveBuffer("44");
    const GraphSettings before = g_shared->graph;
    auto w = openChooser();
    w->selectRow(2);
    QCOMPARE(w->rowKind(2), 29);
    type(w->volumeField(), volume);
    type(w->concentrationField(), concentration);
    w->Ok();
    QCOMPARE(g_shared->desktop.messages.size(), std::size_t(1));
    QCOMPARE(g_shared->desktop.messages[0].title, QString("Error"));
    QCOMPARE(g_shared->desktop.messages[0].text, QString("Invalid data"));
    QVERIFY(w->isVisible());
    QVERIFY(engine::IsEmpty(g_shared->engine.IOValues[emptied]));
    QCOMPARE(g_shared->engine.CalcError, std::int16_t(1));
    QVERIFY(!g_shared->graph.GraphConfirmed);
    QCOMPARE(g_shared->graph.GraphKind, before.GraphKind);
    QCOMPARE(g_shared->graph.XMax, before.XMax);
}

void FormEditGRAFTest::failedScalesCloseWithoutChange() {
    // A titration whose slope at equivalence is 0 has no span for the slope graph.
    QVERIFY(g_shared->solve("50", 29, {{0, 0.1}, {1, 25}, {3, 0.1}}));
    g_shared->engine.IOValues[engine::slot::buffer::Volume] = 0;
    const GraphSettings before = g_shared->graph;
    auto w = openChooser();
    QCOMPARE(w->selectedRow(), 0); // kind 29, the one drawn so far
    w->selectRow(1);
    w->Ok();
    QCOMPARE(g_shared->desktop.messages.size(), std::size_t(1));
    QCOMPARE(g_shared->desktop.messages[0].text, QString("Invalid data."));
    QVERIFY(!w->isVisible());
    QVERIFY(!g_shared->graph.GraphConfirmed);
    QCOMPARE(g_shared->graph.GraphKind, before.GraphKind);
    QCOMPARE(g_shared->graph.YMax, before.YMax);
}

void FormEditGRAFTest::fieldKeyFilter() {
    solveBuffer("42");
    auto w = openChooser();
    w->selectRow(2);
    ExtraField* f = w->concentrationField();
    type(f, "1.5eXq-3%/,+E");
    QCOMPARE(f->text(), QString("1.5e-3%/,+E"));
    // Entering a field selects its text.
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->volumeField()->setFocus();
    QTRY_COMPARE(w->volumeField()->selectedText(), QString("100"));
    // The clipboard keys pass.
    QTest::keyClick(w->volumeField(), Qt::Key_C, Qt::ControlModifier);
    type(f, "");
    QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f->text(), QString("100"));
}

void FormEditGRAFTest::arrowKeysEnterAndEscape() {
    g_shared->graph.ProblemCode = "11";
    g_shared->graph.GraphKind = 0;
    auto w = openChooser();
    QCOMPARE(w->visibleRows(), 7);
    QTest::keyClick(w->option(0), Qt::Key_Up);
    QCOMPARE(w->selectedRow(), 6); // from the first row to the last visible
    QTest::keyClick(w.get(), Qt::Key_Down);
    QCOMPARE(w->selectedRow(), 0);
    QTest::keyClick(w.get(), Qt::Key_Down);
    QTest::keyClick(w.get(), Qt::Key_Down);
    QCOMPARE(w->selectedRow(), 2);
    QCOMPARE(w->highlight()->geometry().top(), 58 + 2 * 28 - 1);
    // Escape after changing the selection leaves the settings alone.
    const GraphSettings before = g_shared->graph;
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QVERIFY(!w->isVisible());
    QVERIFY(!g_shared->graph.GraphConfirmed);
    QCOMPARE(g_shared->graph.GraphKind, before.GraphKind);
    QCOMPARE(g_shared->graph.XAxisName, before.XAxisName);
}

void FormEditGRAFTest::enterOnAFocusedButtonPressesIt_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("confirmed");
    QTest::addRow("Return on Cancel") << "Cancel" << int(Qt::Key_Return) << false;
    QTest::addRow("keypad Enter on Cancel") << "Cancel" << int(Qt::Key_Enter) << false;
    QTest::addRow("Space on Cancel") << "Cancel" << int(Qt::Key_Space) << false;
    QTest::addRow("Return on Ok") << "Ok" << int(Qt::Key_Return) << true;
    QTest::addRow("Return on an option") << "option" << int(Qt::Key_Return) << true;
}

void FormEditGRAFTest::enterOnAFocusedButtonPressesIt() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, confirmed);
    QVERIFY(g_shared->solve("11", 1, {{0, 0.1}, {3, 1.8e-5}}));
    auto w = openChooser();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->selectRow(2);
    QWidget* target = focus == "Ok"       ? static_cast<QWidget*>(w->okButton())
                      : focus == "Cancel" ? static_cast<QWidget*>(w->cancelButton())
                                          : static_cast<QWidget*>(w->option(2));
    target->setFocus();
    QTRY_VERIFY(target->hasFocus());
    QTest::keyClick(target, Qt::Key(key));
    QTRY_VERIFY(!w->isVisible());
    QCOMPARE(g_shared->graph.GraphConfirmed, confirmed);
    QCOMPARE(g_shared->graph.GraphKind, confirmed ? w->rowKind(2) : 1);
}

void FormEditGRAFTest::doubleClickConfirms() {
    QVERIFY(g_shared->solve("11", 1, {{0, 0.1}, {3, 1.8e-5}}));
    g_shared->graph.GraphKind = 0;
    auto w = openChooser();
    QTest::mouseDClick(w->titlePicture(6), Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QVERIFY(g_shared->graph.GraphConfirmed);
    QCOMPARE(g_shared->graph.GraphKind, 16);
    QCOMPARE(g_shared->graph.ColumnHeading[2], std::string("&alfa_1"));
}

void FormEditGRAFTest::reopeningSelectsTheKindDrawn() {
    solveBuffer("42");
    g_shared->graph.GraphKind = 27;
    g_shared->engine.IOValues[engine::slot::buffer::Volume] = 50;
    g_shared->engine.IOValues[engine::slot::buffer::AddedConcentration] = 0.000125;
    auto w = openChooser();
    QCOMPARE(w->selectedRow(), 2);
    QVERIFY(!w->extraPanel()->isHidden());
    QCOMPARE(w->volumeField()->text(), QString("50"));
    QCOMPARE(w->concentrationField()->text(), QString("1.25E-4"));
}

void FormEditGRAFTest::screenshot() {
    solveBuffer("42");
    auto w = openChooser();
    w->selectRow(2);
    QDir().mkpath(CORVANE_TEST_OUTPUT_DIR);
    QVERIFY(w->grab().save(QString(CORVANE_TEST_OUTPUT_DIR) + "/chooser_42-" +
                           QGuiApplication::platformName() + ".png"));
    // A titration: the longest titles.
    g_shared->graph.ProblemCode = "52";
    g_shared->graph.TaskTitle = engine::FormTaskTitle(5, 2, false);
    auto titration = openChooser();
    QCOMPARE(titration->windowTitle(), QString("Edit type of graphic"));
    QVERIFY(titration->grab().save(QString(CORVANE_TEST_OUTPUT_DIR) + "/chooser_52-" +
                                   QGuiApplication::platformName() + ".png"));
}
