// "Copy results" and "Save results as...": the solved weak acid on the clipboard and in files.
#include "tests/mainwin/mainwindow_parts.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/typing.h"

#include "mainwin/controls.h"
#include "mainwin/formmain.h"
#include "mainwin/resultsexport.h"
#include "mainwin/settings.h"
#include "tests/support/fakedesktop.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

#include "tests/support/gui_test_main.h"

using namespace corvane;
using namespace corvane::mainwin;
using namespace corvane::mainwin::test;
using corvane::widgets::test::FakeDesktop;

class ResultsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
    FakeDesktop m_desktop;
    std::unique_ptr<FormMain> m_window;

    FormMain& open() {
        m_window.reset();
        QFile::remove(m_dir.filePath("ZEMLO.ini"));
        m_store = std::make_unique<SettingsStore>(m_dir.filePath("ZEMLO.ini"));
        m_desktop = FakeDesktop();
        m_window = std::make_unique<FormMain>(*m_store, m_desktop, m_dir.path());
        m_window->resize(900, 680);
        m_window->show();
        QCoreApplication::processEvents();
        return *m_window;
    }

    void type(int index, const QString& text) {
        corvane::mainwin::test::TypeInto(Text1(*m_window, index), text);
    }

    // 0.1 M of an acid with Ka 1.8e-5: x² / (0.1 − x) = 1.8e-5 gives x = 1.333e-3, pH 2.875.
    FormMain& solvedWeakAcid() {
        FormMain& w = open();
        QTest::mouseClick(LblMENU(w, 1), Qt::LeftButton);
        Opt(w, 1, 1)->click();
        type(0, "0.1");
        type(3, "1.8e-5");
        QTest::mouseClick(ImgCAL(w, 1), Qt::LeftButton);
        return w;
    }

    static QByteArray fileBytes(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return {};
        return file.readAll();
    }

