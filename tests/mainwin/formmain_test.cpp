#include "tests/mainwin/mainwindow_parts.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/typing.h"

#include "engine/catalogue.h"
#include "fit/titrationmodel.h"
#include "mainwin/controls.h"
#include "mainwin/formmain.h"
#include "mainwin/headings.h"
#include "mainwin/settings.h"
#include "mainwin/statusline.h"
#include "markup/fonts.h"
#include "markup/symbols.h"
#include "windows/formeditgraf.h"
#include "windows/formgraficaab.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/gui_test_main.h"

using namespace corvane;
using namespace corvane::mainwin;
using namespace corvane::mainwin::test;
using corvane::widgets::test::FakeDesktop;

class FormMainTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
    FakeDesktop m_desktop;
    std::unique_ptr<FormMain> m_window;

    QString settingsPath() const { return m_dir.filePath("ZEMLO.ini"); }

    FormMain& open(int width = 900, int height = 680) {
        m_window.reset();
        m_store = std::make_unique<SettingsStore>(settingsPath());
        m_window = std::make_unique<FormMain>(*m_store, m_desktop, m_dir.path());
        m_window->resize(width, height);
        m_window->show();
        QCoreApplication::processEvents();
        return *m_window;
    }

    void choose(int t, int option, bool check = false) {
        FormMain& w = *m_window;
        QTest::mouseClick(LblMENU(w, t), Qt::LeftButton);
        if (check && !Chk(w, t)->isChecked()) {
            Opt(w, t, option)->click();
            Chk(w, t)->click();
        } else {
            Opt(w, t, option)->click();
        }
    }

    void type(int index, const QString& text) {
        corvane::mainwin::test::TypeInto(Text1(*m_window, index), text);
    }

    void calculate(int t) { QTest::mouseClick(ImgCAL(*m_window, t), Qt::LeftButton); }

    QString text(int index) const { return Text1(*m_window, index)->text(); }
    bool shown(int index) const { return !Text1(*m_window, index)->isHidden(); }

    // Keys typed at the window go wherever the keyboard focus is.
    void typeAtTheWindow(const QString& keys) {
        for (QChar c : keys)
            QTest::keyClick(m_window->windowHandle(), c.toLatin1());
    }

    static QStringList fieldTexts(FormMain& w, int t) {
        QStringList texts;
        for (int i = 0; i < 15; ++i)
            texts << Text1(w, k(t, i))->text();
        return texts;
    }

