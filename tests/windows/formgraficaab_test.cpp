#include "formgraficaab_test.h"

#include "graphwindow_fixture.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/gui_test_main.h"

#include "widgets/buttonbar.h"
#include "widgets/pictureview.h"
#include "windows/formeditgraf.h"
#include "windows/formgraficaab.h"
#include "windows/formtabla.h"

#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QMenuBar>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

using namespace corvane;
using namespace corvane::graphs;
using namespace corvane::windows;
using corvane::windows::test::PdfPageSizes;
using corvane::windows::test::Shared;

namespace {

std::unique_ptr<Shared> g_shared;
std::unique_ptr<windows::WindowContext> g_context;
std::unique_ptr<QTemporaryDir> g_dir;

std::unique_ptr<FormGraficaAB> openGraph(int width = 1000, int height = 720) {
    return windows::test::OpenGraphWindow(*g_shared, g_context, width, height);
}

// Pixels of a curve colour in the picture.
int curvePixels(const QImage& image, const QColor& color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color) ++n;
    return n;
}

const QColor Red(200, 0, 0);

// The text the table window shows when opened by the Data table button.
QString dataTableText(FormGraficaAB& w) {
    QString shown;
    corvane::test::WhenShown<windows::FormTabla>([&shown](windows::FormTabla& window) {
        shown = window.TableText();
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    QTest::mouseClick(w.button(1), Qt::LeftButton);
    return shown;
}

} // namespace

void FormGraficaABTest::init() {
    g_shared = std::make_unique<Shared>();
    g_dir = std::make_unique<QTemporaryDir>();
    // Titration of 25 mL of 0.1 mol/L strong acid with 0.1 mol/L strong base.
    QVERIFY(g_shared->solve("50", 29, {{0, 0.1}, {1, 25}, {3, 0.1}}));
}

void FormGraficaABTest::layoutButtonsAndMenus() {
    auto w = openGraph();
    QCOMPARE(w->windowTitle(), QString("Graphic"));
    const QWidget* client = w->picture()->parentWidget();
    QCOMPARE(w->picture()->geometry(),
             QRect(5, 5, client->width() - widgets::ButtonBar::Width - 15, client->height() - 11));
    QCOMPARE(w->buttonBar()->x(), w->picture()->geometry().right() + 1 + 3);
    QCOMPARE(w->buttonBar()->height(), w->picture()->height());
    QCOMPARE(w->picture()->surface().image().size(), w->picture()->size());

    const QStringList captions{"Edit...", "Data table", "Print...", "Copy", "Close", "Scales..."};
    const QStringList tips{"Edit type of graph",
                           "Show the data table",
                           "",
                           "Copy graphic to the clipboard",
                           "Close this window and return to the main window",
                           "Set the scales of the axes"};
    for (int b = 0; b < 6; ++b) {
        QCOMPARE(w->button(b)->text(), captions[b]);
        if (b != 2) QCOMPARE(w->button(b)->toolTip(), tips[b]);
        QCOMPARE(w->button(b)->picture()->pos(), QPoint(4, 11 + 60 * b));
        QCOMPARE(w->button(b)->pos(), QPoint(4, 18 + 60 * b));
        QVERIFY(w->button(b)->picture()->hasIcon());
    }
    QStringList menus;
    for (QAction* a : w->menus()->actions()) {
        menus << a->text();
        for (QAction* item : a->menu()->actions())
            if (!item->isSeparator()) menus << "  " + item->text();
    }
    QCOMPARE(menus,
             (QStringList{"&File", "  &Edit type of graphic...", "  &Save image as...",
                          "  &Print...", "  Export &PDF...", "  &Measured data...", "  Fi&t...",
                          "  &Close", "&Edit", "  &Copy", "&View", "  Data &table", "  &Scales...",
                          "  &Value at...", "  Show &marks", "  &Indicator"}));
}

void FormGraficaABTest::minimumSizeSnapsBack() {
    auto w = openGraph();
    w->resize(500, 300);
    QCoreApplication::processEvents();
    QCOMPARE(w->size(), QSize(800, 600));
}

void FormGraficaABTest::frameFirstCurvesAfterTheTimer() {
    auto w = openGraph();
    QVERIFY(curvePixels(w->picture()->surface().image(), Red) > 100);
    QCOMPARE(g_shared->table.RecordedRows, 65);

    w->resize(1100, 800);
    // The frame is there at once (the axis colour), the curves and the table are not.
    const QImage frame = w->picture()->surface().image();
    QCOMPARE(frame.size(), w->picture()->size());
    QVERIFY(curvePixels(frame, QColor(0, 64, 128)) > 500);
    QCOMPARE(curvePixels(frame, Red), 0);
    QCOMPARE(g_shared->table.RecordedRows, 0);
    QVERIFY(w->deferredDraw().isActive());
    QCOMPARE(w->deferredDraw().interval(), 20);

    QTRY_VERIFY_WITH_TIMEOUT(!w->deferredDraw().isActive(), 10000);
    QVERIFY(curvePixels(w->picture()->surface().image(), Red) > 100);
    QCOMPARE(g_shared->table.RecordedRows, 65);
}

void FormGraficaABTest::draggingRestartsTheTimer() {
    auto w = openGraph();
    // Resizes 8 ms apart, 48 ms in all: the curves wait for the last one. A pause that the
    // machine stretched beyond the timer's 20 ms proves nothing and is not checked.
    int checked = 0;
    for (int i = 0; i < 6; ++i) {
        w->resize(900 + 20 * i, 700);
        QElapsedTimer pause;
        pause.start();
        QTest::qWait(8);
        if (pause.elapsed() >= 18) continue;
        QVERIFY(w->deferredDraw().isActive());
        QCOMPARE(w->drawn().values.curves.points.size(), std::size_t(0));
        ++checked;
    }
    if (checked == 0) QSKIP("the machine is too busy to time a 20 ms timer");
    QTRY_VERIFY_WITH_TIMEOUT(!w->deferredDraw().isActive(), 10000);
    QVERIFY(w->drawn().values.curves.points.size() >= 257);
}

void FormGraficaABTest::printsOnePagePerCopyInThePictureOrientation_data() {
    QTest::addColumn<QSize>("window");
    QTest::addColumn<bool>("portrait");
    QTest::addRow("wide picture: landscape") << QSize(1000, 700) << false;
    QTest::addRow("tall picture: portrait") << QSize(800, 1000) << true;
}

void FormGraficaABTest::printsOnePagePerCopyInThePictureOrientation() {
    QFETCH(QSize, window);
    QFETCH(bool, portrait);
    auto w = openGraph(window.width(), window.height());
    QCOMPARE(w->pageOrientation() == QPageLayout::Portrait, portrait);
    const auto screenTable = g_shared->table.Value;
    g_shared->desktop.printFile = g_dir->filePath("graph.pdf");
    g_shared->desktop.copies = 2;
    QTest::mouseClick(w->button(2), Qt::LeftButton);
    const auto pages = PdfPageSizes(g_shared->desktop.printFile);
    QCOMPARE(pages.size(), std::size_t(2));
    for (const QSizeF& page : pages)
        QCOMPARE(page.height() > page.width(), portrait);
    // Printing leaves the table the screen drawing filled.
    QCOMPARE(g_shared->table.RecordedRows, 65);
    QVERIFY(g_shared->table.Value == screenTable);
}

void FormGraficaABTest::printWithoutPrinterOrCancelledDoesNothing() {
    auto w = openGraph();
    g_shared->desktop.printFile = g_dir->filePath("never.pdf");
    g_shared->desktop.printAccepted = false;
    w->PrintGraphic();
    QCOMPARE(g_shared->desktop.printDialogs, 1);
    g_shared->desktop.printerInstalled = false;
    w->PrintGraphic();
    QCOMPARE(g_shared->desktop.printDialogs, 1);
    QVERIFY(!QFileInfo::exists(g_shared->desktop.printFile));
    QVERIFY(g_shared->desktop.messages.empty());
}

void FormGraficaABTest::savesBmpThatReadsBackAsThePicture() {
    auto w = openGraph();
    const QString path = g_dir->filePath("graph.bmp");
    g_shared->desktop.savePath = path;
    QTest::keyClick(w.get(), Qt::Key_S, Qt::AltModifier); // not a command: nothing happens
    w->SaveImageAs();
    QVERIFY(g_shared->desktop.messages.empty());
    QCOMPARE(g_shared->desktop.saveTitle, QString("Save"));
    QCOMPARE(g_shared->desktop.saveFolder, QString("/opt/corvane"));
    QCOMPARE(g_shared->desktop.saveFilters.first(), QString("Windows BitMap  (*.bmp)"));
    QCOMPARE(g_shared->lastGraphFolder, QDir::toNativeSeparators(g_dir->path()));
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("bmp"));
    const QImage saved = reader.read();
    const QImage shown = w->picture()->surface().image();
    QCOMPARE(saved.size(), shown.size());
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
             shown.convertToFormat(QImage::Format_RGB32));

    w->SaveImageAs();
    QCOMPARE(g_shared->desktop.saveFolder, g_shared->lastGraphFolder);
}

