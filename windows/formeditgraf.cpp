#include "formeditgraf.h"

#include "engine/slots.h"
#include "graphs/catalogue.h"
#include "graphs/extrafields.h"
#include "graphs/scales.h"
#include "markup/renderer.h"
#include "widgets/buttonbar.h"
#include "widgets/desktop.h"
#include "widgets/pictureview.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <string_view>

namespace corvane::windows {

namespace {

constexpr int MinimumWidth = 620;
constexpr int FirstRowTop = 58;
constexpr int RowStep = 28;
constexpr int RowHeight = 25;
constexpr int OptionLeft = 15;
constexpr int OptionWidth = 30;
constexpr int PictureLeft = OptionLeft + OptionWidth;
constexpr int PictureRightMargin = 30;
constexpr int TitleX = 90; // twips
constexpr int TitleY = 30;
constexpr int InstructionBottom = 50;
constexpr int ContentMargin = 10;
constexpr int PanelHeight = 58;
constexpr int BarHeight = 48;
constexpr int VolumeSlot = engine::slot::buffer::Volume;
constexpr int ConcentrationSlot = engine::slot::buffer::AddedConcentration;

const QColor HighlightColor(0, 64, 128);
const QString VolumeCaption = QStringLiteral(" Volume (mL) of buffer solution");
const QString AcidCaption = QStringLiteral(" Concentration (mol/L) of added strong acid");
const QString BaseCaption = QStringLiteral(" Concentration (mol/L) of added strong base");

int ShownRows(const std::vector<int>& offered) {
    return std::min(static_cast<int>(offered.size()), FormEditGRAF::Rows);
}

std::vector<QString> RowTitles(const std::vector<int>& offered) {
    const graphs::GraphCatalogue& catalogue = graphs::Catalogue();
    std::vector<QString> titles;
    for (int kind : offered)
        titles.push_back(QString::fromStdString(graphs::ListTitle(catalogue.GraphKindTitle[kind])));
    return titles;
}

// How many pixels the title pictures need: the widest title drawn from TitleX, as much room after
// it as before it.
int TitlePictureWidth(const std::vector<QString>& titles) {
    const markup::PictureSurface probe(1, 1, Qt::white);
    const double twips = markup::PictureSurface::ScreenTwipsPerPixel;
    int width = MinimumWidth - PictureRightMargin - PictureLeft;
    for (const QString& title : titles) {
        markup::MeasuringSurface measure(probe);
        measure.setCurrentX(TitleX);
        measure.setCurrentY(TitleY);
        markup::DrawMarkup(title, measure);
        width = std::max(width, static_cast<int>(std::ceil((measure.currentX() + TitleX) / twips)));
    }
    return width;
}

// As tall as the rows shown, with the extra panel under the lowest row that can open it.
int WindowHeight(std::string_view code, const std::vector<int>& offered) {
    int contentBottom = InstructionBottom;
    for (int r = 0; r < ShownRows(offered); ++r) {
        const int rowBottom = FirstRowTop + RowStep * r + RowHeight;
        const bool panel = graphs::NeedsExtraFields(code, offered[r]);
        contentBottom = std::max(contentBottom, rowBottom + (panel ? PanelHeight : 0) + 1);
    }
    return contentBottom + ContentMargin + BarHeight;
}

} // namespace

bool ExtraField::Keeps(QChar c) {
    return c.isDigit() || QStringLiteral(".,eE-+/%").contains(c);
}

void ExtraField::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool clipboard = event->matches(QKeySequence::Copy) ||
                           event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste);
    const bool character = text.size() == 1 && text[0].isPrint();
    if (!clipboard && character && !Keeps(text[0])) return;
    QLineEdit::keyPressEvent(event);
}

void ExtraField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

FormEditGRAF::FormEditGRAF(WindowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setWindowTitle("Edit type of graphic");
    const std::string& code = context.graph.ProblemCode;
    const std::vector<int> offered = graphs::OfferedKinds(graphs::Catalogue(), code);
    const std::vector<QString> titles = RowTitles(offered);
    const int pictureWidth = TitlePictureWidth(titles);
    const int width = PictureLeft + pictureWidth + PictureRightMargin;
    const int height = WindowHeight(code, offered);
    setFixedSize(width, height);

    addHeading(width);
    addHighlight();
    addRows(offered, titles, pictureWidth);
    addExtraPanel(pictureWidth);
    addButtonBar(width, height);
    loadChoice();
}