private slots:
    void init() {
        QFile::remove(settingsPath());
        QDir(m_dir.filePath("img")).removeRecursively();
        m_desktop = FakeDesktop();
        m_desktop.answerDialog = widgets::test::RunModally;
    }
    void cleanup() { m_window.reset(); }

    void startsWithNoTaskAndTheCaption() {
        FormMain& w = open();
        QCOMPARE(w.windowTitle(), QString("Quellwerk - Acid - base equilibrium"));
        QCOMPARE(w.state().TaskIndex, 0);
        for (int t = 1; t <= 5; ++t) {
            QVERIFY(PicTASK(w, t)->isHidden());
            QVERIFY(!ImgGRA(w, t)->isEnabled());
        }
        QCOMPARE(LblMENU(w, 3)->text(), QString("Mixture: acid and base"));
        QCOMPARE(Menu(w, "mnu_TIPO_CAL", 5)->text(), QString("Titration"));
    }

    void weakAcidRoundTrip() {
        FormMain& w = open();
        choose(1, 1);
        QCOMPARE(w.state().ProblemCode, QString("11"));
        QCOMPARE(LblMainTIT(w, 1)->text(), QString("Single solution of weak monoprotic acid"));
        QVERIFY(shown(k(1, 0)));
        QVERIFY(!shown(k(1, 5)));
        QVERIFY(!shown(k(1, 6)));
        QCOMPARE(Label1(w, k(1, 0))->text(), QString(" Acid concentration (M)"));
        type(k(1, 0), "0.1");
        type(k(1, 3), "1.8e-5");
        calculate(1);
        QVERIFY(m_desktop.messages.empty());
        QCOMPARE(text(k(1, 1)), QString("2.875"));
        QCOMPARE(text(k(1, 2)), QString("1.333E-3"));
        QCOMPARE(text(k(1, 6)), QString("0.09867"));
        QVERIFY(shown(k(1, 6)));
        QVERIFY(Text1(w, k(1, 6))->isReadOnly());
        QVERIFY(ImgGRA(w, 1)->isEnabled());
        QVERIFY(!Label1(w, k(1, 6))->isHidden());

        // Editing a field withdraws Graphic; writing results did not.
        type(k(1, 0), "2");
        QVERIFY(!ImgGRA(w, 1)->isEnabled());

        QTest::mouseClick(ImgDEL(w, 1), Qt::LeftButton);
        QCOMPARE(text(k(1, 0)), QString());
        QVERIFY(!shown(k(1, 6)));
        QVERIFY(Text1(w, k(1, 0))->hasFocus());
        QVERIFY(!ImgGRA(w, 1)->isEnabled());
    }

    void oneRoundPerTask_data() {
        QTest::addColumn<int>("task");
        QTest::addColumn<int>("option");
        QTest::addColumn<QStringList>("inputs"); // "row=text"
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("expected");
        QTest::newRow("strong base") << 1 << 4 << QStringList{"0=0.01"} << 1 << "12";
        QTest::newRow("salt of weak base")
            << 2 << 1 << QStringList{"0=0.1", "4=1.8e-5"} << 1 << "5.128";
        QTest::newRow("weak acid + strong base")
            << 3 << 2 << QStringList{"0=0.1", "1=0.05", "3=1.8e-5"} << 2 << "4.745";
        QTest::newRow("buffer, added acid")
            << 4 << 2 << QStringList{"0=0.1", "1=0.1", "3=1.8e-5", "4=0.05"} << 2 << "4.268";
        QTest::newRow("weak acid titration")
            << 5 << 1 << QStringList{"0=0.1", "1=25", "2=1.8e-5", "3=0.1"} << 5 << "8.722";
    }

    void oneRoundPerTask() {
        QFETCH(int, task);
        QFETCH(int, option);
        QFETCH(QStringList, inputs);
        QFETCH(int, row);
        QFETCH(QString, expected);
        FormMain& w = open();
        choose(task, option);
        for (const QString& input : inputs) {
            const auto parts = input.split('=');
            type(k(task, parts[0].toInt()), parts[1]);
        }
        calculate(task);
        QVERIFY2(m_desktop.messages.empty(), "no message");
        QCOMPARE(text(k(task, row)), expected);
        QVERIFY(ImgGRA(w, task)->isEnabled());
        // A second Calculate on what the first wrote, rounded, agrees with it.
        calculate(task);
        QVERIFY2(m_desktop.messages.empty(), "no message the second time");
        QCOMPARE(text(k(task, row)), expected);
        QVERIFY(ImgGRA(w, task)->isEnabled());
    }

    void readingAndCalculationErrors() {
        FormMain& w = open();
        choose(1, 1);
        type(k(1, 0), "0,1");
        type(k(1, 3), "1/0");
        type(k(1, 4), "0.5");
        calculate(1);
        QCOMPARE(m_desktop.messages.size(), std::size_t(1));
        QCOMPARE(m_desktop.messages[0].title, QString("Error"));
        QCOMPARE(m_desktop.messages[0].text, QString("Invalid input values: Reading error."));
        QVERIFY(m_desktop.messages[0].kind == widgets::MessageKind::Warning);
        QCOMPARE(text(k(1, 0)), QString("0,1")); // rows read before are rewritten
        QCOMPARE(text(k(1, 3)), QString("1/0")); // the failing row keeps its text
        QCOMPARE(w.state().numbers.DecimalSeparator, ',');
        QVERIFY(Menu(w, "mnu_Config_SepaDec_COM")->isChecked());
        QVERIFY(!Menu(w, "mnu_Config_SepaDec_PTO")->isChecked());

        type(k(1, 0), "");
        type(k(1, 1), "7.5");
        type(k(1, 3), "");
        type(k(1, 4), "");
        calculate(1);
        QCOMPARE(m_desktop.messages.back().text,
                 QString("Invalid input values: Calculation error."));
        QCOMPARE(m_desktop.messages.back().details,
                 QString("pH = 7.5 is not acidic; a solution of an acid has pH below 7 here"));
        QCOMPARE(text(k(1, 1)), QString("7.5")); // the point typed switched the separator back
        QVERIFY(!ImgGRA(w, 1)->isEnabled());
    }

    void nothingGivenShowsNoMessage() {
        FormMain& w = open();
        choose(3, 0);
        calculate(3);
        QVERIFY(m_desktop.messages.empty());
        QVERIFY(!ImgGRA(w, 3)->isEnabled());
    }

    // Input that leaves the problem open is no error: no box, a line below the buttons.
    void incompleteInputSaysWhatElseToGive() {
        FormMain& w = open();
        choose(1, 1);
        type(k(1, 0), "0.1");
        calculate(1);
        QVERIFY(m_desktop.messages.empty());
        const QString hint = QString::fromUtf8("Not enough values: give also one of k_a, pH, "
                                               "[H+], \u03b1");
        StatusLine* status = statusLine(w, 1);
        QCOMPARE(status->message(), hint);
        QCOMPARE(status->text(), hint); // it fits at the window's size
        QVERIFY(status->isVisible());
        QVERIFY(!ImgGRA(w, 1)->isEnabled());
        QVERIFY(status->y() > ImgCAL(w, 1)->picture()->geometry().bottom());
        QVERIFY(PicIO(w, 1)->rect().contains(status->geometry()));
        QCOMPARE(text(k(1, 0)), QString("0.1")); // what was solved is written as usual
        // At the smallest size, for a person to look at in build/test-output.
        w.centralWidget()->resize(800, 600);
        w.resize(800, 600 + w.menuBar()->height());
        QCoreApplication::processEvents();
        QCOMPARE(status->text(), hint);
        QVERIFY(PicIO(w, 1)->rect().contains(status->geometry()));
        QDir().mkpath(CORVANE_TEST_OUTPUT_DIR);
        QVERIFY(w.grab().save(QString(CORVANE_TEST_OUTPUT_DIR) + "/mainwin-incomplete.png"));

        type(k(1, 3), "1.8e-5");
        calculate(1);
        QCOMPARE(status->message(), QString()); // the next Calculate clears it
        QVERIFY(ImgGRA(w, 1)->isEnabled());

        choose(5, 4);
        for (auto [row, value] :
             std::vector<std::pair<int, const char*>>{{0, "0.1"}, {1, "25"}, {6, "0.1"}})
            type(k(5, row), value);
        calculate(5);
        QCOMPARE(statusLine(w, 5)->message(), QString("Not enough values: give also k_1 and k_2"));
        QTest::mouseClick(ImgDEL(w, 5), Qt::LeftButton);
        QCOMPARE(statusLine(w, 5)->message(), QString()); // and so does Clear
        QVERIFY(m_desktop.messages.empty());
    }

    // The hint is the shown task's, also after a visit to another task's tab.
    void theHintIsOfTheTaskShown() {
        FormMain& w = open();
        choose(1, 1);
        type(k(1, 0), "0.1");
        choose(5, 4);
        QTest::mouseClick(LblMENU(w, 1), Qt::LeftButton);
        calculate(1);
        QCOMPARE(statusLine(w, 1)->message(),
                 QString::fromUtf8("Not enough values: give also one of k_a, pH, [H+], \u03b1"));
    }

    void keyFilterAndHGroup() {
        FormMain& w = open();
        choose(1, 1);
        type(k(1, 0), "a 1e-3x");
        QCOMPARE(text(k(1, 0)), QString("1e-3"));
        type(k(1, 1), "3");
        type(k(1, 2), "2e-3");
        QCOMPARE(text(k(1, 1)), QString()); // [H+] clears pH
        type(k(1, 1), "4");
        QCOMPARE(text(k(1, 2)), QString()); // pH clears [H+]
        type(k(1, 0), "5%");
        QCOMPARE(text(k(1, 1)), QString("4")); // C_a is outside the HGroup
        QCOMPARE(Text1(w, k(1, 1))->tag, QString("H"));
        QVERIFY(Text1(w, k(1, 0))->tag.isEmpty());
    }

    // Each key on "0.0125" with the cursor after "0.0" (or "01" selected); Delete and
    // Shift+Delete come with the character 0x7F, Ctrl+A with 0x01, as on X11.
    void editingKeysAlwaysWork_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("character");
        QTest::addColumn<bool>("selectFirstTwo");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("cursor");
        const QString del(QChar(0x7F));
        const int shift = Qt::ShiftModifier, none = Qt::NoModifier;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << del << false << "0.025"
                                << "" << 3;
        QTest::newRow("Delete selection") << int(Qt::Key_Delete) << none << del << true << "0125"
                                          << "" << 0;
        QTest::newRow("Shift+Delete cuts") << int(Qt::Key_Delete) << shift << del << true << "0125"
                                           << "" << 0;
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << int(Qt::ControlModifier) << QString(QChar(1))
                                << false << "0.0125"
                                << "0.0125" << 6;
        QTest::newRow("Home") << int(Qt::Key_Home) << none << "" << false << "0.0125"
                              << "" << 0;
        QTest::newRow("End") << int(Qt::Key_End) << none << "" << false << "0.0125"
                             << "" << 6;
        QTest::newRow("Left") << int(Qt::Key_Left) << none << "" << false << "0.0125"
                              << "" << 2;
        QTest::newRow("Right") << int(Qt::Key_Right) << none << "" << false << "0.0125"
                               << "" << 4;
        QTest::newRow("Shift+Left") << int(Qt::Key_Left) << shift << "" << false << "0.0125"
                                    << "0" << 2;
        QTest::newRow("Shift+Right") << int(Qt::Key_Right) << shift << "" << false << "0.0125"
                                     << "1" << 4;
        QTest::newRow("Shift+Home") << int(Qt::Key_Home) << shift << "" << false << "0.0125"
                                    << "0.0" << 0;
        QTest::newRow("Shift+End") << int(Qt::Key_End) << shift << "" << false << "0.0125"
                                   << "125" << 6;
        QTest::newRow("Backspace")
            << int(Qt::Key_Backspace) << none << QString(QChar(8)) << false << "0.125"
            << "" << 2;
        // Characters are still filtered: a letter, a space and Ctrl+Z change nothing.
        QTest::newRow("letter") << int(Qt::Key_X) << none << "x" << false << "0.0125"
                                << "" << 3;
        QTest::newRow("space") << int(Qt::Key_Space) << none << " " << false << "0.0125"
                               << "" << 3;
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier) << QString(QChar(26))
                                << true << "0.0125"
                                << "0." << 2;
        QTest::newRow("digit") << int(Qt::Key_7) << none << "7" << false << "0.07125"
                               << "" << 4;
    }

    void editingKeysAlwaysWork() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, character);
        QFETCH(bool, selectFirstTwo);
        QFETCH(QString, text);
        QFETCH(QString, selected);
        QFETCH(int, cursor);
        FormMain& w = open();
        choose(1, 1);
        type(k(1, 0), "0.0125");
        ValueField* field = Text1(w, k(1, 0));
        QGuiApplication::clipboard()->clear();
        if (selectFirstTwo)
            field->setSelection(0, 2);
        else
            field->setCursorPosition(3);
        const auto mods = Qt::KeyboardModifiers(modifiers);
        QKeyEvent press(QEvent::KeyPress, key, mods, character);
        QKeyEvent release(QEvent::KeyRelease, key, mods, character);
        QApplication::sendEvent(field, &press);
        QApplication::sendEvent(field, &release);
        QCOMPARE(field->text(), text);
        QCOMPARE(field->selectedText(), selected);
        QCOMPARE(field->cursorPosition(), cursor);
        if (QTest::currentDataTag() == QLatin1String("Shift+Delete cuts"))
            QCOMPARE(QGuiApplication::clipboard()->text(), QString("0."));
    }

    void enterMovesToTheNextVisibleField() {
        FormMain& w = open();
        choose(1, 1);
        Text1(w, k(1, 0))->setFocus();
        QTest::keyClick(Text1(w, k(1, 0)), Qt::Key_Return);
        QVERIFY(Text1(w, k(1, 1))->hasFocus());
        // Row 5 is not used by code 11: Enter in row 4 stays.
        Text1(w, k(1, 4))->setFocus();
        QTest::keyClick(Text1(w, k(1, 4)), Qt::Key_Return);
        QVERIFY(Text1(w, k(1, 4))->hasFocus());
    }

    void clickSelectsTheWholeText() {
        FormMain& w = open();
        choose(1, 1);
        type(k(1, 0), "0.001");
        Text1(w, k(1, 3))->setFocus();
        QTest::mouseClick(Text1(w, k(1, 0)), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(Text1(w, k(1, 0))->selectedText(), QString("0.001"));
    }

    void checkBoxMakesTheCVariant() {
        FormMain& w = open();
        choose(5, 4);
        QVERIFY(!PicCHK(w, 5)->isHidden());
        QVERIFY(shown(k(5, 3)));
        type(k(5, 0), "0.1");
        Chk(w, 5)->click();
        QCOMPARE(w.state().ProblemCode, QString("54C"));
        QCOMPARE(
            LblMainTIT(w, 5)->text(),
            QString(
                "Titration of diprotic acid with strong base (first dissociation is complete)"));
        QVERIFY2(!shown(k(5, 3)), "k_1 hidden");
        QCOMPARE(text(k(5, 0)), QString()); // fields cleared
        Opt(w, 5, 5)->click();
        Chk(w, 5)->click();
        QCOMPARE(w.state().ProblemCode, QString("55"));
        // A task without a "C" option hides the check box.
        Opt(w, 5, 1)->click();
        QVERIFY(PicCHK(w, 5)->isHidden());
        QCOMPARE(w.state().ProblemCode, QString("51"));
    }

    void tasksKeepTheirFields() {
        FormMain& w = open();
        choose(1, 1);
        type(k(1, 0), "0.1");
        choose(2, 0);
        QVERIFY(PicTASK(w, 1)->isHidden());
        QTest::mouseClick(LblMENU(w, 1), Qt::LeftButton);
        QCOMPARE(text(k(1, 0)), QString("0.1"));
        QCOMPARE(w.state().ProblemCode, QString("20"));
        QCOMPARE(w.state().OptionIndex, 1);
        QVERIFY(Menu(w, "mnu_TIPO_CAL", 1)->isChecked());
        QVERIFY(!Menu(w, "mnu_TIPO_CAL", 2)->isChecked());
        Opt(w, 1, 1)->click();
        QCOMPARE(text(k(1, 0)), QString()); // choosing the option again clears
    }

    void pKwClearsEveryTask() {
        FormMain& w = open();
        choose(5, 0);
        type(k(5, 0), "0.1");
        type(k(5, 1), "25");
        type(k(5, 3), "0.1");
        calculate(5);
        QVERIFY(shown(k(5, 9)));
        choose(1, 1);
        type(k(1, 0), "0.1");
        type(k(1, 3), "1e-5");
        calculate(1);
        QVERIFY(shown(k(1, 6)));
        Menu(w, "mnu_valor_pkw_C", 1)->trigger();
        QVERIFY(Menu(w, "mnu_valor_pkw_C", 1)->isChecked());
        QVERIFY(!Menu(w, "mnu_valor_pkw_C", 0)->isChecked());
        QCOMPARE(w.state().engine.Kw, std::pow(10.0, -13.59));
        QVERIFY2(std::abs(w.state().engine.PHMax - 34.2362) < 1e-3,
                 "PHMax keeps its start-up value");
        for (int t : {1, 5}) {
            QCOMPARE(text(k(t, 0)), QString());
            QVERIFY(!ImgGRA(w, t)->isEnabled());
        }
        QVERIFY(!shown(k(1, 6)));
        QVERIFY(!shown(k(5, 9)));
        QVERIFY2(shown(k(5, 5)), "titration input rows stay");
        QCOMPARE(w.state().TaskIndex, 1);
    }

    void keysNeverGoToAHiddenField() {
        FormMain& w = open();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        choose(5, 0);
        type(k(5, 0), "0.1");
        type(k(5, 1), "25");
        type(k(5, 3), "0.1");
        calculate(5);
        QTest::mouseClick(LblMENU(w, 2), Qt::LeftButton); // a task with no option chosen yet
        Menu(w, "mnu_valor_pkw_C", 1)->trigger();
        typeAtTheWindow("123");
        QVERIFY2(!fieldTexts(w, 5).join("").contains("123"), "nothing typed into task 5");
        const QWidget* focus = QApplication::focusWidget();
        QVERIFY2(!focus || focus->isVisible(), "the focus is on a visible widget or nowhere");

        // With an option shown, its first field takes the keys after each of these changes.
        choose(2, 1);
        typeAtTheWindow("4");
        QCOMPARE(text(k(2, 0)), QString("4")); // after the task and option change
        Menu(w, "mnu_valor_pkw_C", 0)->trigger();
        typeAtTheWindow("5");
        QCOMPARE(text(k(2, 0)), QString("5")); // after the pKw change
        type(k(2, 4), "6");
        QTest::mouseClick(ImgDEL(w, 2), Qt::LeftButton);
        typeAtTheWindow("7");
        QCOMPARE(text(k(2, 0)), QString("7")); // after Clear
        QTest::mouseClick(LblMENU(w, 5), Qt::LeftButton);
        typeAtTheWindow("8");
        QCOMPARE(text(k(5, 0)), QString("8")); // after a task change
        QCOMPARE(text(k(2, 0)), QString("7"));
        Menu(w, "mnu_valor_pkw_C", 1)->trigger();
        QTest::mouseClick(LblMENU(w, 2), Qt::LeftButton);
        typeAtTheWindow("9");
        QCOMPARE(text(k(2, 0)), QString("9"));
        QCOMPARE(text(k(5, 0)), QString());
    }

    void digitsAndSeparatorMenus() {
        FormMain& w = open();
        Menu(w, "mnu_NDIG", 6)->trigger();
        QVERIFY(Menu(w, "mnu_NDIG", 6)->isChecked());
        QVERIFY(!Menu(w, "mnu_NDIG", 4)->isChecked());
        choose(1, 1);
        type(k(1, 0), "0.1");
        type(k(1, 3), "1.8e-5");
        Menu(w, "mnu_Config_SepaDec_COM")->trigger();
        calculate(1);
        QCOMPARE(text(k(1, 1)), QString("2.87528")); // the point typed switches back to '.'
        Menu(w, "mnu_Config_SepaDec_COM")->trigger();
        Menu(w, "mnu_Config_SepaDec_COM")->trigger();
        QVERIFY2(Menu(w, "mnu_Config_SepaDec_COM")->isChecked(), "triggering twice keeps the mark");
    }

    void settingsFirstRunAndRoundTrip() {
        {
            FormMain& w = open();
            QVERIFY(Menu(w, "mnu_Config_SepaDec_PTO")->isChecked());
            QVERIFY(Menu(w, "mnu_NDIG", 4)->isChecked());
            QVERIFY(Menu(w, "mnu_valor_pkw_C", 0)->isChecked());
            QCOMPARE(w.state().SigDigits, 4);
            QVERIFY(!w.state().ShowMarks); // off until the graph window turns it on
            Menu(w, "mnu_NDIG", 9)->trigger();
            Menu(w, "mnu_Config_SepaDec_COM")->trigger();
            w.state().LastGraphFolder = "/tmp/graphs";
            w.state().ShowMarks = true;
            w.close();
        }
        QSettings stored(settingsPath(), QSettings::IniFormat);
        QCOMPARE(stored.value("DOT/SEPARATOR").toString(), QString(","));
        QCOMPARE(stored.value("NDIG/SIGDIG").toString(), QString("9"));
        QCOMPARE(stored.value("WATER/PKW").toString(), QString("14.00"));
        QCOMPARE(stored.value("PATH/GRAF").toString(), QString("/tmp/graphs"));
        QVERIFY(stored.contains("PATH/TABLA"));
        QCOMPARE(stored.value("VIEW/MARKS").toString(), QString("1"));
        FormMain& again = open();
        QVERIFY(again.state().ShowMarks);
        QVERIFY(Menu(again, "mnu_NDIG", 9)->isChecked());
        QCOMPARE(again.state().numbers.DecimalSeparator, ',');
        QCOMPARE(again.state().LastGraphFolder, QString("/tmp/graphs"));
    }

    void storedPKwValues_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("Kw");
        QTest::addColumn<int>("checkedItem");
        QTest::addColumn<QString>("afterClosing");
        QTest::newRow("37 degrees") << "13.59" << std::pow(10.0, -13.59) << 1 << "13.59";
        QTest::newRow("another pKw") << "13.00" << 1e-13 << -1 << "13.00";
        QTest::newRow("garbage") << "abc" << 1e-14 << 0 << "14.00";
        QTest::newRow("empty") << "" << 1e-14 << 0 << "14.00";
    }

    void storedPKwValues() {
        QFETCH(QString, stored);
        QFETCH(double, Kw);
        QFETCH(int, checkedItem);
        QFETCH(QString, afterClosing);
        {
            QSettings s(settingsPath(), QSettings::IniFormat);
            s.setValue("WATER/PKW", stored);
        }
        FormMain& w = open();
        QCOMPARE(w.state().engine.Kw, Kw);
        QCOMPARE(Menu(w, "mnu_valor_pkw_C", 0)->isChecked(), checkedItem == 0);
        QCOMPARE(Menu(w, "mnu_valor_pkw_C", 1)->isChecked(), checkedItem == 1);
        QCOMPARE(w.state().engine.PHMax, 2 - std::log(Kw));
        w.close();
        QCOMPARE(QSettings(settingsPath(), QSettings::IniFormat).value("WATER/PKW").toString(),
                 afterClosing);
    }

    void garbageSettingsGiveTheDefaults() {
        {
            QSettings s(settingsPath(), QSettings::IniFormat);
            s.setValue("DOT/SEPARATOR", "xyz");
            s.setValue("NDIG/SIGDIG", "99");
            s.setValue("VIEW/MARKS", "yes");
        }
        FormMain& w = open();
        QCOMPARE(w.state().numbers.DecimalSeparator, '.');
        QVERIFY(Menu(w, "mnu_Config_SepaDec_PTO")->isChecked());
        QCOMPARE(w.state().SigDigits, 4);
        QVERIFY(Menu(w, "mnu_NDIG", 4)->isChecked());
        QVERIFY(!w.state().ShowMarks);
    }

    void anUnwritableSettingsFileDoesNotStopClosing() {
        m_window.reset();
        QDir(m_dir.path()).mkdir("locked");
        m_store = std::make_unique<SettingsStore>(m_dir.filePath("locked/no/such/dir/ZEMLO.ini"));
        QFile::setPermissions(m_dir.filePath("locked"),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        m_window = std::make_unique<FormMain>(*m_store, m_desktop, m_dir.path());
        m_window->show();
        QVERIFY(m_window->close());
        QFile::setPermissions(m_dir.filePath("locked"), QFileDevice::ReadOwner |
                                                            QFileDevice::WriteOwner |
                                                            QFileDevice::ExeOwner);
    }

    void manualAndWebFailures() {
        FormMain& w = open();
        w.mnu_Ayuda_Manual_Click();
        QCOMPARE(m_desktop.messages.back().title, QString("Error"));
        QCOMPARE(m_desktop.messages.back().text,
                 "Sorry, cannot find/open file " +
                     QDir(m_dir.path()).absoluteFilePath("Manual_ZEMLO.pdf"));
        QFile manual(m_dir.filePath("Manual_ZEMLO.pdf"));
        QVERIFY(manual.open(QIODevice::WriteOnly));
        manual.close();
        const auto before = m_desktop.messages.size();
        w.mnu_Ayuda_Manual_Click();
        QCOMPARE(m_desktop.messages.size(), before);
        QVERIFY(m_desktop.opened.back().isLocalFile());

        m_desktop.openSucceeds = false;
        w.mnu_Ayuda_WEB_Click();
        QCOMPARE(m_desktop.messages.back().text,
                 QString("Sorry, cannot connect to www.corvane.org"));
        w.mnu_Ayuda_DONA_Click();
        QCOMPARE(m_desktop.opened.back(), QUrl("https://www.corvane.org/donate"));
    }

    void graphicHandsTheProblemToTheGraphSettings() {
        FormMain& w = open();
        choose(1, 3, true);
        QCOMPARE(w.state().ProblemCode, QString("13C"));
        type(k(1, 0), "0.1");
        type(k(1, 4), "6.2e-8");
        type(k(1, 5), "4.8e-13");
        calculate(1);
        QVERIFY2(ImgGRA(w, 1)->isEnabled(), "the hidden k_1 row does not count");
        QSignalSpy spy(&w, &FormMain::graphicRequested);
        int chooserRows = 0;
        corvane::test::WhenShown<windows::FormEditGRAF>([&](windows::FormEditGRAF& chooser) {
            chooserRows = chooser.visibleRows();
            chooser.Cancel();
        });
        QTest::mouseClick(ImgGRA(w, 1), Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(chooserRows, 3); // pH vs. C_a, pH vs. pC_a, the molar fractions
        QCOMPARE(w.state().graph.ProblemCode, std::string("13C"));
        QCOMPARE(QString::fromStdString(w.state().graph.TaskTitle), LblMainTIT(w, 1)->text());
        QCOMPARE(w.state().graph.GraphKind, 0);
        QVERIFY(!w.state().graph.GraphConfirmed);
    }

    // At the smallest window and 12 digits the longest results are wider than their fields
    // at the usual 11 points. The text fits when the field looks the same with the cursor at
    // its start and at its end: a cut text scrolls.
    // At the smallest window every heading of every option shows whole: the fitting rule's
    // words, set smaller where the font drawn is wider than the rule assumes.
    void headingsAreNeverCut() {
        FormMain& w = open(800, 600);
        QCOMPARE(w.centralWidget()->size(), QSize(800, 600));
        int smaller = 0;
        for (int t = 1; t <= 5; ++t)
            for (int option = 0; option < int(engine::Task(t).options.size()); ++option) {
                choose(t, option);
                for (int i = 0; i < 15; ++i) {
                    const QLabel* heading = Label1(w, k(t, i));
                    if (Text1(w, k(t, i))->isHidden() || heading->text().isEmpty()) continue;
                    const QString shown = heading->text();
                    QVERIFY2(!shown.contains(QChar(0x2026)), qPrintable(shown));
                    QVERIFY2(QFontMetricsF(heading->font()).horizontalAdvance(shown) <=
                                 heading->contentsRect().width(),
                             qPrintable(shown));
                    QVERIFY(heading->font().pointSizeF() >= 7);
                    if (heading->font().pointSizeF() < 9) {
                        ++smaller;
                        QCOMPARE(heading->toolTip(), shown.trimmed());
                    }
                }
            }
        QVERIFY2(smaller > 0, "the titration headings need a smaller font at 800x600");
    }

    void valueFieldsNeverCutANumber_data() {
        QTest::addColumn<int>("task");
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("pKwItem");
        QTest::addColumn<QStringList>("inputs"); // "row=text"
        QTest::addColumn<int>("shrunkRow");
        QTest::addColumn<QString>("shrunkText");
        QTest::newRow("strong base at 37 degrees")
            << 1 << 4 << 1 << QStringList{"0=0.0188078"} << 2 << "1.36666477875E-12";
        QTest::newRow("weak acid")
            << 1 << 1 << 0 << QStringList{"0=0.0123", "3=1.8e-5"} << 7 << "4.61617668601E-4";
        QTest::newRow("triprotic acid titration")
            << 5 << 5 << 0
            << QStringList{"0=0.1", "1=25", "3=7.1e-3", "4=6.3e-8", "5=4.5e-13", "6=0.1"} << 9
            << "6.6903447114E-13";
    }

    void valueFieldsNeverCutANumber() {
        QFETCH(int, task);
        QFETCH(int, option);
        QFETCH(int, pKwItem);
        QFETCH(QStringList, inputs);
        QFETCH(int, shrunkRow);
        QFETCH(QString, shrunkText);
        FormMain& w = open(800, 600);
        QCOMPARE(w.centralWidget()->size(), QSize(800, 600));
        Menu(w, "mnu_NDIG", 12)->trigger();
        Menu(w, "mnu_valor_pkw_C", pKwItem)->trigger();
        choose(task, option);
        for (const QString& input : inputs) {
            const auto parts = input.split('=');
            type(k(task, parts[0].toInt()), parts[1]);
        }
        calculate(task);
        QVERIFY(m_desktop.messages.empty());
        QCOMPARE(text(k(task, shrunkRow)), shrunkText);
        if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
        for (int i = 0; i < 15; ++i) {
            ValueField* field = Text1(w, k(task, i));
            if (field->isHidden()) continue;
            const QString t = field->text();
            const QString shown = field->shownText();
            const QFont font = field->font();
            QVERIFY(font.pointSizeF() >= 7);
            const bool usual = font.families() == QStringList{"Arial"} && font.pointSizeF() == 11;
            QCOMPARE(field->toolTip(), usual ? QString() : t);
            if (shown == t) {
                field->setCursorPosition(0);
                const QImage atStart = field->grab().toImage();
                field->setCursorPosition(int(t.size()));
                const QImage atEnd = field->grab().toImage();
                QVERIFY2(atStart == atEnd, qPrintable(QString("row %1 scrolls").arg(i)));
            } else {
                // Mantissa digits left out and marked, the exponent kept, all within the field.
                const qsizetype mark = shown.indexOf(QChar(0x2026));
                QVERIFY(mark > 2);
                QVERIFY(t.startsWith(shown.left(mark)));
                QCOMPARE(shown.mid(mark + 1), t.mid(t.indexOf('E')));
                QVERIFY(QFontMetricsF(font).horizontalAdvance(shown) <= field->width() - 7);
            }
        }
        QVERIFY2(Text1(w, k(task, shrunkRow))->font().pointSizeF() < 11, "the long result shrank");
        QDir().mkpath(CORVANE_TEST_OUTPUT_DIR);
        QVERIFY(w.grab().save(
            QString("%1/mainwin-800x600-12-digits-%2.png")
                .arg(CORVANE_TEST_OUTPUT_DIR, QString(QTest::currentDataTag()).replace(' ', '-'))));

        // A short text brings the usual size back.
        type(k(task, 0), "0.5");
        QCOMPARE(Text1(w, k(task, 0))->font().pointSizeF(), 11.0);
        QVERIFY(Text1(w, k(task, 0))->toolTip().isEmpty());
    }

    void graphicOpensTheChooserThenTheGraphWindow() {
        FormMain& w = open();
        choose(1, 1);
        QCOMPARE(w.state().ProblemCode, QString("11"));
        type(k(1, 0), "0.1");
        type(k(1, 3), "1.8e-5");
        calculate(1);
        QVERIFY(ImgGRA(w, 1)->isEnabled());
        QString graphTitle;
        int recorded = 0;
        corvane::test::WhenShown<windows::FormEditGRAF>([&](windows::FormEditGRAF& chooser) {
            chooser.selectRow(6); // the molar fractions
            corvane::test::WhenShown<windows::FormGraficaAB>([&](windows::FormGraficaAB& graph) {
                graphTitle = graph.windowTitle();
                QTRY_VERIFY(!graph.deferredDraw().isActive());
                recorded = w.state().graphTable.RecordedRows;
                QTest::keyClick(&graph, Qt::Key_Escape);
            });
            QTest::keyClick(&chooser, Qt::Key_Return);
        });
        QTest::mouseClick(ImgGRA(w, 1), Qt::LeftButton);
        QCOMPARE(graphTitle, QString("Graphic"));
        QCOMPARE(w.state().graph.GraphKind, 16);
        QVERIFY(w.state().graph.GraphConfirmed);
        QCOMPARE(recorded, 65);
        QVERIFY(m_desktop.messages.empty());
    }

    // A fit in the graph window, then "Use these values": the fitted curve is typed into the
    // fields and calculated, V_eq following from the fitted C_a.
    void fittedValuesComeBackIntoTheFields() {
        FormMain& w = open();
        choose(5, 1); // code 51
        type(k(5, 0), "0.1");
        type(k(5, 1), "25");
        type(k(5, 2), "1.8e-5");
        type(k(5, 3), "0.1");
        calculate(5);
        QVERIFY(ImgGRA(w, 5)->isEnabled());
        engine::Slots truth{};
        truth[0] = 0.08, truth[1] = 25, truth[2] = 3e-5, truth[3] = 0.1;
        const fit::TitrationModel model("51", truth, 14.0);
        QByteArray data;
        for (int i = 1; i <= 60; ++i)
            data +=
                QByteArray::number(0.5 * i) + " " + QByteArray::number(model.pH(0.5 * i)) + "\n";
        const QString path = m_dir.filePath("titration.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(data) == data.size());
        file.close();
        fit::FitResult result;
        corvane::test::WhenShown<windows::FormEditGRAF>([&](windows::FormEditGRAF& chooser) {
            corvane::test::WhenShown<windows::FormGraficaAB>([&](windows::FormGraficaAB& graph) {
                QTRY_VERIFY(!graph.deferredDraw().isActive());
                QVERIFY(graph.ReadMeasuredData(path));
                result = graph.FitFor({0, 2});
                QVERIFY2(result.ok(), result.reason.c_str());
                graph.UseFittedValues(result);
                QTest::keyClick(&graph, Qt::Key_Escape);
            });
            QTest::keyClick(&chooser, Qt::Key_Return);
        });
        QTest::mouseClick(ImgGRA(w, 5), Qt::LeftButton);
        QVERIFY(result.ok());
        QCOMPARE(text(k(5, 0)), QString("0.08"));
        QCOMPARE(text(k(5, 1)), QString("25"));
        QCOMPARE(text(k(5, 2)), QString("3E-5"));
        QCOMPARE(text(k(5, 4)), QString("20")); // V_eq = 0.08 · 25 / 0.1
        QVERIFY(ImgGRA(w, 5)->isEnabled());
        QVERIFY(m_desktop.messages.empty());
    }

    // At 800 × 600 the task area is 792 × 556; task 1's field panel sits below the options
    // (25 + 90) and the check box panel (4 + 30), 4 lower: top 153, width 792 / 2 − 3 + 30 = 423,
    // height 600 − 153 − 47 = 400. Its columns are (423 − 3) / 3 = 140 wide and its rows
    // (400 − 6) / 6 = 65.67, rounded 66, high.
    void fieldPanelAtTheMinimumSize() {
        FormMain& w = open(800, 600);
        QCOMPARE(w.centralWidget()->size(), QSize(800, 600));
        choose(1, 1);
        QCOMPARE(PicTASK(w, 1)->geometry(), QRect(4, 40, 792, 556));
        QCOMPARE(PicIO(w, 1)->geometry(), QRect(2, 153, 423, 400));
        // Row 4: second column, second row; its field ends 21 short of the column's end.
        QCOMPARE(Label1(w, k(1, 4))->geometry(), QRect(150, 74, 124, 18));
        QCOMPARE(Img1(w, k(1, 4))->pos(), QPoint(150, 95));
        QCOMPARE(Text1(w, k(1, 4))->y(), 99);
        QCOMPARE(Text1(w, k(1, 4))->geometry().right() + 1, 273);
        QCOMPARE(ShaIOTX(w, k(1, 4))->geometry(),
                 Text1(w, k(1, 4))->geometry().adjusted(-2, -3, 2, 0));
        // The first result row leaves a grid row free after the input rows; the line runs a
        // quarter row above it, the buttons on the free grid row.
        QCOMPARE(Label1(w, k(1, 6))->y(), 206);
        QCOMPARE(LineIO(w, 1)->geometry(), QRect(10, 190, 403, 1));
        QCOMPARE(ImgCAL(w, 1)->picture()->y(), 140);
        w.resize(700, 500);
        QCoreApplication::processEvents();
        QCOMPARE(w.centralWidget()->size(), QSize(800, 600));
    }

    // What the user sees of every task's field panel, at two sizes: each row inside the panel,
    // no two fields over each other, the input rows above the buttons, the buttons side by side
    // above the line and the line above the result rows.
    void fieldPanelsKeepTheirRowsApart() {
        for (QSize size : {QSize(800, 600), QSize(1200, 800)}) {
            FormMain& w = open(size.width(), size.height());
            for (int t = 1; t <= 5; ++t) {
                choose(t, 0);
                const QRect panel = PicIO(w, t)->rect();
                const int inputRows = engine::InputRowCount(t);
                std::vector<QRect> frames;
                for (int i = 0; i < 15; ++i) {
                    const QRect heading = Label1(w, k(t, i))->geometry();
                    const QRect field = Text1(w, k(t, i))->geometry();
                    const QRect frame = ShaIOTX(w, k(t, i))->geometry();
                    QVERIFY2(panel.contains(heading) && panel.contains(frame),
                             qPrintable(QString("task %1, row %2").arg(t).arg(i)));
                    QVERIFY(frame.contains(field));
                    QVERIFY(heading.bottom() < field.top());
                    for (const QRect& other : frames)
                        QVERIFY2(!other.intersects(frame),
                                 qPrintable(QString("task %1, row %2").arg(t).arg(i)));
                    frames.push_back(frame);
                }
                const QRect calc = ImgCAL(w, t)->picture()->geometry();
                const QRect clear = ImgDEL(w, t)->picture()->geometry();
                const QRect graphic = ImgGRA(w, t)->picture()->geometry();
                QVERIFY(graphic.right() < calc.left() && calc.right() < clear.left());
                QCOMPARE(calc.top(), clear.top());
                QCOMPARE(calc.top(), graphic.top());
                QVERIFY(panel.contains(graphic) && panel.contains(clear));
                for (int i = 0; i < inputRows; ++i)
                    QVERIFY(ShaIOTX(w, k(t, i))->geometry().bottom() < calc.top());
                const int line = LineIO(w, t)->y();
                QVERIFY(calc.bottom() < line);
                QVERIFY(statusLine(w, t)->geometry().bottom() < line);
                for (int i = inputRows; i < 15; ++i)
                    QVERIFY(line < Label1(w, k(t, i))->y());
            }
        }
    }

    void pressedTabsAndButtonsMoveByOnePixel() {
        FormMain& w = open();
        choose(1, 1);
        const QPoint tabHome = ImgMENU(w, 2)->pos();
        QTest::mousePress(LblMENU(w, 2), Qt::LeftButton);
        QCOMPARE(ImgMENU(w, 2)->pos(), tabHome + QPoint(1, 1));
        QCOMPARE(LblMENU(w, 2)->pos(), tabHome + QPoint(1, 5));
        QCOMPARE(LblMENU(w, 2)->palette().color(QPalette::WindowText), QColor(40, 40, 40));
        QTest::mouseRelease(LblMENU(w, 2), Qt::LeftButton, {}, QPoint(-5, -5)); // released outside
        QCOMPARE(ImgMENU(w, 2)->pos(), tabHome);
        QCOMPARE(LblMENU(w, 2)->pos(), tabHome + QPoint(0, 4));
        QCOMPARE(LblMENU(w, 2)->palette().color(QPalette::WindowText), QColor(96, 96, 96));
        QCOMPARE(w.state().TaskIndex, 1);

        PictureButton* clear = ImgDEL(w, 1);
        const QPoint home = clear->home();
        QTest::mousePress(clear, Qt::LeftButton);
        QCOMPARE(clear->picture()->pos(), home + QPoint(1, 1));
        QCOMPARE(clear->pos(), home + QPoint(1, 7));
        QTest::mouseRelease(clear, Qt::LeftButton);
        QCOMPARE(clear->picture()->pos(), home);
        QCOMPARE(clear->pos(), home + QPoint(0, 6));
    }

    void headingsAreFitted() {
        QCOMPARE(FitHeading(" Base concentration (M)", 250),
                 QString(" Base concentration (mol/L)"));
        QCOMPARE(FitHeading(" Base concentration (M)", 150), QString(" Base conc. (M)"));
        QCOMPARE(FitHeading(" Vol. at 1st equiv. point (mL)", 260),
                 QString(" Volume at 1st equivalence point (mL)"));
        QCOMPARE(FitHeading(" Base volume at equiv. point (mL)", 140),
                 QString(" Base vol. at equiv. pt. (mL)"));
    }

    void formulaPicturesArePlaced() {
        QDir(m_dir.path()).mkdir("img");
        QImage formula(200, 120, QImage::Format_RGB32);
        formula.fill(Qt::red);
        // Qt reads GIF files but cannot write them; the reader goes by content.
        QVERIFY(formula.save(m_dir.filePath("img/11.gif"), "PNG"));
        QImage extra(180, 80, QImage::Format_RGB32);
        extra.fill(Qt::blue);
        QVERIFY(extra.save(m_dir.filePath("img/X11.jpg")));
        FormMain& w = open();
        choose(1, 1);
        const QWidget* panel = PicFOR(w, 1);
        const int third = (panel->height() - 120 - 80 - 10) / 3;
        QCOMPARE(ImgFOR(w, 1)->geometry(), QRect((panel->width() - 200) / 2, third, 200, 120));
        QCOMPARE(ImgFORX(w, 1)->y(), third + 120 + 10 + third);
        QVERIFY(!Line1(w, 1)->isHidden());
        // Without the extra picture only the formula shows, without the line.
        choose(1, 0);
        QVERIFY(ImgFOR(w, 1)->isHidden());
        QVERIFY(ImgFORX(w, 1)->isHidden());
        QVERIFY(Line1(w, 1)->isHidden());
        QFile::remove(m_dir.filePath("img/X11.jpg"));
        choose(1, 1);
        QVERIFY(!ImgFOR(w, 1)->isHidden());
        QVERIFY(Line1(w, 1)->isHidden());
        QCOMPARE(ImgFOR(w, 1)->y(), (panel->height() - 120) / 3);
    }

    void pastedGarbageNeverCrashes() {
        FormMain& w = open();
        choose(4, 5);
        const QStringList garbage = {"%%%", "1/2/3/4", "1e99999",          "-",   "....", ",,,,",
                                     "/",   "1%2",     QString(5000, '9'), "١٢٣", "0x1F", "nan",
                                     "inf"};
        // Each is refused with one box, and no result is left in the fields.
        for (const QString& g : garbage) {
            m_desktop.messages.clear();
            for (int i = 0; i < 6; ++i)
                Text1(w, k(4, i))->setText(g);
            calculate(4);
            QVERIFY2(m_desktop.messages.size() == 1, qPrintable(g.left(20)));
            const QString said = m_desktop.messages[0].text;
            QVERIFY2(said == "Invalid input values: Reading error." ||
                         said == "Invalid input values: Calculation error.",
                     qPrintable(g.left(20) + ": " + said));
            QVERIFY(!ImgGRA(w, 4)->isEnabled());
            for (int i = 6; i < 15; ++i)
                QVERIFY2(text(k(4, i)).isEmpty(), qPrintable(g.left(20)));
        }
        // Blank fields are fields left empty: nothing to refuse, and the problem stays open.
        m_desktop.messages.clear();
        for (int i = 0; i < 6; ++i)
            Text1(w, k(4, i))->setText("\t\n");
        calculate(4);
        QVERIFY(m_desktop.messages.empty());
        QVERIFY(!ImgGRA(w, 4)->isEnabled());
    }

    // Pictures of a solved weak acid for a person to look at, in build/test-output.
    void screenshots() {
        for (QSize size : {QSize(800, 600), QSize(1200, 800)}) {
            FormMain& w = open();
            w.centralWidget()->resize(size);
            w.resize(size.width(), size.height() + w.menuBar()->height());
            QCoreApplication::processEvents();
            choose(1, 1);
            type(k(1, 0), "0.1");
            type(k(1, 3), "1.8e-5");
            calculate(1);
            QDir().mkpath(CORVANE_TEST_OUTPUT_DIR);
            const QString name = QString("%1/mainwin-%2x%3.png")
                                     .arg(CORVANE_TEST_OUTPUT_DIR)
                                     .arg(size.width())
                                     .arg(size.height());
            QVERIFY(w.grab().save(name));
        }
    }

    void calculateOfATriproticTitration() {
        open();
        choose(5, 5);
        for (auto [row, value] : std::vector<std::pair<int, const char*>>{
                 {0, "0.1"}, {1, "25"}, {3, "7.1e-3"}, {4, "6.3e-8"}, {5, "4.5e-13"}, {6, "0.1"}})
            type(k(5, row), value);
        calculate(5);
        QVERIFY(m_desktop.messages.empty());
        // 25 mL of 0.1 mol/L acid with 0.1 mol/L base: the first equivalence at 25 mL.
        QCOMPARE(text(k(5, 10)), QString("25"));
    }
};

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<FormMainTest>(argc, argv);
}

#include "formmain_test.moc"