void FormGraficaABTest::savesPngAndSvg() {
    auto w = openGraph();
    const QImage shown = w->picture()->surface().image();
    const QString png = g_dir->filePath("graph.png");
    g_shared->desktop.savePath = png;
    w->SaveImageAs();
    QImageReader reader(png);
    QCOMPARE(reader.format(), QByteArray("png"));
    QCOMPARE(reader.read().convertToFormat(QImage::Format_RGB32), shown);

    // SVG by the filter, with no ending typed: the filter's ending is added.
    const QString svg = g_dir->filePath("vector.svg");
    g_shared->desktop.savePath = g_dir->filePath("vector");
    g_shared->desktop.saveFilter = "SVG drawing (*.svg)";
    w->SaveImageAs();
    QVERIFY(g_shared->desktop.messages.empty());
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("<svg"));
    QVERIFY2(!text.contains("<image"), "lines and text, not a bitmap");
    QVERIFY2(text.count("<text") > 100, "titles and labels stay text");
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.viewBox(), QRect(QPoint(0, 0), shown.size()));
    // Rendered again, it shows the curve where the picture does.
    QImage again(shown.size(), QImage::Format_RGB32);
    again.fill(Qt::white);
    QPainter painter(&again);
    renderer.render(&painter, QRectF(QPointF(0, 0), shown.size()));
    painter.end();
    const int red = curvePixels(shown, Red), redAgain = curvePixels(again, Red);
    QVERIFY2(redAgain > red / 2, qPrintable(QString("%1 %2").arg(red).arg(redAgain)));
    QCOMPARE(g_shared->table.RecordedRows, 65);
}

