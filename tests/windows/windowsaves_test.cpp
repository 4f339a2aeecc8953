#include "windowsaves_test.h"

#include "tests/support/fakedesktop.h"
#include "tests/support/fulldisk.h"

#include "table/tabletext.h"
#include "windows/formgraficaab.h"
#include "windows/formtabla.h"

#include <QTemporaryDir>

using namespace corvane;
using corvane::test::FullDisk;
using corvane::windows::test::Shared;

namespace {

std::unique_ptr<Shared> g_shared;
std::unique_ptr<QTemporaryDir> g_dir;

const QString TextFilter = "Text file (*.txt)";
const QString CsvFilter = "CSV file (*.csv)";
const QString PdfFilter = "PDF document (*.pdf)";
const QString BmpFilter = "Windows BitMap  (*.bmp)";
const QString PngFilter = "PNG image (*.png)";
const QString SvgFilter = "SVG drawing (*.svg)";
const QString AllFiles = "All files (*.*)";

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs a save command of a window ("table" or "graph"; "save" or "pdf") with the save dialog
// answering `path` under `filter`. Gives the bytes a table save writes; empty for the others.
QByteArray runSave(const QString& window, const QString& command, const QString& path,
                   const QString& filter) {
    g_shared->desktop.savePath = path;
    g_shared->desktop.saveFilter = filter;
    windows::WindowContext context = g_shared->context();
    if (window == "table") {
        windows::FormTabla w(context);
        command == "save" ? w.SaveTableAs() : w.ExportPdf();
        if (command != "save") return {};
        return (filter == CsvFilter ? table::TableCsv(g_shared->graph, g_shared->table, '.')
                                    : w.TableText())
            .toUtf8();
    }
    windows::FormGraficaAB w(context);
    w.resize(1000, 720);
    w.show();
    for (int i = 0; i < 200 && w.deferredDraw().isActive(); ++i)
        QTest::qWait(5);
    command == "save" ? w.SaveImageAs() : w.ExportPdf();
    return {};
}

void everySave() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("ending");
    QTest::addColumn<QByteArray>("start"); // the format's own first bytes
    QTest::addRow("text table") << "table"
                                << "save" << TextFilter << "txt" << QByteArray();
    QTest::addRow("CSV table") << "table"
                               << "save" << CsvFilter << "csv" << QByteArray();
    QTest::addRow("table PDF") << "table"
                               << "pdf" << PdfFilter << "pdf" << QByteArray("%PDF-");
    QTest::addRow("BMP") << "graph"
                         << "save" << BmpFilter << "bmp" << QByteArray("BM");
    QTest::addRow("PNG") << "graph"
                         << "save" << PngFilter << "png" << QByteArray("\x89PNG\r\n\x1a\n");
    QTest::addRow("SVG") << "graph"
                         << "save" << SvgFilter << "svg" << QByteArray("<?xml");
    QTest::addRow("graph PDF") << "graph"
                               << "pdf" << PdfFilter << "pdf" << QByteArray("%PDF-");
}

} // namespace

void WindowSavesTest::init() {
    g_shared = std::make_unique<Shared>();
    g_dir = std::make_unique<QTemporaryDir>();
    // Titration of 25 mL of 0.1 mol/L strong acid with 0.1 mol/L strong base.
    QVERIFY(g_shared->solve("50", 29, {{0, 0.1}, {1, 25}, {3, 0.1}}));
    g_shared->drawOnScreen();
}

void WindowSavesTest::aFullDiskKeepsTheOldFileAndSaysWhy_data() {
    everySave();
}

void WindowSavesTest::aFullDiskKeepsTheOldFileAndSaysWhy() {
    QFETCH(QString, window);
    QFETCH(QString, command);
    QFETCH(QString, filter);
    QFETCH(QString, ending);
    FullDisk disk("old." + ending);
    if (!disk.skipReason().isEmpty()) QSKIP(qPrintable(disk.skipReason()));
    QVERIFY2(disk.setupError().isEmpty(), qPrintable(disk.setupError()));
    const QStringList before = disk.entries();

    runSave(window, command, disk.oldFile(), filter);
    QCOMPARE(readAll(disk.oldFile()), FullDisk::OldBytes());
    QCOMPARE(disk.entries(), before);
    const QString heading = window == "table" ? "Error: Impossible to save the data table:"
                                              : "Error: Impossible to save the image:";
    const std::vector<widgets::test::Message>& messages = g_shared->desktop.messages;
    QCOMPARE(messages.size(), std::size_t(1));
    QCOMPARE(messages[0].title, QString("Error"));
    QCOMPARE(messages[0].kind, widgets::MessageKind::Warning);
    QCOMPARE(messages[0].text,
             heading + "\n" + disk.oldFile() + "\nError number: 28 No space left on device");

    // Under a new name nothing is left behind.
    g_shared->desktop.messages.clear();
    runSave(window, command, disk.path("new." + ending), filter);
    QCOMPARE(disk.entries(), before);
    QCOMPARE(messages.size(), std::size_t(1));
    QVERIFY(messages[0].text.endsWith("\nError number: 28 No space left on device"));
}

