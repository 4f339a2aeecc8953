#include "formgraficaab.h"

#include "formeditgraf.h"
#include "formfit.h"
#include "graphviewtools.h"

#include "formtabla.h"
#include "plot/export.h"
#include "widgets/buttonbar.h"
#include "widgets/desktop.h"
#include "widgets/pictureview.h"
#include "widgets/windowkeys.h"

#include "fit/titrationmodel.h"
#include "graphs/scales.h"
#include "plot/measuredmarks.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>

namespace corvane::windows {

namespace {

const QString SaveFailure = QStringLiteral("Error: Impossible to save the image:");
const QString BmpFilter = QStringLiteral("Windows BitMap  (*.bmp)");
const QString PngFilter = QStringLiteral("PNG image (*.png)");
const QString SvgFilter = QStringLiteral("SVG drawing (*.svg)");
const QString DataFilter = QStringLiteral("Measured data (*.csv *.txt *.dat)");

// The picture format: the file name's own ending when it names one, else the chosen filter,
// else the Windows bitmap.
QString ImageFormat(const QString& path, const QString& filter) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "bmp" || suffix == "png" || suffix == "svg") return suffix;
    if (filter == PngFilter) return "png";
    if (filter == SvgFilter) return "svg";
    return "bmp";
}

} // namespace

FormGraficaAB::FormGraficaAB(WindowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_settings(context.graph), m_values(context.engine),
      m_plot(m_settings, m_values) {
    setWindowTitle("Graphic");
    setMinimumSize(800, 600);
    m_plot.decimalSeparator = context.numbers.DecimalSeparator;

    m_menuBar = new QMenuBar(this);
    m_client = new QWidget(this);
    m_picture = new widgets::PictureView(1, 1, Qt::white, m_client);
    m_bar = new widgets::ButtonBar(m_client);
    m_pictureFrame = widgets::BorderFrame(m_client);
    m_barFrame = widgets::BorderFrame(m_client);

    m_buttons[0] = m_bar->addButton("Edit...", "edit", "Edit type of graph");
    m_buttons[1] = m_bar->addButton("Data table", "table", "Show the data table");
    m_buttons[2] = m_bar->addButton("Print...", "print", QString());
    m_buttons[3] = m_bar->addButton("Copy", "copy", "Copy graphic to the clipboard");
    m_buttons[4] =
        m_bar->addButton("Close", "close", "Close this window and return to the main window");
    using widgets::BarButton;
    connect(m_buttons[0], &BarButton::clicked, this, &FormGraficaAB::EditTypeOfGraphic);
    connect(m_buttons[1], &BarButton::clicked, this, &FormGraficaAB::ShowDataTable);
    connect(m_buttons[2], &BarButton::clicked, this, &FormGraficaAB::PrintGraphic);
    connect(m_buttons[3], &BarButton::clicked, this, &FormGraficaAB::CopyGraphic);
    connect(m_buttons[4], &BarButton::clicked, this, &FormGraficaAB::close);
    m_tools = new GraphViewTools(context, m_plot, m_drawn, m_picture, this, [this] { drawAll(); });
    m_buttons[5] = m_bar->addButton("Scales...", "scales", "Set the scales of the axes");
    connect(m_buttons[5], &BarButton::clicked, m_tools, &GraphViewTools::EditScales);
    new widgets::PrinterNameTimer(context.desktop, m_buttons[2],
                                  this); // lives as long as the window
    buildMenus();
    widgets::CloseOnEscape(*this);

    m_deferredDraw.setInterval(20);
    connect(&m_deferredDraw, &QTimer::timeout, this, [this] {
        m_deferredDraw.stop();
        drawAll();
    });
    resize(1000, 720);
}

FormGraficaAB::~FormGraficaAB() = default;

void FormGraficaAB::buildMenus() {
    QMenu* file = m_menuBar->addMenu("&File");
    m_editAction = file->addAction("&Edit type of graphic...", QKeySequence(Qt::CTRL | Qt::Key_G),
                                   this, &FormGraficaAB::EditTypeOfGraphic);
    file->addAction("&Save image as...", QKeySequence::Save, this, &FormGraficaAB::SaveImageAs);
    file->addAction("&Print...", QKeySequence::Print, this, &FormGraficaAB::PrintGraphic);
    file->addAction("Export &PDF...", QKeySequence(Qt::CTRL | Qt::Key_E), this,
                    &FormGraficaAB::ExportPdf);
    file->addSeparator();
    file->addAction("&Measured data...", this, &FormGraficaAB::LoadMeasuredData);
    m_fitAction = file->addAction("Fi&t...", this, &FormGraficaAB::FitMeasuredData);
    m_fitAction->setEnabled(false);
    file->addSeparator();
    file->addAction("&Close", this, &FormGraficaAB::close);
    m_menuBar->addMenu("&Edit")->addAction("&Copy", QKeySequence::Copy, this,
                                           &FormGraficaAB::CopyGraphic);
    QMenu* view = m_menuBar->addMenu("&View");
    view->addAction("Data &table", QKeySequence(Qt::CTRL | Qt::Key_T), this,
                    &FormGraficaAB::ShowDataTable);
    m_tools->addMenuItems(view);
}

void FormGraficaAB::setOwnCurves(plot::OwnCurves curves) {
    m_plot.ownCurves = std::move(curves);
    m_buttons[0]->setEnabled(false);
    m_editAction->setEnabled(false);
}

void FormGraficaAB::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layOut();
}