void FormEditGRAF::addHeading(int width) {
    m_heading = new QLabel(QString::fromStdString(m_context.graph.TaskTitle), this);
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_heading->setGeometry(OptionLeft, 8, width - 2 * OptionLeft, 20);
    auto* instruction = new QLabel("Select a type of graphic", this);
    instruction->setGeometry(OptionLeft, 30, width - 2 * OptionLeft, 20);
}

void FormEditGRAF::addHighlight() {
    m_highlight = widgets::BorderFrame(this);
    QPalette frame = m_highlight->palette();
    frame.setColor(QPalette::WindowText, HighlightColor);
    m_highlight->setPalette(frame);
    m_highlight->setLineWidth(1);
}

// All Rows rows exist; those past the offered kinds stay hidden with kind 0.
void FormEditGRAF::addRows(const std::vector<int>& offered, const std::vector<QString>& titles,
                           int pictureWidth) {
    const int shown = ShownRows(offered);
    for (int r = 0; r < Rows; ++r) {
        const int top = FirstRowTop + RowStep * r;
        m_options[r] = new QRadioButton(this);
        m_options[r]->setGeometry(OptionLeft, top, OptionWidth, RowHeight);
        m_pictures[r] = new widgets::PictureView(pictureWidth, RowHeight, Qt::white, this);
        m_pictures[r]->move(PictureLeft, top);
        m_options[r]->setVisible(r < shown);
        m_pictures[r]->setVisible(r < shown);
        if (r < shown) offerKind(r, offered[r], titles[r]);
    }
}

void FormEditGRAF::offerKind(int r, int kind, const QString& title) {
    m_kinds[r] = kind;
    m_extra[r] = graphs::NeedsExtraFields(m_context.graph.ProblemCode, kind);
    m_options[r]->setObjectName(QString::number(kind));
    markup::PictureSurface& surface = m_pictures[r]->surface();
    surface.clear();
    surface.setCurrentX(TitleX);
    surface.setCurrentY(TitleY);
    markup::DrawMarkup(title, surface);
    connect(m_options[r], &QRadioButton::clicked, this, [this, r] { selectRow(r); });
    m_options[r]->installEventFilter(this);
    m_pictures[r]->installEventFilter(this);
}

void FormEditGRAF::addExtraPanel(int pictureWidth) {
    m_panel = new QWidget(this);
    m_panel->setFixedSize(pictureWidth, PanelHeight);
    m_volumeLabel = new QLabel(VolumeCaption, m_panel);
    m_volumeLabel->setGeometry(0, 4, pictureWidth - 140, 24);
    m_volume = new ExtraField(m_panel);
    m_volume->setGeometry(pictureWidth - 135, 4, 130, 24);
    m_concentrationLabel = new QLabel(AcidCaption, m_panel);
    m_concentrationLabel->setGeometry(0, 31, pictureWidth - 140, 24);
    m_concentration = new ExtraField(m_panel);
    m_concentration->setGeometry(pictureWidth - 135, 31, 130, 24);
    m_panel->hide();
}

void FormEditGRAF::addButtonBar(int width, int height) {
    auto* bar = new QWidget(this);
    widgets::PaintBackground(bar, widgets::BarColor);
    bar->setGeometry(0, height - BarHeight, width, BarHeight);
    m_ok = new QPushButton(widgets::SvgIcon("ok"), "Ok", bar);
    m_cancel = new QPushButton(widgets::SvgIcon("cancel"), "Cancel", bar);
    m_ok->setGeometry(width - 2 * 110 - 15, 10, 105, 30);
    m_cancel->setGeometry(width - 110 - 10, 10, 105, 30);
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &FormEditGRAF::Ok);
    connect(m_cancel, &QPushButton::clicked, this, &FormEditGRAF::Cancel);
    for (QWidget* w : {static_cast<QWidget*>(m_volume), static_cast<QWidget*>(m_concentration),
                       static_cast<QWidget*>(m_ok), static_cast<QWidget*>(m_cancel)})
        w->installEventFilter(this);
}

