// \brief The sixth tab, "Free mixture": a list of components (table compounds, typed pK values,
// strong acids and bases, ions and reagents) with their concentrations, solved together by the
// charge balance; the pH, ionic strength and every species, the distribution diagram of a
// component or the titration of the mixture in the graph window, and buffer recipes.
#pragma once

#include "freemixturedialogs.h"
#include "freemixturerows.h"
#include "settings.h"
#include "state.h"

#include "engine/mixture_titration.h"
#include "graphs/settings.h"

#include <QWidget>

#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace corvane::windows {
class FormGraficaAB;
}
namespace corvane::widgets {
class Desktop;
}

namespace corvane::mainwin {

class ClickLabel;
class StatusLine;

class FreeMixtureTask : public QWidget {
    Q_OBJECT
public:
    /// The tab's number after the five tasks (Alt+6).
    static constexpr int TabNumber = 6;

    /// The tab sits on `client` beside the five tasks' tabs; `window` takes Alt+6.
    FreeMixtureTask(MainState& state, widgets::Desktop& desktop, QString programFolder,
                    QWidget* client, QWidget* window);

    /// Shows the task and marks its tab as chosen, or hides it.
    void setChosen(bool chosen);

    void addRow();
    /// Removes the current row; the last row left is cleared instead.
    void removeRow();
    void Calculate();
    void Clear();
    /// Asks for the graph and draws it in the graph window.
    void Graphic();
    /// Fills the list with the two reagents of a recipe.
    void Recipe();
    /// Puts a compound of the table, chosen from the list, into the current row.
    void ChooseCompound();

    void setRows(const std::vector<MixtureRow>& rows);
    std::vector<MixtureRow> rows() const;

    /// The state under the "FREEMIX" section.
    void readSettings(const SettingsStore& store);
    void writeSettings(SettingsStore& store) const;

    QTableWidget* components() const { return m_components; }
    QTableWidget* species() const { return m_species; }
    QLabel* summary() const { return m_summary; }
    StatusLine* statusLine() const { return m_status; }
    QPushButton* calculateButton() const { return m_calculate; }
    QPushButton* clearButton() const { return m_clear; }
    QPushButton* graphicButton() const { return m_graphic; }
    QPushButton* recipeButton() const { return m_recipe; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* removeButton() const { return m_remove; }
    QPushButton* compoundButton() const { return m_compound; }
    ClickLabel* tabCaption() const { return m_tabCaption; }
    const engine::MixtureResult& result() const { return m_result; }
    const MixtureGraphChoice& graphChoice() const { return m_graphChoice; }

signals:
    /// The tab was clicked or Alt+6 pressed.
    void tabClicked();

private:
    void buildTab(QWidget* client);
    void showResult();
    void resultsChanged();
    void drawDistribution(const engine::Component& component);
    void drawTitration(engine::MixtureTitration titration);
    void openGraph(const graphs::GraphSettings& settings,
                   const std::function<void(windows::FormGraficaAB&)>& prepare);
    QString number(double v) const;
    /// Each (name, text) read as a number of at least 0; the first that is not is refused.
    std::optional<std::vector<double>>
    readValues(std::initializer_list<std::pair<std::string, QString>> fields);
    void refuse(const QString& text, const std::string& reason);

    MainState& m_state;
    widgets::Desktop& m_desktop;
    QString m_programFolder;
    QLabel* m_tabPicture = nullptr;
    ClickLabel* m_tabCaption = nullptr;
    QTableWidget* m_components;
    QTableWidget* m_species;
    QLabel* m_summary;
    StatusLine* m_status;
    QPushButton* m_add;
    QPushButton* m_remove;
    QPushButton* m_compound;
    QPushButton* m_calculate;
    QPushButton* m_clear;
    QPushButton* m_graphic;
    QPushButton* m_recipe;
    engine::MixtureResult m_result;
    std::vector<engine::Component> m_mixture; // the one m_result was solved from
    MixtureGraphChoice m_graphChoice;
    RecipeRequest m_recipeRequest{"phosphate", "7.2", "0.1", "1000"};
};

} // namespace corvane::mainwin
