#include "export.h"
#include "plot.h"

#include "markup/surface.h"
#include "markup/svgsurface.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <cerrno>
#include <optional>

namespace corvane::plot {

using files::SaveAtomically;
using files::SystemFailure;

QString FolderOf(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absolutePath());
}

QString StartFolder(const QString& lastFolder, const QString& programFolder) {
    return lastFolder.isEmpty() ? programFolder : lastFolder;
}

BusyPointer::BusyPointer() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyPointer::~BusyPointer() {
    QApplication::restoreOverrideCursor();
}

bool PrintCopies(QPrinter& printer, QPageLayout::Orientation orientation,
                 const std::function<void(markup::PrinterSurface&)>& draw) {
    const int copies = std::max(printer.copyCount(), 1);
    printer.setCopyCount(1);
    printer.setPageOrientation(orientation);
    markup::PrinterSurface page(printer);
    if (!page.isActive()) return false;
    for (int copy = 1; copy <= copies; ++copy) {
        draw(page);
        if (copy < copies) page.newPage();
    }
    return true;
}

SaveResult ExportPdf(const QByteArray& nativePath, QPageLayout::Orientation orientation,
                     const std::function<void(markup::PrinterSurface&)>& draw) {
    QTemporaryDir scratch;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(scratch.filePath("page.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setCopyCount(1);
    errno = 0;
    if (!scratch.isValid() || !PrintCopies(printer, orientation, draw)) return SystemFailure(errno);
    QFile pdf(printer.outputFileName());
    errno = 0;
    if (!pdf.open(QIODevice::ReadOnly)) return SystemFailure(errno);
    const QByteArray bytes = pdf.readAll();
    // The printer reports no failed write: a document cut short lacks its closing mark.
    if (pdf.error() != QFileDevice::NoError || !bytes.trimmed().endsWith("%%EOF"))
        return SystemFailure(EIO);
    return SaveAtomically(nativePath,
                          [&](QIODevice& out) { return out.write(bytes) == bytes.size(); });
}

SaveResult ExportPdf(const QString& path, QPageLayout::Orientation orientation,
                     const std::function<void(markup::PrinterSurface&)>& draw) {
    return ExportPdf(QFile::encodeName(path), orientation, draw);
}

QPageLayout::Orientation PageOrientation(int width, int height) {
    return height >= width ? QPageLayout::Portrait : QPageLayout::Landscape;
}

namespace {

// Draws the graph on each page in the picture's font, computed for the first page only: every
// page of a job has the same size and resolution.
std::function<void(markup::PrinterSurface&)> graphPages(const GraphPlot& graph, const QFont& font,
                                                        std::optional<PlottedGraph>& computed) {
    return [&graph, font, &computed](markup::PrinterSurface& page) {
        page.setFont(font);
        if (!computed) computed = graph.Compute(page, true);
        Paint(*computed, page);
    };
}

bool writeSvg(QIODevice& file, const GraphPlot& graph, const markup::PictureSurface& picture) {
    const QImage& image = picture.image();
    markup::SvgSurface svg(file, image.width(), image.height());
    if (!svg.isActive()) return false;
    svg.setFont(picture.font());
    graph.Dibujar(svg, true);
    return true;
}

} // namespace

bool PrintGraph(QPrinter& printer, QPageLayout::Orientation orientation, const GraphPlot& graph,
                const QFont& font) {
    std::optional<PlottedGraph> computed;
    return PrintCopies(printer, orientation, graphPages(graph, font, computed));
}

SaveResult SaveGraphPicture(const QByteArray& nativePath, const QString& format,
                            const GraphPlot& graph, const markup::PictureSurface& picture) {
    const QImage& image = picture.image();
    if (format == "pdf") {
        std::optional<PlottedGraph> computed;
        return ExportPdf(nativePath, PageOrientation(image.width(), image.height()),
                         graphPages(graph, picture.font(), computed));
    }
    return SaveAtomically(nativePath, [&](QIODevice& file) {
        if (format == "svg") return writeSvg(file, graph, picture);
        QImageWriter writer(&file, format.toLatin1());
        return writer.write(image);
    });
}

} // namespace corvane::plot
