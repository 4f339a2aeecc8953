#include "tests/support/fakedesktop.h"

#include "app/identity.h"
#include "app/splash.h"
#include "app/startup.h"
#include "mainwin/formmain.h"
#include "mainwin/settings.h"
#include "markup/fonts.h"
#include "markup/symbols.h"
#include "version/version.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/gui_test_main.h"

using namespace corvane;
using corvane::widgets::test::FakeDesktop;

class StartUpTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void theTimerShowsTheMainWindowOnce() {
        mainwin::SettingsStore store(m_dir.filePath("a.ini"));
        FakeDesktop desktop;
        app::StartUp startUp(store, desktop, m_dir.path());
        QSignalSpy shown(&startUp, &app::StartUp::mainWindowShown);
        startUp.start();
        QVERIFY(startUp.splash()->isVisible());
        // Major and minor of the build's "major.minor.patch".
        QCOMPARE(startUp.splash()->lblVersion()->text(),
                 "Version: " + QString(VersionText).section('.', 0, 1));
        QCOMPARE(startUp.splash()->Timer1().interval(), 400);
        QVERIFY(!startUp.mainWindow());
        QVERIFY(shown.wait(10000));
        QVERIFY(startUp.mainWindow()->isVisible());
        QTRY_VERIFY(!startUp.splash());
        QTest::qWait(500);
        QCOMPARE(shown.count(), 1);
    }

    void aKeyClosesTheSplashAtOnce() {
        mainwin::SettingsStore store(m_dir.filePath("b.ini"));
        FakeDesktop desktop;
        app::StartUp startUp(store, desktop, m_dir.path());
        QSignalSpy shown(&startUp, &app::StartUp::mainWindowShown);
        startUp.start();
        QTest::keyClick(startUp.splash(), Qt::Key_Space);
        QCOMPARE(shown.count(), 1);
        QVERIFY(startUp.mainWindow()->isVisible());
        QTest::qWait(600);
        QCOMPARE(shown.count(), 1);
    }

    void theAboutBoxClosesOnAClickAndLeavesTheMainWindow() {
        mainwin::SettingsStore store(m_dir.filePath("c.ini"));
        FakeDesktop desktop;
        app::StartUp startUp(store, desktop, m_dir.path());
        startUp.showMainWindow();
        mainwin::FormMain* main = startUp.mainWindow();
        main->LblMENU_Click(2);
        bool sawAbout = false;
        QTimer::singleShot(50, this, [&] {
            auto* about = qobject_cast<app::FormSplash*>(QApplication::activeModalWidget());
            QVERIFY(about);
            sawAbout = true;
            QVERIFY(!about->Timer1().isActive());
            QTest::mouseClick(about->lblVersion(), Qt::LeftButton);
        });
        main->mnu_Ayuda_Acerca_Click();
        QVERIFY(sawAbout);
        QVERIFY(main->isVisible());
        QCOMPARE(main->state().TaskIndex, 2);
    }

    // The desktop matches windows to the entry org.corvane.Corvane.desktop and shows the icon
    // every window carries; the splash states the licence. Leaves the splash as a picture.
    void theWindowsCarryTheProgramsIdentity() {
        app::ApplyDesktopIdentity();
        QCOMPARE(QGuiApplication::desktopFileName(), QString("org.corvane.Corvane"));
        QCOMPARE(QApplication::applicationName(), QString("Corvane"));
        QCOMPARE(QApplication::applicationVersion(), QString(VersionText));
        mainwin::SettingsStore store(m_dir.filePath("d.ini"));
        FakeDesktop desktop;
        app::StartUp startUp(store, desktop, m_dir.path());
        startUp.start();
        startUp.splash()->Timer1().stop();
        startUp.showMainWindow();
        for (QWidget* window : {static_cast<QWidget*>(startUp.splash()),
                                static_cast<QWidget*>(startUp.mainWindow())}) {
            const QImage icon = window->windowIcon().pixmap(48).toImage();
            QCOMPARE(icon.size(), QSize(48, 48));
            int ink = 0;
            for (int y = 0; y < icon.height(); ++y)
                for (int x = 0; x < icon.width(); ++x)
                    ink += qAlpha(icon.pixel(x, y)) > 0;
            QVERIFY2(ink > 48 * 48 / 4, qPrintable(window->objectName()));
        }
        const QString notice = startUp.splash()->lblCopyright()->text();
        QVERIFY(notice.contains("© 2026 The Corvane developers"));
        QVERIFY(notice.contains("Licensed under the GNU GPL, version 3 or later"));
        const QString folder = QStringLiteral(CORVANE_TEST_OUTPUT_DIR);
        QDir().mkpath(folder);
        QVERIFY(startUp.splash()->grab().save(folder + "/splash.png"));
    }

    void failingLinksWarnAndKeepTheSplash() {
        FakeDesktop desktop;
        desktop.openSucceeds = false;
        app::FormSplash splash(desktop);
        splash.show();
        QTest::mouseClick(splash.LblWEB(), Qt::LeftButton);
        QCOMPARE(desktop.messages.size(), std::size_t(1));
        QCOMPARE(desktop.messages[0].title, QString("Error"));
        QCOMPARE(desktop.messages[0].text, QString("Sorry, cannot connect to www.corvane.org"));
        QVERIFY(splash.isVisible());
        QTest::mouseClick(splash.LlblMAIL(), Qt::LeftButton);
        QCOMPARE(desktop.messages[1].title, QString("Corvane"));
        QCOMPARE(desktop.messages[1].text,
                 QString("Sorry, cannot found your email client application."));
        QCOMPARE(desktop.opened.back(), QUrl("mailto:info@corvane.org"));
        QVERIFY(splash.isVisible());
    }
};

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<StartUpTest>(argc, argv);
}

#include "startup_test.moc"
