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
#include "resultsexport.h"
#include "settings.h"
#include "statusline.h"
#include "taskkeys.h"

#include "engine/catalogue.h"
#include "engine/determining.h"
#include "numtext/numbertext.h"
#include "plot/export.h"
#include "widgets/buttonbar.h"
#include "widgets/desktop.h"
#include "windows/formeditgraf.h"
#include "windows/formgraficaab.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QRadioButton>

#include <algorithm>
#include <cmath>

namespace corvane::mainwin {

namespace {

constexpr int RowsPerTask = 15;
constexpr int HeadingPoints = 9;
constexpr int TabWidth = 156;
constexpr int TabHeight = 34;
constexpr int ButtonWidth = 100;
constexpr int ButtonHeight = 30;
constexpr int StatusLineHeight = 16;

const QColor ChosenTabColor(64, 64, 128);
const QColor OtherTabColor(96, 96, 96);
const QColor PressedTabColor(40, 40, 40);
const QColor OptionPanelColor(240, 244, 255);
const QColor FieldPanelColor(248, 250, 255);
const QColor FrameColor(168, 178, 206);

void setTextColor(QLabel* label, const QColor& color) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
}

void setBold(QWidget* w, bool bold) {
    QFont f = w->font();
    f.setBold(bold);
    w->setFont(f);
}

QFrame* line(QWidget* parent) {
    auto* frame = new QFrame(parent);
    widgets::PaintBackground(frame, FrameColor);
    return frame;
}

// A horizontal line from x1 to x2 at y.
void placeLine(QFrame* l, int x1, int x2, int y) {
    l->setGeometry(x1, y, std::max(x2 - x1, 1), 1);
}

// Round to the nearest whole number, halves to the even neighbour.
int roundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

void surround(QFrame* frame, const QWidget* panel) {
    frame->setGeometry(panel->geometry().adjusted(-1, -1, 1, 1));
}

} // namespace

struct FormMain::Task {
    struct Row {
        QLabel* heading;
        QLabel* symbol;
        ValueField* field;
        QFrame* frame;
        QString headingText;
        QString symbolText;
    };

    int t;
    QWidget* area;
    QLabel* title;
    QString titlePrefix; // the title label's Tag
    QWidget* options;
    QFrame* optionsFrame;
    std::vector<OptionButton*> optionButtons;
    QWidget* checkPanel = nullptr; // tasks 1, 3, 5
    QFrame* checkLine = nullptr;
    QCheckBox* check = nullptr;
    QWidget* io;
    QFrame* ioFrame;
    QFrame* ioLine;
    std::array<Row, RowsPerTask> rows;
    PictureButton* calculate;
    PictureButton* clear;
    PictureButton* graphic;
    StatusLine* status; // below the buttons
    QWidget* formulas;
    QFrame* formulasFrame;
    QLabel* formula;
    QLabel* extra;
    QFrame* formulaLine;
    bool formulaFound = false;
    bool extraFound = false;
    QLabel* tabPicture;
    ClickLabel* tabCaption;
    QPoint tabHome;
};

struct FormMain::Menus {
    QAction* copyResults;
    QAction* saveResults;
    QAction* exit;
    std::array<QAction*, 6> tasks{};
    QAction* point;
    QAction* comma;
    std::array<QAction*, 13> digits{};
    std::array<QAction*, 2> pKw{};
    std::array<QAction*, 2> activity{};
    QAction* temperature;
    QAction* constants;
    QMenu* type;
};

