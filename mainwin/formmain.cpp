#include "formmain.h"

#include "accessibility.h"
#include "activitymenu.h"
#include "artwork.h"
#include "constantscommand.h"
#include "controls.h"
#include "firstlook.h"
#include "freemixturetask.h"
#include "headings.h"
#include "installation.h"
#include "mainmenus.h"
#include "resultsexport.h"
#include "settings.h"
#include "statusline.h"
#include "taskkeys.h"
#include "taskpanel.h"

#include "calc/calculation.h"
#include "engine/catalogue.h"
#include "numtext/numbertext.h"
#include "plot/export.h"
#include "widgets/desktop.h"
#include "windows/formeditgraf.h"
#include "windows/formgraficaab.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QRadioButton>

#include <algorithm>

namespace corvane::mainwin {

namespace {

constexpr int RowsPerTask = TaskPanel::RowsPerTask;

} // namespace

FormMain::FormMain(SettingsStore& store, widgets::Desktop& desktop, const QString& programFolder,
                   QWidget* parent)
    : QMainWindow(parent), m_store(store), m_desktop(desktop), m_programFolder(programFolder),
      m_loaded(ReadSettings(store)), m_state(m_loaded.pKw) {
    setWindowTitle("Quellwerk - Acid - base equilibrium");
    m_client = new QWidget(this);
    m_client->setMinimumSize(800, 600);
    setCentralWidget(m_client);
    m_client->installEventFilter(this);

    m_menus = std::make_unique<MainMenus>(*this);
    updateResultsCommands();
    for (int t = 1; t <= 5; ++t) {
        m_tasks[static_cast<std::size_t>(t)] = new TaskPanel(t, m_client);
        connectTask(task(t));
    }
    m_constants = new ConstantsCommand(*this, m_desktop, m_menus->constantsItem());
    m_freeMixture = new FreeMixtureTask(m_state, m_desktop, m_programFolder, m_client, this);
    m_freeMixture->readSettings(m_store);
    connect(m_freeMixture, &FreeMixtureTask::tabClicked, this,
            [this] { LblMENU_Click(FreeMixtureTask::TabNumber); });
    m_keys = new TaskKeys(*this, m_menus->typeMenu());
    m_firstLook = MakeFirstLook(m_client);
    connect(m_firstLook, &QLabel::linkActivated, this, &FormMain::mnu_Ayuda_Manual_Click);

    // Form_Load: the settings, then the window.
    const StoredSettings& s = m_loaded;
    m_state.numbers.DecimalSeparator = s.decimalSeparator;
    syncSeparatorMarks();
    mnu_NDIG_Click(s.sigDigits);
    m_state.LastGraphFolder = s.lastGraphFolder;
    m_state.LastTableFolder = s.lastTableFolder;
    m_state.ShowMarks = s.showMarks;
    m_menus->showPKw(s.pKw == 14.0 ? 0 : s.pKw == 13.59 ? 1 : -1);
    m_state.engine.Activity = s.activity;
    if (s.temperature) {
        m_state.engine.SetTemperature(*s.temperature);
        m_state.TemperatureGiven = true;
        m_menus->showPKw(-1);
    }
    setActivityMarks();
    resize(900, 680);
}

FormMain::~FormMain() = default;

TaskPanel& FormMain::task(int t) const {
    return *m_tasks.at(static_cast<std::size_t>(t));
}

void FormMain::connectTask(TaskPanel& k) {
    const int t = k.t;
    connect(&k, &TaskPanel::tabClicked, this, [this, t] { LblMENU_Click(t); });
    connect(&k, &TaskPanel::optionClicked, this, [this, t] { Opt_Click(t); });
    connect(&k, &TaskPanel::checkClicked, this, [this, t] { Chk_Click(t); });
    connect(&k, &TaskPanel::calculateClicked, this, [this, t] { LblCAL_Click(t); });
    connect(&k, &TaskPanel::clearClicked, this, [this, t] { LblDEL_Click(t); });
    connect(&k, &TaskPanel::graphicClicked, this, [this, t] { LblGRA_Click(t); });
    connect(&k, &TaskPanel::fieldChanged, this, [this](int index) {
        updateResultsCommands();
        onFieldChanged(index);
    });
    connect(&k, &TaskPanel::fieldEnter, this, &FormMain::onFieldEnter);
}

// ---- Choosing tasks and options ----

void FormMain::LblMENU_Click(int t) {
    m_firstLook->hide(); // for the rest of the run
    const bool freeMixture = t == FreeMixtureTask::TabNumber;
    m_freeMixture->setChosen(freeMixture);
    if (freeMixture) {
        // Not one of the five tasks: none of them is chosen while it shows.
        m_state.TaskIndex = 0;
        showTask(0);
        emit commandsChanged();
        return;
    }
    m_state.TaskIndex = t;
    m_state.InputRowCount = engine::InputRowCount(t);
    setGraphicEnabled(t, false);
    showTask(t);
    TaskPanel& k = task(t);
    if (k.check) m_state.FirstDissociationComplete = k.check->isChecked() ? 1 : 0;
    for (std::size_t j = 0; j < k.optionButtons.size(); ++j)
        if (k.optionButtons[j]->isChecked()) m_state.OptionIndex = static_cast<int>(j);
    PosicionaIOControls();
    focusFirstField(t);
    emit commandsChanged();
}

// Task t's tab and area chosen, the other tasks' not.
void FormMain::showTask(int t) {
    for (int j = 1; j <= 5; ++j)
        task(j).setChosen(j == t);
    m_menus->showTask(t);
    updateResultsCommands();
}

std::vector<ResultRow> FormMain::shownResults() const {
    std::vector<ResultRow> rows;
    if (m_state.TaskIndex < 1) return rows;
    for (const TaskPanel::Row& row : task(m_state.TaskIndex).rows)
        if (!row.field->isHidden() && !row.field->text().isEmpty())
            rows.push_back({row.symbolText, row.field->text(), HeadingUnit(row.headingText)});
    return rows;
}

QString FormMain::resultsTitle() const {
    return m_state.TaskIndex < 1 ? QString() : task(m_state.TaskIndex).title->text();
}

void FormMain::updateResultsCommands() {
    const bool any = !shownResults().empty();
    m_menus->setResultsAvailable(any);
}

void FormMain::mnu_CopyResults_Click() {
    const std::vector<ResultRow> rows = shownResults();
    if (rows.empty()) return;
    auto* mime = new QMimeData;
    mime->setText(ResultsText(resultsTitle(), rows));
    mime->setHtml(ResultsHtml(resultsTitle(), rows));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void FormMain::mnu_SaveResults_Click() {
    const std::vector<ResultRow> rows = shownResults();
    if (rows.empty()) return;
    const QString textFilter = QStringLiteral("Text file (*.txt)");
    const QString csvFilter = QStringLiteral("CSV file (*.csv)");
    QString filter = textFilter;
    const QString path = m_desktop.saveFileName(
        this, "Save", plot::StartFolder(m_state.LastTableFolder, m_programFolder),
        {textFilter, csvFilter, plot::AllFilesFilter}, &filter);
    if (path.isEmpty()) return;
    m_state.LastTableFolder = plot::FolderOf(path);
    const bool csv = filter == csvFilter || path.endsWith(".csv", Qt::CaseInsensitive);
    const QByteArray bytes =
        (csv ? ResultsCsv(resultsTitle(), rows, m_state.numbers.DecimalSeparator)
             : ResultsText(resultsTitle(), rows))
            .toUtf8();
    const files::SaveResult result = files::SaveAtomically(
        path, [&](QIODevice& file) { return file.write(bytes) == bytes.size(); });
    if (!result.ok)
        m_desktop.showMessage(
            this, "Error",
            files::SaveFailureText("Error: Impossible to save the results:", path, result, false),
            widgets::MessageKind::Warning);
}

void FormMain::Opt_Click(int t) {
    TaskPanel& k = task(t);
    const bool fromKeyboard = std::any_of(k.optionButtons.begin(), k.optionButtons.end(),
                                          [](const OptionButton* b) { return b->handlingKey(); });
    setGraphicEnabled(t, false);
    LblDEL_Click(t);
    if (k.checkPanel) k.checkPanel->hide();
    k.io->show();
    k.ioFrame->show();
    if (k.check) m_state.FirstDissociationComplete = k.check->isChecked() ? 1 : 0;
    bool checked = false;
    k.markChosenOption();
    for (std::size_t j = 0; j < k.optionButtons.size(); ++j) {
        OptionButton* b = k.optionButtons[j];
        if (!b->isChecked()) continue;
        const int option = static_cast<int>(j);
        m_state.OptionIndex = option;
        checked = k.check && k.check->isChecked() && engine::IsCCapable(t, option);
        m_state.ProblemCode = QString::fromStdString(engine::FormProblemCode(t, option, checked));
        k.title->setText(QString::fromStdString(engine::FormTaskTitle(t, option, checked)));
        if (engine::IsCCapable(t, option) && k.checkPanel) k.checkPanel->show();
    }
    LoadImgFORMULAS(m_state.ProblemCode, ".gif");

    for (TaskPanel::Row& row : k.rows) {
        row.field->hide();
        row.field->tag.clear();
        row.headingText.clear();
        row.symbolText.clear();
        row.symbol->clear();
        DescribeField(row.field, nullptr, false);
    }
    const engine::ProblemType* problem = engine::FindProblem(m_state.ProblemCode.toStdString());
    if (problem) {
        for (const engine::SlotRow& slot : problem->rows) {
            if (slot.slot >= RowsPerTask) continue;
            TaskPanel::Row& row = k.rows[slot.slot];
            DescribeField(row.field, &slot, slot.slot >= engine::InputRowCount(t));
            row.headingText =
                QString::fromUtf8(slot.heading.data(), static_cast<qsizetype>(slot.heading.size()));
            const std::string_view symbol = engine::SymbolName(slot.quantity);
            row.symbolText =
                QString::fromUtf8(symbol.data(), static_cast<qsizetype>(symbol.size()));
            const int picture = engine::SymbolPicture(slot.quantity);
            if (picture >= 0) {
                row.symbol->setPixmap(SymbolPicture(picture));
                row.symbol->adjustSize();
            }
            if (engine::OffersInput(*problem, slot.slot)) {
                row.field->show();
                if (slot.hgroup) row.field->tag = "H";
            }
        }
    }
    PosicionaIOControls();
    // The clearing above focused a field of the previous option's rows. An option chosen
    // from the keyboard keeps the focus, so the arrow keys go on through the options.
    if (fromKeyboard)
        focusOption(t);
    else
        focusFirstField(t);
    emit commandsChanged();
}

void FormMain::Chk_Click(int t) {
    Opt_Click(t);
}

// ---- The calculation cycle ----

void FormMain::LeerDATOS() {
    engine::EquilAB& e = m_state.engine;
    e.ClearIOValues();
    e.CalcError = 0;
    if (m_state.TaskIndex < 1) return;
    TaskPanel& k = task(m_state.TaskIndex);
    for (int i = 0; i < m_state.InputRowCount; ++i) {
        const ValueField* field = k.rows[i].field;
        if (field->isHidden() || field->text().trimmed().isEmpty()) continue;
        e.IOValues[i] =
            numtext::ParseNumber(field->text().toStdString(), m_state.numbers, e.CalcError);
        syncSeparatorMarks();
        if (e.CalcError != 0) {
            e.IOValues[i] = engine::EmptyValue;
            return;
        }
    }
}

void FormMain::EscribirDATOS() {
    if (m_state.TaskIndex < 1) return;
    TaskPanel& k = task(m_state.TaskIndex);
    m_state.SuppressFieldEvents = true;
    std::int16_t formatError = 0; // the engine's CalcError was read before writing
    for (int i = 0; i < RowsPerTask; ++i) {
        ValueField* field = k.rows[i].field;
        const double v = m_state.engine.IOValues[i];
        if (engine::IsEmpty(v)) {
            if (i >= m_state.InputRowCount) field->hide();
            continue;
        }
        field->setText(QString::fromStdString(numtext::FormatNumber(
            v, m_state.SigDigits, m_state.numbers.DecimalSeparator, formatError)));
        field->setCursorPosition(0);
        field->show();
    }
    m_state.SuppressFieldEvents = false;
    PosicionaIOControls();
}

void FormMain::LblCAL_Click(int t) {
    setGraphicEnabled(t, false);
    task(t).status->clearMessage();
    LeerDATOS();
    engine::EquilAB& e = m_state.engine;
    const engine::ProblemType* problem = engine::FindProblem(engine::FormProblemCode(
        m_state.TaskIndex, m_state.OptionIndex, m_state.FirstDissociationComplete != 0));
    if (problem == nullptr) return; // no option chosen: nothing to calculate
    if (e.CalcError != 0) {
        m_desktop.showMessage(this, "Error", calc::ReadingErrorMessage,
                              widgets::MessageKind::Warning);
        calc::ClearResults(*problem, e);
        EscribirDATOS();
        return;
    }
    const calc::Outcome outcome = calc::Calculate(*problem, e);
    m_state.ModelStatus = e.CalcError == 0 ? ModelStatusText(e) : QString();
    if (outcome.status == calc::Status::CalculationError) {
        EscribirDATOS();
        m_desktop.showDetailedMessage(this, "Error", calc::CalculationErrorMessage,
                                      QString::fromStdString(outcome.reason),
                                      widgets::MessageKind::Warning);
        return;
    }
    const bool complete = outcome.status == calc::Status::Ok;
    setGraphicEnabled(t, complete);
    // Not a failure, so no box: the line under the buttons says what else would complete it.
    TaskPanel& k = task(t);
    if (!complete)
        k.status->setMessage(QString::fromStdString(outcome.reason));
    else if (!m_state.ModelStatus.isEmpty())
        k.status->setMessage(outcome.reason.empty() ? m_state.ModelStatus
                                                    : m_state.ModelStatus + "; " +
                                                          QString::fromStdString(outcome.reason));
    EscribirDATOS();
}

void FormMain::LblDEL_Click(int t) {
    TaskPanel& k = task(t);
    m_state.SuppressFieldEvents = true;
    for (TaskPanel::Row& row : k.rows)
        row.field->clear();
    for (int i = m_state.InputRowCount; i < RowsPerTask; ++i)
        k.rows[i].field->hide();
    setGraphicEnabled(t, false);
    k.status->clearMessage();
    PosicionaIOControls();
    focusFirstField(t);
    m_state.SuppressFieldEvents = false;
}

void FormMain::LblGRA_Click(int t) {
    TaskPanel& k = task(t);
    for (std::size_t j = 0; j < k.optionButtons.size(); ++j) {
        if (!k.optionButtons[j]->isChecked()) continue;
        const int option = static_cast<int>(j);
        const bool checked = k.check && k.check->isChecked();
        m_state.graph.ProblemCode = engine::FormProblemCode(t, option, checked);
    }
    m_state.graph.TaskTitle = k.title->text().toStdString();
    m_state.graph.GraphTitle = m_state.graph.TaskTitle;
    m_state.graph.GraphKind = 0;
    m_state.graph.GraphConfirmed = false;
    emit graphicRequested();

    // The chooser, then, once a kind is confirmed, the graph window; both modal.
    windows::WindowContext context{
        m_state.graph,     m_state.graphTable,      m_state.engine,          m_state.numbers,
        m_state.SigDigits, m_state.LastGraphFolder, m_state.LastTableFolder, m_programFolder,
        m_desktop,         &m_state.ShowMarks};
    // "Use these values" of a fit: the fitted curve typed into the fields, then calculated.
    context.useValues = [this, t](const engine::Slots& values) {
        LblDEL_Click(t);
        m_state.engine.IOValues = values;
        EscribirDATOS();
        LblCAL_Click(t);
    };
    windows::FormEditGRAF chooser(context, this);
    m_desktop.runDialog(chooser);
    if (!m_state.graph.GraphConfirmed) return;
    windows::FormGraficaAB graph(context, this);
    m_desktop.runDialog(graph);
}

// Only a field the user sees may take the keys: the first field of a task that is not shown,
// or of an option that does not offer it, is skipped.
void FormMain::focusFirstField(int t) {
    ValueField* first = task(t).rows[0].field;
    if (first->isVisible()) first->setFocus();
}

// The chosen option, or the first while none is. Options take the focus from Tab, not from a
// click, so a click still leaves it in the first field.
void FormMain::focusOption(int t) {
    const TaskPanel& k = task(t);
    for (OptionButton* b : k.optionButtons)
        if (b->isChecked()) return b->setFocus(Qt::TabFocusReason);
    if (!k.optionButtons.empty()) k.optionButtons.front()->setFocus(Qt::TabFocusReason);
}

void FormMain::setGraphicEnabled(int t, bool enabled) {
    task(t).graphic->setEnabled(enabled);
    emit commandsChanged();
}

// ---- Value field editing ----

void FormMain::onFieldChanged(int index) {
    if (m_state.SuppressFieldEvents) return;
    const int t = index / RowsPerTask + 1;
    TaskPanel& k = task(t);
    ValueField* changed = k.rows[index % RowsPerTask].field;
    if (changed->tag == QLatin1String("H")) {
        m_state.SuppressFieldEvents = true;
        for (int i = 0; i < engine::InputRowCount(t); ++i) {
            ValueField* other = k.rows[i].field;
            if (other != changed && other->tag == QLatin1String("H")) other->clear();
        }
        m_state.SuppressFieldEvents = false;
    }
    if (k.graphic->isEnabled()) setGraphicEnabled(t, false);
}

void FormMain::onFieldEnter(int index) {
    const int next = index + 1;
    if (next >= RowsPerTask * 5) return;
    ValueField* field = task(next / RowsPerTask + 1).rows[next % RowsPerTask].field;
    if (field->isVisible()) field->setFocus(Qt::TabFocusReason);
}

// ---- Layout ----

void FormMain::PosicionaIOControls() {
    if (m_state.TaskIndex < 1) return;
    task(m_state.TaskIndex).layOutFields(engine::InputRowCount(m_state.TaskIndex));
}

void FormMain::LoadImgFORMULAS(const QString& code, const QString& extension) {
    if (m_state.TaskIndex < 1) return;
    task(m_state.TaskIndex).loadFormulaPictures(m_programFolder + "/img/", code, extension);
}

void FormMain::Form_Resize() {
    if (isMinimized()) return;
    const int W = m_client->width(), H = m_client->height();
    for (int t = 1; t <= 5; ++t)
        task(t).layOutArea(W, H);
    m_freeMixture->setGeometry(4, 40, W - 8, H - 44);
    m_firstLook->setGeometry(4, 40, W - 8, H - 44);
    PosicionaIOControls();
}

bool FormMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

// ---- Settings and menus ----

void FormMain::syncSeparatorMarks() {
    m_menus->showSeparator(m_state.numbers.DecimalSeparator);
}

void FormMain::setActivityMarks() {
    m_menus->showActivity(m_state.engine.Activity == engine::ActivityModel::Davies,
                          m_state.TemperatureGiven);
}

void FormMain::mnu_Archivo_Salir_Click() {
    close();
}

// From the menu or its keys (Alt+1 to Alt+5, Ctrl+Tab), a task without an option chosen
// gives the focus to its options.
void FormMain::mnu_TIPO_CAL_Click(int n) {
    LblMENU_Click(n);
    if (!task(n).rows[0].field->isVisible()) focusOption(n);
}

void FormMain::mnu_Config_SepaDec_PTO_Click() {
    m_state.numbers.DecimalSeparator = '.';
    syncSeparatorMarks();
}

void FormMain::mnu_Config_SepaDec_COM_Click() {
    m_state.numbers.DecimalSeparator = ',';
    syncSeparatorMarks();
}

void FormMain::mnu_NDIG_Click(int n) {
    if (n < 4 || n > 12) return;
    m_state.SigDigits = n;
    m_menus->showDigits(n);
}

void FormMain::mnu_valor_pkw_C_Click(int n) {
    m_state.engine.SetPKw(n == 0 ? 14.0 : 13.59);
    m_state.TemperatureGiven = false;
    m_menus->showPKw(n);
    setActivityMarks();
    clearAllTasks();
}

void FormMain::mnu_Activity_Click(int n) {
    m_state.engine.Activity = n == 1 ? engine::ActivityModel::Davies : engine::ActivityModel::Ideal;
    setActivityMarks();
    clearAllTasks();
}

void FormMain::mnu_Temperature_Click() {
    TemperatureDialog dialog(m_state.engine.Temperature, this);
    if (m_desktop.runDialog(dialog)) {
        m_state.engine.SetTemperature(dialog.celsius());
        m_state.TemperatureGiven = true;
        m_menus->showPKw(-1);
        clearAllTasks();
    }
    setActivityMarks();
}

void FormMain::clearAllTasks() {
    const int taskIndex = m_state.TaskIndex, rows = m_state.InputRowCount;
    for (int t = 1; t <= 5; ++t) {
        m_state.TaskIndex = t;
        m_state.InputRowCount = engine::InputRowCount(t);
        LblDEL_Click(t);
    }
    m_state.TaskIndex = taskIndex;
    m_state.InputRowCount = rows;
}

void FormMain::mnu_Ayuda_Manual_Click() {
    const QString path =
        QDir(m_programFolder)
            .absoluteFilePath(QString("Manual_%1.pdf").arg(installation::ApplicationName));
    const QString failure = "Sorry, cannot find/open file " + path;
    if (QFileInfo::exists(path))
        widgets::OpenOrWarn(m_desktop, this, QUrl::fromLocalFile(path), "Error", failure);
    else
        m_desktop.showMessage(this, "Error", failure, widgets::MessageKind::Warning);
}

void FormMain::mnu_Ayuda_WEB_Click() {
    widgets::OpenOrWarn(m_desktop, this, QUrl(installation::WebSite),
                        installation::ApplicationTitle,
                        QString("Sorry, cannot connect to %1").arg(installation::WebSiteName));
}

void FormMain::mnu_Ayuda_DONA_Click() {
    widgets::OpenOrWarn(m_desktop, this, QUrl(installation::DonationPage),
                        installation::ApplicationTitle,
                        QString("Sorry, cannot connect to %1").arg(installation::WebSiteName));
}

void FormMain::mnu_Ayuda_Acerca_Click() {
    if (m_about) m_about();
}

void FormMain::mnu_Constants_Click() {
    m_constants->run();
}

void FormMain::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void FormMain::Form_Unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    StoredSettings s;
    s.decimalSeparator = m_state.numbers.DecimalSeparator;
    s.sigDigits = m_state.SigDigits;
    s.lastGraphFolder = m_state.LastGraphFolder;
    s.lastTableFolder = m_state.LastTableFolder;
    s.showMarks = m_state.ShowMarks;
    s.activity = m_state.engine.Activity;
    if (m_state.TemperatureGiven) s.temperature = m_state.engine.Temperature;
    WriteSettings(m_store, s, m_state.engine.Kw);
    m_freeMixture->writeSettings(m_store);
    if (!m_store.flush())
        qWarning("Settings could not be saved to %s", qPrintable(m_store.fileName()));
}

} // namespace corvane::mainwin