void FormGraficaABTest::saveDialogsOfferTheFilters() {
    auto w = openGraph();
    const std::pair<void (FormGraficaAB::*)(), QStringList> commands[] = {
        {&FormGraficaAB::SaveImageAs,
         {"Windows BitMap  (*.bmp)", "PNG image (*.png)", "SVG drawing (*.svg)",
          "All files (*.*)"}},
        {&FormGraficaAB::ExportPdf, {"PDF document (*.pdf)", "All files (*.*)"}},
    };
    for (const auto& [command, filters] : commands) {
        g_shared->desktop.saveFilters.clear();
        (w.get()->*command)(); // the dialog is cancelled
        QCOMPARE(g_shared->desktop.saveFilters, filters);
    }
}

void FormGraficaABTest::aFailedSaveReportsAndKeepsTheOldFile() {
    auto w = openGraph();
    const QString path = g_dir->filePath("gone/graph.bmp");
    g_shared->desktop.savePath = path;
    w->SaveImageAs();
    QCOMPARE(g_shared->desktop.messages.size(), std::size_t(1));
    const auto& m = g_shared->desktop.messages[0];
    QCOMPARE(m.title, QString("Error"));
    QCOMPARE(m.text, "Error: Impossible to save the image:\n" + path +
                         "\nError number: 2 No such file or directory");
    QCOMPARE(g_shared->lastGraphFolder, QDir::toNativeSeparators(g_dir->filePath("gone")));

    // An unwritable target keeps its bytes; where this user may write anything, the folder
    // vanishing is the failure to check instead.
    const QString old = g_dir->filePath("old.bmp");
    {
        QFile f(old);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old bitmap");
    }
    QFile::setPermissions(old, QFile::ReadOwner);
    g_shared->desktop.savePath = old;
    w->SaveImageAs();
    if (QFileInfo(old).isWritable()) {
        QVERIFY(g_shared->desktop.messages.size() == 1);
        QSKIP("this user may write any file (root): no read-only case to check");
    }
    QCOMPARE(g_shared->desktop.messages.size(), std::size_t(2));
    QCOMPARE(g_shared->desktop.messages[1].text,
             "Error: Impossible to save the image:\n" + old + "\nRead-only file.");
    QFile f(old);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("old bitmap"));
}

