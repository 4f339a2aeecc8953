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

bool SystemDesktop::hasPrinter() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QString SystemDesktop::currentPrinterName() {
    return QPrinterInfo::defaultPrinterName();
}

bool SystemDesktop::printDialog(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    // One page per copy: the range is preselected and holds that page.
    dialog.setMinMax(1, 1);
    dialog.setFromTo(1, 1);
    dialog.setPrintRange(QAbstractPrintDialog::PageRange);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace corvane::table
