// \brief Taking a table or a graph out of the program: atomic file saves with the failure
// text the user sees, the save folders, print jobs copy by copy, and A4 PDF files.
#pragma once

#include <QPageLayout>
#include <QString>

#include <functional>

class QIODevice;
class QPrinter;

namespace corvane::markup {
class PrinterSurface;
}

namespace corvane::table {

/// The save dialogs' filters for every file and for the PDF export.
inline const QString AllFilesFilter = QStringLiteral("All files (*.*)");
inline const QString PdfFilter = QStringLiteral("PDF document (*.pdf)");

struct SaveResult {
    bool ok = false;
    /// The file or its folder may not be written by the user.
    bool readOnly = false;
    /// The system's error number (errno) left by the call that failed, and its description.
    int errorNumber = 0;
    QString description;
};

/// Writes `path` through a temporary file that replaces it only when `write` succeeded and
/// everything reached the disk: on any failure the old file stays whole, on success no old
/// bytes remain.
SaveResult SaveAtomically(const QString& path, const std::function<bool(QIODevice&)>& write);

/// heading + the path + "Read-only file." (when `result` says so and that variant is offered)
/// or "Error number: " with the number and description, on three lines.
QString SaveFailureText(const QString& heading, const QString& path, const SaveResult& result,
                        bool offerReadOnly);

/// The folder of a chosen file, in the platform's own path form.
QString FolderOf(const QString& path);
/// Where a save dialog starts: the last folder, or the program's own when there is none.
QString StartFolder(const QString& lastFolder, const QString& programFolder);

/// The busy pointer while an object of this type lives.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

/// Prints the number of copies the printer was given, one page per copy drawn by `draw`, in
/// the given orientation. The copies are drawn here, so the printer is asked for one each.
/// False when the job could not start.
bool PrintCopies(QPrinter& printer, QPageLayout::Orientation orientation,
                 const std::function<void(markup::PrinterSurface&)>& draw);

/// Writes the page drawn by `draw` as an A4 PDF file, through a temporary file so that a
/// failure leaves an old file whole.
SaveResult ExportPdf(const QString& path, QPageLayout::Orientation orientation,
                     const std::function<void(markup::PrinterSurface&)>& draw);

} // namespace corvane::table