FormMain::FormMain(SettingsStore& store, widgets::Desktop& desktop, const QString& programFolder,
                   QWidget* parent)
    : QMainWindow(parent), m_store(store), m_desktop(desktop), m_programFolder(programFolder),
      m_loaded(ReadSettings(store)), m_state(m_loaded.pKw), m_menus(std::make_unique<Menus>()) {
    setWindowTitle("Quellwerk - Acid - base equilibrium");
    m_client = new QWidget(this);
    m_client->setMinimumSize(800, 600);
    setCentralWidget(m_client);
    m_client->installEventFilter(this);

    buildMenus();
    updateResultsCommands();
    for (int t = 1; t <= 5; ++t)
        buildTask(t);
    m_constants = new ConstantsCommand(*this, m_desktop, m_menus->constants);
    m_freeMixture = new FreeMixtureTask(m_state, m_desktop, m_programFolder, m_client, this);
    m_freeMixture->readSettings(m_store);
    connect(m_freeMixture, &FreeMixtureTask::tabClicked, this,
            [this] { LblMENU_Click(FreeMixtureTask::TabNumber); });
    m_keys = new TaskKeys(*this, m_menus->type);
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
    setPKwMarks(s.pKw == 14.0 ? 0 : s.pKw == 13.59 ? 1 : -1);
    m_state.engine.Activity = s.activity;
    if (s.temperature) {
        m_state.engine.SetTemperature(*s.temperature);
        m_state.TemperatureGiven = true;
        setPKwMarks(-1);
    }
    setActivityMarks();
    for (int n = 1; n <= 5; ++n)
        m_menus->tasks[n]->setText(engine::Task(n).caption.data());
    resize(900, 680);
}

FormMain::~FormMain() = default;

FormMain::Task& FormMain::task(int t) const {
    return *m_tasks.at(t);
}

void FormMain::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    m_menus->copyResults =
        file->addAction("Copy results", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this,
                        &FormMain::mnu_CopyResults_Click);
    m_menus->saveResults =
        file->addAction("Save results as...", this, &FormMain::mnu_SaveResults_Click);
    file->addSeparator();
    m_menus->exit = file->addAction("&Exit", QKeySequence(Qt::CTRL | Qt::Key_F4), this,
                                    &FormMain::mnu_Archivo_Salir_Click);

    QMenu* type = menuBar()->addMenu("&Type of calculation");
    m_menus->type = type;
    for (int n = 1; n <= 5; ++n) {
        QAction* a = type->addAction(engine::Task(n).caption.data(), this,
                                     [this, n] { mnu_TIPO_CAL_Click(n); });
        a->setCheckable(true);
        m_menus->tasks[n] = a;
    }
    type->addSeparator();
    m_menus->constants = type->addAction("Constants...", QKeySequence(Qt::CTRL | Qt::Key_K), this,
                                         &FormMain::mnu_Constants_Click);

    QMenu* setup = menuBar()->addMenu("&Setup");
    QMenu* separator = setup->addMenu("&Decimal separator");
    m_menus->point =
        separator->addAction("[ . ] Point", this, &FormMain::mnu_Config_SepaDec_PTO_Click);
    m_menus->comma =
        separator->addAction("[ , ] Comma", this, &FormMain::mnu_Config_SepaDec_COM_Click);
    m_menus->point->setCheckable(true);
    m_menus->comma->setCheckable(true);
    setup->addSeparator();
    QMenu* digits = setup->addMenu("&Significant digits");
    for (int n = 4; n <= 12; ++n) {
        QAction* a =
            digits->addAction(QString("%1 digits").arg(n), this, [this, n] { mnu_NDIG_Click(n); });
        a->setCheckable(true);
        m_menus->digits[n] = a;
    }
    setup->addSeparator();
    QMenu* water = setup->addMenu("Ionic product of water &Kw");
    m_menus->pKw[0] = water->addAction(QString::fromUtf8("pKw = 14.00   (25 °C)"), this,
                                       [this] { mnu_valor_pkw_C_Click(0); });
    m_menus->pKw[1] = water->addAction(QString::fromUtf8("pKw = 13.59   (37 °C)"), this,
                                       [this] { mnu_valor_pkw_C_Click(1); });
    for (QAction* a : m_menus->pKw)
        a->setCheckable(true);
    setup->addSeparator();
    QMenu* activity = setup->addMenu("Activity coefficients");
    m_menus->activity[0] =
        activity->addAction("Ideal solution", this, [this] { mnu_Activity_Click(0); });
    m_menus->activity[1] =
        activity->addAction("Davies equation", this, [this] { mnu_Activity_Click(1); });
    for (QAction* a : m_menus->activity)
        a->setCheckable(true);
    m_menus->temperature =
        setup->addAction("Temperature...", this, &FormMain::mnu_Temperature_Click);
    m_menus->temperature->setCheckable(true);

    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction("User's &Manual (PDF document)...", QKeySequence(Qt::Key_F1), this,
                    &FormMain::mnu_Ayuda_Manual_Click);
    help->addSeparator();
    help->addAction(QString("Home page: %1...").arg(installation::WebSiteName), this,
                    &FormMain::mnu_Ayuda_WEB_Click);
    help->addAction("Make a donation...", this, &FormMain::mnu_Ayuda_DONA_Click);
    help->addAction("&About...", this, &FormMain::mnu_Ayuda_Acerca_Click);
}

