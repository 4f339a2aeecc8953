#include "taskpanel.h"

#include "accessibility.h"
#include "artwork.h"
#include "controls.h"
#include "headings.h"
#include "statusline.h"

#include "engine/catalogue.h"
#include "widgets/buttonbar.h"
#include "widgets/palette.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace corvane::mainwin {

namespace {

constexpr int HeadingPoints = 9;
constexpr int TabWidth = 156;
constexpr int TabHeight = 34;
constexpr int ButtonWidth = 100;
constexpr int ButtonHeight = 30;
constexpr int StatusLineHeight = 16;

const QColor ChosenTabColor(64, 64, 128);
const QColor OtherTabColor(96, 96, 96);
const QColor PressedTabColor(40, 40, 40);

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
    widgets::PaintBackground(frame, widgets::FrameColor);
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

TaskPanel::TaskPanel(int task, QWidget* client) : QObject(client), t(task) {
    buildTab(client);
    area = new QWidget(client);
    area->setObjectName(IndexedName("PicTASK", t));
    widgets::PaintBackground(area, Qt::white);
    area->hide();
    buildOptions();
    buildFields();
    buildFormulas();
}

void TaskPanel::buildTab(QWidget* client) {
    const engine::TaskInfo& info = engine::Task(t);
    tabPicture = new QLabel(client);
    tabPicture->setObjectName(IndexedName("ImgMENU", t));
    tabPicture->setPixmap(TabPicture(false, TabWidth, TabHeight));
    m_tabHome = QPoint((t - 1) * TabWidth + 6, 2);
    tabPicture->setGeometry(QRect(m_tabHome, QSize(TabWidth, TabHeight)));
    tabCaption = new ClickLabel(info.caption.data(), client);
    tabCaption->setObjectName(IndexedName("LblMENU", t));
    tabCaption->setAlignment(Qt::AlignCenter);
    tabCaption->setGeometry(m_tabHome.x(), m_tabHome.y() + 4, TabWidth, TabHeight - 6);
    QFont tabFont("Arial", 10);
    tabCaption->setFont(tabFont);
    setTextColor(tabCaption, OtherTabColor);
    tabCaption->setCursor(Qt::PointingHandCursor);
    connect(tabCaption, &ClickLabel::pressed, this, [this] {
        tabPicture->move(m_tabHome + QPoint(1, 1));
        tabCaption->move(m_tabHome + QPoint(1, 5));
        if (!m_chosen) setTextColor(tabCaption, PressedTabColor);
    });
    connect(tabCaption, &ClickLabel::released, this, [this] {
        tabPicture->move(m_tabHome);
        tabCaption->move(m_tabHome + QPoint(0, 4));
        setTextColor(tabCaption, m_chosen ? ChosenTabColor : OtherTabColor);
    });
    connect(tabCaption, &ClickLabel::clicked, this, &TaskPanel::tabClicked);
    DescribeTab(tabCaption, t);
}

void TaskPanel::buildOptions() {
    const engine::TaskInfo& info = engine::Task(t);
    title = new QLabel(info.titleBeforeOption.data(), area);
    title->setObjectName(IndexedName("LblMainTIT", t));
    QFont titleFont("Arial", 11);
    titleFont.setBold(true);
    title->setFont(titleFont);
    setTextColor(title, ChosenTabColor);

    optionsFrame = widgets::BorderFrame(area);
    optionsFrame->setObjectName(IndexedName("ShaOPT", t));
    options = new QWidget(area);
    options->setObjectName(IndexedName("PicOPT", t));
    widgets::PaintBackground(options, widgets::BarColor);
    const QString optionArray = QStringLiteral("Opt%1").arg(t);
    for (std::size_t j = 0; j < info.options.size(); ++j) {
        auto* b = new OptionButton(info.options[j].data(), options);
        b->setObjectName(IndexedName(optionArray, static_cast<int>(j)));
        b->setFont(QFont("Arial", 9));
        b->setFocusPolicy(Qt::TabFocus);
        DescribeOption(b, info.caption.data());
        b->setGeometry(10, 6 + static_cast<int>(j) * (t == 4 ? 21 : 14), 520, t == 4 ? 20 : 14);
        connect(b, &QRadioButton::clicked, this, &TaskPanel::optionClicked);
        optionButtons.push_back(b);
    }

    if (info.hasCheckBox) {
        checkPanel = new QWidget(area);
        checkPanel->setObjectName(IndexedName("PicCHK", t));
        widgets::PaintBackground(checkPanel, widgets::BarColor);
        checkLine = line(checkPanel);
        checkLine->setObjectName(IndexedName("LineCHK", t));
        check = new QCheckBox(engine::CheckBoxCaption.data(), checkPanel);
        check->setObjectName(QStringLiteral("Chk%1").arg(t));
        check->setFont(QFont("Arial", 9));
        check->move(10, 6);
        check->adjustSize();
        connect(check, &QCheckBox::clicked, this, &TaskPanel::checkClicked);
        checkPanel->hide();
    }
}

void TaskPanel::buildFields() {
    const engine::TaskInfo& info = engine::Task(t);
    ioFrame = widgets::BorderFrame(area);
    ioFrame->setObjectName(IndexedName("ShaIO", t));
    io = new QWidget(area);
    io->setObjectName(IndexedName("PicIO", t));
    widgets::PaintBackground(io, widgets::FieldPanelColor);
    io->hide();
    ioFrame->hide();
    ioLine = line(io);
    ioLine->setObjectName(IndexedName("LineIO", t));
    for (int i = 0; i < RowsPerTask; ++i) {
        Row& row = rows[i];
        const int index = RowsPerTask * (t - 1) + i;
        row.frame = widgets::BorderFrame(io);
        row.frame->setObjectName(IndexedName("ShaIOTX", index));
        // The frame is drawn over the field's edge and lets the clicks through.
        row.frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        row.heading = new QLabel(io);
        row.heading->setObjectName(IndexedName("Label1", index));
        row.heading->setFont(QFont("Arial", HeadingPoints));
        setTextColor(row.heading, QColor(70, 78, 110));
        row.symbol = new QLabel(io);
        row.symbol->setObjectName(IndexedName("Img1", index));
        row.field = new ValueField(index, io);
        row.field->setObjectName(IndexedName("Text1", index));
        row.field->setFrame(false);
        row.field->setTextMargins(1, 0, 1, 0);
        row.field->setReadOnly(i >= info.inputRowCount);
        connect(row.field, &QLineEdit::textChanged, this,
                [this, index] { emit fieldChanged(index); });
        connect(row.field, &ValueField::enterPressed, this, &TaskPanel::fieldEnter);
        for (QWidget* w : {static_cast<QWidget*>(row.frame), static_cast<QWidget*>(row.heading),
                           static_cast<QWidget*>(row.symbol), static_cast<QWidget*>(row.field)})
            w->hide();
    }
    const QPixmap enabledLook = ButtonPicture(true, ButtonWidth, ButtonHeight);
    const QPixmap disabledLook = ButtonPicture(false, ButtonWidth, ButtonHeight);
    calculate = new PictureButton("&Calculate", io);
    clear = new PictureButton("C&lear", io);
    graphic = new PictureButton("&Graphic", io);
    for (auto [button, name] :
         {std::pair{calculate, "CAL"}, std::pair{clear, "DEL"}, std::pair{graphic, "GRA"}}) {
        button->setObjectName(IndexedName(QStringLiteral("Lbl") + name, t));
        button->picture()->setObjectName(IndexedName(QStringLiteral("Img") + name, t));
        button->setLooks(enabledLook, enabledLook);
    }
    graphic->setLooks(enabledLook, disabledLook); // ImgWARE(1), ImgWARE(0)
    graphic->setEnabled(false);
    connect(calculate, &QAbstractButton::clicked, this, &TaskPanel::calculateClicked);
    connect(clear, &QAbstractButton::clicked, this, &TaskPanel::clearClicked);
    connect(graphic, &QAbstractButton::clicked, this, &TaskPanel::graphicClicked);
    DescribeCommands(calculate, clear, graphic, check);
    status = new StatusLine(io);
    status->setObjectName(IndexedName("StatusLine", t));
}

void TaskPanel::buildFormulas() {
    formulasFrame = widgets::BorderFrame(area);
    formulasFrame->setObjectName(IndexedName("ShaFOR", t));
    formulas = new QWidget(area);
    formulas->setObjectName(IndexedName("PicFOR", t));
    widgets::PaintBackground(formulas, Qt::white);
    formula = new QLabel(formulas);
    formula->setObjectName(IndexedName("ImgFOR", t));
    extra = new QLabel(formulas);
    extra->setObjectName(IndexedName("ImgFORX", t));
    formulaLine = line(formulas);
    formulaLine->setObjectName(IndexedName("Line1", t));
    formula->hide();
    extra->hide();
    formulaLine->hide();
}

void TaskPanel::setChosen(bool chosen) {
    m_chosen = chosen;
    setTextColor(tabCaption, chosen ? ChosenTabColor : OtherTabColor);
    tabPicture->setPixmap(TabPicture(chosen, TabWidth, TabHeight));
    area->setVisible(chosen);
    setBold(tabCaption, chosen);
}

void TaskPanel::markChosenOption() {
    for (OptionButton* b : optionButtons)
        setBold(b, b->isChecked());
}

void TaskPanel::layOutFields(int inputRows) {
    const int w = std::min(roundHalfEven((io->width() - 3) / 3.0), 250);
    const int h = std::min(roundHalfEven((io->height() - 6) / 6.0), 90);
    for (int i = 0; i < RowsPerTask; ++i) {
        Row& row = rows[i];
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
    const QLabel* third = rows[2].heading;
    const int clearLeft = third->x() + third->width() - ButtonWidth + 3;
    clear->moveHome(clearLeft, buttonTop);
    calculate->moveHome(clearLeft - ButtonWidth - 10, buttonTop);
    graphic->moveHome(rows[0].heading->x() - 3, buttonTop);
    const int statusLeft = graphic->home().x();
    status->setGeometry(statusLeft, buttonTop + ButtonHeight + 2,
                        clearLeft + ButtonWidth - statusLeft, StatusLineHeight);
    placeLine(ioLine, 10, io->width() - 10, (t == 5 ? 4 : 3) * h + 8 - h / 4);
}

void TaskPanel::loadFormulaPictures(const QString& folder, const QString& code,
                                    const QString& extension) {
    const QPixmap formulaPicture(folder + code + extension);
    m_formulaFound = !formulaPicture.isNull();
    formula->setPixmap(formulaPicture);
    formula->resize(formulaPicture.size());
    const QPixmap extraPicture(folder + "X" + code + ".jpg");
    m_extraFound = !extraPicture.isNull();
    extra->setPixmap(extraPicture);
    extra->resize(extraPicture.size());
    placeFormulaPictures();
}

void TaskPanel::placeFormulaPictures() {
    const int panelW = formulas->width(), panelH = formulas->height();
    const int fh = formula->height(), xh = extra->height();
    if (m_formulaFound && m_extraFound && fh + xh + 10 < panelH) {
        const int third = (panelH - fh - xh - 10) / 3;
        formula->move((panelW - formula->width()) / 2, third);
        extra->move((panelW - extra->width()) / 2, third + fh + 10 + third);
        const int bottom = formula->y() + fh;
        placeLine(formulaLine, 10, panelW - 10, (bottom + extra->y()) / 2);
        formula->show();
        extra->show();
        formulaLine->show();
        return;
    }
    extra->hide();
    formulaLine->hide();
    formula->setVisible(m_formulaFound);
    if (m_formulaFound) formula->move((panelW - formula->width()) / 2, (panelH - fh) / 3);
}

void TaskPanel::layOutArea(int width, int height) {
    area->setGeometry(4, 40, width - 8, height - 44);
    const int areaW = area->width();
    title->setGeometry(6, -2, areaW - 12, 24);
    const int optW = (areaW - 6) / 2 + 30;
    options->setGeometry(2, 25, optW, t == 4 ? 132 : 90);
    surround(optionsFrame, options);
    int below = options->geometry().bottom() + 1;
    if (checkPanel) {
        checkPanel->setGeometry(2, below + 4, optW, 30);
        placeLine(checkLine, 6, optW - 6, 0);
        below = checkPanel->geometry().bottom() + 1;
    }
    const int ioTop = below + 4;
    io->setGeometry(2, ioTop, optW, height - ioTop - 47);
    surround(ioFrame, io);
    formulas->setGeometry(2 + optW + 4, 25, (areaW - 14) / 2 - 30, height - 72);
    surround(formulasFrame, formulas);
    placeFormulaPictures();
}

} // namespace corvane::mainwin
