#include "mainmenus.h"

#include "controls.h"
#include "formmain.h"
#include "installation.h"

#include "engine/catalogue.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace corvane::mainwin {

namespace {

QAction* named(QAction* action, const QString& name) {
    action->setObjectName(name);
    return action;
}

QAction* checkable(QAction* action, const QString& name) {
    action->setCheckable(true);
    return named(action, name);
}

} // namespace

MainMenus::MainMenus(FormMain& window) {
    FormMain* w = &window;
    QMenuBar* bar = window.menuBar();
    QMenu* file = bar->addMenu("&File");
    m_copyResults =
        named(file->addAction("Copy results", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), w,
                              &FormMain::mnu_CopyResults_Click),
              "mnu_CopyResults");
    m_saveResults =
        named(file->addAction("Save results as...", w, &FormMain::mnu_SaveResults_Click),
              "mnu_SaveResults");
    file->addSeparator();
    named(file->addAction("&Exit", QKeySequence(Qt::CTRL | Qt::Key_F4), w,
                          &FormMain::mnu_Archivo_Salir_Click),
          "mnu_Archivo_Salir");

    m_type = bar->addMenu("&Type of calculation");
    for (int n = 1; n <= 5; ++n)
        m_tasks[static_cast<std::size_t>(n)] =
            checkable(m_type->addAction(engine::Task(n).caption.data(), w,
                                        [w, n] { w->mnu_TIPO_CAL_Click(n); }),
                      IndexedName("mnu_TIPO_CAL", n));
    m_type->addSeparator();
    m_constants = named(m_type->addAction("Constants...", QKeySequence(Qt::CTRL | Qt::Key_K), w,
                                          &FormMain::mnu_Constants_Click),
                        "mnu_Constants");

    QMenu* setup = bar->addMenu("&Setup");
    QMenu* separator = setup->addMenu("&Decimal separator");
    m_point =
        checkable(separator->addAction("[ . ] Point", w, &FormMain::mnu_Config_SepaDec_PTO_Click),
                  "mnu_Config_SepaDec_PTO");
    m_comma =
        checkable(separator->addAction("[ , ] Comma", w, &FormMain::mnu_Config_SepaDec_COM_Click),
                  "mnu_Config_SepaDec_COM");
    setup->addSeparator();
    QMenu* digits = setup->addMenu("&Significant digits");
    for (int n = 4; n <= 12; ++n)
        m_digits[static_cast<std::size_t>(n)] = checkable(
            digits->addAction(QString("%1 digits").arg(n), w, [w, n] { w->mnu_NDIG_Click(n); }),
            IndexedName("mnu_NDIG", n));
    setup->addSeparator();
    QMenu* water = setup->addMenu("Ionic product of water &Kw");
    m_pKw[0] = checkable(water->addAction(QString::fromUtf8("pKw = 14.00   (25 °C)"), w,
                                          [w] { w->mnu_valor_pkw_C_Click(0); }),
                         IndexedName("mnu_valor_pkw_C", 0));
    m_pKw[1] = checkable(water->addAction(QString::fromUtf8("pKw = 13.59   (37 °C)"), w,
                                          [w] { w->mnu_valor_pkw_C_Click(1); }),
                         IndexedName("mnu_valor_pkw_C", 1));
    setup->addSeparator();
    QMenu* activity = setup->addMenu("Activity coefficients");
    m_activity[0] =
        checkable(activity->addAction("Ideal solution", w, [w] { w->mnu_Activity_Click(0); }),
                  IndexedName("mnu_Activity", 0));
    m_activity[1] =
        checkable(activity->addAction("Davies equation", w, [w] { w->mnu_Activity_Click(1); }),
                  IndexedName("mnu_Activity", 1));
    m_temperature = checkable(
        setup->addAction("Temperature...", w, &FormMain::mnu_Temperature_Click), "mnu_Temperature");

    QMenu* help = bar->addMenu("&Help");
    named(help->addAction("User's &Manual (PDF document)...", QKeySequence(Qt::Key_F1), w,
                          &FormMain::mnu_Ayuda_Manual_Click),
          "mnu_Ayuda_Manual");
    help->addSeparator();
    named(help->addAction(QString("Home page: %1...").arg(installation::WebSiteName), w,
                          &FormMain::mnu_Ayuda_WEB_Click),
          "mnu_Ayuda_WEB");
    named(help->addAction("Make a donation...", w, &FormMain::mnu_Ayuda_DONA_Click),
          "mnu_Ayuda_DONA");
    named(help->addAction("&About...", w, &FormMain::mnu_Ayuda_Acerca_Click), "mnu_Ayuda_Acerca");
}

void MainMenus::showSeparator(char separator) {
    m_point->setChecked(separator == '.');
    m_comma->setChecked(separator == ',');
}

void MainMenus::showDigits(int n) {
    for (int d = 4; d <= 12; ++d)
        m_digits[static_cast<std::size_t>(d)]->setChecked(d == n);
}

void MainMenus::showPKw(int item) {
    for (int i = 0; i < 2; ++i)
        m_pKw[static_cast<std::size_t>(i)]->setChecked(i == item);
}

void MainMenus::showActivity(bool davies, bool temperatureGiven) {
    m_activity[0]->setChecked(!davies);
    m_activity[1]->setChecked(davies);
    m_temperature->setChecked(temperatureGiven);
}

void MainMenus::showTask(int t) {
    for (int n = 1; n <= 5; ++n)
        m_tasks[static_cast<std::size_t>(n)]->setChecked(n == t);
}

void MainMenus::setResultsAvailable(bool available) {
    m_copyResults->setEnabled(available);
    m_saveResults->setEnabled(available);
}

} // namespace corvane::mainwin
