// \brief The start-up sequence: the splash first, the main window when the splash closes,
// exactly once; and the About box.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

namespace corvane::mainwin {
class FormMain;
class SettingsStore;
} // namespace corvane::mainwin
namespace corvane::widgets {
class Desktop;
}

#include "splash.h"

namespace corvane::app {

class StartUp : public QObject {
    Q_OBJECT
public:
    StartUp(mainwin::SettingsStore& store, widgets::Desktop& desktop, QString programFolder);
    ~StartUp() override;

    /// Opens the splash, not modal, with its 400 ms timer running.
    void start();
    /// Creates (once) and shows the main window, or brings it forward.
    void showMainWindow();
    /// The About box: the splash, modal, without its timer.
    void showAbout();

    mainwin::FormMain* mainWindow() const { return m_main.get(); }
    FormSplash* splash() const { return m_splash; }

signals:
    void mainWindowShown();

private:
    mainwin::SettingsStore& m_store;
    widgets::Desktop& m_desktop;
    QString m_programFolder;
    std::unique_ptr<mainwin::FormMain> m_main;
    QPointer<FormSplash> m_splash;
};

} // namespace corvane::app
