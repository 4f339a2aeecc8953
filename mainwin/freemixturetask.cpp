#include "freemixturetask.h"

#include "artwork.h"
#include "compoundchooser.h"
#include "controls.h"
#include "statusline.h"

#include "compounds/componentforms.h"
#include "compounds/componentnames.h"
#include "compounds/recipe.h"
#include "plot/mixture_graphs.h"
#include "widgets/buttonbar.h"
#include "widgets/desktop.h"
#include "windows/context.h"
#include "windows/formgraficaab.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvane::mainwin {

namespace {

constexpr int TabLeft = 5 * 156 + 6; // after the five tasks' tabs
constexpr int TabWidth = 104;
constexpr int TabHeight = 34;
constexpr int StartRows = 3;
constexpr int MaxStoredRows = 2 * engine::MaxComponents;
const QColor ChosenTabColor(64, 64, 128);
const QColor OtherTabColor(96, 96, 96);
const QString Section = "FREEMIX";

enum Column { ComponentColumn, ConcentrationColumn };

QPushButton* button(const QString& caption, const QString& toolTip, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setToolTip(toolTip);
    return b;
}

void setTabLook(QLabel* caption, bool chosen) {
    QPalette p = caption->palette();
    p.setColor(QPalette::WindowText, chosen ? ChosenTabColor : OtherTabColor);
    caption->setPalette(p);
    QFont f = caption->font();
    f.setBold(chosen);
    caption->setFont(f);
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

FreeMixtureTask::FreeMixtureTask(MainState& state, widgets::Desktop& desktop, QString programFolder,
                                 QWidget* client, QWidget* window)
    : QWidget(client), m_state(state), m_desktop(desktop),
      m_programFolder(std::move(programFolder)) {
    widgets::PaintBackground(this, Qt::white);
    buildTab(client);
    auto* alt6 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_6), window);
    connect(alt6, &QShortcut::activated, this, &FreeMixtureTask::tabClicked);

    auto* title = new QLabel("Free mixture: any acids, bases, salts and ions together", this);
    QFont titleFont("Arial", 11);
    titleFont.setBold(true);
    title->setFont(titleFont);

    m_components = new QTableWidget(0, 2, this);
    m_components->setHorizontalHeaderLabels({"Component or reagent", "Concentration (mol/L)"});
    m_components->horizontalHeader()->setSectionResizeMode(ComponentColumn, QHeaderView::Stretch);
    m_components->horizontalHeader()->setSectionResizeMode(ConcentrationColumn,
                                                           QHeaderView::ResizeToContents);
    m_components->setAccessibleName("Components");
    m_components->setToolTip(
        "A compound of the table (acetic, H3PO4, ammonia), a reagent (Na2HPO4, NH4Cl), "
        "acid:PK1,PK2/CHARGE, base:PKB, HCl, NaOH, Na+, Cl- or ion:CHARGE");
    m_components->setTabKeyNavigation(false);

    m_add = button("&Add row", "Add a component below the current one (Ctrl++)", this);
    m_remove = button("Re&move row", "Remove the current component (Ctrl+-)", this);
    m_compound =
        button("Compound l&ist...", "Choose a compound of the table for the current row", this);
    m_recipe = button("&Recipe...", "Fill the list with the reagents of a buffer recipe", this);
    m_calculate = button("&Calculate", "Solve the mixture", this);
    m_clear = button("C&lear", "Clear the components and the results", this);
    m_graphic = button("&Graphic", "Distribution diagram of a component or titration curve", this);
    m_graphic->setEnabled(false);
    connect(m_add, &QPushButton::clicked, this, &FreeMixtureTask::addRow);
    connect(m_remove, &QPushButton::clicked, this, &FreeMixtureTask::removeRow);
    connect(m_compound, &QPushButton::clicked, this, &FreeMixtureTask::ChooseCompound);
    connect(m_recipe, &QPushButton::clicked, this, &FreeMixtureTask::Recipe);
    connect(m_calculate, &QPushButton::clicked, this, &FreeMixtureTask::Calculate);
    connect(m_clear, &QPushButton::clicked, this, &FreeMixtureTask::Clear);
    connect(m_graphic, &QPushButton::clicked, this, &FreeMixtureTask::Graphic);
    connect(m_components, &QTableWidget::itemChanged, this, &FreeMixtureTask::resultsChanged);

