// \brief FormMain: the main window. It coordinates the five tasks' panels (and the Free mixture
// tab) and the menus: choosing tasks and options, the calculation cycle, the layout routines,
// the menu commands and the settings read and written.
#pragma once

#include "resultsexport.h"
#include "settings.h"
#include "state.h"

#include "widgets/desktop.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QLabel;

namespace corvane::mainwin {

class ConstantsCommand;
class FreeMixtureTask;
class MainMenus;
class TaskKeys;
class TaskPanel;

class FormMain : public QMainWindow {
    Q_OBJECT
public:
    /// Reads the settings (Form_Load). programFolder holds img/ and the user's manual.
    /// `desktop` shows the message boxes and dialogs of this window and of the windows it opens;
    /// it outlives the window, so the printer chosen in a print dialog stays the one used.
    FormMain(SettingsStore& store, widgets::Desktop& desktop, const QString& programFolder,
             QWidget* parent = nullptr);
    ~FormMain() override;

    MainState& state() { return m_state; }
    void setAboutHandler(std::function<void()> handler) { m_about = std::move(handler); }

    // Choosing tasks and options, the check box.
    void LblMENU_Click(int t);
    void Opt_Click(int t);
    void Chk_Click(int t);

    // The calculation cycle.
    void LblCAL_Click(int t);
    void LblDEL_Click(int t);
    void LblGRA_Click(int t);
    void LeerDATOS();
    void EscribirDATOS();

    // Layout.
    void PosicionaIOControls();
    void LoadImgFORMULAS(const QString& code, const QString& extension);
    void Form_Resize();

    // Menu commands.
    /// "Copy results": the task title and the shown quantities as text and as an HTML table.
    void mnu_CopyResults_Click();
    /// "Save results as...": the same as a CSV or text file.
    void mnu_SaveResults_Click();
    void mnu_Archivo_Salir_Click();
    void mnu_TIPO_CAL_Click(int n);
    void mnu_Config_SepaDec_PTO_Click();
    void mnu_Config_SepaDec_COM_Click();
    void mnu_NDIG_Click(int n);
    void mnu_valor_pkw_C_Click(int n);
    /// "Activity coefficients": 0 "Ideal solution", 1 "Davies equation".
    void mnu_Activity_Click(int n);
    /// "Temperature...": Kw and the activity coefficients at a temperature.
    void mnu_Temperature_Click();
    void mnu_Ayuda_Manual_Click();
    void mnu_Ayuda_WEB_Click();
    void mnu_Ayuda_DONA_Click();
    void mnu_Ayuda_Acerca_Click();
    /// "Constants...": fills the constant fields from the table of common acids and bases.
    void mnu_Constants_Click();

    /// Task t's tab, options, fields and formula panel, 1 to 5.
    TaskPanel& task(int t) const;
    MainMenus& menus() const { return *m_menus; }

signals:
    /// The Graphic command has handed the problem to the graph settings.
    void graphicRequested();
    /// The task shown, its option or its Graphic button changed.
    void commandsChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectTask(TaskPanel& k);
    void onFieldChanged(int k);
    void onFieldEnter(int k);
    void showTask(int t);
    void focusFirstField(int t);
    void focusOption(int t);
    void setGraphicEnabled(int t, bool enabled);
    void syncSeparatorMarks();
    void setActivityMarks();
    void clearAllTasks();
    void Form_Unload();
    /// The quantities the chosen task shows a value for, in field order.
    std::vector<ResultRow> shownResults() const;
    QString resultsTitle() const;
    void updateResultsCommands();

    SettingsStore& m_store;
    widgets::Desktop& m_desktop;
    QString m_programFolder;
    StoredSettings m_loaded; // read once when the window opens
    MainState m_state;
    std::function<void()> m_about;
    QWidget* m_client = nullptr;
    std::array<TaskPanel*, 6> m_tasks{}; // 1 to 5, children of the client area
    std::unique_ptr<MainMenus> m_menus;
    ConstantsCommand* m_constants = nullptr;  // a child of the window
    FreeMixtureTask* m_freeMixture = nullptr; // a child of the client area
    TaskKeys* m_keys = nullptr;               // a child of the window
    QLabel* m_firstLook = nullptr;            // until a task is chosen
    bool m_unloaded = false;
};

} // namespace corvane::mainwin
