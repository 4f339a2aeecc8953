#include "formtabla_test.h"

#include "tests/support/fakedesktop.h"

#include "plot/export.h"
#include "widgets/buttonbar.h"
#include "widgets/pictureview.h"
#include "windows/formtabla.h"

#include <QClipboard>
#include <QDir>
#include <QMenuBar>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace corvane;
using namespace corvane::files;
using namespace corvane::table;
using namespace corvane::windows;
using corvane::widgets::MessageKind;
using corvane::widgets::test::FakeDesktop;
using corvane::windows::test::PdfPageSizes;
using corvane::windows::test::Shared;

namespace {

std::unique_ptr<Shared> g_shared;
std::unique_ptr<QTemporaryDir> g_dir;

std::unique_ptr<FormTabla> openTable(int width = 900, int height = 640) {
    static std::unique_ptr<WindowContext> context;
    context = std::make_unique<WindowContext>(g_shared->context());
    auto window = std::make_unique<FormTabla>(*context);
    window->resize(width, height);
    window->show();
    QCoreApplication::processEvents();
    return window;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void wheel(QWidget* target, int rotation) {
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, rotation), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace

void FormTablaTest::init() {
    g_shared = std::make_unique<Shared>();
    g_dir = std::make_unique<QTemporaryDir>();
    // A weak acid, pH against its concentration; C_a = 0.1, k_a = 1.8e-5.
    QVERIFY(g_shared->solve("11", 1, {{0, 0.1}, {3, 1.8e-5}}));
    g_shared->drawOnScreen();
    QVERIFY(g_shared->table.RecordedRows > 60);
}

void FormTablaTest::showsTheTableOfTheLastScreenDrawing() {
    auto w = openTable();
    QCOMPARE(w->windowTitle(), QString("Data table"));
    QCOMPARE(w->headingPicture()->size(), QSize(796, 81));
    // Tall enough for rows 1 to 64 and the closing rule 1.1 rows below the last one.
    const double row =
        QFontMetricsF(w->bodyPicture()->surface().font(), &w->bodyPicture()->surface().image())
            .height();
    QCOMPARE(w->bodyPicture()->width(), 796);
    QVERIFY(w->bodyPicture()->height() >= 64.1 * row);
    QVERIFY(w->bodyPicture()->height() <= 64.1 * row + 2);
    const QStringList lines = w->TableText().split("\r\n");
    QCOMPARE(lines[0], QString("Single solution of weak monoprotic acid"));
    QCOMPARE(lines[4].left(24), QString("Ca (mol/L)  pH          "));
    // Row 2 is the fifth point of the sweep: x = 4/256 and its pH.
    QCOMPARE(lines[7].left(12).trimmed(), QString("0.01563"));
    QCOMPARE(lines[7].mid(12).trimmed(), QString("3.283")); // [H+] from the quadratic: 5.214E-4
    // The body picture shows the rows: dark text pixels at the top left.
    const QImage body = w->bodyPicture()->surface().image();
    bool ink = false;
    for (int x = 8; x < 60 && !ink; ++x)
        for (int y = 0; y < 14 && !ink; ++y)
            ink = qGray(body.pixel(x, y)) < 100;
    QVERIFY(ink);
}

void FormTablaTest::minimumSizeSnapsBack() {
    auto w = openTable();
    w->resize(300, 200);
    QCoreApplication::processEvents();
    QCOMPARE(w->size(), QSize(640, 480));
    // Container and bar fill the window as laid out.
    QCOMPARE(w->container()->width(), 640 - widgets::ButtonBar::Width - 15);
    QCOMPARE(w->buttonBar()->x(), w->container()->geometry().right() + 1 + 3);
    QCOMPARE(w->buttonBar()->height(), w->container()->height());
}

void FormTablaTest::wheelMovesOneSmallStepPerEvent() {
    auto w = openTable(640, 480);
    QScrollBar* bar = w->scrollBar();
    QVERIFY(!bar->isHidden());
    const int step = bar->singleStep();
    QVERIFY(step > 5 && step < 40);
    const int top = w->bodyPicture()->y();
    QCOMPARE(top, 85);

    wheel(w->bodyPicture(), -120);
    QCOMPARE(w->bodyPicture()->y(), top - step);
    wheel(w->headingPicture(), -360); // a large rotation still moves one step
    QCOMPARE(w->bodyPicture()->y(), top - 2 * step);
    wheel(bar, -15); // an eighth of a notch, as a touchpad sends
    QCOMPARE(w->bodyPicture()->y(), top - 3 * step);
    wheel(w->bodyPicture(), 120);
    QCOMPARE(w->bodyPicture()->y(), top - 2 * step);
    for (int i = 0; i < 5; ++i)
        wheel(w->bodyPicture(), 120);
    QCOMPARE(w->bodyPicture()->y(), top); // not beyond the top
}

void FormTablaTest::scrollingToTheBottomLeavesFourPixels() {
    auto w = openTable(700, 500);
    QScrollBar* bar = w->scrollBar();
    bar->setValue(bar->maximum());
    QCOMPARE(w->bodyPicture()->geometry().bottom() + 1, w->container()->height() - 4);
    // The body ends with its closing rule, the lowest thing drawn on it: at the bottom the rule
    // sits 4 pixels above the container's bottom, with no blank body below it.
    const QImage body = w->bodyPicture()->surface().image();
    int lastInk = -1;
    for (int y = 0; y < body.height(); ++y)
        for (int x = 0; x < body.width(); ++x)
            if (qGray(body.pixel(x, y)) < 255) lastInk = y;
    QCOMPARE(w->container()->height() - (w->bodyPicture()->y() + lastInk + 1), 4);
    for (int i = 0; i < 200; ++i)
        wheel(w->bodyPicture(), -120);
    QCOMPARE(w->bodyPicture()->geometry().bottom() + 1, w->container()->height() - 4);
    // A resize returns the table to its top.
    w->resize(720, 520);
    QCoreApplication::processEvents();
    QCOMPARE(w->bodyPicture()->y(), 85);
}

void FormTablaTest::aTallWindowHasNoScrollBar() {
    auto w = openTable(900, 1300);
    QVERIFY(w->scrollBar()->isHidden());
    wheel(w->bodyPicture(), -120);
    QCOMPARE(w->bodyPicture()->y(), 85);
    // Centred in the container less the scroll bar's width.
    const int room = w->container()->width() - w->scrollBar()->sizeHint().width();
    QCOMPARE(w->headingPicture()->x(), (room - 796) / 2);
}

void FormTablaTest::saveWritesUtf8WithCrLfOverALongerFile() {
    const QString path = g_dir->filePath("table.txt");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(200000, 'x'));
    }
    g_shared->graph.TableCaption = "&alfa and &Delta";
    auto w = openTable();
    g_shared->desktop.savePath = path;
    w->SaveTableAs();
    QVERIFY(g_shared->desktop.messages.empty());
    QCOMPARE(g_shared->desktop.saveTitle, QString("Save"));
    QCOMPARE(g_shared->desktop.saveFolder, QString("/opt/corvane"));
    QCOMPARE(g_shared->lastTableFolder, QDir::toNativeSeparators(g_dir->path()));
    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes, w->TableText().toUtf8());
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(bytes.contains("\xCE\xB1 and \xCE\x94\r\n")); // α and Δ in UTF-8
    QCOMPARE(bytes.count("\r\n"), 71);
    QVERIFY(bytes.endsWith(QByteArray(24, '=') + "\r\n"));

    // The next dialog starts in the folder used last.
    w->SaveTableAs();
    QCOMPARE(g_shared->desktop.saveFolder, g_shared->lastTableFolder);
}

