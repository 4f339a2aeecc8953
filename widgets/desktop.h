// \brief What the windows ask of the desktop: message boxes, the save, open and print dialogs,
// the installed printers and opening a document or address with its default application.
// Tests replace it to answer every dialog headless.
#pragma once

#include "opener.h"

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QDialog;
class QPrinter;
class QWidget;

namespace corvane::widgets {

enum class MessageKind { Warning, Information };

/// The file ending a save filter names ("bmp" for "Windows BitMap  (*.bmp)"); empty for the
/// catch-all filter.
QString FilterEnding(const QString& filter);

class Desktop {
public:
    virtual ~Desktop() = default;
    /// A modal box with one OK button.
    virtual void showMessage(QWidget* parent, const QString& title, const QString& text,
                             MessageKind kind) = 0;
    /// The same box with details below the text, such as why the input was refused.
    virtual void showDetailedMessage(QWidget* parent, const QString& title, const QString& text,
                                     const QString& details, MessageKind kind) = 0;
    /// A modal question with the buttons Yes and No, No the default. True for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
    /// The save dialog, starting in `folder`. `filters` are Qt name filters; `selectedFilter`
    /// comes back with the one in use. A name typed without an ending gets the chosen filter's
    /// (".bmp", ".txt", ...); when the final name exists, the user is asked before it is
    /// overwritten. Empty when cancelled or not to be overwritten.
    QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QStringList& filters, QString* selectedFilter);
    /// Runs one of the windows' own dialogs modally; true when it was accepted.
    virtual bool runDialog(QDialog& dialog);
    /// Opens a file, web page or mail address and returns at once; `failed` runs, now or
    /// later, when that could not be done.
    virtual void openUrl(const QUrl& url, std::function<void()> failed) = 0;
    /// The open dialog for an existing file, starting in `folder`. Empty when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QStringList& filters) = 0;
    /// Whether at least one printer is installed.
    bool hasPrinter() { return !printerNames().isEmpty(); }
    /// The device name of the printer print jobs use: the one chosen in the last accepted print
    /// dialog while it is still installed, else the system's default, else the first installed
    /// printer; empty when there is none.
    QString currentPrinterName();
    /// The print dialog for `printer`, which starts on the current printer: no print-to-file or
    /// selection choice, the page range preselected. The printer chosen there and its copy
    /// count end up in `printer`, and that printer becomes the current printer. False on cancel.
    bool printDialog(QWidget* parent, QPrinter& printer);

protected:
    /// Shows the save dialog, which neither adds an ending nor asks about overwriting.
    virtual QString showSaveDialog(QWidget* parent, const QString& title, const QString& folder,
                                   const QStringList& filters, QString* selectedFilter) = 0;
    /// The installed printers.
    virtual QStringList printerNames() = 0;
    /// The system's default printer; empty when it has none.
    virtual QString defaultPrinterName() = 0;
    /// Shows the print dialog for `printer`, set to the printer `printerName` first; on Ok
    /// `printerName` becomes the printer chosen there.
    virtual bool showPrintDialog(QWidget* parent, QPrinter& printer, QString& printerName) = 0;

private:
    QString m_chosenPrinter;
};

/// Opens url; when that fails, a warning box with the title and text, over `window` if it is
/// still open by then.
void OpenOrWarn(Desktop& desktop, QWidget* window, const QUrl& url, const QString& failureTitle,
                const QString& failureText);

/// Qt's message boxes and dialogs, the system's printer list and the desktop's opener.
class SystemDesktop : public Desktop {
public:
    explicit SystemDesktop(QString opener = DesktopOpener::XdgOpen);
    void showMessage(QWidget* parent, const QString& title, const QString& text,
                     MessageKind kind) override;
    void showDetailedMessage(QWidget* parent, const QString& title, const QString& text,
                             const QString& details, MessageKind kind) override;
    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override;
    void openUrl(const QUrl& url, std::function<void()> failed) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QStringList& filters) override;

protected:
    QString showSaveDialog(QWidget* parent, const QString& title, const QString& folder,
                           const QStringList& filters, QString* selectedFilter) override;
    QStringList printerNames() override;
    QString defaultPrinterName() override;
    bool showPrintDialog(QWidget* parent, QPrinter& printer, QString& printerName) override;

private:
    DesktopOpener m_opener;
};

} // namespace corvane::widgets
