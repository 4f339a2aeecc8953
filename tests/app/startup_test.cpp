#include "../mainwin/fakeplatform.h"

#include "app/splash.h"
#include "app/startup.h"
#include "mainwin/formmain.h"
#include "mainwin/settings.h"
#include "markup/fonts.h"
#include "markup/symbols.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include "../support/gui_test_main.h"

using namespace corvane;
using corvane::mainwin::test::FakePlatform;

class StartUpTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void theTimerShowsTheMainWindowOnce() {
        mainwin::SettingsStore store(m_dir.filePath("a.ini"));
        FakePlatform platform;
        app::StartUp startUp(store, platform, m_dir.path());
        QSignalSpy shown(&startUp, &app::StartUp::mainWindowShown);
        startUp.start();
        QVERIFY(startUp.splash()->isVisible());
        QCOMPARE(startUp.splash()->lblVersion()->text(), QString("Version: 1.5"));
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
        FakePlatform platform;
        app::StartUp startUp(store, platform, m_dir.path());
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
        FakePlatform platform;
        app::StartUp startUp(store, platform, m_dir.path());
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

    void failingLinksWarnAndKeepTheSplash() {
        FakePlatform platform;
        platform.openSucceeds = false;
        app::FormSplash splash(platform);
        splash.show();
        QTest::mouseClick(splash.LblWEB(), Qt::LeftButton);
        QCOMPARE(platform.messages.size(), std::size_t(1));
        QCOMPARE(platform.messages[0].title, QString("Error"));
        QCOMPARE(platform.messages[0].text, QString("Sorry, cannot connect to www.corvane.org"));
        QVERIFY(splash.isVisible());
        QTest::mouseClick(splash.LlblMAIL(), Qt::LeftButton);
        QCOMPARE(platform.messages[1].title, QString("Corvane"));
        QCOMPARE(platform.messages[1].text,
                 QString("Sorry, cannot found your email client application."));
        QCOMPARE(platform.opened.back(), QUrl("mailto:info@corvane.org"));
        QVERIFY(splash.isVisible());
    }
};

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<StartUpTest>(argc, argv);
}

#include "startup_test.moc"
