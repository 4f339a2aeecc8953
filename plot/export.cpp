#include "export.h"

#include "markup/surface.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <cerrno>

namespace corvane::table {

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

} // namespace corvane::table
