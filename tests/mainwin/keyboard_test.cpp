// The main window from the keyboard alone: the buttons, their mnemonics and menu items,
// Ctrl+Return, the task keys, the options by the arrow keys, and what a screen reader is told.
#include "tests/mainwin/mainwindow_parts.h"
#include "tests/support/fakedesktop.h"

#include "engine/catalogue.h"
#include "mainwin/accessibility.h"
#include "mainwin/controls.h"
#include "mainwin/formmain.h"
#include "mainwin/settings.h"
#include "mainwin/taskkeys.h"
#include "windows/formeditgraf.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/gui_test_main.h"

using namespace corvane;
using namespace corvane::mainwin;
using namespace corvane::mainwin::test;
using corvane::widgets::test::FakeDesktop;

namespace {

QString accessibleText(QObject* object, QAccessible::Text which) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(which) : QString("(no interface)");
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
    FakeDesktop m_desktop;
    std::unique_ptr<FormMain> m_window;

    FormMain& open() {
        m_window.reset();
        QFile::remove(m_dir.filePath("ZEMLO.ini"));
        m_store = std::make_unique<SettingsStore>(m_dir.filePath("ZEMLO.ini"));
        m_window = std::make_unique<FormMain>(*m_store, m_desktop, m_dir.path());
        m_window->show();
        m_window->activateWindow(); // an X server without a window manager activates nothing
        if (!QTest::qWaitForWindowActive(m_window.get())) qWarning("the window is not active");
        return *m_window;
    }

    // Keys pressed at the window reach the focus, after the shortcuts, as on a desktop.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_window->windowHandle(), key, modifiers);
    }
    void typeKeys(const QString& keys) {
        for (QChar c : keys)
            QTest::keyClick(m_window->windowHandle(), c.toLatin1());
    }
    QWidget* focus() const { return QApplication::focusWidget(); }
    QString text(int index) const { return Text1(*m_window, index)->text(); }

    // Weak monoprotic acid chosen from the keyboard: Alt+1, Down to the second option while
    // none is chosen, Space to choose it.
    void chooseWeakAcid() {
        press(Qt::Key_1, Qt::AltModifier);
        QCOMPARE(focus(), Opt(*m_window, 1, 0));
        press(Qt::Key_Down);
        QCOMPARE(m_window->state().ProblemCode, QString());
        press(Qt::Key_Space);
        QCOMPARE(m_window->state().ProblemCode, QString("11"));
    }

    void typeWeakAcid() {
        Text1(*m_window, k(1, 0))->setFocus();
        typeKeys("0.1");
        press(Qt::Key_Return);
        press(Qt::Key_Return);
        press(Qt::Key_Return);
        QCOMPARE(focus(), Text1(*m_window, k(1, 3))); // Return moves on, field by field
        typeKeys("1.8e-5");
    }

