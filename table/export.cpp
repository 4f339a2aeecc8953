#include "export.h"

#include "markup/surface.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryDir>

namespace corvane::table {

SaveResult SaveAtomically(const QString& path, const std::function<bool(QIODevice&)>& write) {
    SaveResult result;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        const bool written = write(file) && file.error() == QFileDevice::NoError;
        if (written && file.commit()) {
            result.ok = true;
            return result;
        }
        if (!written) file.cancelWriting();
    }
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    result.readOnly =
        (target.exists() && !target.isWritable()) || (folder.isDir() && !folder.isWritable());
    result.errorNumber =
        file.error() == QFileDevice::NoError ? QFileDevice::WriteError : file.error();
    result.description = file.errorString();
    return result;
}

QString SaveFailureText(const QString& heading, const QString& path, const SaveResult& result,
                        bool offerReadOnly) {
    QString text = heading + '\n' + QDir::toNativeSeparators(path) + '\n';
    if (offerReadOnly && result.readOnly) return text + "Read-only file.";
    return text +
           QStringLiteral("Error number: %1 %2").arg(result.errorNumber).arg(result.description);
}

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

SaveResult ExportPdf(const QString& path, QPageLayout::Orientation orientation,
                     const std::function<void(markup::PrinterSurface&)>& draw) {
    QTemporaryDir scratch;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(scratch.filePath("page.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setCopyCount(1);
    if (!scratch.isValid() || !PrintCopies(printer, orientation, draw)) {
        SaveResult failed;
        failed.errorNumber = QFileDevice::WriteError;
        failed.description = QStringLiteral("The PDF page could not be drawn.");
        return failed;
    }
    QFile pdf(printer.outputFileName());
    if (!pdf.open(QIODevice::ReadOnly)) {
        SaveResult failed;
        failed.errorNumber = pdf.error();
        failed.description = pdf.errorString();
        return failed;
    }
    const QByteArray bytes = pdf.readAll();
    return SaveAtomically(path, [&](QIODevice& out) { return out.write(bytes) == bytes.size(); });
}

} // namespace corvane::table
