// The activity options of the Setup menu: the model and the temperature as they change a
// Calculate, the words for the status line, and their settings keys beside the older ones.
#include "tests/mainwin/mainwindow_parts.h"
#include "tests/support/fakedesktop.h"

#include "mainwin/activitymenu.h"
#include "mainwin/controls.h"
#include "mainwin/formmain.h"
#include "mainwin/settings.h"
#include "mainwin/statusline.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/gui_test_main.h"

using namespace corvane;
using namespace corvane::mainwin;
using namespace corvane::mainwin::test;

namespace {

// Answers "Temperature..." with a temperature, or cancels it.
class TemperatureDesktop : public widgets::test::FakeDesktop {
public:
    std::optional<double> answer;
    int dialogs = 0;

    bool runDialog(QDialog& dialog) override {
        ++dialogs;
        auto* temperature = qobject_cast<TemperatureDialog*>(&dialog);
        if (temperature == nullptr || !answer) return false;
        temperature->field()->setValue(*answer);
        return true;
    }
};

} // namespace

class ActivityMenuTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
    TemperatureDesktop m_desktop;
    std::unique_ptr<FormMain> m_window;

    QString settingsPath() const { return m_dir.filePath("ZEMLO.ini"); }
    QVariant stored(const QString& key) const {
        return QSettings(settingsPath(), QSettings::IniFormat).value(key);
    }

    FormMain& open() {
        m_window.reset();
        m_store = std::make_unique<SettingsStore>(settingsPath());
        m_window = std::make_unique<FormMain>(*m_store, m_desktop, m_dir.path());
        m_window->show();
        return *m_window;
    }

    void closeWindow() {
        m_window->close();
        m_window.reset();
    }

    // The acid buffer of 0.1 mol/L acetic acid and 0.1 mol/L of its sodium salt; the pH field.
    QString bufferPH() {
        FormMain& w = *m_window;
        w.LblMENU_Click(4);
        Opt(w, 4, 0)->click();
        Text1(w, 45 + 0)->setText("0.1");
        Text1(w, 45 + 1)->setText("0.1");
        Text1(w, 45 + 3)->setText("1.8E-5");
        w.LblCAL_Click(4);
        return Text1(w, 45 + 2)->text();
    }

private slots:
    void init() {
        QFile::remove(settingsPath());
        m_desktop.answer.reset();
        m_desktop.messages.clear();
        m_desktop.dialogs = 0;
    }
    void cleanup() { m_window.reset(); }

    void idealIsTheDefaultAndKeepsTheOlderKeys() {
        FormMain& w = open();
        QVERIFY(Menu(w, "mnu_Activity", 0)->isChecked());
        QVERIFY(!Menu(w, "mnu_Activity", 1)->isChecked());
        QVERIFY(!Menu(w, "mnu_Temperature")->isChecked());
        // pH = pk_a + log([A-]/[HA]) = 4.7447 + 0.0003.
        QCOMPARE(bufferPH(), QString("4.745"));
        QCOMPARE(w.state().ModelStatus, QString());
        QCOMPARE(statusLine(w, 4)->message(), QString());
        closeWindow();
        QCOMPARE(stored("WATER/PKW").toString(), QString("14.00"));
        QCOMPARE(stored("ACTIVITY/MODEL").toString(), QString("IDEAL"));
        QCOMPARE(stored("WATER/TEMPERATURE").toString(), QString());
    }

    // With γ1 = 0.7815 at I = 0.1 the pH drops by 0.107.
    void daviesChangesTheResultAndNamesTheModel() {
        FormMain& w = open();
        Menu(w, "mnu_Activity", 1)->trigger();
        QVERIFY(Menu(w, "mnu_Activity", 1)->isChecked());
        QVERIFY(!Menu(w, "mnu_Activity", 0)->isChecked());
        QCOMPARE(bufferPH(), QString("4.638"));
        QCOMPARE(w.state().ModelStatus, QString::fromUtf8("Davies, I = 0.10 mol/L, 25 °C"));
        // The line under the buttons names it.
        QCOMPARE(statusLine(w, 4)->message(), QString::fromUtf8("Davies, I = 0.10 mol/L, 25 °C"));
        closeWindow();
        QCOMPARE(stored("ACTIVITY/MODEL").toString(), QString("DAVIES"));
        FormMain& again = open();
        QVERIFY(Menu(again, "mnu_Activity", 1)->isChecked());
        QCOMPARE(bufferPH(), QString("4.638"));
    }

    void temperatureReplacesThePKwUntilAPKwItemIsChosen() {
        QSettings(settingsPath(), QSettings::IniFormat).setValue("WATER/PKW", "14.00");
        FormMain& w = open();
        m_desktop.answer = 50;
        Menu(w, "mnu_Temperature")->trigger();
        QCOMPARE(m_desktop.dialogs, 1);
        QVERIFY(Menu(w, "mnu_Temperature")->isChecked());
        QVERIFY(!Menu(w, "mnu_valor_pkw_C", 0)->isChecked());
        QCOMPARE(w.state().engine.Temperature, 50.0);
        QCOMPARE(w.state().engine.pKw, engine::WaterPKw(50));
        closeWindow();
        QCOMPARE(stored("WATER/TEMPERATURE").toString(), QString("50"));
        QCOMPARE(stored("WATER/PKW").toString(), QString("14.00"));

        FormMain& again = open();
        QVERIFY(Menu(again, "mnu_Temperature")->isChecked());
        QCOMPARE(again.state().engine.Temperature, 50.0);
        Menu(again, "mnu_valor_pkw_C", 1)->trigger();
        QVERIFY(!Menu(again, "mnu_Temperature")->isChecked());
        QCOMPARE(again.state().engine.Temperature, 37.0);
        closeWindow();
        QCOMPARE(stored("WATER/TEMPERATURE").toString(), QString());
        QCOMPARE(stored("WATER/PKW").toString(), QString("13.59"));
    }

    void cancelledTemperatureChangesNothing() {
        FormMain& w = open();
        Menu(w, "mnu_Temperature")->trigger();
        QCOMPARE(m_desktop.dialogs, 1);
        QVERIFY(!Menu(w, "mnu_Temperature")->isChecked());
        QVERIFY(Menu(w, "mnu_valor_pkw_C", 0)->isChecked());
        QCOMPARE(w.state().engine.Kw, 1e-14);
    }

    void statusTextForSmallAndLargeIonicStrengths() {
        engine::EquilAB state;
        QCOMPARE(ModelStatusText(state), QString());
        state.Activity = engine::ActivityModel::Davies;
        state.Activities.ionicStrength = 0.0012345;
        state.SetTemperature(37.5);
        QCOMPARE(ModelStatusText(state), QString::fromUtf8("Davies, I = 0.0012 mol/L, 37.5 °C"));
        state.Activities.ionicStrength = 1.5;
        QCOMPARE(ModelStatusText(state), QString::fromUtf8("Davies, I = 1.5 mol/L, 37.5 °C"));
    }
};

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<ActivityMenuTest>(argc, argv);
}

#include "activitymenu_test.moc"
