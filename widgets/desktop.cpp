#include "desktop.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

namespace corvane::widgets {

QString FilterEnding(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral(R"(\(\*\.([^*)\s]+)\))"));
    return pattern.match(filter).captured(1);
}

bool Desktop::runDialog(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

void OpenOrWarn(Desktop& desktop, QWidget* window, const QUrl& url, const QString& failureTitle,
                const QString& failureText) {
    desktop.openUrl(url, [&desktop, window = QPointer<QWidget>(window), failureTitle, failureText] {
        desktop.showMessage(window, failureTitle, failureText, MessageKind::Warning);
    });
}

SystemDesktop::SystemDesktop(QString opener) : m_opener(std::move(opener)) {}

void SystemDesktop::showMessage(QWidget* parent, const QString& title, const QString& text,
                                MessageKind kind) {
    showDetailedMessage(parent, title, text, {}, kind);
}

void SystemDesktop::showDetailedMessage(QWidget* parent, const QString& title, const QString& text,
                                        const QString& details, MessageKind kind) {
    QMessageBox box(kind == MessageKind::Warning ? QMessageBox::Warning : QMessageBox::Information,
                    title, text, QMessageBox::Ok, parent);
    box.setInformativeText(details);
    box.exec();
}

void SystemDesktop::openUrl(const QUrl& url, std::function<void()> failed) {
    m_opener.open(url, std::move(failed));
}

bool SystemDesktop::askYesNo(QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::warning(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

QString SystemDesktop::showSaveDialog(QWidget* parent, const QString& title, const QString& folder,
                                      const QStringList& filters, QString* selectedFilter) {
    // The question comes after the filter's ending is added, about the name really written.
    return QFileDialog::getSaveFileName(parent, title, folder, filters.join(";;"), selectedFilter,
                                        QFileDialog::DontConfirmOverwrite);
}

QString Desktop::saveFileName(QWidget* parent, const QString& title, const QString& folder,
                              const QStringList& filters, QString* selectedFilter) {
    QString path = showSaveDialog(parent, title, folder, filters, selectedFilter);
    if (path.isEmpty()) return {};
    const QString ending = selectedFilter != nullptr ? FilterEnding(*selectedFilter) : QString();
    if (!ending.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += '.' + ending;
    const QString question = QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                 .arg(QFileInfo(path).fileName());
    if (QFileInfo::exists(path) && !askYesNo(parent, title, question)) return {};
    return path;
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

} // namespace corvane::widgets
