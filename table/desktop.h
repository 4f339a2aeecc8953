// \brief What the graph and table windows ask of the desktop: message boxes, the save and print
// dialogs and the installed printers. Tests replace it to answer every dialog headless.
#pragma once

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace corvane::table {

enum class MessageKind { Warning, Information };

class Desktop {
public:
    virtual ~Desktop() = default;
    /// A modal box with one OK button.
    virtual void showMessage(QWidget* parent, const QString& title, const QString& text,
                             MessageKind kind) = 0;
    /// The save dialog, starting in `folder` and asking before overwriting. `filters` are Qt
    /// name filters; `selectedFilter` comes back with the one in use. Empty when cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QStringList& filters, QString* selectedFilter) = 0;
    /// Whether at least one printer is installed.
    virtual bool hasPrinter() = 0;
    /// The device name of the printer a print job would use; empty when there is none.
    virtual QString currentPrinterName() = 0;
    /// The print dialog for `printer`: no print-to-file or selection choice, the page range
    /// preselected. The printer chosen there and its copy count end up in `printer`. False on
    /// cancel.
    virtual bool printDialog(QWidget* parent, QPrinter& printer) = 0;
};

/// Qt's message boxes and dialogs and the system's printer list.
class SystemDesktop : public Desktop {
public:
    void showMessage(QWidget* parent, const QString& title, const QString& text,
                     MessageKind kind) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QStringList& filters, QString* selectedFilter) override;
    bool hasPrinter() override;
    QString currentPrinterName() override;
    bool printDialog(QWidget* parent, QPrinter& printer) override;
};

} // namespace corvane::table