void FormMain::buildTask(int t) {
    auto owned = std::make_unique<Task>();
    Task& k = *owned;
    const engine::TaskInfo& info = engine::Task(t);
    k.t = t;

    k.tabPicture = new QLabel(m_client);
    k.tabPicture->setPixmap(TabPicture(false, TabWidth, TabHeight));
    k.tabHome = QPoint((t - 1) * TabWidth + 6, 2);
    k.tabPicture->setGeometry(QRect(k.tabHome, QSize(TabWidth, TabHeight)));
    k.tabCaption = new ClickLabel(info.caption.data(), m_client);
    k.tabCaption->setAlignment(Qt::AlignCenter);
    k.tabCaption->setGeometry(k.tabHome.x(), k.tabHome.y() + 4, TabWidth, TabHeight - 6);
    QFont tabFont("Arial", 10);
    k.tabCaption->setFont(tabFont);
    setTextColor(k.tabCaption, OtherTabColor);
    k.tabCaption->setCursor(Qt::PointingHandCursor);
    connect(k.tabCaption, &ClickLabel::pressed, this, [this, t] {
        Task& own = task(t);
        own.tabPicture->move(own.tabHome + QPoint(1, 1));
        own.tabCaption->move(own.tabHome + QPoint(1, 5));
        if (t != m_state.TaskIndex) setTextColor(own.tabCaption, PressedTabColor);
    });
    connect(k.tabCaption, &ClickLabel::released, this, [this, t] {
        Task& own = task(t);
        own.tabPicture->move(own.tabHome);
        own.tabCaption->move(own.tabHome + QPoint(0, 4));
        setTextColor(own.tabCaption, t == m_state.TaskIndex ? ChosenTabColor : OtherTabColor);
    });
    connect(k.tabCaption, &ClickLabel::clicked, this, [this, t] { LblMENU_Click(t); });
    DescribeTab(k.tabCaption, t);

    k.area = new QWidget(m_client);
    widgets::PaintBackground(k.area, Qt::white);
    k.area->hide();

    k.title = new QLabel(info.titleBeforeOption.data(), k.area);
    k.titlePrefix = info.titlePrefix.data();
    QFont titleFont("Arial", 11);
    titleFont.setBold(true);
    k.title->setFont(titleFont);
    setTextColor(k.title, ChosenTabColor);

    k.optionsFrame = widgets::BorderFrame(k.area);
    k.options = new QWidget(k.area);
    widgets::PaintBackground(k.options, OptionPanelColor);
    for (std::size_t j = 0; j < info.options.size(); ++j) {
        auto* b = new OptionButton(info.options[j].data(), k.options);
        b->setFont(QFont("Arial", 9));
        b->setFocusPolicy(Qt::TabFocus);
        DescribeOption(b, info.caption.data());
        b->setGeometry(10, 6 + static_cast<int>(j) * (t == 4 ? 21 : 14), 520, t == 4 ? 20 : 14);
        connect(b, &QRadioButton::clicked, this, [this, t] { Opt_Click(t); });
        k.optionButtons.push_back(b);
    }

    if (info.hasCheckBox) {
        k.checkPanel = new QWidget(k.area);
        widgets::PaintBackground(k.checkPanel, OptionPanelColor);
        k.checkLine = line(k.checkPanel);
        k.check = new QCheckBox(engine::CheckBoxCaption.data(), k.checkPanel);
        k.check->setFont(QFont("Arial", 9));
        k.check->move(10, 6);
        k.check->adjustSize();
        connect(k.check, &QCheckBox::clicked, this, [this, t] { Chk_Click(t); });
        k.checkPanel->hide();
    }

    k.ioFrame = widgets::BorderFrame(k.area);
    k.io = new QWidget(k.area);
    widgets::PaintBackground(k.io, FieldPanelColor);
    k.io->hide();
    k.ioFrame->hide();
    k.ioLine = line(k.io);
    for (int i = 0; i < RowsPerTask; ++i) {
        Task::Row& row = k.rows[i];
        const int index = RowsPerTask * (t - 1) + i;
        row.frame = widgets::BorderFrame(k.io);
        // The frame is drawn over the field's edge and lets the clicks through.
        row.frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        row.heading = new QLabel(k.io);
        row.heading->setFont(QFont("Arial", HeadingPoints));
        setTextColor(row.heading, QColor(70, 78, 110));
        row.symbol = new QLabel(k.io);
        row.field = new ValueField(index, k.io);
        row.field->setFrame(false);
        row.field->setTextMargins(1, 0, 1, 0);
        row.field->setReadOnly(i >= info.inputRowCount);
        connect(row.field, &QLineEdit::textChanged, this, [this, index] {
            updateResultsCommands();
            onFieldChanged(index);
        });
        connect(row.field, &ValueField::enterPressed, this, &FormMain::onFieldEnter);
        for (QWidget* w : {static_cast<QWidget*>(row.frame), static_cast<QWidget*>(row.heading),
                           static_cast<QWidget*>(row.symbol), static_cast<QWidget*>(row.field)})
            w->hide();
    }
    const QPixmap enabledLook = ButtonPicture(true, ButtonWidth, ButtonHeight);
    const QPixmap disabledLook = ButtonPicture(false, ButtonWidth, ButtonHeight);
    k.calculate = new PictureButton("&Calculate", k.io);
    k.clear = new PictureButton("C&lear", k.io);
    k.graphic = new PictureButton("&Graphic", k.io);
    for (PictureButton* b : {k.calculate, k.clear, k.graphic})
        b->setLooks(enabledLook, enabledLook);
    k.graphic->setLooks(enabledLook, disabledLook); // ImgWARE(1), ImgWARE(0)
    k.graphic->setEnabled(false);
    connect(k.calculate, &QAbstractButton::clicked, this, [this, t] { LblCAL_Click(t); });
    connect(k.clear, &QAbstractButton::clicked, this, [this, t] { LblDEL_Click(t); });
    connect(k.graphic, &QAbstractButton::clicked, this, [this, t] { LblGRA_Click(t); });
    DescribeCommands(k.calculate, k.clear, k.graphic, k.check);
    k.status = new StatusLine(k.io);

    k.formulasFrame = widgets::BorderFrame(k.area);
    k.formulas = new QWidget(k.area);
    widgets::PaintBackground(k.formulas, Qt::white);
    k.formula = new QLabel(k.formulas);
    k.extra = new QLabel(k.formulas);
    k.formulaLine = line(k.formulas);
    k.formula->hide();
    k.extra->hide();
    k.formulaLine->hide();

    m_tasks[t] = std::move(owned);
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
    Task& k = task(t);
    if (k.check) m_state.FirstDissociationComplete = k.check->isChecked() ? 1 : 0;
    for (std::size_t j = 0; j < k.optionButtons.size(); ++j)
        if (k.optionButtons[j]->isChecked()) m_state.OptionIndex = static_cast<int>(j);
    PosicionaIOControls();
    focusFirstField(t);
    emit commandsChanged();
}