private slots:
    void cleanup() { m_window.reset(); }

    void nothingToCopyDisablesBoth() {
        FormMain& w = open();
        QVERIFY(!Menu(w, "mnu_CopyResults")->isEnabled());
        QVERIFY(!Menu(w, "mnu_SaveResults")->isEnabled());
        QCOMPARE(Menu(w, "mnu_CopyResults")->shortcut(), QKeySequence("Ctrl+Shift+C"));
        QTest::mouseClick(LblMENU(w, 1), Qt::LeftButton);
        Opt(w, 1, 1)->click();
        QVERIFY(!Menu(w, "mnu_CopyResults")->isEnabled());
        type(0, "0.1");
        QVERIFY(Menu(w, "mnu_CopyResults")->isEnabled());
        QVERIFY(Menu(w, "mnu_SaveResults")->isEnabled());
        QTest::mouseClick(ImgDEL(w, 1), Qt::LeftButton);
        QVERIFY(!Menu(w, "mnu_CopyResults")->isEnabled());
    }

    void copiesTheShownValuesAsTextAndHtml() {
        FormMain& w = solvedWeakAcid();
        QCOMPARE(Text1(w, 1)->text(), QString("2.875"));
        Menu(w, "mnu_CopyResults")->trigger();
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime != nullptr);
        const QString text = mime->text();
        const QStringList lines = text.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.first(), QString("Single solution of weak monoprotic acid"));
        QVERIFY(lines.contains("C_a\t0.1\tM"));
        QVERIFY(lines.contains("pH\t2.875\t"));
        QVERIFY(text.contains("\t1.333E-3\t"));
        QVERIFY(text.contains("\t0.09867\t"));
        const QString html = mime->html();
        QVERIFY(html.contains("<p>Single solution of weak monoprotic acid</p>"));
        QVERIFY(html.contains("<tr><td>pH</td><td>2.875</td><td></td></tr>"));
        QVERIFY(html.contains("<tr><td>C_a</td><td>0.1</td><td>M</td></tr>"));
    }

    void savesCsvAndText() {
        FormMain& w = solvedWeakAcid();
        m_desktop.savePath = m_dir.filePath("acid.csv");
        m_desktop.saveFilter = "CSV file (*.csv)";
        Menu(w, "mnu_SaveResults")->trigger();
        QVERIFY(m_desktop.messages.empty());
        const QString csv = QString::fromUtf8(fileBytes(m_dir.filePath("acid.csv")));
        QVERIFY(csv.startsWith("Single solution of weak monoprotic acid\r\n"));
        QVERIFY(csv.contains("\r\nC_a,0.1,M\r\n"));
        QVERIFY(csv.contains("\r\npH,2.875,\r\n"));

        m_desktop.savePath = m_dir.filePath("acid.txt");
        m_desktop.saveFilter = "Text file (*.txt)";
        Menu(w, "mnu_SaveResults")->trigger();
        const QString text = QString::fromUtf8(fileBytes(m_dir.filePath("acid.txt")));
        QVERIFY(text.contains("\r\npH\t2.875\t\r\n"));
    }

    // With "[ , ] Comma" chosen and the numbers typed with commas, the CSV file holds each
    // value exactly as its field shows it, fields separated by ";" as corvane-cli batch
    // writes them.
    void aCommaSeparatorSavesTheShownValues() {
        FormMain& w = open();
        QAction* comma = nullptr;
        for (QAction* action : w.findChildren<QAction*>())
            if (action->text() == "[ , ] Comma") comma = action;
        QVERIFY(comma != nullptr);
        comma->trigger();
        QTest::mouseClick(LblMENU(w, 1), Qt::LeftButton);
        Opt(w, 1, 1)->click();
        type(0, "0,1");
        type(3, "1,8e-5");
        QTest::mouseClick(ImgCAL(w, 1), Qt::LeftButton);
        // x² / (0.1 − x) = 1.8e-5: pH 2.875, [A-] = 1.333e-3, [HA] = 0.09867.
        QCOMPARE(Text1(w, 1)->text(), QString("2,875"));
        m_desktop.savePath = m_dir.filePath("acid.csv");
        m_desktop.saveFilter = "CSV file (*.csv)";
        Menu(w, "mnu_SaveResults")->trigger();
        QVERIFY(m_desktop.messages.empty());
        const QStringList lines = QString::fromUtf8(fileBytes(m_dir.filePath("acid.csv")))
                                      .split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.first(), QString("Single solution of weak monoprotic acid"));
        QVERIFY(lines.contains("C_a;0,1;M"));
        QVERIFY(lines.contains("pH;2,875;"));
        QVERIFY(lines.contains("k_a;1,8E-5;"));
        QVERIFY(lines.contains("[A-];1,333E-3;M"));
        QVERIFY(lines.contains("[HA];0,09867;M"));
        int values = 0;
        for (const ValueField* field : w.findChildren<ValueField*>()) {
            if (!field->isVisible() || field->text().isEmpty()) continue;
            QVERIFY2(std::any_of(lines.begin(), lines.end(),
                                 [&](const QString& line) {
                                     return line.section(';', 1, 1) == field->text();
                                 }),
                     qPrintable(field->text()));
            ++values;
        }
        QCOMPARE(values, int(lines.size()) - 1);
    }

    void commaSeparatorGivesSemicolonsAndQuotes() {
        const std::vector<ResultRow> rows{{"pH", "2,875", ""}, {"C_a", "0,1", "mol/L"}};
        QCOMPARE(ResultsCsv("Acid; weak", rows, ','),
                 QString("\"Acid; weak\"\r\npH;2,875;\r\nC_a;0,1;mol/L\r\n"));
        QCOMPARE(HeadingUnit(" Acid concentration (mol/L)"), QString("mol/L"));
        QCOMPARE(HeadingUnit("pH"), QString());
    }

    void aFailedSaveLeavesTheOldFileAndSaysWhy() {
        FormMain& w = solvedWeakAcid();
        m_desktop.savePath = m_dir.filePath("missing/acid.txt");
        Menu(w, "mnu_SaveResults")->trigger();
        QCOMPARE(m_desktop.messages.size(), std::size_t(1));
        QVERIFY(m_desktop.messages[0].text.startsWith("Error: Impossible to save the results:"));
        QVERIFY(!QFile::exists(m_dir.filePath("missing/acid.txt")));
    }
};

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<ResultsTest>(argc, argv);
}

#include "results_test.moc"