// The choice so far, and the extra values entered last time.
void FormEditGRAF::loadChoice() {
    graphs::GraphSettings& settings = m_context.graph;
    settings.GraphConfirmed = false;
    const int kind = settings.GraphKind;
    for (int r = 0; r < Rows; ++r)
        if (m_kinds[r] != 0 && (m_kinds[r] == kind || (kind == 0 && r == 0))) {
            selectRow(r);
            break;
        }
    const auto& io = m_context.engine.IOValues;
    const char separator = m_context.numbers.DecimalSeparator;
    m_volume->setText(QString::fromStdString(
        engine::IsKnown(io[VolumeSlot])
            ? graphs::ExtraFieldText(io[VolumeSlot], m_context.sigDigits, separator)
            : std::string(graphs::DefaultBufferVolume)));
    m_concentration->setText(QString::fromStdString(
        graphs::ExtraFieldText(io[ConcentrationSlot], m_context.sigDigits, separator)));
}

FormEditGRAF::~FormEditGRAF() = default;

int FormEditGRAF::selectedRow() const {
    for (int r = 0; r < Rows; ++r)
        if (m_kinds[r] != 0 && m_options[r]->isChecked()) return r;
    return -1;
}

int FormEditGRAF::visibleRows() const {
    int n = 0;
    while (n < Rows && m_kinds[n] != 0)
        ++n;
    return n;
}

void FormEditGRAF::selectRow(int r) {
    if (r < 0 || r >= Rows || m_kinds[r] == 0) return;
    m_options[r]->setChecked(true);
    QRect around = m_options[r]->geometry().united(m_pictures[r]->geometry());
    if (m_extra[r]) {
        m_concentrationLabel->setText(m_kinds[r] == 27 ? AcidCaption : BaseCaption);
        m_panel->move(m_pictures[r]->x(), m_pictures[r]->geometry().bottom() + 1);
        m_panel->show();
        around = around.united(m_panel->geometry());
    } else {
        m_panel->hide();
    }
    m_highlight->setGeometry(around.adjusted(-1, -1, 1, 1));
    m_highlight->show();
}

void FormEditGRAF::Ok() {
    graphs::GraphSettings& settings = m_context.graph;
    settings.GraphConfirmed = false;
    const int r = selectedRow();
    if (r < 0) return;
    // The extra values are read before anything in the settings changes, so a refused entry
    // leaves the graph drawn so far as it was.
    if (m_extra[r] && !graphs::ReadExtraFields(m_volume->text().toStdString(),
                                               m_concentration->text().toStdString(),
                                               m_context.engine, m_context.numbers)) {
        m_context.desktop.showMessage(this, "Error", graphs::ExtraFieldsInvalidMessage,
                                      widgets::MessageKind::Warning);
        return;
    }
    const graphs::GraphSettings before = settings;
    graphs::ChooseGraphKind(settings, graphs::Catalogue(), m_kinds[r]);
    if (graphs::AjustaEscalasETC(settings, m_context.engine, m_context.numbers.DecimalSeparator)) {
        settings.GraphConfirmed = true;
    } else {
        // A failed choice must not leave half-written scales for the next redraw.
        settings = before;
        settings.GraphConfirmed = false;
        m_context.desktop.showMessage(this, "Error", graphs::InvalidDataMessage,
                                      widgets::MessageKind::Warning);
    }
    done(settings.GraphConfirmed ? Accepted : Rejected);
}

void FormEditGRAF::Cancel() {
    m_context.graph.GraphConfirmed = false;
    done(Rejected);
}

bool FormEditGRAF::handleKey(QObject* target, int key) {
    const int rows = visibleRows();
    const int r = selectedRow();
    switch (key) {
    case Qt::Key_Down:
        if (rows > 0) selectRow(r < 0 || r + 1 >= rows ? 0 : r + 1);
        return true;
    case Qt::Key_Up:
        if (rows > 0) selectRow(r <= 0 ? rows - 1 : r - 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // On a focused button Enter does what Space does there; elsewhere it means Ok.
        if (auto* button = qobject_cast<QPushButton*>(target))
            button->click();
        else
            Ok();
        return true;
    case Qt::Key_Escape:
        Cancel();
        return true;
    default:
        return false;
    }
}

void FormEditGRAF::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(this, event->key())) QDialog::keyPressEvent(event);
}

bool FormEditGRAF::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        handleKey(watched, static_cast<QKeyEvent*>(event)->key()))
        return true;
    for (int r = 0; r < Rows; ++r) {
        if (watched != m_options[r] && watched != m_pictures[r]) continue;
        if (event->type() == QEvent::MouseButtonPress && watched == m_pictures[r]) selectRow(r);
        if (event->type() == QEvent::MouseButtonDblClick) {
            selectRow(r);
            Ok();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace corvane::windows
