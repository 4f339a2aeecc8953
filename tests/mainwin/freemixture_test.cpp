// The Free mixture tab: choosing it, the list of components, Calculate against the free-mixture
// solver and hand values, the graphs in the graph window, recipes and the settings it keeps.
#include "tests/mainwin/mainwindow_parts.h"
#include "tests/support/fakedesktop.h"

#include "engine/mixture.h"
#include "mainwin/compoundchooser.h"
#include "mainwin/controls.h"
#include "mainwin/formmain.h"
#include "mainwin/freemixturedialogs.h"
#include "mainwin/freemixturerows.h"
#include "mainwin/freemixturetask.h"
#include "mainwin/settings.h"
#include "mainwin/statusline.h"
#include "widgets/buttonbar.h"
#include "windows/formgraficaab.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

#include "tests/support/gui_test_main.h"

using namespace corvane;
using namespace corvane::mainwin;
using namespace corvane::mainwin::test;

namespace {

constexpr double AceticPK = 4.76;

// Shows each dialog, lets the test answer the mixture's own dialogs and records the graph
// window's table and picture.
class MixtureDesktop : public widgets::test::FakeDesktop {
public:
    std::function<void(MixtureGraphDialog&)> graph;
    std::function<void(RecipeDialog&)> recipe;
    std::function<void(CompoundChooser&)> chooser;
    std::function<void(windows::FormGraficaAB&)> window;
    int windows = 0;

    bool runDialog(QDialog& dialog) override {
        dialog.show();
        QCoreApplication::processEvents();
        if (auto* d = qobject_cast<MixtureGraphDialog*>(&dialog); d && graph) graph(*d);
        if (auto* d = qobject_cast<RecipeDialog*>(&dialog); d && recipe) recipe(*d);
        if (auto* d = qobject_cast<CompoundChooser*>(&dialog); d && chooser) chooser(*d);
        if (auto* w = qobject_cast<windows::FormGraficaAB*>(&dialog)) {
            ++windows;
            QTest::qWait(60); // the deferred drawing of the curves
            if (window) window(*w);
            w->accept();
        }
        const bool accepted = dialog.result() == QDialog::Accepted;
        dialog.hide();
        return accepted;
    }
};

void savePicture(QWidget& w, const QString& name) {
    QDir().mkpath(CORVANE_TEST_OUTPUT_DIR);
    QVERIFY(w.grab().save(QString(CORVANE_TEST_OUTPUT_DIR) + "/" + name));
}

} // namespace

class FreeMixtureTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
    MixtureDesktop m_desktop;
    std::unique_ptr<FormMain> m_window;

    FormMain& open() {
        m_window.reset();
        m_store = std::make_unique<SettingsStore>(m_dir.filePath("ZEMLO.ini"));
        m_window = std::make_unique<FormMain>(*m_store, m_desktop, m_dir.path());
        m_window->resize(900, 680);
        m_window->show();
        QCoreApplication::processEvents();
        return *m_window;
    }

    FreeMixtureTask& task() { return *m_window->findChild<FreeMixtureTask*>(); }

    FreeMixtureTask& withRows(const std::vector<MixtureRow>& rows) {
        FormMain& w = open();
        QTest::keyClick(&w, Qt::Key_6, Qt::AltModifier);
        task().setRows(rows);
        return task();
    }

    double speciesConcentration(const QString& formula) {
        QTableWidget* t = task().species();
        for (int r = 0; r < t->rowCount(); ++r)
            if (t->item(r, 1)->text() == formula) return t->item(r, 2)->text().toDouble();
        return std::nan("");
    }