void FormTablaTest::saveAsCsvByFilterOrName() {
    auto w = openTable();
    // A name without an ending gets the filter's.
    g_shared->desktop.savePath = g_dir->filePath("points");
    g_shared->desktop.saveFilter = "CSV file (*.csv)";
    w->SaveTableAs();
    const QString csv = TableCsv(g_shared->graph, g_shared->table, '.');
    QCOMPARE(readAll(g_dir->filePath("points.csv")), csv.toUtf8());
    QVERIFY(!QFileInfo::exists(g_dir->filePath("points")));
    QCOMPARE(csv.count("\r\n"), 1 + g_shared->table.RecordedRows);

    const QString byName = g_dir->filePath("points.CSV");
    g_shared->desktop.savePath = byName;
    g_shared->desktop.saveFilter = "All files (*.*)";
    w->SaveTableAs();
    QCOMPARE(readAll(byName), csv.toUtf8());
    QVERIFY(g_shared->desktop.saveFilters.contains("Text file (*.txt)"));
}

void FormTablaTest::saveDialogsOfferTheFilters() {
    auto w = openTable();
    const std::pair<void (FormTabla::*)(), QStringList> commands[] = {
        {&FormTabla::SaveTableAs, {"Text file (*.txt)", "CSV file (*.csv)", "All files (*.*)"}},
        {&FormTabla::ExportPdf, {"PDF document (*.pdf)", "All files (*.*)"}},
    };
    for (const auto& [command, filters] : commands) {
        g_shared->desktop.saveFilters.clear();
        (w.get()->*command)(); // the dialog is cancelled
        QCOMPARE(g_shared->desktop.saveFilters, filters);
    }
}

