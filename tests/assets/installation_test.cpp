// An installed or unpacked Corvane, as its own code finds its files: the executable named by
// CORVANE_INSTALLED_PROGRAM (for example P/bin/corvane, a link) leads to the program folder,
// where the main window finds the formula pictures of every code and the user's manual.
#include "tests/mainwin/mainwindow_parts.h"
#include "tests/support/fakedesktop.h"

#include "app/programfolder.h"
#include "engine/catalogue.h"
#include "mainwin/controls.h"
#include "mainwin/formmain.h"
#include "mainwin/settings.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/gui_test_main.h"

using namespace corvane;
using namespace corvane::mainwin;
using namespace corvane::mainwin::test;

class InstallationTest : public QObject {
    Q_OBJECT

    QString m_folder;
    QTemporaryDir m_dir;

private slots:
    void initTestCase() {
        const QString program = qEnvironmentVariable("CORVANE_INSTALLED_PROGRAM");
        QVERIFY2(!program.isEmpty(), "CORVANE_INSTALLED_PROGRAM names no program");
        QVERIFY2(QFileInfo(program).isExecutable(), qPrintable(program + " is not executable"));
        m_folder = app::ProgramFolderOf(program);
    }

    void programFolderHoldsTheExecutables() {
        QVERIFY2(m_folder.endsWith("/lib/corvane"), qPrintable(m_folder));
        QVERIFY(QFileInfo(m_folder + "/corvane").isExecutable());
        QVERIFY(QFileInfo(m_folder + "/corvane-cli").isExecutable());
        QVERIFY(QFileInfo(m_folder + "/corvane-cli-draw").isExecutable());
    }

    void windowShowsThePicturesOfEveryCode() {
        SettingsStore store(m_dir.filePath("ZEMLO.ini"));
        widgets::test::FakeDesktop desktop;
        FormMain w(store, desktop, m_folder);
        w.show();
        for (const engine::ProblemType& p : engine::Problems()) {
            QTest::mouseClick(LblMENU(w, p.task), Qt::LeftButton);
            Opt(w, p.task, p.option)->click();
            if (Chk(w, p.task) && Chk(w, p.task)->isChecked() != p.firstDissociationComplete)
                Chk(w, p.task)->click();
            const QString code = QString::fromUtf8(p.code.data(), p.code.size());
            QCOMPARE(w.state().ProblemCode, code);
            QVERIFY2(!ImgFOR(w, p.task)->pixmap().isNull(), qPrintable(code + ".gif not found"));
            QVERIFY2(!ImgFORX(w, p.task)->pixmap().isNull(), qPrintable("X" + code + ".jpg"));
        }
    }

    void manualCommandOpensTheManual() {
        SettingsStore store(m_dir.filePath("ZEMLO.ini"));
        widgets::test::FakeDesktop desktop;
        FormMain w(store, desktop, m_folder);
        w.mnu_Ayuda_Manual_Click();
        QVERIFY2(desktop.messages.empty(),
                 qPrintable(desktop.messages.empty() ? QString() : desktop.messages[0].text));
        QCOMPARE(desktop.opened.size(), std::size_t(1));
        const QString manual = desktop.opened[0].toLocalFile();
        QCOMPARE(manual, m_folder + "/Manual_ZEMLO.pdf");
        QFile file(manual);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(5), QByteArray("%PDF-"));
    }
};

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<InstallationTest>(argc, argv);
}

#include "installation_test.moc"