void FormGraficaABTest::copyPutsThePictureOnTheClipboard() {
    auto w = openGraph();
    QTest::mouseClick(w->button(3), Qt::LeftButton);
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), w->picture()->surface().image());
    QCOMPARE(g_shared->desktop.messages.size(), std::size_t(1));
    QCOMPARE(g_shared->desktop.messages[0].title, QString("Copy"));
    QCOMPARE(g_shared->desktop.messages[0].text,
             QString("The graphic was successfully copied to the clipboard."));
}

void FormGraficaABTest::exportPdfWritesOneA4Page() {
    auto w = openGraph();
    const QString path = g_dir->filePath("graph.pdf");
    g_shared->desktop.savePath = path;
    w->ExportPdf();
    QVERIFY(g_shared->desktop.messages.empty());
    const auto pages = PdfPageSizes(path);
    QCOMPARE(pages.size(), std::size_t(1));
    QVERIFY(qAbs(pages[0].width() - 841.9) < 1 && qAbs(pages[0].height() - 595.3) < 1);
    QCOMPARE(g_shared->table.RecordedRows, 65);
    QCOMPARE(g_shared->lastGraphFolder, QDir::toNativeSeparators(g_dir->path()));
}

void FormGraficaABTest::editChoosesAnotherKind() {
    auto w = openGraph();
    corvane::test::WhenShown<FormEditGRAF>([](FormEditGRAF& chooser) {
        QCOMPARE(chooser.selectedRow(), 0); // kind 29, drawn so far
        chooser.selectRow(1);
        chooser.Ok();
    });
    QTest::mouseClick(w->button(0), Qt::LeftButton);
    QCOMPARE(g_shared->graph.GraphKind, 33);
    QVERIFY(g_shared->graph.GraphConfirmed);
    QCOMPARE(g_shared->graph.ColumnHeading[1], std::string("&DeltapH/&DeltaV"));
    QVERIFY(curvePixels(w->picture()->surface().image(), Red) > 50);

    const auto before = w->picture()->surface().image();
    corvane::test::WhenShown<FormEditGRAF>([](FormEditGRAF& chooser) {
        chooser.selectRow(0);
        QTest::keyClick(&chooser, Qt::Key_Escape);
    });
    w->EditTypeOfGraphic();
    QCOMPARE(g_shared->graph.GraphKind, 33);
    QVERIFY(!g_shared->graph.GraphConfirmed);
    QCOMPARE(w->picture()->surface().image(), before);
}

