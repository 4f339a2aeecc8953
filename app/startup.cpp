#include "startup.h"

#include "splash.h"

#include "mainwin/formmain.h"

namespace corvane::app {

StartUp::StartUp(mainwin::SettingsStore& store, widgets::Desktop& desktop, QString programFolder)
    : m_store(store), m_desktop(desktop), m_programFolder(std::move(programFolder)) {}

StartUp::~StartUp() {
    delete m_splash;
}

void StartUp::start() {
    m_splash = new FormSplash(m_desktop);
    m_splash->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_splash, &FormSplash::closing, this, &StartUp::showMainWindow);
    m_splash->show();
    m_splash->Timer1().start();
}

void StartUp::showMainWindow() {
    const bool first = !m_main;
    if (first) {
        m_main = std::make_unique<mainwin::FormMain>(m_store, m_desktop, m_programFolder);
        m_main->setAboutHandler([this] { showAbout(); });
    }
    m_main->show();
    m_main->raise();
    m_main->activateWindow();
    if (first) emit mainWindowShown();
}

void StartUp::showAbout() {
    FormSplash about(m_desktop, m_main.get());
    about.Timer1().stop();
    about.exec();
}

} // namespace corvane::app
