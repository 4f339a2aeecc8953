// \brief Taking a table or a graph out of the program: the save folders and filters, print
// jobs copy by copy, A4 PDF files, and a graph's pictures in every format it is saved in.
#pragma once

#include "files/savefile.h"

#include <QPageLayout>
#include <QString>

#include <functional>

class QFont;
class QPrinter;

namespace corvane::markup {
class PictureSurface;
class PrinterSurface;
} // namespace corvane::markup

namespace corvane::plot {

class GraphPlot;
using files::SaveResult;

/// The save dialogs' filters for every file and for the PDF export.
inline const QString AllFilesFilter = QStringLiteral("All files (*.*)");
inline const QString PdfFilter = QStringLiteral("PDF document (*.pdf)");

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

/// Writes the page drawn by `draw` as an A4 PDF file, saved as SaveAtomically saves, so that a
/// failure leaves an old file whole. `nativePath` holds the name's bytes as the system spells it.
SaveResult ExportPdf(const QByteArray& nativePath, QPageLayout::Orientation orientation,
                     const std::function<void(markup::PrinterSurface&)>& draw);
/// The same for a name the toolkit gave, such as a save dialog's.
SaveResult ExportPdf(const QString& path, QPageLayout::Orientation orientation,
                     const std::function<void(markup::PrinterSurface&)>& draw);

/// Portrait when the picture is at least as tall as wide.
QPageLayout::Orientation PageOrientation(int width, int height);

/// Prints `graph` in `font` on the printer's pages, one per copy, turned as `orientation` says;
/// the graph is computed once for the first page. False when the job could not start.
bool PrintGraph(QPrinter& printer, QPageLayout::Orientation orientation, const GraphPlot& graph,
                const QFont& font);

/// Saves the graph drawn on `picture` as `format` ("bmp", "png", "svg" or "pdf"), whole or
/// not at all: a bitmap of the picture, the same drawing in vector lines and text at its size,
/// or the printed page on A4 turned as the picture is.
SaveResult SaveGraphPicture(const QByteArray& nativePath, const QString& format,
                            const GraphPlot& graph, const markup::PictureSurface& picture);

} // namespace corvane::plot
