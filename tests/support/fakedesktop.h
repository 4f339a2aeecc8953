// A desktop that records message boxes, questions and opened addresses and answers the
// questions, the save, open and print dialogs as told; the print dialog sends the job to a PDF
// file. Also the helpers the window tests share.
#pragma once

#include "widgets/desktop.h"
#include "windows/context.h"

#include "engine/catalogue.h"
#include "graphs/catalogue.h"
#include "graphs/scales.h"
#include "markup/surface.h"
#include "plot/plot.h"

#include <QDialog>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QSizeF>
#include <QUrl>

#include <functional>
#include <vector>

namespace corvane::widgets::test {

struct Message {
    QString title;
    QString text;
    MessageKind kind;
    QString details = {};
};

/// A desktop whose message boxes are recorded instead of shown.
template <class Base> class RecordsMessages : public Base {
public:
    using Base::Base;
    void showMessage(QWidget*, const QString& title, const QString& text,
                     MessageKind kind) override {
        messages.push_back({title, text, kind});
    }
    void showDetailedMessage(QWidget*, const QString& title, const QString& text,
                             const QString& details, MessageKind kind) override {
        messages.push_back({title, text, kind, details});
    }

    std::vector<Message> messages;
};

/// Runs a dialog as the system's desktop does, for tests that answer it while it is shown.
inline bool RunModally(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

class FakeDesktop : public RecordsMessages<Desktop> {
public:
    bool askYesNo(QWidget*, const QString& title, const QString& text) override {
        questions.push_back({title, text, MessageKind::Warning});
        return answerYes;
    }
    void openUrl(const QUrl& url, std::function<void()> failed) override {
        opened.push_back(url);
        if (!openSucceeds) failed();
    }
    QString showSaveDialog(QWidget*, const QString& title, const QString& folder,
                           const QStringList& filters, QString* selectedFilter) override {
        saveTitle = title;
        saveFolder = folder;
        saveFilters = filters;
        if (!saveFilter.isEmpty() && selectedFilter != nullptr) *selectedFilter = saveFilter;
        return savePath;
    }
    bool runDialog(QDialog& dialog) override {
        ++dialogsRun;
        return answerDialog ? answerDialog(dialog) : false;
    }
    QString openFileName(QWidget*, const QString& title, const QString&,
                         const QStringList&) override {
        openTitle = title;
        return openPath;
    }
    QStringList printerNames() override { return printerInstalled ? printers : QStringList(); }
    QString defaultPrinterName() override { return systemDefault; }
    bool showPrintDialog(QWidget*, QPrinter& printer, QString& printerName) override {
        ++printDialogs;
        dialogStartedOn << printerName;
        if (!printAccepted) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile);
        printer.setCopyCount(copies);
        if (!dialogChoice.isEmpty()) printerName = dialogChoice;
        return true;
    }

    std::vector<Message> questions; // asked with Yes and No
    bool answerYes = true;
    std::vector<QUrl> opened;
    bool openSucceeds = true;
    QString savePath; // empty: the dialog is cancelled
    QString saveFilter;
    QString saveTitle, saveFolder;
    QStringList saveFilters;
    QString openPath; // empty: the open dialog is cancelled
    QString openTitle;
    bool printerInstalled = true;
    QStringList printers{"Office laser", "Lab inkjet"};
    QString systemDefault = "Office laser";
    QString dialogChoice;        // the printer picked in the dialog; empty: the one it showed
    QStringList dialogStartedOn; // the printer each print dialog showed first
    bool printAccepted = true;
    QString printFile;
    int copies = 1;
    int printDialogs = 0;
    std::function<bool(QDialog&)> answerDialog; // none: the windows' own dialogs are cancelled
    int dialogsRun = 0;
};

} // namespace corvane::widgets::test

namespace corvane::windows::test {

/// The program-wide state a window test owns, with a context over it.
struct Shared {
    graphs::GraphSettings graph;
    graphs::GraphTable table;
    engine::EquilAB engine;
    numtext::NumberSettings numbers;
    QString lastGraphFolder, lastTableFolder;
    widgets::test::FakeDesktop desktop;
    bool showMarks = false;

    WindowContext context(int sigDigits = 4) {
        return {graph,           table,           engine,         numbers, sigDigits,
                lastGraphFolder, lastTableFolder, "/opt/corvane", desktop, &showMarks};
    }

    /// Solves `code` from the given slots and confirms `kind` as the chooser does.
    bool solve(const char* code, int kind, std::vector<std::pair<int, double>> given) {
        for (auto [slot, v] : given)
            engine.IOValues[slot] = v;
        engine::RunProblem(engine, code);
        if (engine.CalcError != 0) return false;
        const engine::ProblemType* type = engine::FindProblem(code);
        graph.ProblemCode = code;
        graph.TaskTitle =
            engine::FormTaskTitle(type->task, type->option, type->firstDissociationComplete);
        graph.GraphTitle = graph.TaskTitle;
        graphs::ChooseGraphKind(graph, graphs::Catalogue(), kind);
        return graphs::AjustaEscalasETC(graph, engine, numbers.DecimalSeparator);
    }

    /// Draws the graph on a screen picture, which fills GraphTable.
    void drawOnScreen(int width = 1000, int height = 700) {
        markup::PictureSurface picture(width, height);
        table = plot::GraphPlot(graph, engine).Dibujar(picture, true).values.table;
    }
};

/// The page sizes (points) of a PDF file written by Qt, in page order.
inline std::vector<QSizeF> PdfPageSizes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QString pdf = QString::fromLatin1(file.readAll());
    static const QRegularExpression page(
        R"(/Type\s*/Page\b(?!s)[^>]*?/MediaBox\s*\[\s*([\d.]+)\s+([\d.]+)\s+([\d.]+)\s+([\d.]+))");
    std::vector<QSizeF> sizes;
    for (auto it = page.globalMatch(pdf); it.hasNext();) {
        const auto m = it.next();
        sizes.emplace_back(m.captured(3).toDouble() - m.captured(1).toDouble(),
                           m.captured(4).toDouble() - m.captured(2).toDouble());
    }
    return sizes;
}

} // namespace corvane::windows::test
