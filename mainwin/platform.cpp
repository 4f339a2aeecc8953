#include "platform.h"

#include <QDesktopServices>
#include <QDialog>
#include <QMessageBox>

namespace corvane::mainwin {

bool Platform::runDialog(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

void DesktopPlatform::showMessage(QWidget* parent, const QString& title, const QString& text,
                                  MessageIcon icon) {
    showDetailedMessage(parent, title, text, {}, icon);
}

void DesktopPlatform::showDetailedMessage(QWidget* parent, const QString& title,
                                          const QString& text, const QString& details,
                                          MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning
                                                     : QMessageBox::Information,
                    title, text, QMessageBox::Ok, parent);
    box.setInformativeText(details);
    box.exec();
}

bool DesktopPlatform::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

} // namespace corvane::mainwin