    auto* adds = new QAction(this);
    adds->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    adds->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(adds, &QAction::triggered, this, &FreeMixtureTask::addRow);
    auto* removes = new QAction(this);
    removes->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    removes->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(removes, &QAction::triggered, this, &FreeMixtureTask::removeRow);
    addActions({adds, removes});

    m_status = new StatusLine(this);
    m_summary = new QLabel(this);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_species = new QTableWidget(0, 4, this);
    m_species->setHorizontalHeaderLabels(
        {"Component", "Species", "Concentration (mol/L)", "Fraction"});
    m_species->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_species->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_species->setAccessibleName("Species");
    m_species->setTabKeyNavigation(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    auto* list = new QHBoxLayout;
    list->addWidget(m_components, 1);
    auto* rowButtons = new QVBoxLayout;
    for (QPushButton* b : {m_add, m_remove, m_compound, m_recipe})
        rowButtons->addWidget(b);
    rowButtons->addStretch(1);
    list->addLayout(rowButtons);
    layout->addLayout(list, 2);
    auto* commands = new QHBoxLayout;
    for (QPushButton* b : {m_calculate, m_clear, m_graphic})
        commands->addWidget(b);
    commands->addStretch(1);
    layout->addLayout(commands);
    layout->addWidget(m_status);
    layout->addWidget(m_summary);
    layout->addWidget(m_species, 3);

    setRows({});
    hide();
}

void FreeMixtureTask::buildTab(QWidget* client) {
    m_tabPicture = new QLabel(client);
    m_tabPicture->setPixmap(TabPicture(false, TabWidth, TabHeight));
    m_tabPicture->setGeometry(TabLeft, 2, TabWidth, TabHeight);
    m_tabCaption = new ClickLabel("Free mixture", client);
    m_tabCaption->setAlignment(Qt::AlignCenter);
    m_tabCaption->setGeometry(TabLeft, 6, TabWidth, TabHeight - 6);
    m_tabCaption->setFont(QFont("Arial", 10));
    m_tabCaption->setCursor(Qt::PointingHandCursor);
    setTabLook(m_tabCaption, false);
    connect(m_tabCaption, &ClickLabel::clicked, this, &FreeMixtureTask::tabClicked);
}

void FreeMixtureTask::setChosen(bool chosen) {
    m_tabPicture->setPixmap(TabPicture(chosen, TabWidth, TabHeight));
    setTabLook(m_tabCaption, chosen);
    setVisible(chosen);
    if (!chosen) return;
    m_components->setFocus();
    if (m_components->rowCount() > 0 && !m_components->currentItem())
        m_components->setCurrentCell(0, ComponentColumn);
}

// ---- The list of components ----

void FreeMixtureTask::setRows(const std::vector<MixtureRow>& rows) {
    const QSignalBlocker quiet(m_components);
    m_components->setRowCount(0);
    const int count = rows.empty() ? StartRows : static_cast<int>(rows.size());
    m_components->setRowCount(count);
    for (int r = 0; r < count; ++r) {
        const MixtureRow row = r < static_cast<int>(rows.size()) ? rows[r] : MixtureRow{};
        m_components->setItem(r, ComponentColumn, new QTableWidgetItem(text(row.component)));
        m_components->setItem(r, ConcentrationColumn,
                              new QTableWidgetItem(text(row.concentration)));
    }
    resultsChanged();
}

std::vector<MixtureRow> FreeMixtureTask::rows() const {
    std::vector<MixtureRow> rows;
    for (int r = 0; r < m_components->rowCount(); ++r) {
        MixtureRow row;
        if (const QTableWidgetItem* i = m_components->item(r, ComponentColumn))
            row.component = i->text().toStdString();
        if (const QTableWidgetItem* i = m_components->item(r, ConcentrationColumn))
            row.concentration = i->text().toStdString();
        rows.push_back(row);
    }
    return rows;
}

void FreeMixtureTask::addRow() {
    const int at = m_components->currentRow() + 1;
    const int r = at > 0 ? at : m_components->rowCount();
    m_components->insertRow(r);
    m_components->setItem(r, ComponentColumn, new QTableWidgetItem);
    m_components->setItem(r, ConcentrationColumn, new QTableWidgetItem);
    m_components->setCurrentCell(r, ComponentColumn);
    m_components->setFocus();
}

void FreeMixtureTask::removeRow() {
    const int r = std::max(0, m_components->currentRow());
    if (m_components->rowCount() <= 1) {
        setRows({});
        m_components->setRowCount(1);
    } else {
        m_components->removeRow(r);
    }
    m_components->setCurrentCell(std::min(r, m_components->rowCount() - 1), ComponentColumn);
    m_components->setFocus();
    resultsChanged();
}

void FreeMixtureTask::ChooseCompound() {
    compounds::ConstantRole any{};
    any.anyCompound = true;
    CompoundChooser chooser({any}, this);
    chooser.setWindowTitle("Compounds");
    if (!m_desktop.runDialog(chooser) || !chooser.choice(0)) return;
    const int r = std::max(0, m_components->currentRow());
    if (m_components->rowCount() == 0) addRow();
    m_components->item(r, ComponentColumn)->setText(text(chooser.choice(0)->name));
    m_components->setCurrentCell(r, ConcentrationColumn);
    m_components->setFocus();
}

// ---- The calculation ----

void FreeMixtureTask::resultsChanged() {
    m_graphic->setEnabled(false);
}

void FreeMixtureTask::refuse(const QString& message, const std::string& reason) {
    m_desktop.showDetailedMessage(this, "Error", message, text(reason),
                                  widgets::MessageKind::Warning);
}

std::optional<std::vector<double>>
FreeMixtureTask::readValues(std::initializer_list<std::pair<std::string, QString>> fields) {
    std::vector<double> values;
    std::string reason;
    for (const auto& [name, typed] : fields) {
        const std::optional<double> v =
            compounds::ReadConcentration(name, typed.toStdString(), m_state.numbers, reason);
        if (!v) {
            refuse("Invalid input values: Reading error.", reason);
            return std::nullopt;
        }
        values.push_back(*v);
    }
    return values;
}

QString FreeMixtureTask::number(double v) const {
    std::int16_t formatError = 0;
    return text(
        numtext::FormatNumber(v, m_state.SigDigits, m_state.numbers.DecimalSeparator, formatError));
}

void FreeMixtureTask::Calculate() {
    m_status->clearMessage();
    m_result = {};
    m_mixture.clear();
    showResult();
    const RowsMixture mixture = MixtureOfRows(rows(), m_state.numbers, m_state.engine.pKw);
    if (!mixture.ok) {
        refuse("Invalid input values: Reading error.", mixture.reason);
        return;
    }
    engine::MixtureResult result = engine::SolveMixture(mixture.components, m_state.engine.pKw);
    if (!result.ok) {
        refuse("Invalid input values: Calculation error.", result.reason);
        return;
    }
    m_result = std::move(result);
    m_mixture = mixture.components;
    showResult();
    m_graphic->setEnabled(true);
}

void FreeMixtureTask::showResult() {
    m_species->setRowCount(0);
    if (!m_result.ok) {
        m_summary->clear();
        return;
    }
    m_summary->setText(QString("pH %1      ionic strength %2 mol/L      [H+] %3 mol/L      "
                               "[OH-] %4 mol/L")
                           .arg(number(m_result.pH), number(m_result.ionicStrength),
                                number(m_result.h), number(m_result.oh)));
    for (const engine::ComponentAmounts& c : m_result.components)
        for (const engine::SpeciesAmount& s : c.species) {
            const int r = m_species->rowCount();
            m_species->insertRow(r);
            m_species->setItem(r, 0, new QTableWidgetItem(text(c.name)));
            m_species->setItem(r, 1, new QTableWidgetItem(text(compounds::SpeciesText(s.species))));
            m_species->setItem(r, 2, new QTableWidgetItem(number(s.concentration)));
            m_species->setItem(r, 3, new QTableWidgetItem(number(s.fraction)));
        }
}

void FreeMixtureTask::Clear() {
    setRows({});
    m_result = {};
    m_mixture.clear();
    showResult();
    m_status->clearMessage();
    m_components->setCurrentCell(0, ComponentColumn);
    m_components->setFocus();
}

// ---- Graphs ----

void FreeMixtureTask::Graphic() {
    if (!m_result.ok) return;
    std::vector<const engine::Component*> distributable;
    QStringList names;
    for (const engine::Component& c : m_mixture)
        if (!c.pk.empty()) {
            distributable.push_back(&c);
            names << text(c.name);
        }
    MixtureGraphDialog dialog(names, m_graphChoice, this);
    if (!m_desktop.runDialog(dialog)) return;
    m_graphChoice = dialog.choice();
    if (!m_graphChoice.titration) {
        const int k = m_graphChoice.component;
        if (k >= 0 && k < static_cast<int>(distributable.size()))
            drawDistribution(*distributable[k]);
        return;
    }
    std::optional<engine::Component> titrant =
        compounds::StrongAcidOrBase(m_graphChoice.titrant.toStdString());
    const std::optional<std::vector<double>> values =
        readValues({{"the titrant", m_graphChoice.titrantConcentration},
                    {"the volume", m_graphChoice.volume}});
    if (!titrant || !values) return;
    titrant->total = (*values)[0];
    drawTitration({m_mixture, (*values)[1], *titrant});
}

void FreeMixtureTask::openGraph(const graphs::GraphSettings& settings,
                                const std::function<void(windows::FormGraficaAB&)>& prepare) {
    m_state.graph = settings;
    m_state.graph.TaskTitle = "Free mixture";
    m_state.graph.GraphConfirmed = true;
    windows::WindowContext context{
        m_state.graph,     m_state.graphTable,      m_state.engine,          m_state.numbers,
        m_state.SigDigits, m_state.LastGraphFolder, m_state.LastTableFolder, m_programFolder,
        m_desktop,         &m_state.ShowMarks};
    windows::FormGraficaAB window(context, this);
    prepare(window);
    m_desktop.runDialog(window);
}

void FreeMixtureTask::drawDistribution(const engine::Component& component) {
    openGraph(graphs::DistributionSettings(component), [&](windows::FormGraficaAB& window) {
        window.setOwnCurves(plot::DistributionCurves(component));
    });
}

void FreeMixtureTask::drawTitration(engine::MixtureTitration titration) {
    const double pKw = m_state.engine.pKw;
    const char separator = m_state.numbers.DecimalSeparator;
    if (!(titration.titrant.total > 0) || !(titration.volume > 0)) {
        refuse("Invalid input values: Calculation error.",
               "the titrant's concentration and the volume must be above 0");
        return;
    }
    const std::vector<double> volumes = engine::EquivalenceVolumes(titration, pKw);
    if (volumes.empty()) {
        refuse("Invalid input values: Calculation error.",
               "the mixture has no equivalence point with " + titration.titrant.name);
        return;
    }
    graphs::MixtureTitrationGraph graph{
        titration, pKw, graphs::AmountText(titration.titrant, separator),
        graphs::MixtureText(titration, separator), 2 * volumes.back()};
    const std::vector<graphs::CurveMark> marks = graphs::EquivalenceMarks(graph);
    openGraph(graphs::TitrationSettings(graph), [&](windows::FormGraficaAB& window) {
        window.setOwnCurves(plot::TitrationCurves(graph, marks, separator));
    });
}

// ---- Recipes ----

void FreeMixtureTask::Recipe() {
    RecipeDialog dialog(m_recipeRequest, this);
    if (!m_desktop.runDialog(dialog)) return;
    m_recipeRequest = dialog.request();
    const double pKw = m_state.engine.pKw;
    const std::optional<std::vector<double>> values =
        readValues({{"pH", m_recipeRequest.pH},
                    {"the total", m_recipeRequest.total},
                    {"the volume", m_recipeRequest.volume}});
    if (!values) return;
    const double pH = (*values)[0], total = (*values)[1], volume = (*values)[2];
    std::vector<const compounds::Compound*> all;
    for (const compounds::Compound& c : compounds::Compounds())
        all.push_back(&c);
    const std::string name = m_recipeRequest.system.trimmed().toStdString();
    const compounds::Lookup found = compounds::FindCompound(name, all);
    if (found.status != compounds::LookupStatus::Found || found.compound->reagents.size() < 2) {
        refuse("Invalid input values: Reading error.",
               "\"" + name + "\" names no single system with reagents for a recipe");
        return;
    }
    const compounds::Compound& system = *found.compound;
    const auto [first, second] = compounds::DefaultReagents(system, pH, pKw);
    if (!first || !second) {
        refuse("Invalid input values: Calculation error.",
               system.name + " has no reagent on one side of the pK nearest that pH");
        return;
    }
    const compounds::Recipe recipe = compounds::MakeRecipe(system, *first, *second, pH, total, pKw);
    if (!recipe.ok) {
        refuse("Invalid input values: Calculation error.", recipe.reason);
        return;
    }
    std::vector<MixtureRow> rows;
    QStringList amounts;
    std::int16_t formatError = 0;
    for (const compounds::RecipeAmount& a : recipe.amounts) {
        const std::string formula = compounds::PlainFormula(a.reagent->formula);
        rows.push_back(
            {formula, numtext::FormatNumber(a.concentration, 12, m_state.numbers.DecimalSeparator,
                                            formatError)});
        amounts << QString("%1 g %2").arg(
            number(a.concentration * volume / 1000 * a.reagent->molarMass), text(formula));
    }
    setRows(rows);
    Calculate();
    m_status->setMessage(QString("%1 in %2 mL").arg(amounts.join(" and "), number(volume)));
}

// ---- Settings ----

void FreeMixtureTask::readSettings(const SettingsStore& store) {
    const int count = std::clamp(store.read(Section, "ROWS", "0").toInt(), 0, MaxStoredRows);
    std::vector<MixtureRow> rows;
    for (int r = 1; r <= count; ++r)
        rows.push_back({store.read(Section, QString("COMPONENT%1").arg(r), "").toStdString(),
                        store.read(Section, QString("CONCENTRATION%1").arg(r), "").toStdString()});
    setRows(rows);
    MixtureGraphChoice& g = m_graphChoice;
    g.titration = store.read(Section, "GRAPH", "DISTRIBUTION") == "TITRATION";
    g.component = std::max(0, store.read(Section, "SPECIESOF", "0").toInt());
    const QString titrant = store.read(Section, "TITRANT", g.titrant);
    if (Titrants.contains(titrant)) g.titrant = titrant;
    g.titrantConcentration = store.read(Section, "TITRANTC", g.titrantConcentration);
    g.volume = store.read(Section, "VOLUME", g.volume);
}

void FreeMixtureTask::writeSettings(SettingsStore& store) const {
    const std::vector<MixtureRow> all = rows();
    const int count = std::min(static_cast<int>(all.size()), MaxStoredRows);
    store.write(Section, "ROWS", QString::number(count));
    for (int r = 1; r <= count; ++r) {
        store.write(Section, QString("COMPONENT%1").arg(r), text(all[r - 1].component));
        store.write(Section, QString("CONCENTRATION%1").arg(r), text(all[r - 1].concentration));
    }
    const MixtureGraphChoice& g = m_graphChoice;
    store.write(Section, "GRAPH", g.titration ? "TITRATION" : "DISTRIBUTION");
    store.write(Section, "SPECIESOF", QString::number(g.component));
    store.write(Section, "TITRANT", g.titrant);
    store.write(Section, "TITRANTC", g.titrantConcentration);
    store.write(Section, "VOLUME", g.volume);
}

} // namespace corvane::mainwin
