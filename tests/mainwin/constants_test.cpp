// The "Constants..." command: the chooser worked from the keyboard, and what it writes into
// the main window's fields.
#include "tests/mainwin/mainwindow_parts.h"
#include "tests/support/fakedesktop.h"

#include "compounds/compounds.h"
#include "compounds/constants.h"
#include "engine/catalogue.h"
#include "mainwin/compoundchooser.h"
#include "mainwin/constantscommand.h"
#include "mainwin/controls.h"
#include "mainwin/formmain.h"
#include "mainwin/settings.h"
#include "markup/renderer.h"
#include "markup/surface.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

#include "tests/support/gui_test_main.h"

using namespace corvane;
using namespace corvane::mainwin;
using namespace corvane::mainwin::test;

namespace {

std::vector<compounds::ConstantRole> rolesOf(const char* code) {
    return compounds::ConstantRoles(*engine::FindProblem(code));
}

// The names a list shows, top to bottom.
QStringList shownNames(const QTreeWidget* list) {
    QStringList names;
    for (int r = 0; r < list->topLevelItemCount(); ++r)
        if (!list->topLevelItem(r)->isHidden()) names << list->topLevelItem(r)->text(0);
    return names;
}

QStringList namesOf(const std::vector<const compounds::Compound*>& found) {
    QStringList names;
    for (const compounds::Compound* c : found)
        names << QString::fromStdString(c->name);
    return names;
}

QString chosen(const CompoundChooser& chooser, int i) {
    const compounds::Compound* c = chooser.choice(i);
    return c ? QString::fromStdString(c->name) : QString();
}

// Shows the chooser as the command would and lets the test work it.
class ChooserDesktop : public widgets::test::FakeDesktop {
public:
    std::function<void(CompoundChooser&)> answer;
    int dialogs = 0;

    bool runDialog(QDialog& dialog) override {
        ++dialogs;
        dialog.show();
        if (auto* chooser = qobject_cast<CompoundChooser*>(&dialog); chooser && answer)
            answer(*chooser);
        const bool accepted = dialog.result() == QDialog::Accepted;
        dialog.hide();
        return accepted;
    }
};

// Types a search and presses Enter.
std::function<void(CompoundChooser&)> pick(const QString& text) {
    return [text](CompoundChooser& chooser) {
        QTest::keyClicks(chooser.searchField(0), text);
        QTest::keyClick(chooser.searchField(0), Qt::Key_Return);
    };
}

} // namespace

class ConstantsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
    ChooserDesktop m_desktop;
    std::unique_ptr<FormMain> m_window;

    FormMain& open() {
        m_window.reset();
        m_store = std::make_unique<SettingsStore>(m_dir.filePath("ZEMLO.ini"));
        m_window = std::make_unique<FormMain>(*m_store, m_desktop, m_dir.path());
        m_window->show();
        return *m_window;
    }

    void choose(int t, int option) {
        QTest::mouseClick(LblMENU(*m_window, t), Qt::LeftButton);
        Opt(*m_window, t, option)->click();
    }

    void type(int index, const QString& text) {
        ValueField* field = Text1(*m_window, index);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    QString text(int index) const { return Text1(*m_window, index)->text(); }

    // The rows of task t whose field carries the Constants button.
    QList<int> buttonRows(int t) const {
        QList<int> rows;
        for (int i = 0; i < 15; ++i)
            if (m_window->findChild<ConstantsCommand*>()->fieldButton(Text1(*m_window, k(t, i))))
                rows << i;
        return rows;
    }

private slots:
    void init() {
        QFile::remove(m_dir.filePath("ZEMLO.ini"));
        m_desktop.answer = nullptr;
        m_desktop.dialogs = 0;
    }
    void cleanup() { m_window.reset(); }

    // ---- The chooser ----

    void searchFindsASystemByItsReagents() {
        const std::pair<const char*, std::pair<const char*, const char*>> Cases[] = {
            {"11", {"acetate", "Acetic acid"}},
            {"15", {"ammonium", "Ammonia"}},
            {"15", {"NH4Cl", "Ammonia"}},
            {"12", {"Na2CO3", "Carbonic acid"}},
            {"13", {"hydrogen phosphate", "Phosphoric acid"}}};
        for (const auto& [code, search] : Cases) {
            CompoundChooser chooser(rolesOf(code));
            chooser.show();
            QTest::keyClicks(chooser.searchField(0), search.first);
            QCOMPARE(shownNames(chooser.list(0)), QStringList{search.second});
        }
    }

    void typingFiltersArrowsMoveEnterTakes() {
        CompoundChooser chooser(rolesOf("11"));
        chooser.show();
        QCOMPARE(chooser.roleCount(), 1);
        QVERIFY(chooser.choice(0) == nullptr); // nothing is taken before the user acts
        QTest::keyClicks(chooser.searchField(0), "ACET");
        QCOMPARE(shownNames(chooser.list(0)),
                 namesOf(compounds::Candidates(chooser.role(0), "acet")));
        QCOMPARE(chosen(chooser, 0), QString("Acetic acid"));
        QTest::keyClick(chooser.searchField(0), Qt::Key_Down);
        QCOMPARE(chosen(chooser, 0), QString("Phenylacetic acid"));
        QTest::keyClick(chooser.searchField(0), Qt::Key_Up);
        QTest::keyClick(chooser.searchField(0), Qt::Key_Up);
        QCOMPARE(chosen(chooser, 0), QString("Acetic acid")); // stays at the top
        QTest::keyClick(chooser.searchField(0), Qt::Key_PageDown);
        QCOMPARE(chosen(chooser, 0), QString("Cyanoacetic acid")); // the last of eight
        QTest::keyClick(chooser.searchField(0), Qt::Key_Backspace);
        QCOMPARE(chosen(chooser, 0), QString("Cyanoacetic acid")); // "ACE" still shows it
        QTest::keyClick(chooser.searchField(0), Qt::Key_Return);
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QVERIFY(chooser.isHidden());
    }

    void aSearchFindingOnlyAMisfitSaysWhy() {
        CompoundChooser chooser(rolesOf("11"));
        chooser.show();
        QTest::keyClicks(chooser.searchField(0), "Carbonic");
        QVERIFY(shownNames(chooser.list(0)).isEmpty());
        QCOMPARE(
            chooser.sourceLine(0)->text(),
            QString("Carbonic acid is a diprotic acid; this option needs a monoprotic acid (k_a)"));
        QTest::keyClicks(chooser.searchField(0), "xyz"); // names no compound at all
        QCOMPARE(chooser.sourceLine(0)->text(), QString());
    }

    void formulaSearchAndEscape() {
        CompoundChooser chooser(rolesOf("15"));
        chooser.show();
        QTest::keyClicks(chooser.searchField(0), "nh3");
        QCOMPARE(shownNames(chooser.list(0)), QStringList{"Ammonia"});
        QTest::keyClick(chooser.searchField(0), Qt::Key_Escape);
        QCOMPARE(chooser.result(), int(QDialog::Rejected));
        QVERIFY(chooser.isHidden());
    }

    void enterWithoutAMatchStays() {
        CompoundChooser chooser(rolesOf("11"));
        chooser.show();
        QTest::keyClick(chooser.searchField(0), Qt::Key_Return);
        QVERIFY(chooser.isVisible());
        QTest::keyClicks(chooser.searchField(0), "zzz");
        QVERIFY(shownNames(chooser.list(0)).isEmpty());
        QTest::keyClick(chooser.searchField(0), Qt::Key_Down);
        QTest::keyClick(chooser.searchField(0), Qt::Key_Return);
        QVERIFY(chooser.isVisible());
        QVERIFY(chooser.choice(0) == nullptr);
        // Down with no current entry goes to the first match.
        chooser.searchField(0)->clear();
        QTest::keyClick(chooser.searchField(0), Qt::Key_Down);
        QCOMPARE(chosen(chooser, 0), QString("Acetic acid"));
    }

    void twoListsForAWeakAcidAndAWeakBase() {
        CompoundChooser chooser(rolesOf("23"));
        chooser.show();
        QVERIFY(QTest::qWaitForWindowActive(&chooser));
        QCOMPARE(chooser.roleCount(), 2);
        QCOMPARE(chooser.role(0).kind, compounds::Kind::Acid);
        QCOMPARE(chooser.role(1).kind, compounds::Kind::Base);
        QVERIFY(chooser.searchField(0)->hasFocus());
        QTest::keyClicks(chooser.searchField(0), "formic");
        QTest::keyClick(chooser.searchField(0), Qt::Key_Tab);
        QVERIFY(chooser.searchField(1)->hasFocus());
        QTest::keyClicks(chooser.searchField(1), "pyri");
        QTest::keyClick(chooser.searchField(1), Qt::Key_Return);
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QCOMPARE(chosen(chooser, 0), QString("Formic acid"));
        QCOMPARE(chosen(chooser, 1), QString("Pyridine"));
    }

    void enterOnAFocusedButtonPressesIt() {
        for (const bool cancel : {true, false}) {
            CompoundChooser chooser(rolesOf("11"));
            chooser.show();
            QVERIFY(QTest::qWaitForWindowActive(&chooser));
            QTest::keyClicks(chooser.searchField(0), "acetic");
            QVERIFY(chooser.choice(0) != nullptr);
            QPushButton* button = chooser.findChild<QDialogButtonBox*>()->button(
                cancel ? QDialogButtonBox::Cancel : QDialogButtonBox::Ok);
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Return);
            QCOMPARE(chooser.result(), int(cancel ? QDialog::Rejected : QDialog::Accepted));
        }
    }

    void listsTheCompoundsThatFit_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("some");   // shown
        QTest::addColumn<QStringList>("others"); // not shown
        QTest::newRow("11") << "11" << QStringList{"Acetic acid", "Hydrofluoric acid"}
                            << QStringList{"Oxalic acid", "Ammonia", "Phosphoric acid"};
        QTest::newRow("12") << "12" << QStringList{"Oxalic acid", "Carbonic acid"}
                            << QStringList{"Sulfuric acid", "Acetic acid", "Citric acid"};
        QTest::newRow("12C") << "12C" << QStringList{"Oxalic acid", "Sulfuric acid"}
                             << QStringList{"Acetic acid"};
        QTest::newRow("55") << "55" << QStringList{"Phosphoric acid", "Citric acid"}
                            << QStringList{"Oxalic acid", "Boric acid"};
        QTest::newRow("41") << "41" << QStringList{"Ammonia", "Aniline"}
                            << QStringList{"Acetic acid"};
    }
    void listsTheCompoundsThatFit() {
        QFETCH(QString, code);
        QFETCH(QStringList, some);
        QFETCH(QStringList, others);
        CompoundChooser chooser(rolesOf(code.toLatin1().constData()));
        const QStringList names = shownNames(chooser.list(0));
        QCOMPARE(names, namesOf(compounds::Candidates(chooser.role(0))));
        for (const QString& name : some)
            QVERIFY2(names.contains(name), qPrintable(name));
        for (const QString& name : others)
            QVERIFY2(!names.contains(name), qPrintable(name));
    }

    // Every formula of the table draws to the end and shows what its plain text says.
    void everyFormulaDraws() {
        for (const compounds::Compound& c : compounds::Compounds()) {
            markup::PictureSurface picture(300, 40);
            picture.setFontName("Arial");
            picture.setFontSize(10);
            QString plain = "not drawn";
            markup::DrawMarkup(QString::fromStdString(c.formula), picture, &plain);
            QCOMPARE(plain, QString::fromStdString(compounds::PlainFormula(c.formula)));
            QVERIFY2(picture.currentX() > 0, c.name.c_str());
        }
        CompoundChooser chooser(rolesOf("33"));
        chooser.show();
        QTest::keyClicks(chooser.searchField(0), "chloro");
        QTest::keyClicks(chooser.searchField(1), "amine");
        QDir().mkpath(CORVANE_TEST_OUTPUT_DIR);
        QVERIFY(
            chooser.grab().save(QString("%1/constants-chooser.png").arg(CORVANE_TEST_OUTPUT_DIR)));
    }

    // ---- The command in the main window ----

    void followsTheChosenOption() {
        FormMain& w = open();
        QVERIFY(!Menu(w, "mnu_Constants")->isEnabled());
        QCOMPARE(Menu(w, "mnu_Constants")->text(), QString("Constants..."));
        choose(1, 1);
        QVERIFY(Menu(w, "mnu_Constants")->isEnabled());
        QCOMPARE(buttonRows(1), QList<int>{3});
        choose(1, 0); // strong acid: no constant
        QVERIFY(!Menu(w, "mnu_Constants")->isEnabled());
        QCOMPARE(buttonRows(1), QList<int>{});
        choose(1, 3);
        QCOMPARE(buttonRows(1), (QList<int>{3, 4, 5}));
        Chk(w, 1)->click();
        QCOMPARE(buttonRows(1), (QList<int>{4, 5}));
        QTest::mouseClick(LblMENU(w, 2), Qt::LeftButton); // a task with no option yet
        QVERIFY(!Menu(w, "mnu_Constants")->isEnabled());
        Menu(w, "mnu_TIPO_CAL", 1)->trigger();
        QVERIFY(Menu(w, "mnu_Constants")->isEnabled());
        choose(5, 3);
        QCOMPARE(buttonRows(5), QList<int>{2});
        QCOMPARE(buttonRows(1), (QList<int>{4, 5})); // task 1 keeps its option
    }

    void fillsTheConstantAndNothingElse() {
        FormMain& w = open();
        choose(1, 1);
        type(k(1, 0), "0.1");
        type(k(1, 4), "0.5");
        m_desktop.answer = pick("acetic");
        Menu(w, "mnu_Constants")->trigger();
        QCOMPARE(m_desktop.dialogs, 1);
        QCOMPARE(text(k(1, 3)), QString("1.738E-5"));
        QCOMPARE(text(k(1, 0)), QString("0.1"));
        QCOMPARE(text(k(1, 4)), QString("0.5"));
        QCOMPARE(text(k(1, 1)), QString());
        Text1(w, k(1, 4))->clear();
        QTest::mouseClick(ImgCAL(w, 1), Qt::LeftButton);
        QVERIFY(m_desktop.messages.empty());
        QCOMPARE(text(k(1, 1)), QString("2.883")); // pH 2.88
        QDir().mkpath(CORVANE_TEST_OUTPUT_DIR);
        QVERIFY(w.grab().save(QString("%1/mainwin-constants.png").arg(CORVANE_TEST_OUTPUT_DIR)));
    }

    void cancelKeepsTheFields() {
        FormMain& w = open();
        choose(1, 5);
        type(k(1, 3), "1E-5");
        m_desktop.answer = [](CompoundChooser& chooser) {
            QTest::keyClicks(chooser.searchField(0), "ammonia");
            QTest::keyClick(chooser.searchField(0), Qt::Key_Escape);
        };
        w.findChild<ConstantsCommand*>()
            ->fieldButton(Text1(w, k(1, 3)))
            ->trigger(); // the button in the field
        QCOMPARE(m_desktop.dialogs, 1);
        QCOMPARE(text(k(1, 3)), QString("1E-5"));
    }

    void firstDissociationCompleteLeavesTheHiddenRow() {
        FormMain& w = open();
        choose(1, 2);
        Chk(w, 1)->click();
        m_desktop.answer = pick("sulfuric");
        Menu(w, "mnu_Constants")->trigger();
        QCOMPARE(text(k(1, 3)), QString());
        QVERIFY(Text1(w, k(1, 3))->isHidden());
        QCOMPARE(text(k(1, 4)), QString("0.01023"));
    }

    void mixtureFillsBothConstantsWithTheSeparatorInUse() {
        FormMain& w = open();
        w.mnu_Config_SepaDec_COM_Click();
        choose(3, 3);
        type(k(3, 0), "0,1");
        m_desktop.answer = [](CompoundChooser& chooser) {
            QTest::keyClicks(chooser.searchField(0), "acetic");
            QTest::keyClicks(chooser.searchField(1), "ammonia");
            QTest::keyClick(chooser.searchField(1), Qt::Key_Enter);
        };
        Menu(w, "mnu_Constants")->trigger();
        QCOMPARE(text(k(3, 3)), QString("1,738E-5"));
        QCOMPARE(text(k(3, 4)), QString("1,778E-5"));
        QCOMPARE(text(k(3, 0)), QString("0,1"));
    }

    void noChooserWithoutConstants() {
        FormMain& w = open();
        w.mnu_Constants_Click(); // no task yet
        choose(2, 0);            // salt of a strong acid and a strong base
        w.mnu_Constants_Click();
        QCOMPARE(m_desktop.dialogs, 0);
    }
};

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<ConstantsTest>(argc, argv);
}

#include "constants_test.moc"
