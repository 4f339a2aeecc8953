#include "formtabla.h"

#include "plot/export.h"
#include "widgets/buttonbar.h"
#include "widgets/desktop.h"
#include "widgets/pictureview.h"
#include "widgets/windowkeys.h"

#include "markup/surface.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPrinter>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace corvane::windows {

using files::SaveAtomically;
using files::SaveFailureText;
using files::SaveResult;
using plot::AllFilesFilter;
using plot::BusyPointer;
using plot::FolderOf;
using plot::PdfFilter;
using plot::PrintCopies;
using plot::StartFolder;
using widgets::BarButton;
using widgets::BarColor;
using widgets::BorderFrame;
using widgets::ButtonBar;
using widgets::CloseOnEscape;
using widgets::LayOutBarWindow;
using widgets::MessageKind;
using widgets::PaintBackground;
using widgets::PictureView;
using widgets::PrinterNameTimer;

namespace {

const QString SaveFailure = QStringLiteral("Error: Impossible to save the data table:");
const QString TextFilter = QStringLiteral("Text file (*.txt)");
const QString CsvFilter = QStringLiteral("CSV file (*.csv)");

} // namespace

FormTabla::FormTabla(WindowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context),
      m_drawing(context.graph, context.table, context.sigDigits, context.numbers.DecimalSeparator) {
    setWindowTitle("Data table");
    setMinimumSize(640, 480);

    m_menuBar = new QMenuBar(this);
    m_client = new QWidget(this);
    m_container = new QWidget(m_client);
    m_container->setAutoFillBackground(true);
    m_drawing.setMeasuredPoints(context.measuredPoints);
    m_body = new PictureView(HeadingWidth, 1, Qt::white, m_container);
    m_body->setPictureSize(HeadingWidth, m_drawing.bodyPictureHeight(m_body->surface()));
    m_strip = new QWidget(m_container);
    PaintBackground(m_strip, BarColor);
    m_heading = new PictureView(HeadingWidth, HeadingHeight, BarColor, m_container);
    m_scroll = new QScrollBar(Qt::Vertical, m_container);
    m_bar = new ButtonBar(m_client);
    m_containerFrame = BorderFrame(m_client);
    m_barFrame = BorderFrame(m_client);

    m_print = m_bar->addButton("Print...", "print", QString());
    m_copy = m_bar->addButton("Copy", "copy", "Copy data table to the clipboard");
    m_close = m_bar->addButton("Close", "close", "Close this window");
    connect(m_print, &BarButton::clicked, this, &FormTabla::PrintTable);
    connect(m_copy, &BarButton::clicked, this, &FormTabla::CopyTable);
    connect(m_close, &BarButton::clicked, this, &FormTabla::close);
    new PrinterNameTimer(context.desktop, m_print, this); // lives as long as the window
    buildMenus();
    CloseOnEscape(*this);

    m_drawing.PonerCabecera(m_heading->surface());
    m_drawing.PonerTabla(m_body->surface());
    const double rowPixels = m_body->surface().textHeight(QStringLiteral("VX")) /
                             markup::PictureSurface::ScreenTwipsPerPixel;
    m_scroll->setSingleStep(std::max(1, static_cast<int>(std::lround(rowPixels))));
    connect(m_scroll, &QScrollBar::valueChanged, this, &FormTabla::placeBody);

    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
    resize(HeadingWidth + ButtonBar::Width + 50, 640);
    layOut();
}

FormTabla::~FormTabla() = default;

void FormTabla::buildMenus() {
    QMenu* file = m_menuBar->addMenu("&File");
    file->addAction("&Save data table as...", QKeySequence::Save, this, &FormTabla::SaveTableAs);
    file->addAction("&Print...", QKeySequence::Print, this, &FormTabla::PrintTable);
    file->addAction("&Export PDF...", QKeySequence(Qt::CTRL | Qt::Key_E), this,
                    &FormTabla::ExportPdf);
    file->addSeparator();
    file->addAction("&Close", this, &FormTabla::close);
    QMenu* edit = m_menuBar->addMenu("&Edit");
    edit->addAction("&Copy", QKeySequence::Copy, this, &FormTabla::CopyTable);
}

BarButton* FormTabla::button(int index) const {
    switch (index) {
    case 2:
        return m_print;
    case 3:
        return m_copy;
    case 4:
        return m_close;
    default:
        return nullptr;
    }
}

void FormTabla::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layOut();
}