void FormGraficaAB::layOut() {
    if (isMinimized()) return;
    const int strip = GraphViewTools::StatusHeight;
    const QRect picture = widgets::LayOutBarWindow(*this, *m_menuBar, *m_client, *m_bar,
                                                   *m_pictureFrame, *m_barFrame, strip);
    m_tools->statusLine()->setGeometry(5, height() - strip, width() - 10, strip - 2);
    m_picture->setPictureSize(picture.width(), picture.height());
    m_picture->move(picture.topLeft());

    // The frame at once; the curves when resizing pauses.
    drawOnScreen(false);
    m_deferredDraw.start();
}

void FormGraficaAB::drawAll() {
    m_plot.decimalSeparator = m_context.numbers.DecimalSeparator;
    drawOnScreen(true);
}

void FormGraficaAB::drawOnScreen(bool withCurves) {
    m_drawn = m_plot.Dibujar(m_picture->surface(), withCurves);
    m_context.table = m_drawn.values.table;
    m_picture->update();
}

void FormGraficaAB::EditTypeOfGraphic() {
    m_context.graph.GraphConfirmed = false;
    FormEditGRAF chooser(m_context, this);
    chooser.exec();
    if (!m_context.graph.GraphConfirmed) return;
    m_settings = m_context.graph;
    m_values = m_context.engine;
    m_tools->ForgetScales();
    drawAll();
}

WindowContext FormGraficaAB::drawnContext() {
    const WindowContext& c = m_context;
    return {m_settings,  c.table,           m_values,          c.numbers,
            c.sigDigits, c.lastGraphFolder, c.lastTableFolder, c.programFolder,
            c.desktop,   c.showMarks,       c.useValues,       m_plot.measuredPoints};
}

void FormGraficaAB::ShowDataTable() {
    WindowContext context = drawnContext();
    FormTabla window(context, this);
    window.exec();
}

QPageLayout::Orientation FormGraficaAB::pageOrientation() const {
    return plot::PageOrientation(m_picture->width(), m_picture->height());
}

void FormGraficaAB::PrintGraphic() {
    if (!m_context.desktop.hasPrinter()) return;
    QPrinter printer(QPrinter::HighResolution);
    if (!m_context.desktop.printDialog(this, printer)) return;
    plot::BusyPointer busy;
    plot::PrintGraph(printer, pageOrientation(), m_plot, m_picture->surface().font());
}

void FormGraficaAB::saveFailed(const QString& path, const files::SaveResult& result) {
    m_context.desktop.showMessage(this, "Error",
                                  files::SaveFailureText(SaveFailure, path, result, true),
                                  widgets::MessageKind::Warning);
}

void FormGraficaAB::SaveImageAs() {
    QString filter = BmpFilter;
    const QString path = m_context.desktop.saveFileName(
        this, "Save", plot::StartFolder(m_context.lastGraphFolder, m_context.programFolder),
        {BmpFilter, PngFilter, SvgFilter, plot::AllFilesFilter}, &filter);
    if (path.isEmpty()) return;
    m_context.lastGraphFolder = plot::FolderOf(path);

    savePicture(path, ImageFormat(path, filter));
}

void FormGraficaAB::savePicture(const QString& path, const QString& format) {
    files::SaveResult result;
    {
        plot::BusyPointer busy;
        result =
            plot::SaveGraphPicture(QFile::encodeName(path), format, m_plot, m_picture->surface());
    }
    if (!result.ok) saveFailed(path, result);
}