void WindowSavesTest::aNameWithoutEndingGetsTheFiltersEnding_data() {
    everySave();
}

void WindowSavesTest::aNameWithoutEndingGetsTheFiltersEnding() {
    QFETCH(QString, window);
    QFETCH(QString, command);
    QFETCH(QString, filter);
    QFETCH(QString, ending);
    QFETCH(QByteArray, start);
    const QByteArray table = runSave(window, command, g_dir->filePath("result"), filter);
    QVERIFY(g_shared->desktop.messages.empty());
    QVERIFY(g_shared->desktop.questions.empty());
    QCOMPARE(QDir(g_dir->path()).entryList(QDir::Files), QStringList{"result." + ending});
    const QByteArray saved = readAll(g_dir->filePath("result." + ending));
    if (start.isEmpty())
        QCOMPARE(saved, table);
    else
        QVERIFY2(saved.startsWith(start), saved.left(16).toHex().constData());
}

void WindowSavesTest::aNameWithItsOwnEndingKeepsIt() {
    // An ending typed stays, whatever the filter; the catch-all filter adds none.
    runSave("graph", "save", g_dir->filePath("curve.png"), BmpFilter);
    runSave("graph", "save", g_dir->filePath("plain"), AllFiles);
    runSave("table", "save", g_dir->filePath("rows.dat"), CsvFilter);
    runSave("table", "pdf", g_dir->filePath("page"), AllFiles);
    QVERIFY(g_shared->desktop.messages.empty());
    QCOMPARE(QDir(g_dir->path()).entryList(QDir::Files),
             (QStringList{"curve.png", "page", "plain", "rows.dat"}));
    QVERIFY(readAll(g_dir->filePath("curve.png")).startsWith("\x89PNG"));
    QVERIFY(readAll(g_dir->filePath("plain")).startsWith("BM"));
    QCOMPARE(readAll(g_dir->filePath("rows.dat")),
             table::TableCsv(g_shared->graph, g_shared->table, '.').toUtf8());
    QVERIFY(readAll(g_dir->filePath("page")).startsWith("%PDF-"));
}

void WindowSavesTest::overwritingAsksFirst() {
    const QString existing = g_dir->filePath("curve.svg");
    {
        QFile f(existing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old drawing");
    }
    // The question names the final name, the one with the filter's ending; No keeps the file
    // and the folder setting, as a cancelled dialog does.
    g_shared->desktop.answerYes = false;
    runSave("graph", "save", g_dir->filePath("curve"), SvgFilter);
    QCOMPARE(g_shared->desktop.questions.size(), std::size_t(1));
    QCOMPARE(g_shared->desktop.questions[0].title, QString("Save"));
    QCOMPARE(g_shared->desktop.questions[0].text,
             QString("curve.svg already exists.\nDo you want to replace it?"));
    QCOMPARE(readAll(existing), QByteArray("old drawing"));
    QVERIFY(g_shared->lastGraphFolder.isEmpty());
    QVERIFY(g_shared->desktop.messages.empty());

    g_shared->desktop.answerYes = true;
    runSave("graph", "save", g_dir->filePath("curve"), SvgFilter);
    QCOMPARE(g_shared->desktop.questions.size(), std::size_t(2));
    QVERIFY(readAll(existing).startsWith("<?xml"));

    // A new name asks nothing; the PDF export asks under its own title.
    runSave("table", "save", g_dir->filePath("rows"), TextFilter);
    QCOMPARE(g_shared->desktop.questions.size(), std::size_t(2));
    runSave("table", "pdf", g_dir->filePath("rows.txt"), AllFiles);
    QCOMPARE(g_shared->desktop.questions.size(), std::size_t(3));
    QCOMPARE(g_shared->desktop.questions[2].title, QString("Export PDF"));
    QCOMPARE(g_shared->desktop.questions[2].text,
             QString("rows.txt already exists.\nDo you want to replace it?"));
}
