#include "desktop.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace corvane::table {

void SystemDesktop::showMessage(QWidget* parent, const QString& title, const QString& text,
                                MessageKind kind) {
    QMessageBox box(kind == MessageKind::Warning ? QMessageBox::Warning : QMessageBox::Information,
                    title, text, QMessageBox::Ok, parent);
    box.exec();
}

QString SystemDesktop::saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                    const QStringList& filters, QString* selectedFilter) {
    return QFileDialog::getSaveFileName(parent, title, folder, filters.join(";;"), selectedFilter);
}

QString SystemDesktop::openFileName(QWidget* parent, const QString& title, const QString& folder,
                                    const QStringList& filters) {
    return QFileDialog::getOpenFileName(parent, title, folder, filters.join(";;"));
}

QString Desktop::currentPrinterName() {
    const QStringList installed = printerNames();
    if (installed.isEmpty()) return {};
    if (installed.contains(m_chosenPrinter)) return m_chosenPrinter;
    const QString system = defaultPrinterName();
    // Without a default, a new print job goes to the first printer.
    return installed.contains(system) ? system : installed.first();
}

bool Desktop::printDialog(QWidget* parent, QPrinter& printer) {
    QString name = currentPrinterName();
    if (!showPrintDialog(parent, printer, name)) return false;
    m_chosenPrinter = name;
    return true;
}

QStringList SystemDesktop::printerNames() {
    return QPrinterInfo::availablePrinterNames();
}

QString SystemDesktop::defaultPrinterName() {
    return QPrinterInfo::defaultPrinterName();
}

bool SystemDesktop::showPrintDialog(QWidget* parent, QPrinter& printer, QString& printerName) {
    if (!printerName.isEmpty()) printer.setPrinterName(printerName);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    // One page per copy: the range is preselected and holds that page.
    dialog.setMinMax(1, 1);
    dialog.setFromTo(1, 1);
    dialog.setPrintRange(QAbstractPrintDialog::PageRange);
    if (dialog.exec() != QDialog::Accepted) return false;
    printerName = printer.printerName();
    return true;
}

} // namespace corvane::table