void FormGraficaAB::CopyGraphic() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const QImage image = m_picture->surface().image();
    clipboard->setImage(image);
    if (clipboard->image().size() != image.size()) {
        m_context.desktop.showMessage(this, "Error", "Error: Impossible to copy the image.",
                                      widgets::MessageKind::Warning);
        return;
    }
    m_context.desktop.showMessage(this, "Copy",
                                  "The graphic was successfully copied to the clipboard.",
                                  widgets::MessageKind::Information);
}

void FormGraficaAB::ExportPdf() {
    QString filter = plot::PdfFilter;
    const QString path = m_context.desktop.saveFileName(
        this, "Export PDF", plot::StartFolder(m_context.lastGraphFolder, m_context.programFolder),
        {plot::PdfFilter, plot::AllFilesFilter}, &filter);
    if (path.isEmpty()) return;
    m_context.lastGraphFolder = plot::FolderOf(path);
    savePicture(path, "pdf");
}

void FormGraficaAB::LoadMeasuredData() {
    const QString path = m_context.desktop.openFileName(
        this, "Measured data",
        plot::StartFolder(m_context.lastGraphFolder, m_context.programFolder),
        {DataFilter, plot::AllFilesFilter});
    if (path.isEmpty()) return;
    if (!ReadMeasuredData(path)) return;
    QString text = QString("%1 points read from\n%2").arg(m_plot.measuredPoints.size()).arg(path);
    const double rms = graphs::MeasuredRms(m_settings.ProblemCode, m_settings.GraphKind, m_values,
                                           m_plot.measuredPoints);
    std::int16_t formatError = 0;
    if (std::isfinite(rms))
        text += "\nRMS of measured − computed pH: " +
                QString::fromStdString(
                    numtext::FormatNumber(rms, 3, m_context.numbers.DecimalSeparator, formatError));
    m_context.desktop.showMessage(this, "Measured data", text, widgets::MessageKind::Information);
}

bool FormGraficaAB::ReadMeasuredData(const QString& path) {
    fit::MeasuredData measured = fit::ReadMeasuredFile(path.toStdString());
    if (!measured.ok()) {
        m_context.desktop.showMessage(this, "Error",
                                      "The measured data were refused:\n" +
                                          QString::fromStdString(measured.error),
                                      widgets::MessageKind::Warning);
        return false;
    }
    m_plot.measuredPoints = std::move(measured.points);
    m_fitAction->setEnabled(!fit::CurveSlots(m_settings.ProblemCode).empty());
    drawAll();
    return true;
}

fit::FitResult FormGraficaAB::FitFor(const std::vector<int>& unknowns) const {
    fit::FitRequest request;
    request.code = m_settings.ProblemCode;
    request.pKw = m_values.pKw;
    request.activity = m_values.Activity;
    request.temperature = m_values.Temperature;
    request.values = m_values.IOValues;
    request.unknowns = unknowns;
    request.points = m_plot.measuredPoints;
    return fit::FitTitration(request);
}

void FormGraficaAB::FitMeasuredData() {
    FormFitChoice choice(m_settings.ProblemCode, this);
    if (choice.exec() != QDialog::Accepted) return;
    const fit::FitResult result = FitFor(choice.unknowns());
    if (!result.ok()) {
        m_context.desktop.showMessage(
            this, "Error", "The fit was refused:\n" + QString::fromStdString(result.reason),
            widgets::MessageKind::Warning);
        return;
    }
    std::function<void()> use;
    if (m_context.useValues) use = [this, result] { UseFittedValues(result); };
    FormFitResult window(m_settings.ProblemCode, m_values.pKw, result, m_plot.measuredPoints,
                         m_context.sigDigits, m_context.numbers.DecimalSeparator, use, this);
    window.exec();
}

void FormGraficaAB::UseFittedValues(const fit::FitResult& result) {
    engine::Slots values;
    values.fill(engine::EmptyValue);
    for (int slot : fit::CurveSlots(m_settings.ProblemCode))
        values[slot] = result.values[slot];
    m_context.useValues(values);
    if (m_context.engine.CalcError != 0) return;
    // The graph of the new values, with its titles and scales set from them.
    m_values = m_context.engine;
    graphs::AjustaEscalasETC(m_settings, m_values, m_context.numbers.DecimalSeparator);
    drawAll();
}

} // namespace corvane::windows
