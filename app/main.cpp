#include "display.h"
#include "identity.h"
#include "programfolder.h"
#include "startoptions.h"
#include "startup.h"

#include "mainwin/settings.h"
#include "markup/fonts.h"
#include "markup/symbols.h"
#include "widgets/desktop.h"

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const corvane::app::StartOptions options = corvane::app::ParseStartOptions(arguments);
    if (options.action != corvane::app::StartOptions::Action::Run)
        return corvane::app::AnswerWithoutWindow(options);

    const std::unique_ptr<QApplication> application = corvane::app::OpenDisplay(argc, argv);
    corvane::app::ApplyDesktopIdentity();
    QApplication::setStyle("Fusion");
    corvane::markup::InstallFontSubstitutions();
    corvane::markup::InitMarkupSymbols();

    corvane::widgets::SystemDesktop desktop;
    corvane::mainwin::SettingsStore store;
    corvane::app::StartUp startUp(
        store, desktop, corvane::app::ProgramFolderOf(QCoreApplication::applicationFilePath()));
    startUp.start();
    return QApplication::exec();
}