void FormGraficaABTest::dataTableShowsTheScreenPoints() {
    auto w = openGraph();
    QString shown;
    corvane::test::WhenShown<windows::FormTabla>([&shown](windows::FormTabla& window) {
        shown = window.TableText();
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    QTest::mouseClick(w->button(1), Qt::LeftButton);
    const QStringList lines = shown.split("\r\n");
    QCOMPARE(lines[4].left(24), QString("VSB (mL)    pH          "));
    // Row 1: nothing added yet, the acid alone: pH 1.
    QCOMPARE(lines[6].left(24), QString("0           1           "));
}

void FormGraficaABTest::dataTableKeepsTheScreenPointsAfterPrintSaveAndExport() {
    auto w = openGraph();
    const QString screen = dataTableText(*w);
    // 0 to 50 mL in 256 steps, every fourth point: 25 mL, the equivalence point at pH 7, in
    // row 33.
    const QStringList lines = screen.split("\r\n");
    QVERIFY(lines.size() > 6 + 32);
    QCOMPARE(lines[6 + 32].left(24), QString("25          7           "));

    g_shared->desktop.printFile = g_dir->filePath("printed.pdf");
    g_shared->desktop.copies = 2;
    QTest::mouseClick(w->button(2), Qt::LeftButton);
    QCOMPARE(PdfPageSizes(g_shared->desktop.printFile).size(), std::size_t(2));
    QCOMPARE(dataTableText(*w), screen);

    for (const char* name : {"graph.svg", "graph.png", "graph.bmp"}) {
        g_shared->desktop.savePath = g_dir->filePath(name);
        w->SaveImageAs();
        QVERIFY(QFileInfo(g_shared->desktop.savePath).size() > 0);
        QCOMPARE(dataTableText(*w), screen);
    }

    g_shared->desktop.savePath = g_dir->filePath("exported.pdf");
    w->ExportPdf();
    QCOMPARE(PdfPageSizes(g_shared->desktop.savePath).size(), std::size_t(1));
    QCOMPARE(dataTableText(*w), screen);
    QVERIFY(g_shared->desktop.messages.empty());

    // A new size redraws the same points once the curves follow.
    w->resize(1100, 800);
    QTRY_VERIFY_WITH_TIMEOUT(!w->deferredDraw().isActive(), 10000);
    QCOMPARE(dataTableText(*w), screen);
}

void FormGraficaABTest::escapeCloses() {
    auto w = openGraph();
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QVERIFY(!w->isVisible());
}

void FormGraficaABTest::printerNameBecomesTheTooltip() {
    auto w = openGraph();
    QTRY_COMPARE_WITH_TIMEOUT(w->button(2)->toolTip(), QString("Office laser"), 10000);
    QCOMPARE(w->button(2)->picture()->toolTip(), QString("Office laser"));
}

void FormGraficaABTest::screenshots() {
    QDir().mkpath(CORVANE_TEST_OUTPUT_DIR);
    // One set per platform: offscreen, and xcb when run under xvfb-run.
    const QString out = QString(CORVANE_TEST_OUTPUT_DIR) + "/";
    const QString suffix = "-" + QGuiApplication::platformName() + ".png";
    {
        auto w = openGraph();
        QVERIFY(w->grab().save(out + "graph_titration" + suffix));
    }
    QVERIFY(g_shared->solve("50", 33, {}));
    {
        auto w = openGraph();
        QVERIFY(w->grab().save(out + "graph_titration_slope" + suffix));
    }
    g_shared = std::make_unique<Shared>();
    QVERIFY(g_shared->solve("13", 22, {{0, 0.1}, {3, 7.1e-3}, {4, 6.3e-8}, {5, 4.5e-13}}));
    {
        auto w = openGraph();
        QVERIFY(w->grab().save(out + "graph_triprotic_fractions" + suffix));
    }
}
