// \brief MainMenus: the main window's menu bar (File, Type of calculation, Setup, Help), its
// items calling the window's menu routines, and the check marks that show the settings.
#pragma once

#include <array>

class QAction;
class QMenu;

namespace corvane::mainwin {

class FormMain;

class MainMenus {
public:
    /// Fills the window's menu bar. The items are named as the program names them
    /// ("mnu_NDIG(6)", "mnu_TIPO_CAL(2)", "mnu_Config_SepaDec_PTO"...).
    explicit MainMenus(FormMain& window);

    /// Checks the decimal separator in use.
    void showSeparator(char separator);
    /// Checks "n digits".
    void showDigits(int n);
    /// Checks pKw item 0 (14.00) or 1 (13.59); -1 checks neither.
    void showPKw(int item);
    /// Checks the activity model and, when Kw follows a temperature, "Temperature...".
    void showActivity(bool davies, bool temperatureGiven);
    /// Checks task t of "Type of calculation" and no other.
    void showTask(int t);
    /// "Copy results" and "Save results as..." while there is something to copy.
    void setResultsAvailable(bool available);

    QAction* taskItem(int n) const { return m_tasks.at(static_cast<std::size_t>(n)); }
    QAction* constantsItem() const { return m_constants; }
    QMenu* typeMenu() const { return m_type; }

private:
    QAction* m_copyResults;
    QAction* m_saveResults;
    std::array<QAction*, 6> m_tasks{}; // 1 to 5
    QAction* m_constants;
    QMenu* m_type;
    QAction* m_point;
    QAction* m_comma;
    std::array<QAction*, 13> m_digits{}; // 4 to 12
    std::array<QAction*, 2> m_pKw{};
    std::array<QAction*, 2> m_activity{};
    QAction* m_temperature;
};

} // namespace corvane::mainwin
