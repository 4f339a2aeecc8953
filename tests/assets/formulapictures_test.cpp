// The formula pictures the build drew into build/bin/img, as the main window shows them:
// both pictures of every problem code load, carry ink, and fit the formula panel at the
// window's minimum size. Leaves pictures for people to look at in build/test-output.
#include "tests/mainwin/mainwindow_parts.h"
#include "tests/support/fakedesktop.h"

#include "engine/catalogue.h"
#include "mainwin/controls.h"
#include "mainwin/formmain.h"
#include "mainwin/settings.h"

#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/gui_test_main.h"

using namespace corvane;
using namespace corvane::mainwin;
using namespace corvane::mainwin::test;

namespace {

const QString ProgramFolder = QStringLiteral(CORVANE_PROGRAM_DIR);
const QString OutputFolder = QStringLiteral(CORVANE_TEST_OUTPUT_DIR);

// Pixels clearly darker than the white background.
int inkedPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 160) ++n;
    return n;
}

QStringList allCodes() {
    QStringList codes;
    for (const engine::ProblemType& p : engine::Problems())
        codes << QString::fromUtf8(p.code.data(), qsizetype(p.code.size()));
    return codes;
}

} // namespace

class FormulaPicturesTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
    widgets::test::FakeDesktop m_desktop;
    std::unique_ptr<FormMain> m_window;

    // The window with its client area at the given size.
    FormMain& open(QSize client) {
        m_window.reset();
        m_store = std::make_unique<SettingsStore>(m_dir.filePath("ZEMLO.ini"));
        m_window = std::make_unique<FormMain>(*m_store, m_desktop, ProgramFolder);
        m_window->show();
        m_window->centralWidget()->resize(client);
        m_window->resize(client.width(), client.height() + m_window->menuBar()->height());
        QCoreApplication::processEvents();
        return *m_window;
    }

    void choose(const engine::ProblemType& p) {
        FormMain& w = *m_window;
        QTest::mouseClick(LblMENU(w, p.task), Qt::LeftButton);
        Opt(w, p.task, p.option)->click();
        if (Chk(w, p.task) && Chk(w, p.task)->isChecked() != p.firstDissociationComplete)
            Chk(w, p.task)->click();
        QCOMPARE(w.state().ProblemCode, QString::fromUtf8(p.code.data(), p.code.size()));
    }

private slots:
    void everyCodeHasBothPicturesWithInk() {
        const QStringList codes = allCodes();
        QCOMPARE(codes.size(), 34);
        for (const QString& code : codes) {
            for (const QString& name : {code + ".gif", "X" + code + ".jpg"}) {
                const QImage picture(ProgramFolder + "/img/" + name);
                QVERIFY2(!picture.isNull(), qPrintable(name + " does not load"));
                QVERIFY2(inkedPixels(picture) > 400, qPrintable(name + " is blank"));
            }
        }
        // Nothing but the pictures of the catalogue.
        QCOMPARE(QDir(ProgramFolder + "/img").entryList(QDir::Files).size(), 68);
    }

    // Mode 0644, as the package installs them: a user other than the one who built sees them.
    void everyPictureIsReadableByAll() {
        const QFileInfoList pictures = QDir(ProgramFolder + "/img").entryInfoList(QDir::Files);
        QCOMPARE(pictures.size(), 68);
        const QFileDevice::Permissions mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ReadOther;
        for (const QFileInfo& picture : pictures) {
            const QFileDevice::Permissions all =
                picture.permissions() &
                ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
            QVERIFY2(all == mode, qPrintable(picture.fileName()));
        }
    }

    void bothPicturesFitThePanelAtTheMinimumSize() {
        FormMain& w = open(QSize(800, 600));
        QCOMPARE(w.centralWidget()->size(), QSize(800, 600));
        for (const engine::ProblemType& p : engine::Problems()) {
            choose(p);
            const QString code = QString::fromUtf8(p.code.data(), p.code.size());
            const QRect panel = PicFOR(w, p.task)->rect();
            QVERIFY2(ImgFOR(w, p.task)->isVisible(), qPrintable(code));
            QVERIFY2(ImgFORX(w, p.task)->isVisible(), qPrintable(code + ": extra picture hidden"));
            QVERIFY(Line1(w, p.task)->isVisible());
            for (QLabel* picture : {ImgFOR(w, p.task), ImgFORX(w, p.task)}) {
                QVERIFY2(!picture->pixmap().isNull(), qPrintable(code));
                QVERIFY2(panel.contains(picture->geometry()),
                         qPrintable(QString("%1: picture at %2,%3 %4x%5 leaves the %6x%7 panel")
                                        .arg(code)
                                        .arg(picture->x())
                                        .arg(picture->y())
                                        .arg(picture->width())
                                        .arg(picture->height())
                                        .arg(panel.width())
                                        .arg(panel.height())));
            }
            QVERIFY(ImgFOR(w, p.task)->geometry().bottom() < ImgFORX(w, p.task)->y());
        }
    }

    // The window with the formula panel filled, for people to look at.
    void screenshots() {
        FormMain& w = open(QSize(1200, 800));
        QDir().mkpath(OutputFolder);
        for (const char* code : {"11", "34C", "45", "55"}) {
            choose(*engine::FindProblem(code));
            QVERIFY(ImgFORX(w, w.state().TaskIndex)->isVisible());
            QVERIFY(w.grab().save(QString("%1/formulas-%2-1200x800.png").arg(OutputFolder, code)));
        }
    }

    // Every picture pair on one sheet, as drawn, for review.
    void contactSheet() {
        const QStringList codes = allCodes();
        const int columns = 6, cellW = 370, cellH = 540;
        QImage sheet(columns * cellW,
                     static_cast<int>(codes.size() + columns - 1) / columns * cellH,
                     QImage::Format_RGB32);
        sheet.fill(QColor(220, 220, 220));
        QPainter painter(&sheet);
        for (int n = 0; n < codes.size(); ++n) {
            const QPoint cell((n % columns) * cellW + 8, (n / columns) * cellH + 8);
            const QImage formula(ProgramFolder + "/img/" + codes[n] + ".gif");
            const QImage extra(ProgramFolder + "/img/X" + codes[n] + ".jpg");
            painter.drawImage(cell, formula);
            painter.drawImage(cell + QPoint(0, formula.height() + 10), extra);
        }
        painter.end();
        QDir().mkpath(OutputFolder);
        QVERIFY(sheet.save(OutputFolder + "/formula-pictures.png"));
    }
};

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<FormulaPicturesTest>(argc, argv);
}

#include "formulapictures_test.moc"