void FormTabla::layOut() {
    if (isMinimized()) return;
    const QRect container =
        LayOutBarWindow(*this, *m_menuBar, *m_client, *m_bar, *m_containerFrame, *m_barFrame);
    m_container->setGeometry(container);

    const int barWidth = m_scroll->sizeHint().width();
    const int room = container.width() - barWidth;
    const int left = room >= HeadingWidth ? (room - HeadingWidth) / 2 : 4;
    m_strip->setGeometry(left, 0, HeadingWidth, 4);
    m_heading->move(left, 4);
    const int headingBottom = 4 + HeadingHeight;
    m_scroll->setGeometry(container.width() - barWidth, 0, barWidth, container.height());

    const int bodyHeight = m_body->height();
    const int shortfall = bodyHeight - (container.height() - headingBottom) + 4;
    if (container.height() - headingBottom >= bodyHeight) {
        m_scroll->hide();
        m_scroll->setRange(0, 0);
    } else {
        m_scroll->setRange(0, shortfall);
        m_scroll->setPageStep(container.height() - headingBottom);
        m_scroll->show();
    }
    m_scroll->setValue(0);
    placeBody();
    m_strip->raise();
    m_heading->raise();
    m_scroll->raise();
}

void FormTabla::placeBody() {
    m_body->move(m_heading->x(), 4 + HeadingHeight - m_scroll->value());
}

void FormTabla::MouseWheel(int rotation) {
    if (m_scroll->isHidden()) return;
    const int step = m_scroll->singleStep();
    // Qt's scroll value grows downwards; the body's top moves the other way.
    m_scroll->setValue(rotation > 0 ? m_scroll->value() - step : m_scroll->value() + step);
}

bool FormTabla::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        const int rotation = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (rotation != 0) MouseWheel(rotation);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool FormTabla::ScrollByKey(int key) {
    const int value = m_scroll->value();
    switch (key) {
    case Qt::Key_Up:
        MouseWheel(1);
        return true;
    case Qt::Key_Down:
        MouseWheel(-1);
        return true;
    case Qt::Key_PageUp:
        m_scroll->setValue(value - m_scroll->pageStep());
        return true;
    case Qt::Key_PageDown:
        m_scroll->setValue(value + m_scroll->pageStep());
        return true;
    case Qt::Key_Home:
        m_scroll->setValue(m_scroll->minimum());
        return true;
    case Qt::Key_End:
        m_scroll->setValue(m_scroll->maximum());
        return true;
    default:
        return false;
    }
}

// The bar buttons leave these keys to the window, so they scroll wherever the focus is.
void FormTabla::keyPressEvent(QKeyEvent* event) {
    if (!ScrollByKey(event->key())) QDialog::keyPressEvent(event);
}

void FormTabla::SaveTableAs() {
    QString filter = TextFilter;
    const QString path = m_context.desktop.saveFileName(
        this, "Save", StartFolder(m_context.lastTableFolder, m_context.programFolder),
        {TextFilter, CsvFilter, AllFilesFilter}, &filter);
    if (path.isEmpty()) return;
    m_context.lastTableFolder = FolderOf(path);

    const bool csv = filter == CsvFilter || path.endsWith(".csv", Qt::CaseInsensitive);
    const QByteArray bytes =
        (csv ? table::TableCsv(m_context.graph, m_context.table, m_context.numbers.DecimalSeparator)
             : TableText())
            .toUtf8();
    BusyPointer busy;
    const SaveResult result =
        SaveAtomically(path, [&](QIODevice& file) { return file.write(bytes) == bytes.size(); });
    if (!result.ok)
        m_context.desktop.showMessage(
            this, "Error", SaveFailureText(SaveFailure, path, result, false), MessageKind::Warning);
}

void FormTabla::CopyTable() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(TableText());
    if (clipboard->text() != TableText()) {
        m_context.desktop.showMessage(this, "Error", "Error: Impossible to copy the data table.",
                                      MessageKind::Warning);
        return;
    }
    m_context.desktop.showMessage(
        this, "Copy",
        "The data table was successfully copied to the clipboard.\nSome formats might get lost.",
        MessageKind::Information);
}

void FormTabla::PrintTable() {
    if (!m_context.desktop.hasPrinter()) return;
    QPrinter printer(QPrinter::HighResolution);
    if (!m_context.desktop.printDialog(this, printer)) return;
    const QFont font = m_heading->surface().font();
    PrintCopies(printer, QPageLayout::Portrait, [&](markup::PrinterSurface& page) {
        page.setFont(font);
        m_drawing.PonerCabecera(page);
        m_drawing.PonerTabla(page);
    });
}

void FormTabla::ExportPdf() {
    QString filter = PdfFilter;
    const QString path = m_context.desktop.saveFileName(
        this, "Export PDF", StartFolder(m_context.lastTableFolder, m_context.programFolder),
        {PdfFilter, AllFilesFilter}, &filter);
    if (path.isEmpty()) return;
    m_context.lastTableFolder = FolderOf(path);
    const QFont font = m_heading->surface().font();
    BusyPointer busy;
    const SaveResult result =
        plot::ExportPdf(path, QPageLayout::Portrait, [&](markup::PrinterSurface& page) {
            page.setFont(font);
            m_drawing.PonerCabecera(page);
            m_drawing.PonerTabla(page);
        });
    if (!result.ok)
        m_context.desktop.showMessage(
            this, "Error", SaveFailureText(SaveFailure, path, result, false), MessageKind::Warning);
}

} // namespace corvane::windows