void FormTablaTest::aFailedSaveKeepsTheOldFile() {
    const QString path = g_dir->filePath("kept.txt");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the old table\r\n");
    }
    // The writer fails half-way.
    const SaveResult result = SaveAtomically(path, [](QIODevice& file) {
        file.write("half of the new");
        return false;
    });
    QVERIFY(!result.ok);
    QCOMPARE(readAll(path), QByteArray("the old table\r\n"));
    QCOMPARE(QDir(g_dir->path()).entryList(QDir::Files), QStringList{"kept.txt"});

    // A folder the user may not write: the old file stays and the read-only variant shows.
    QDir(g_dir->path()).mkdir("locked");
    const QString locked = g_dir->filePath("locked/table.txt");
    {
        QFile old(locked);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    QFile::setPermissions(locked, QFile::ReadOwner);
    QFile::setPermissions(g_dir->filePath("locked"), QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(locked).isWritable()) {
        QFile::setPermissions(g_dir->filePath("locked"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QSKIP("this user may write any file (root): no read-only case to check");
    }
    const SaveResult readOnly =
        SaveAtomically(locked, [](QIODevice& file) { return file.write("new") == 3; });
    QFile::setPermissions(g_dir->filePath("locked"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!readOnly.ok);
    QVERIFY(readOnly.readOnly);
    QCOMPARE(readAll(locked), QByteArray("old"));
    QCOMPARE(SaveFailureText("Error: Impossible to save the image:", locked, readOnly, true),
             "Error: Impossible to save the image:\n" + locked + "\nRead-only file.");
}

void FormTablaTest::aSaveIntoAVanishedFolderReports() {
    auto w = openTable();
    const QString path = g_dir->filePath("gone/table.txt");
    g_shared->desktop.savePath = path;
    w->SaveTableAs();
    QCOMPARE(g_shared->desktop.messages.size(), std::size_t(1));
    const widgets::test::Message& m = g_shared->desktop.messages[0];
    QCOMPARE(m.title, QString("Error"));
    QCOMPARE(m.kind, MessageKind::Warning);
    QCOMPARE(m.text, "Error: Impossible to save the data table:\n" + path +
                         "\nError number: 2 No such file or directory");
    QVERIFY(!QFileInfo::exists(path));
    QCOMPARE(g_shared->lastTableFolder, QDir::toNativeSeparators(g_dir->filePath("gone")));
}

void FormTablaTest::saveFailuresNameTheSystemError_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("writerFails");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");
    QTest::addRow("missing folder")
        << "gone/table.txt" << false << 2 << "No such file or directory";
    QTest::addRow("a folder in the way") << "folder" << false << 21 << "Is a directory";
    QTest::addRow("the writer fails") << "table.txt" << true << 5 << "Input/output error";
}

void FormTablaTest::saveFailuresNameTheSystemError() {
    QFETCH(QString, target);
    QFETCH(bool, writerFails);
    QFETCH(int, number);
    QFETCH(QString, description);
    QVERIFY(QDir(g_dir->path()).mkdir("folder"));
    const QString path = g_dir->filePath(target);
    const SaveResult result = SaveAtomically(
        path, [&](QIODevice& file) { return file.write("rows") == 4 && !writerFails; });
    QVERIFY(!result.ok);
    QVERIFY(!result.readOnly);
    QCOMPARE(result.errorNumber, number);
    QCOMPARE(result.description, description);
    QCOMPARE(SaveFailureText("Heading", path, result, true),
             QString("Heading\n%1\nError number: %2 %3").arg(path).arg(number).arg(description));
}

void FormTablaTest::cancelledSaveChangesNothing() {
    g_shared->lastTableFolder = "/srv/tables";
    auto w = openTable();
    w->SaveTableAs();
    w->ExportPdf();
    QCOMPARE(g_shared->lastTableFolder, QString("/srv/tables"));
    QVERIFY(g_shared->desktop.messages.empty());
    QCOMPARE(QDir(g_dir->path()).entryList(QDir::Files).size(), 0);
}

void FormTablaTest::copyPutsTheTextOnTheClipboard() {
    auto w = openTable();
    QTest::mouseClick(w->button(3), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), w->TableText());
    QCOMPARE(g_shared->desktop.messages.size(), std::size_t(1));
    QCOMPARE(g_shared->desktop.messages[0].title, QString("Copy"));
    QCOMPARE(g_shared->desktop.messages[0].text,
             QString("The data table was successfully copied to the clipboard.\n"
                     "Some formats might get lost."));
    QCOMPARE(g_shared->desktop.messages[0].kind, MessageKind::Information);
}

void FormTablaTest::printWritesOnePortraitPagePerCopy() {
    auto w = openTable();
    const QString before = w->TableText();
    g_shared->desktop.printFile = g_dir->filePath("printed.pdf");
    g_shared->desktop.copies = 3;
    QTest::mouseClick(w->button(2), Qt::LeftButton);
    QCOMPARE(g_shared->desktop.printDialogs, 1);
    const auto pages = PdfPageSizes(g_shared->desktop.printFile);
    QCOMPARE(pages.size(), std::size_t(3));
    for (const QSizeF& page : pages)
        QVERIFY(page.height() > page.width());
    // TableText is now the printed text: the same heading, the rows that fitted on the page.
    const QStringList printed = w->TableText().chopped(2).split("\r\n");
    QCOMPARE(printed.mid(0, 6), before.split("\r\n").mid(0, 6));
    QVERIFY(printed.size() > 40);
    QVERIFY(w->TableText() == before || !printed.last().startsWith("="));

    g_shared->desktop.printAccepted = false;
    const QString printedText = w->TableText();
    QFile::remove(g_shared->desktop.printFile);
    w->PrintTable();
    QCOMPARE(g_shared->desktop.printDialogs, 2);
    QVERIFY(!QFileInfo::exists(g_shared->desktop.printFile));
    QCOMPARE(w->TableText(), printedText);
}

void FormTablaTest::printWithoutPrinterDoesNothing() {
    g_shared->desktop.printerInstalled = false;
    auto w = openTable();
    w->PrintTable();
    QCOMPARE(g_shared->desktop.printDialogs, 0);
    QVERIFY(g_shared->desktop.messages.empty());
}

void FormTablaTest::exportPdfWritesOneA4Page() {
    auto w = openTable();
    const QString path = g_dir->filePath("table.pdf");
    g_shared->desktop.savePath = path;
    w->ExportPdf();
    QVERIFY(g_shared->desktop.messages.empty());
    QVERIFY(readAll(path).startsWith("%PDF"));
    const auto pages = PdfPageSizes(path);
    QCOMPARE(pages.size(), std::size_t(1));
    QVERIFY(qAbs(pages[0].width() - 595.3) < 1 && qAbs(pages[0].height() - 841.9) < 1);
}

void FormTablaTest::printerNameBecomesTheTooltip() {
    auto w = openTable();
    QTRY_COMPARE_WITH_TIMEOUT(w->button(2)->toolTip(), QString("Office laser"), 10000);
}

void FormTablaTest::printerChosenInTheDialogIsUsedNext() {
    FakeDesktop& desktop = g_shared->desktop;
    desktop.printFile = g_dir->filePath("printed.pdf");
    desktop.printers = {"Lab inkjet", "Office laser"};
    auto w = openTable();
    // Without a default printer, a job goes to the first one installed.
    desktop.systemDefault.clear();
    QCOMPARE(desktop.currentPrinterName(), QString("Lab inkjet"));
    desktop.systemDefault = "Office laser";
    QCOMPARE(desktop.currentPrinterName(), QString("Office laser"));

    struct Step {
        bool accept;
        QString choice;      // picked in the dialog
        QString shownFirst;  // the printer the dialog shows on opening
        QString thenCurrent; // the current printer afterwards
    };
    const Step steps[] = {
        {true, "Lab inkjet", "Office laser", "Lab inkjet"},
        {true, "", "Lab inkjet", "Lab inkjet"},
        {false, "Office laser", "Lab inkjet", "Lab inkjet"},
    };
    for (const Step& step : steps) {
        desktop.printAccepted = step.accept;
        desktop.dialogChoice = step.choice;
        w->PrintTable();
        QCOMPARE(desktop.dialogStartedOn.last(), step.shownFirst);
        QCOMPARE(desktop.currentPrinterName(), step.thenCurrent);
    }
    QTRY_COMPARE_WITH_TIMEOUT(w->button(2)->toolTip(), QString("Lab inkjet"), 10000);

    // A chosen printer that is no longer installed gives way to the default.
    desktop.printers = {"Office laser"};
    QCOMPARE(desktop.currentPrinterName(), QString("Office laser"));
    desktop.printerInstalled = false;
    QVERIFY(!desktop.hasPrinter());
    QCOMPARE(desktop.currentPrinterName(), QString());
}

void FormTablaTest::buttonsAndMenus() {
    auto w = openTable();
    const QStringList captions{w->button(2)->text(), w->button(3)->text(), w->button(4)->text()};
    QCOMPARE(captions, (QStringList{"Print...", "Copy", "Close"}));
    for (int b = 2; b <= 4; ++b) {
        QVERIFY(w->button(b)->picture()->hasIcon());
        QCOMPARE(w->button(b)->home(), QPoint(4, 11 + 60 * (b - 2)));
        QCOMPARE(w->button(b)->picture()->pos(), w->button(b)->home());
        QCOMPARE(w->button(b)->pos(), w->button(b)->home() + QPoint(0, 7));
    }
    QCOMPARE(w->button(3)->toolTip(), QString("Copy data table to the clipboard"));
    QCOMPARE(w->button(4)->toolTip(), QString("Close this window"));
    // Pressed: one pixel right and down until released.
    QTest::mousePress(w->button(3), Qt::LeftButton);
    QCOMPARE(w->button(3)->picture()->pos(), QPoint(5, 72));
    QTest::mouseRelease(w->button(3), Qt::LeftButton);
    QCOMPARE(w->button(3)->picture()->pos(), QPoint(4, 71));

    QStringList menus;
    for (QAction* a : w->menus()->actions()) {
        menus << a->text();
        for (QAction* item : a->menu()->actions())
            if (!item->isSeparator()) menus << "  " + item->text();
    }
    QCOMPARE(menus, (QStringList{"&File", "  &Save data table as...", "  &Print...",
                                 "  &Export PDF...", "  &Close", "&Edit", "  &Copy"}));
}

void FormTablaTest::escapeCloses() {
    auto w = openTable();
    QVERIFY(w->isVisible());
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QVERIFY(!w->isVisible());
    auto again = openTable();
    QTest::mouseClick(again->button(4), Qt::LeftButton);
    QVERIFY(!again->isVisible());
}

void FormTablaTest::screenshot() {
    auto w = openTable(900, 640);
    QDir().mkpath(CORVANE_TEST_OUTPUT_DIR);
    QVERIFY(w->grab().save(QString(CORVANE_TEST_OUTPUT_DIR) + "/table_window-" +
                           QGuiApplication::platformName() + ".png"));
    w->scrollBar()->setValue(w->scrollBar()->maximum());
    QVERIFY(w->grab().save(QString(CORVANE_TEST_OUTPUT_DIR) + "/table_window_bottom-" +
                           QGuiApplication::platformName() + ".png"));
}