// Task t's tab and area chosen, the other tasks' not.
void FormMain::showTask(int t) {
    for (int j = 1; j <= 5; ++j) {
        Task& k = task(j);
        const bool chosen = j == t;
        setTextColor(k.tabCaption, chosen ? ChosenTabColor : OtherTabColor);
        k.tabPicture->setPixmap(TabPicture(chosen, TabWidth, TabHeight));
        k.area->setVisible(chosen);
        setBold(k.tabCaption, chosen);
        m_menus->tasks[j]->setChecked(chosen);
    }
    updateResultsCommands();
}

std::vector<ResultRow> FormMain::shownResults() const {
    std::vector<ResultRow> rows;
    if (m_state.TaskIndex < 1) return rows;
    for (const Task::Row& row : task(m_state.TaskIndex).rows)
        if (!row.field->isHidden() && !row.field->text().isEmpty())
            rows.push_back({row.symbolText, row.field->text(), HeadingUnit(row.headingText)});
    return rows;
}

QString FormMain::resultsTitle() const {
    return m_state.TaskIndex < 1 ? QString() : task(m_state.TaskIndex).title->text();
}

void FormMain::updateResultsCommands() {
    const bool any = !shownResults().empty();
    m_menus->copyResults->setEnabled(any);
    m_menus->saveResults->setEnabled(any);
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
        this, "Save", table::StartFolder(m_state.LastTableFolder, m_programFolder),
        {textFilter, csvFilter, table::AllFilesFilter}, &filter);
    if (path.isEmpty()) return;
    m_state.LastTableFolder = table::FolderOf(path);
    const bool csv = filter == csvFilter || path.endsWith(".csv", Qt::CaseInsensitive);
    const QByteArray bytes =
        (csv ? ResultsCsv(resultsTitle(), rows, m_state.numbers.DecimalSeparator)
             : ResultsText(resultsTitle(), rows))
            .toUtf8();
    const table::SaveResult result = table::SaveAtomically(
        path, [&](QIODevice& file) { return file.write(bytes) == bytes.size(); });
    if (!result.ok)
        m_desktop.showMessage(
            this, "Error",
            table::SaveFailureText("Error: Impossible to save the results:", path, result, false),
            widgets::MessageKind::Warning);
}

