#include "identity.h"

#include "mainwin/installation.h"
#include "version/version.h"

#include <QApplication>

namespace corvane::app {

QIcon ProgramIcon() {
    return QIcon::fromTheme(QString::fromLatin1(DesktopFileName),
                            QIcon(QStringLiteral(":/app/%1.svg").arg(DesktopFileName)));
}

void ApplyDesktopIdentity() {
    QApplication::setApplicationName(mainwin::installation::ApplicationTitle);
    QApplication::setApplicationVersion(VersionText);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DesktopFileName));
    QApplication::setWindowIcon(ProgramIcon());
}

} // namespace corvane::app
