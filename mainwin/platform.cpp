#include "platform.h"

#include <QDialog>
#include <QMessageBox>
#include <QPointer>

namespace corvane::mainwin {

DesktopPlatform::DesktopPlatform(QString opener) : m_opener(std::move(opener)) {}

bool Platform::runDialog(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

void OpenOrWarn(Platform& platform, QWidget* window, const QUrl& url, const QString& failureTitle,
                const QString& failureText) {
    platform.openUrl(
        url, [&platform, window = QPointer<QWidget>(window), failureTitle, failureText] {
            platform.showMessage(window, failureTitle, failureText, MessageIcon::Exclamation);
        });
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

void DesktopPlatform::openUrl(const QUrl& url, std::function<void()> failed) {
    m_opener.open(url, std::move(failed));
}

} // namespace corvane::mainwin