private slots:
    void init() {
        m_desktop = FakeDesktop();
        m_desktop.answerDialog = widgets::test::RunModally;
    }
    void cleanup() { m_window.reset(); }

    // 0.1 mol/L acid, k_a = 1.8e-5: [H+] = (−k_a + √(k_a² + 4 k_a C_a)) / 2 = 1.3327e-3,
    // pH 2.875.
    void tabReachesCalculateAndSpacePressesIt() {
        FormMain& w = open();
        chooseWeakAcid();
        typeWeakAcid();
        QList<QWidget*> order;
        for (int i = 0; i < 3; ++i) {
            press(Qt::Key_Tab);
            order << focus();
        }
        QCOMPARE(order, (QList<QWidget*>{Text1(w, k(1, 4)), ImgCAL(w, 1), ImgDEL(w, 1)}));
        press(Qt::Key_Tab);
        QVERIFY2(focus() != ImgGRA(w, 1), "a disabled Graphic is left out");
        ImgCAL(w, 1)->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space);
        QCOMPARE(text(k(1, 1)), QString("2.875"));
        QVERIFY(ImgGRA(w, 1)->isEnabled());
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(focus(), ImgGRA(w, 1)); // enabled now, it is in the order again
        ImgDEL(w, 1)->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Return); // Enter on a focused button presses it
        QCOMPARE(text(k(1, 0)), QString());
        QCOMPARE(focus(), Text1(w, k(1, 0)));
    }

    void mnemonicsPressTheButtonsOfTheTaskShown() {
        FormMain& w = open();
        chooseWeakAcid();
        typeWeakAcid();
        press(Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(text(k(1, 1)), QString("2.875"));
        QSignalSpy graphic(&w, &FormMain::graphicRequested);
        corvane::test::AnswerOnceShown<windows::FormEditGRAF>(
            [](windows::FormEditGRAF& chooser) { chooser.Cancel(); });
        press(Qt::Key_G, Qt::AltModifier);
        QTRY_COMPARE(graphic.count(), 1);
        QCOMPARE(w.state().graph.ProblemCode, std::string("11"));
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        w.activateWindow(); // the headless platform does not hand the activation back
        QVERIFY(QTest::qWaitForWindowActive(&w));
        press(Qt::Key_L, Qt::AltModifier);
        QTRY_COMPARE(text(k(1, 0)), QString());
        QVERIFY(!ImgGRA(w, 1)->isEnabled());
        press(Qt::Key_G, Qt::AltModifier); // disabled: nothing opens
        QTest::qWait(300);
        QCOMPARE(graphic.count(), 1);

        // Another task's buttons are hidden with it: Alt+C there calculates nothing here.
        press(Qt::Key_2, Qt::AltModifier);
        Text1(*m_window, k(1, 0))->setText("0.1");
        press(Qt::Key_C, Qt::AltModifier);
        QTest::qWait(300);
        QCOMPARE(text(k(1, 1)), QString());
    }

    void ctrlReturnCalculatesFromAnyField() {
        FormMain& w = open();
        chooseWeakAcid();
        typeWeakAcid();
        press(Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(text(k(1, 1)), QString("2.875"));
        QCOMPARE(focus(), Text1(w, k(1, 3))); // the focus stays where the user typed
        w.findChild<TaskKeys*>()->clear()->trigger();
        typeKeys("0.1");
        Text1(w, k(1, 3))->setFocus();
        typeKeys("6.3e-5");
        QTest::keyClick(w.windowHandle(), Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
        // 0.1 mol/L with k_a = 6.3e-5: [H+] = 2.4787e-3, pH 2.606.
        QCOMPARE(text(k(1, 1)), QString("2.606"));
    }

    void menuItemsFollowTheTaskShown() {
        FormMain& w = open();
        TaskKeys& keys = *w.findChild<TaskKeys*>();
        QVERIFY(!keys.calculate()->isEnabled());
        press(Qt::Key_1, Qt::AltModifier);
        QVERIFY2(!keys.calculate()->isEnabled(), "no option chosen yet");
        press(Qt::Key_Down);
        press(Qt::Key_Space);
        QVERIFY(keys.calculate()->isEnabled());
        QVERIFY(keys.clear()->isEnabled());
        QVERIFY(!keys.graphic()->isEnabled());
        typeWeakAcid();
        keys.calculate()->trigger();
        QCOMPARE(text(k(1, 1)), QString("2.875"));
        QVERIFY(keys.graphic()->isEnabled());
        typeKeys("2"); // an edit withdraws Graphic
        QVERIFY(!keys.graphic()->isEnabled());
        keys.clear()->trigger();
        QCOMPARE(text(k(1, 0)), QString());
        press(Qt::Key_3, Qt::AltModifier);
        QVERIFY2(!keys.calculate()->isEnabled(), "task 3 has no option chosen");
        QCOMPARE(keys.calculate()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Return));
        QCOMPARE(Menu(w, "mnu_TIPO_CAL", 4)->shortcut(), QKeySequence(Qt::ALT | Qt::Key_4));
    }

    void taskKeysGoRoundTheTabs() {
        FormMain& w = open();
        press(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.state().TaskIndex, 5); // from no task, backwards is the last
        press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(w.state().TaskIndex, 1);
        press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(w.state().TaskIndex, 2);
        QVERIFY(Menu(w, "mnu_TIPO_CAL", 2)->isChecked());
        QVERIFY(PicTASK(w, 2)->isVisible());
        press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); // as X11 sends it
        QCOMPARE(w.state().TaskIndex, 1);
        press(Qt::Key_4, Qt::AltModifier);
        QCOMPARE(w.state().TaskIndex, 4);
        QCOMPARE(focus(), Opt(w, 4, 0));
    }

    void arrowKeysChooseTheOptions() {
        FormMain& w = open();
        press(Qt::Key_5, Qt::AltModifier);
        press(Qt::Key_Space);
        QCOMPARE(w.state().ProblemCode, QString("50"));
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        QVERIFY(Opt(w, 5, 2)->isChecked());
        QCOMPARE(focus(), Opt(w, 5, 2));
        QCOMPARE(w.state().OptionIndex, 2);
        press(Qt::Key_Up);
        QCOMPARE(w.state().ProblemCode, QString("51"));
        QVERIFY(PicIO(w, 5)->isVisible());
        // A click leaves the focus in the first field, as before.
        QTest::mouseClick(Opt(w, 5, 3), Qt::LeftButton, {}, QPoint(8, 7)); // on the mark
        QCOMPARE(w.state().ProblemCode, QString("53"));
        QCOMPARE(focus(), Text1(w, k(5, 0)));
    }

    void pressedLookAndDisabledPicture() {
        FormMain& w = open();
        chooseWeakAcid();
        PictureButton* clear = ImgDEL(w, 1);
        const QPoint home = clear->home();
        clear->setFocus(Qt::TabFocusReason);
        QTest::keyPress(clear, Qt::Key_Space);
        QCOMPARE(clear->picture()->pos(), home + QPoint(1, 1));
        QCOMPARE(clear->pos(), home + QPoint(1, 7));
        QTest::keyRelease(clear, Qt::Key_Space);
        QCOMPARE(clear->picture()->pos(), home);
        QCOMPARE(clear->pos(), home + QPoint(0, 6));
        const QImage disabled = ImgGRA(w, 1)->picture()->pixmap().toImage();
        QCOMPARE(ImgCAL(w, 1)->picture()->pixmap().toImage() == disabled, false);
        ImgGRA(w, 1)->setEnabled(true);
        QCOMPARE(ImgGRA(w, 1)->picture()->pixmap().toImage(),
                 ImgCAL(w, 1)->picture()->pixmap().toImage());
    }

    // Until a task is chosen the empty area says what to do; its link opens the manual.
    void firstLookUntilATaskIsChosen() {
        FormMain& w = open();
        QLabel* look = Part<QLabel>(w, "firstLook");
        QVERIFY(look->isVisible());
        QCOMPARE(look->geometry(),
                 QRect(4, 40, w.centralWidget()->width() - 8, w.centralWidget()->height() - 44));
        QVERIFY(look->text().contains("Calculate</b> (Ctrl+Return)"));
        QVERIFY(look->text().contains("Free mixture</b> (Alt+6)"));
        QFile manual(m_dir.filePath("Manual_ZEMLO.pdf"));
        QVERIFY(manual.open(QIODevice::WriteOnly));
        manual.close();
        emit look->linkActivated("manual");
        QCOMPARE(m_desktop.opened.size(), std::size_t(1));
        QCOMPARE(m_desktop.opened[0].toLocalFile(), m_dir.filePath("Manual_ZEMLO.pdf"));
        QDir().mkpath(CORVANE_TEST_OUTPUT_DIR);
        QVERIFY(w.grab().save(QString(CORVANE_TEST_OUTPUT_DIR) + "/mainwin-first-look-" +
                              QGuiApplication::platformName() + ".png"));
        press(Qt::Key_2, Qt::AltModifier);
        QVERIFY(look->isHidden());
        QTest::mouseClick(LblMENU(w, 3), Qt::LeftButton);
        Menu(w, "mnu_valor_pkw_C", 1)->trigger();
        QVERIFY2(look->isHidden(), "it never comes back in the run");
    }

    // Every field, button, option and tab of every option of every task, with and without the
    // check box, as the accessibility layer reads them.
    void screenReadersHearEveryControl() {
        FormMain& w = open();
        for (int t = 1; t <= 5; ++t) {
            const engine::TaskInfo& info = engine::Task(t);
            QCOMPARE(accessibleText(LblMENU(w, t), QAccessible::Name),
                     QString(info.caption.data()));
            QCOMPARE(accessibleText(LblMENU(w, t), QAccessible::Description),
                     QString("Task tab, Alt+%1").arg(t));
            QTest::mouseClick(LblMENU(w, t), Qt::LeftButton);
            for (bool check : {false, true}) {
                if (check && !Chk(w, t)) continue;
                for (std::size_t j = 0; j < info.options.size(); ++j) {
                    const int option = static_cast<int>(j);
                    if (check && !engine::IsCCapable(t, option)) continue;
                    Opt(w, t, option)->click();
                    if (Chk(w, t) && Chk(w, t)->isChecked() != check) Chk(w, t)->click();
                    const std::string code = engine::FormProblemCode(t, option, check);
                    QCOMPARE(w.state().ProblemCode.toStdString(), code);
                    const engine::ProblemType& problem = *engine::FindProblem(code);
                    QAccessibleInterface* o =
                        QAccessible::queryAccessibleInterface(Opt(w, t, option));
                    QCOMPARE(o->role(), QAccessible::RadioButton);
                    QCOMPARE(o->text(QAccessible::Name), QString(info.options[j].data()));
                    QVERIFY(o->text(QAccessible::Description).contains(info.caption.data()));
                    for (const engine::SlotRow& row : problem.rows) {
                        if (row.slot >= 15) continue;
                        ValueField* field = Text1(w, k(t, row.slot));
                        const QString name = accessibleText(field, QAccessible::Name);
                        const QString symbol = QString::fromUtf8(
                            engine::SymbolName(row.quantity).data(),
                            static_cast<qsizetype>(engine::SymbolName(row.quantity).size()));
                        const QString what =
                            QString("%1 row %2: %3").arg(code.data()).arg(row.slot).arg(name);
                        QVERIFY2(name.startsWith(symbol), qPrintable(what));
                        QVERIFY2(!name.contains("(M)"), qPrintable(what));
                        QCOMPARE(name.endsWith(", result"), row.slot >= info.inputRowCount);
                        QVERIFY2(!accessibleText(field, QAccessible::Description).isEmpty(),
                                 qPrintable(what));
                    }
                    for (PictureButton* b : {ImgCAL(w, t), ImgDEL(w, t), ImgGRA(w, t)}) {
                        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(b);
                        QCOMPARE(face->role(), QAccessible::Button);
                        QVERIFY(!face->text(QAccessible::Name).contains('&'));
                        QVERIFY(!face->text(QAccessible::Description).isEmpty());
                    }
                }
            }
        }
        // The rows an option does not use say nothing.
        Menu(w, "mnu_TIPO_CAL", 1)->trigger();
        Opt(w, 1, 0)->click();
        QCOMPARE(accessibleText(Text1(w, k(1, 3)), QAccessible::Name), QString());
        Opt(w, 1, 1)->click();
        QCOMPARE(accessibleText(Text1(w, k(1, 0)), QAccessible::Name),
                 QString("C_a, Acid concentration (mol/L)"));
        QCOMPARE(accessibleText(Text1(w, k(1, 1)), QAccessible::Name), QString("pH"));
        QCOMPARE(accessibleText(Text1(w, k(1, 7)), QAccessible::Name),
                 QString("[A-], Concentration (mol/L), result"));
        QCOMPARE(accessibleText(ImgCAL(w, 1), QAccessible::Name), QString("Calculate"));
        QCOMPARE(accessibleText(ImgDEL(w, 1), QAccessible::Name), QString("Clear"));
    }
};

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<KeyboardTest>(argc, argv);
}

#include "keyboard_test.moc"
