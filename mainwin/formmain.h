// \brief FormMain: the main window with its five task tabs (and the Free mixture tab), option
// panels, field panels, Calculate / Clear / Graphic buttons, formula panel, menus and settings.
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

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QRadioButton;

namespace corvane::mainwin {

class ClickLabel;
class ConstantsCommand;
class FreeMixtureTask;
class TaskKeys;
class PictureButton;
class StatusLine;
class ValueField;

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

    // The controls by their program names: k = 15 × (t − 1) + i.
    ValueField* Text1(int k) const;
    QLabel* Label1(int k) const;
    QLabel* Img1(int k) const;
    QFrame* ShaIOTX(int k) const;
    QRadioButton* Opt(int t, int j) const;
    QCheckBox* Chk(int t) const;
    QLabel* LblMainTIT(int t) const;
    ClickLabel* LblMENU(int t) const;
    QLabel* ImgMENU(int t) const;
    /// The line below the buttons of task t.
    StatusLine* statusLine(int t) const;
    PictureButton* ImgCAL(int t) const;
    PictureButton* ImgDEL(int t) const;
    PictureButton* ImgGRA(int t) const;
    QWidget* PicTASK(int t) const;
    QWidget* PicOPT(int t) const;
    QWidget* PicCHK(int t) const;
    QWidget* PicIO(int t) const;
    QWidget* PicFOR(int t) const;
    QLabel* ImgFOR(int t) const;
    QLabel* ImgFORX(int t) const;
    QFrame* Line1(int t) const;
    QFrame* LineIO(int t) const;
    QAction* mnu_Config_SepaDec_PTO() const;
    QAction* mnu_Config_SepaDec_COM() const;
    QAction* mnu_NDIG(int n) const;
    QAction* mnu_valor_pkw_C(int n) const;
    QAction* mnu_Activity(int n) const;
    QAction* mnu_Temperature() const;
    QAction* mnu_TIPO_CAL(int n) const;
    QAction* mnu_Constants() const;
    QAction* mnu_CopyResults() const;
    QAction* mnu_SaveResults() const;
    ConstantsCommand& constants() const { return *m_constants; }
    /// The sixth tab, "Free mixture".
    FreeMixtureTask& freeMixture() const { return *m_freeMixture; }
    TaskKeys& keys() const { return *m_keys; }
    QLabel* firstLook() const { return m_firstLook; }
    QWidget* client() const;

signals:
    /// The Graphic command has handed the problem to the graph settings.
    void graphicRequested();
    /// The task shown, its option or its Graphic button changed.
    void commandsChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Task;
    Task& task(int t) const;

    void buildMenus();
    void buildTask(int t);
    void onFieldChanged(int k);
    void onFieldEnter(int k);
    void showTask(int t);
    void focusFirstField(int t);
    void focusOption(int t);
    void setGraphicEnabled(int t, bool enabled);
    void syncSeparatorMarks();
    void setDigitsMarks(int n);
    void setPKwMarks(int item);
    void setActivityMarks();
    void clearAllTasks();
    void layoutTask(int t);
    void placeFormulaPictures(int t);
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
    std::array<std::unique_ptr<Task>, 6> m_tasks; // 1 to 5
    struct Menus;
    std::unique_ptr<Menus> m_menus;
    ConstantsCommand* m_constants = nullptr;  // a child of the window
    FreeMixtureTask* m_freeMixture = nullptr; // a child of the client area
    TaskKeys* m_keys = nullptr;               // a child of the window
    QLabel* m_firstLook = nullptr;            // until a task is chosen
    bool m_unloaded = false;
};

} // namespace corvane::mainwin