void FormMain::Opt_Click(int t) {
    Task& k = task(t);
    const bool fromKeyboard = std::any_of(k.optionButtons.begin(), k.optionButtons.end(),
                                          [](const OptionButton* b) { return b->handlingKey(); });
    setGraphicEnabled(t, false);
    LblDEL_Click(t);
    if (k.checkPanel) k.checkPanel->hide();
    k.io->show();
    k.ioFrame->show();
    if (k.check) m_state.FirstDissociationComplete = k.check->isChecked() ? 1 : 0;
    bool checked = false;
    for (std::size_t j = 0; j < k.optionButtons.size(); ++j) {
        OptionButton* b = k.optionButtons[j];
        setBold(b, b->isChecked());
        if (!b->isChecked()) continue;
        const int option = static_cast<int>(j);
        m_state.OptionIndex = option;
        checked = k.check && k.check->isChecked() && engine::IsCCapable(t, option);
        m_state.ProblemCode = QString::fromStdString(engine::FormProblemCode(t, option, checked));
        k.title->setText(QString::fromStdString(engine::FormTaskTitle(t, option, checked)));
        if (engine::IsCCapable(t, option) && k.checkPanel) k.checkPanel->show();
    }
    LoadImgFORMULAS(m_state.ProblemCode, ".gif");

    for (Task::Row& row : k.rows) {
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
            Task::Row& row = k.rows[slot.slot];
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
    Task& k = task(m_state.TaskIndex);
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
    Task& k = task(m_state.TaskIndex);
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
    auto clearResults = [&] {
        for (int i = m_state.InputRowCount; i < engine::SlotCount; ++i)
            e.IOValues[i] = engine::EmptyValue;
    };
    if (e.CalcError != 0) {
        m_desktop.showMessage(this, "Error", "Invalid input values: Reading error.",
                              widgets::MessageKind::Warning);
        clearResults();
        EscribirDATOS();
        return;
    }
    std::vector<int> given;
    for (int i = 0; i < m_state.InputRowCount; ++i)
        if (engine::IsKnown(e.IOValues[i])) given.push_back(i);
    engine::Dispatch(e, m_state.TaskIndex, m_state.OptionIndex, m_state.FirstDissociationComplete);
    m_state.ModelStatus = e.CalcError == 0 ? ModelStatusText(e) : QString();
    if (e.CalcError != 0) {
        const QString reason = QString::fromStdString(e.CalcErrorReason);
        clearResults();
        EscribirDATOS();
        m_desktop.showDetailedMessage(this, "Error", "Invalid input values: Calculation error.",
                                      reason, widgets::MessageKind::Warning);
        return;
    }
    bool complete = true;
    const Task& k = task(t);
    for (int i = 0; i < m_state.InputRowCount; ++i)
        if (!k.rows[i].field->isHidden() && engine::IsEmpty(e.IOValues[i])) complete = false;
    setGraphicEnabled(t, complete);
    // Not a failure, so no box: the line under the buttons says what else would complete it.
    const engine::ProblemType* problem = engine::FindProblem(m_state.ProblemCode.toStdString());
    if (!complete && problem)
        k.status->setMessage(QString::fromStdString(engine::NotEnoughValuesHint(*problem, given)));
    else if (!m_state.ModelStatus.isEmpty())
        k.status->setMessage(e.ActivityWarning.empty()
                                 ? m_state.ModelStatus
                                 : m_state.ModelStatus + "; " +
                                       QString::fromStdString(e.ActivityWarning));
    EscribirDATOS();
}

void FormMain::LblDEL_Click(int t) {
    Task& k = task(t);
    m_state.SuppressFieldEvents = true;
    for (Task::Row& row : k.rows)
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
    Task& k = task(t);
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
    table::WindowContext context{
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
    graphs::FormEditGRAF chooser(context, this);
    m_desktop.runDialog(chooser);
    if (!m_state.graph.GraphConfirmed) return;
    graphs::FormGraficaAB graph(context, this);
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
    const Task& k = task(t);
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
    Task& k = task(t);
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
    ValueField* field = Text1(next);
    if (field->isVisible()) field->setFocus(Qt::TabFocusReason);
}

// ---- Layout ----

void FormMain::PosicionaIOControls() {
    if (m_state.TaskIndex < 1) return;
    layoutTask(m_state.TaskIndex);
}

void FormMain::layoutTask(int t) {
    Task& k = task(t);
    const int inputRows = engine::InputRowCount(t);
    const int w = std::min(roundHalfEven((k.io->width() - 3) / 3.0), 250);
    const int h = std::min(roundHalfEven((k.io->height() - 6) / 6.0), 90);
    for (int i = 0; i < RowsPerTask; ++i) {
        Task::Row& row = k.rows[i];
        const int column = i % 3;
        const int gridRow = i / 3 + (i >= inputRows ? 1 : 0);
        const int left = column * w + 10;
        const int top = gridRow * h + 8;
        row.heading->setGeometry(left, top, w - 16, 18);
        const QSize picture =
            row.symbol->pixmap().isNull() ? QSize(0, 0) : row.symbol->pixmap().size();
        row.symbol->setGeometry(left, top + 21, picture.width(), picture.height());
        row.field->setGeometry(left + picture.width() + 4, top + 21 + 4, w - picture.width() - 21,
                               20);
        row.frame->setGeometry(row.field->x() - 2, row.field->y() - 3, row.field->width() + 4,
                               20 + 3);
        const bool visible = !row.field->isHidden();
        row.heading->setVisible(visible);
        row.symbol->setVisible(visible);
        row.frame->setVisible(visible);
        row.frame->raise();
        // A heading the fitting rule leaves too wide for the font drawn is set smaller.
        SetFittedText(row.heading, FitHeading(row.headingText, w), HeadingPoints);
    }
    const int buttonRow = t == 5 ? 3 : 2;
    const int buttonTop = buttonRow * h + 8;
    const QLabel* third = k.rows[2].heading;
    const int clearLeft = third->x() + third->width() - ButtonWidth + 3;
    k.clear->moveHome(clearLeft, buttonTop);
    k.calculate->moveHome(clearLeft - ButtonWidth - 10, buttonTop);
    k.graphic->moveHome(k.rows[0].heading->x() - 3, buttonTop);
    const int statusLeft = k.graphic->home().x();
    k.status->setGeometry(statusLeft, buttonTop + ButtonHeight + 2,
                          clearLeft + ButtonWidth - statusLeft, StatusLineHeight);
    placeLine(k.ioLine, 10, k.io->width() - 10, (t == 5 ? 4 : 3) * h + 8 - h / 4);
}

void FormMain::LoadImgFORMULAS(const QString& code, const QString& extension) {
    if (m_state.TaskIndex < 1) return;
    Task& k = task(m_state.TaskIndex);
    const QString folder = m_programFolder + "/img/";
    const QPixmap formula(folder + code + extension);
    k.formulaFound = !formula.isNull();
    k.formula->setPixmap(formula);
    k.formula->resize(formula.size());
    const QPixmap extra(folder + "X" + code + ".jpg");
    k.extraFound = !extra.isNull();
    k.extra->setPixmap(extra);
    k.extra->resize(extra.size());
    placeFormulaPictures(m_state.TaskIndex);
}

void FormMain::placeFormulaPictures(int t) {
    Task& k = task(t);
    const int panelW = k.formulas->width(), panelH = k.formulas->height();
    const int fh = k.formula->height(), xh = k.extra->height();
    if (k.formulaFound && k.extraFound && fh + xh + 10 < panelH) {
        const int third = (panelH - fh - xh - 10) / 3;
        k.formula->move((panelW - k.formula->width()) / 2, third);
        k.extra->move((panelW - k.extra->width()) / 2, third + fh + 10 + third);
        const int bottom = k.formula->y() + fh;
        placeLine(k.formulaLine, 10, panelW - 10, (bottom + k.extra->y()) / 2);
        k.formula->show();
        k.extra->show();
        k.formulaLine->show();
        return;
    }
    k.extra->hide();
    k.formulaLine->hide();
    k.formula->setVisible(k.formulaFound);
    if (k.formulaFound) k.formula->move((panelW - k.formula->width()) / 2, (panelH - fh) / 3);
}

void FormMain::Form_Resize() {
    if (isMinimized()) return;
    const int W = m_client->width(), H = m_client->height();
    for (int t = 1; t <= 5; ++t) {
        Task& k = task(t);
        k.area->setGeometry(4, 40, W - 8, H - 44);
        const int areaW = k.area->width();
        k.title->setGeometry(6, -2, areaW - 12, 24);
        const int optW = (areaW - 6) / 2 + 30;
        k.options->setGeometry(2, 25, optW, t == 4 ? 132 : 90);
        surround(k.optionsFrame, k.options);
        int below = k.options->geometry().bottom() + 1;
        if (k.checkPanel) {
            k.checkPanel->setGeometry(2, below + 4, optW, 30);
            placeLine(k.checkLine, 6, optW - 6, 0);
            below = k.checkPanel->geometry().bottom() + 1;
        }
        const int ioTop = below + 4;
        k.io->setGeometry(2, ioTop, optW, H - ioTop - 47);
        surround(k.ioFrame, k.io);
        k.formulas->setGeometry(2 + optW + 4, 25, (areaW - 14) / 2 - 30, H - 72);
        surround(k.formulasFrame, k.formulas);
        placeFormulaPictures(t);
    }
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
    m_menus->point->setChecked(m_state.numbers.DecimalSeparator == '.');
    m_menus->comma->setChecked(m_state.numbers.DecimalSeparator == ',');
}

void FormMain::setDigitsMarks(int n) {
    for (int d = 4; d <= 12; ++d)
        m_menus->digits[d]->setChecked(d == n);
}

void FormMain::setPKwMarks(int item) {
    for (int i = 0; i < 2; ++i)
        m_menus->pKw[i]->setChecked(i == item);
}

void FormMain::setActivityMarks() {
    const bool davies = m_state.engine.Activity == engine::ActivityModel::Davies;
    m_menus->activity[0]->setChecked(!davies);
    m_menus->activity[1]->setChecked(davies);
    m_menus->temperature->setChecked(m_state.TemperatureGiven);
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
    setDigitsMarks(n);
}

void FormMain::mnu_valor_pkw_C_Click(int n) {
    m_state.engine.SetPKw(n == 0 ? 14.0 : 13.59);
    m_state.TemperatureGiven = false;
    setPKwMarks(n);
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
        setPKwMarks(-1);
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

// ---- Controls by name ----

ValueField* FormMain::Text1(int k) const {
    return task(k / RowsPerTask + 1).rows[k % RowsPerTask].field;
}
QLabel* FormMain::Label1(int k) const {
    return task(k / RowsPerTask + 1).rows[k % RowsPerTask].heading;
}
QLabel* FormMain::Img1(int k) const {
    return task(k / RowsPerTask + 1).rows[k % RowsPerTask].symbol;
}
QFrame* FormMain::ShaIOTX(int k) const {
    return task(k / RowsPerTask + 1).rows[k % RowsPerTask].frame;
}
QRadioButton* FormMain::Opt(int t, int j) const {
    return task(t).optionButtons.at(j);
}
QCheckBox* FormMain::Chk(int t) const {
    return task(t).check;
}
QLabel* FormMain::LblMainTIT(int t) const {
    return task(t).title;
}
ClickLabel* FormMain::LblMENU(int t) const {
    return task(t).tabCaption;
}
QLabel* FormMain::ImgMENU(int t) const {
    return task(t).tabPicture;
}
StatusLine* FormMain::statusLine(int t) const {
    return task(t).status;
}
PictureButton* FormMain::ImgCAL(int t) const {
    return task(t).calculate;
}
PictureButton* FormMain::ImgDEL(int t) const {
    return task(t).clear;
}
PictureButton* FormMain::ImgGRA(int t) const {
    return task(t).graphic;
}
QWidget* FormMain::PicTASK(int t) const {
    return task(t).area;
}
QWidget* FormMain::PicOPT(int t) const {
    return task(t).options;
}
QWidget* FormMain::PicCHK(int t) const {
    return task(t).checkPanel;
}
QWidget* FormMain::PicIO(int t) const {
    return task(t).io;
}
QWidget* FormMain::PicFOR(int t) const {
    return task(t).formulas;
}
QLabel* FormMain::ImgFOR(int t) const {
    return task(t).formula;
}
QLabel* FormMain::ImgFORX(int t) const {
    return task(t).extra;
}
QFrame* FormMain::Line1(int t) const {
    return task(t).formulaLine;
}
QFrame* FormMain::LineIO(int t) const {
    return task(t).ioLine;
}
QAction* FormMain::mnu_Config_SepaDec_PTO() const {
    return m_menus->point;
}
QAction* FormMain::mnu_Config_SepaDec_COM() const {
    return m_menus->comma;
}
QAction* FormMain::mnu_NDIG(int n) const {
    return m_menus->digits.at(n);
}
QAction* FormMain::mnu_valor_pkw_C(int n) const {
    return m_menus->pKw.at(n);
}
QAction* FormMain::mnu_Activity(int n) const {
    return m_menus->activity.at(n);
}
QAction* FormMain::mnu_Temperature() const {
    return m_menus->temperature;
}
QAction* FormMain::mnu_TIPO_CAL(int n) const {
    return m_menus->tasks.at(n);
}
QAction* FormMain::mnu_Constants() const {
    return m_menus->constants;
}
QAction* FormMain::mnu_CopyResults() const {
    return m_menus->copyResults;
}
QAction* FormMain::mnu_SaveResults() const {
    return m_menus->saveResults;
}
QWidget* FormMain::client() const {
    return m_client;
}

} // namespace corvane::mainwin
