// The help commands and the About box's links through a real opener process that fails.
#include "tests/support/fakeopener.h"

#include "app/splash.h"
#include "mainwin/formmain.h"
#include "mainwin/settings.h"
#include "widgets/opener.h"

#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/gui_test_main.h"

using namespace corvane;
using namespace corvane::mainwin;
using corvane::widgets::test::RecordingSystemDesktop;
using corvane::widgets::test::WriteFakeOpener;

class OpenerTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString argumentOf(const QString& opener) const {
        QFile f(opener + ".arg");
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    // Opens url with `opener` and waits until the opener has finished or failed to start; -1
    // when it is still running.
    int failuresOpening(const QString& opener, const QUrl& url) {
        widgets::DesktopOpener o(opener);
        int failures = 0;
        o.open(url, [&failures] { ++failures; });
        if (!QTest::qWaitFor([&o] { return o.findChildren<QProcess*>().isEmpty(); }, 10000))
            return -1;
        return failures;
    }

    QString writeManual() {
        const QString path = m_dir.filePath("Manual_ZEMLO.pdf");
        QFile manual(path);
        if (manual.open(QIODevice::WriteOnly)) manual.write("%PDF-1.4\n");
        return path;
    }

private slots:
    void theOpenerGetsTheFilePathOrTheAddress() {
        const QString opener = WriteFakeOpener(m_dir.path(), "opens", 0);
        const QString manual = writeManual();
        QCOMPARE(failuresOpening(opener, QUrl::fromLocalFile(manual)), 0);
        QCOMPARE(argumentOf(opener), manual);
        QCOMPARE(failuresOpening(opener, QUrl("mailto:info@corvane.org")), 0);
        QCOMPARE(argumentOf(opener), QString("mailto:info@corvane.org"));
    }

    void xdgOpenFailureStatusesFail_data() {
        QTest::addColumn<int>("status");
        QTest::addRow("1 bad arguments") << 1;
        QTest::addRow("2 no such file") << 2;
        QTest::addRow("3 no method available") << 3;
        QTest::addRow("4 the action failed") << 4;
    }

    void xdgOpenFailureStatusesFail() {
        QFETCH(int, status);
        const QString opener =
            WriteFakeOpener(m_dir.path(), QString("fails%1").arg(status), status);
        QCOMPARE(failuresOpening(opener, QUrl("https://www.corvane.org/")), 1);
        QCOMPARE(argumentOf(opener), QString("https://www.corvane.org/"));
    }

    void anOpenerThatCannotStartFails() {
        QCOMPARE(failuresOpening(m_dir.filePath("no-such-opener"), QUrl("https://x.org/")), 1);
    }

    void helpCommandsWarnWhenTheOpenerFails() {
        RecordingSystemDesktop desktop(WriteFakeOpener(m_dir.path(), "nomethod", 3));
        SettingsStore store(m_dir.filePath("ZEMLO.ini"));
        FormMain w(store, desktop, m_dir.path());
        const QString manual = writeManual();
        w.mnu_Ayuda_Manual_Click();
        QTRY_COMPARE_WITH_TIMEOUT(desktop.messages.size(), std::size_t(1), 10000);
        QCOMPARE(desktop.messages[0].title, QString("Error"));
        QCOMPARE(desktop.messages[0].text, "Sorry, cannot find/open file " + manual);
        QCOMPARE(desktop.messages[0].kind, widgets::MessageKind::Warning);

        w.mnu_Ayuda_WEB_Click();
        QTRY_COMPARE_WITH_TIMEOUT(desktop.messages.size(), std::size_t(2), 10000);
        QCOMPARE(desktop.messages[1].title, QString("Corvane"));
        QCOMPARE(desktop.messages[1].text, QString("Sorry, cannot connect to www.corvane.org"));
    }

    void aboutBoxLinksWarnWhenTheOpenerCannotStart() {
        RecordingSystemDesktop desktop(m_dir.filePath("no-such-opener"));
        app::FormSplash splash(desktop);
        splash.show();
        QTest::mouseClick(splash.LblWEB(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.messages.size(), std::size_t(1), 10000);
        QCOMPARE(desktop.messages[0].text, QString("Sorry, cannot connect to www.corvane.org"));
        QTest::mouseClick(splash.LlblMAIL(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.messages.size(), std::size_t(2), 10000);
        QCOMPARE(desktop.messages[1].text,
                 QString("Sorry, cannot found your email client application."));
        QVERIFY(splash.isVisible());
    }
};

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<OpenerTest>(argc, argv);
}

#include "opener_test.moc"
