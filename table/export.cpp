#include "export.h"

#include "markup/surface.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

namespace corvane::table {

namespace {

// A failure with the system's error number and its description; a failure that no system call
// reported counts as an input/output error.
SaveResult SystemFailure(int error) {
    SaveResult result;
    result.errorNumber = error != 0 ? error : EIO;
    result.description = QString::fromLocal8Bit(std::strerror(result.errorNumber));
    return result;
}

} // namespace

SaveResult SaveAtomically(const QString& path, const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    // errno is read right after the call that failed, before anything else can change it.
    int error = 0;
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        error = errno;
    } else {
        errno = 0;
        const bool written = write(file);
        if (file.error() != QFileDevice::NoError) error = errno;
        if (written && file.error() == QFileDevice::NoError) {
            errno = 0;
            if (file.commit()) {
                SaveResult saved;
                saved.ok = true;
                return saved;
            }
            error = errno;
        } else {
            file.cancelWriting();
        }
    }
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (error == 0 && target.isDir()) error = EISDIR;
    SaveResult result = SystemFailure(error);
    result.readOnly =
        (target.exists() && !target.isWritable()) || (folder.isDir() && !folder.isWritable());
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
    errno = 0;
    if (!scratch.isValid() || !PrintCopies(printer, orientation, draw)) return SystemFailure(errno);
    QFile pdf(printer.outputFileName());
    errno = 0;
    if (!pdf.open(QIODevice::ReadOnly)) return SystemFailure(errno);
    const QByteArray bytes = pdf.readAll();
    return SaveAtomically(path, [&](QIODevice& out) { return out.write(bytes) == bytes.size(); });
}

} // namespace corvane::table
