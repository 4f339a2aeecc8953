// \brief What the graph and table windows ask of the desktop: message boxes, the save and print
// dialogs and the installed printers. Tests replace it to answer every dialog headless.
#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QPrinter;
class QWidget;

namespace corvane::table {

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

/// Qt's message boxes and dialogs and the system's printer list.
class SystemDesktop : public Desktop {
public:
    void showMessage(QWidget* parent, const QString& title, const QString& text,
                     MessageKind kind) override;
    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QStringList& filters) override;

protected:
    QString showSaveDialog(QWidget* parent, const QString& title, const QString& folder,
                           const QStringList& filters, QString* selectedFilter) override;
    QStringList printerNames() override;
    QString defaultPrinterName() override;
    bool showPrintDialog(QWidget* parent, QPrinter& printer, QString& printerName) override;
};

} // namespace corvane::table
