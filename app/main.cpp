#include "programfolder.h"
#include "startup.h"

#include "mainwin/platform.h"
#include "mainwin/settings.h"
#include "markup/fonts.h"
#include "markup/symbols.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(corvane::mainwin::installation::ApplicationTitle);
    QApplication::setStyle("Fusion");
    corvane::markup::InstallFontSubstitutions();
    corvane::markup::InitMarkupSymbols();

    corvane::mainwin::DesktopPlatform platform;
    corvane::mainwin::SettingsStore store;
    corvane::app::StartUp startUp(
        store, platform, corvane::app::ProgramFolderOf(QCoreApplication::applicationFilePath()));
    startUp.start();
    return application.exec();
}