private slots:
    void init() {
        m_desktop.messages.clear();
        m_desktop.graph = nullptr;
        m_desktop.recipe = nullptr;
        m_desktop.chooser = nullptr;
        m_desktop.window = nullptr;
        m_desktop.windows = 0;
        QFile::remove(m_dir.filePath("ZEMLO.ini"));
    }
    void cleanup() { m_window.reset(); }

    void altSixShowsTheTabAndTheFiveTasksKeepTheirNumbers() {
        FormMain& w = open();
        QVERIFY(!task().isVisible());
        QTest::keyClick(&w, Qt::Key_6, Qt::AltModifier);
        QVERIFY(task().isVisible());
        for (int t = 1; t <= 5; ++t)
            QVERIFY(!PicTASK(w, t)->isVisible());
        QCOMPARE(w.state().TaskIndex, 0);
        QVERIFY(task().components()->hasFocus());
        savePicture(w, "freemixture-tab.png");

        w.LblMENU_Click(5);
        QVERIFY(!task().isVisible());
        QVERIFY(PicTASK(w, 5)->isVisible());
        QCOMPARE(w.state().TaskIndex, 5);
        QCOMPARE(LblMENU(w, 5)->text(), QString("Titration"));
        QTest::mouseClick(task().tabCaption(), Qt::LeftButton);
        QVERIFY(task().isVisible());
    }

    void rowsComeAndGoWithTheKeysNamedInTheTooltips() {
        FreeMixtureTask& t = withRows({{"acetic", "0.1"}, {"Na+", "0.1"}});
        QVERIFY(t.addButton()->toolTip().contains("Ctrl++"));
        QVERIFY(t.removeButton()->toolTip().contains("Ctrl+-"));
        t.components()->setCurrentCell(0, 0);
        QTest::keyClick(t.components(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(t.components()->rowCount(), 3);
        QCOMPARE(t.components()->currentRow(), 1); // below the current one
        QCOMPARE(t.rows()[2].component, std::string("Na+"));
        QTest::keyClick(t.components(), Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(t.components(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(t.components()->rowCount(), 1);
        QCOMPARE(t.rows()[0].component, std::string("acetic"));
        QTest::keyClick(t.components(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(t.components()->rowCount(), 1); // the last row is cleared, not removed
        QCOMPARE(t.rows()[0].component, std::string());
    }

    void theCompoundListOffersEveryCompoundAndClearEmptiesTheList() {
        FreeMixtureTask& t = withRows({{"", ""}, {"Na+", "0.1"}});
        m_desktop.chooser = [](CompoundChooser& c) {
            QCOMPARE(c.roleCount(), 1);
            QTest::keyClicks(c.searchField(0), "ammonia"); // a base among the acids
            QTest::keyClick(c.searchField(0), Qt::Key_Return);
        };
        t.components()->setCurrentCell(0, 0);
        QTest::mouseClick(t.compoundButton(), Qt::LeftButton);
        QCOMPARE(t.rows()[0].component, std::string("Ammonia"));
        QCOMPARE(t.components()->currentColumn(), 1); // its concentration next
        QTest::mouseClick(t.clearButton(), Qt::LeftButton);
        for (const MixtureRow& row : t.rows())
            QVERIFY(row.component.empty() && row.concentration.empty());
        QVERIFY(!t.graphicButton()->isEnabled());
    }

    // Sodium acetate 0.1 M: pH = (pK_a + pK_w + log C) / 2 = 8.88 by hand; the solver exactly.
    void sodiumAcetateMatchesTheSolverAndTheHandValue() {
        FreeMixtureTask& t = withRows({{"acetic", "0.1"}, {"Na+", "0.1"}});
        QTest::mouseClick(t.calculateButton(), Qt::LeftButton);
        QVERIFY(m_desktop.messages.empty());
        const engine::MixtureResult& r = t.result();
        QVERIFY(r.ok);
        QVERIFY(std::abs(r.pH - 0.5 * (AceticPK + 14 + std::log10(0.1))) < 0.005);
        engine::Component acetic{
            "Acetic acid", 0.1, {{"CH_3COOH", 0}, {"CH_3COO", -1}}, {AceticPK}};
        const engine::MixtureResult solver =
            engine::SolveMixture({acetic, engine::IonComponent("Na+", "Na", 1, 0.1)}, 14);
        QVERIFY(std::abs(r.pH - solver.pH) < 1e-9);
        QVERIFY(t.summary()->text().startsWith("pH 8.88"));
        QCOMPARE(t.species()->rowCount(), 3);
        // [OH-] = [HA] by the proton balance of the salt
        QVERIFY(std::abs(speciesConcentration("CH3COOH") / r.oh - 1) < 0.01);
        QVERIFY(t.graphicButton()->isEnabled());
        // Editing the list takes the graph back.
        t.components()->item(0, 1)->setText("0.2");
        QVERIFY(!t.graphicButton()->isEnabled());
        savePicture(*m_window, "freemixture-acetate.png");
    }

    // Equimolar NaH2PO4 and Na2HPO4: pH = pK_2 by Henderson–Hasselbalch, 7.21 within the
    // ideal solution's small shift.
    void reagentsAddTheirSystemAndCounterIons() {
        FreeMixtureTask& t = withRows({{"NaH2PO4", "0.05"}, {"Na2HPO4", "0.05"}});
        t.Calculate();
        QVERIFY(t.result().ok);
        QVERIFY(std::abs(t.result().pH - 7.21) < 0.03);
        // Na+ 0.05 + 0.1; I = (0.15 + 0.05 + 4·0.05) / 2 = 0.2 near pK_2
        QVERIFY(std::abs(t.result().ionicStrength - 0.2) < 0.002);
    }

    void typedPKValuesWithACharge() {
        // Ammonium chloride as acid:9.25/+1 with Cl-: pH = (pK_a - log C) / 2 = 5.125 by hand.
        FreeMixtureTask& t = withRows({{"acid:9.25/+1", "0.1"}, {"Cl-", "0.1"}});
        t.Calculate();
        QVERIFY(t.result().ok);
        QVERIFY(std::abs(t.result().pH - 5.125) < 0.002);
    }

    void refusalsSayWhy_data() {
        QTest::addColumn<QString>("component");
        QTest::addColumn<QString>("concentration");
        QTest::addColumn<QString>("reason");
        QTest::addRow("unknown name") << "unobtainium"
                                      << "0.1"
                                      << "unknown component";
        QTest::addRow("unreadable") << "acetic"
                                    << "1mM"
                                    << "cannot be read";
        QTest::addRow("negative") << "acetic"
                                  << "-0.1"
                                  << "cannot be negative";
        QTest::addRow("no component") << ""
                                      << "0.1"
                                      << "has no component";
        QTest::addRow("empty list") << ""
                                    << ""
                                    << "no component";
    }
    void refusalsSayWhy() {
        QFETCH(QString, component);
        QFETCH(QString, concentration);
        QFETCH(QString, reason);
        FreeMixtureTask& t = withRows({{component.toStdString(), concentration.toStdString()}});
        t.Calculate();
        QCOMPARE(m_desktop.messages.size(), std::size_t(1));
        QCOMPARE(m_desktop.messages[0].text, QString("Invalid input values: Reading error."));
        QVERIFY2(m_desktop.messages[0].details.contains(reason),
                 qPrintable(m_desktop.messages[0].details));
        QVERIFY(!t.result().ok);
        QCOMPARE(t.species()->rowCount(), 0);
        QVERIFY(!t.graphicButton()->isEnabled());
    }

    // The table's fraction of CH3COOH is 1 / (1 + 10^(pH - pK_a)) at every recorded pH.
    void distributionDiagramInTheGraphWindow() {
        FreeMixtureTask& t = withRows({{"acetic", "0.1"}, {"Na+", "0.1"}});
        t.Calculate();
        m_desktop.graph = [](MixtureGraphDialog& d) {
            QCOMPARE(d.component()->count(), 1); // Na+ has nothing to distribute
            d.distribution()->setChecked(true);
            d.accept();
        };
        m_desktop.window = [this](windows::FormGraficaAB& w) {
            const graphs::GraphTable& table = m_window->state().graphTable;
            QVERIFY(table.RecordedRows > 50);
            for (int r = 1; r <= table.RecordedRows; ++r) {
                const double pH = table.Value[0][r];
                QVERIFY(std::abs(table.Value[1][r] - 1 / (1 + std::pow(10, pH - AceticPK))) < 1e-9);
                QVERIFY(std::abs(table.Value[1][r] + table.Value[2][r] - 1) < 1e-12);
            }
            QCOMPARE(w.drawnSettings().ColumnHeading[1], std::string("CH_3COOH"));
            QVERIFY(!w.button(0)->isEnabled()); // no chooser for a mixture's graph
            savePicture(w, "freemixture-distribution.png");
        };
        t.Graphic();
        QCOMPARE(m_desktop.windows, 1);
        QVERIFY(!t.graphChoice().titration);
    }

    // 25 mL of 0.1 M acetic acid with 0.1 M NaOH: pH (pK_a - log C) / 2 = 2.88 at the start,
    // pK_a at half equivalence, the equivalence at 25 mL and the curve to 50 mL.
    void titrationOfTheMixtureInTheGraphWindow() {
        FreeMixtureTask& t = withRows({{"acetic", "0.1"}});
        t.Calculate();
        m_desktop.graph = [](MixtureGraphDialog& d) {
            d.titration()->setChecked(true);
            d.titrant()->setCurrentText("NaOH");
            d.titrantConcentration()->setText("0.1");
            d.volume()->setText("25");
            d.accept();
        };
        m_desktop.window = [this](windows::FormGraficaAB& w) {
            const graphs::GraphTable& table = m_window->state().graphTable;
            QVERIFY(table.RecordedRows > 10);
            QCOMPARE(table.Value[0][1], 0.0);
            QVERIFY(std::abs(table.Value[1][1] - 0.5 * (AceticPK + 1)) < 0.01);
            QCOMPARE(w.drawnSettings().XMax, 50.0);
            for (int r = 1; r <= table.RecordedRows; ++r)
                if (std::abs(table.Value[0][r] - 12.5) < 1e-9)
                    QVERIFY(std::abs(table.Value[1][r] - AceticPK) < 0.01);
            savePicture(w, "freemixture-titration.png");
        };
        t.Graphic();
        QCOMPARE(m_desktop.windows, 1);
        QVERIFY(t.graphChoice().titration);
    }

    void aTitrantOfNoConcentrationIsRefused() {
        FreeMixtureTask& t = withRows({{"acetic", "0.1"}});
        t.Calculate();
        m_desktop.graph = [](MixtureGraphDialog& d) {
            d.titration()->setChecked(true);
            d.titrantConcentration()->setText("x");
            d.accept();
        };
        t.Graphic();
        QCOMPARE(m_desktop.windows, 0);
        QCOMPARE(m_desktop.messages.size(), std::size_t(1));
        QVERIFY(m_desktop.messages[0].details.contains("cannot be read"));
    }

    // Phosphate at pH 7.21, 0.1 M, 1000 mL: by hand about 0.05 mol of each salt, 0.05 × 119.98 =
    // 5.999 g NaH2PO4 and 0.05 × 141.96 = 7.098 g Na2HPO4; mixed, the pH comes back.
    void recipeFillsTheListAndGivesItsPH() {
        FreeMixtureTask& t = withRows({{"HCl", "1"}});
        m_desktop.recipe = [](RecipeDialog& d) {
            d.system()->setText("phosphate");
            d.pH()->setText("7.21");
            d.total()->setText("0.1");
            d.volume()->setText("1000");
            d.accept();
        };
        t.Recipe();
        QVERIFY(m_desktop.messages.empty());
        const std::vector<MixtureRow> rows = t.rows();
        QCOMPARE(rows.size(), std::size_t(2));
        QCOMPARE(rows[0].component, std::string("NaH2PO4"));
        QCOMPARE(rows[1].component, std::string("Na2HPO4"));
        QVERIFY(std::abs(std::stod(rows[0].concentration) - 0.05) < 0.002);
        QVERIFY(t.result().ok);
        QVERIFY(std::abs(t.result().pH - 7.21) < 1e-6);
        QVERIFY2(t.statusLine()->text().contains("5.999 g NaH2PO4") &&
                     t.statusLine()->text().contains("7.098 g Na2HPO4 in 1000 mL"),
                 qPrintable(t.statusLine()->text()));
        savePicture(*m_window, "freemixture-recipe.png");
    }

    void aRecipeOfNoSystemIsRefused() {
        FreeMixtureTask& t = withRows({{"HCl", "1"}});
        m_desktop.recipe = [](RecipeDialog& d) {
            d.system()->setText("unobtainium");
            d.accept();
        };
        t.Recipe();
        QCOMPARE(m_desktop.messages.size(), std::size_t(1));
        QCOMPARE(t.rows()[0].component, std::string("HCl")); // the list as it was
    }

    void theStateIsKeptUnderItsOwnKeys() {
        FreeMixtureTask& t = withRows({{"acid:2.16,7.21", "0.05"}, {"NaOH", "0,02"}});
        m_window->close();
        QSettings ini(m_dir.filePath("ZEMLO.ini"), QSettings::IniFormat);
        QCOMPARE(ini.value("FREEMIX/ROWS").toString(), QString("2"));
        QCOMPARE(ini.value("FREEMIX/COMPONENT1").toString(), QString("acid:2.16,7.21"));
        QCOMPARE(ini.value("FREEMIX/CONCENTRATION2").toString(), QString("0,02"));
        QCOMPARE(ini.value("DOT/SEPARATOR").toString(), QString("."));
        Q_UNUSED(t);
        open();
        QCOMPARE(task().rows().size(), std::size_t(2));
        QCOMPARE(task().rows()[0].component, std::string("acid:2.16,7.21"));
        QCOMPARE(task().graphChoice().titrant, QString("NaOH"));
    }
};

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<FreeMixtureTest>(argc, argv);
}

#include "freemixture_test.moc"
