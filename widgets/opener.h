// \brief DesktopOpener: opens a file or address with the desktop's default application by
// running an opener program (xdg-open) in the background, and says when that failed.
#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

namespace corvane::widgets {

class DesktopOpener : public QObject {
public:
    /// The desktop's own opener.
    static constexpr const char* XdgOpen = "xdg-open";

    explicit DesktopOpener(QString program = XdgOpen);
    /// Openers still running (a viewer the opener waits for) are left running.
    ~DesktopOpener() override;

    /// Starts the opener on url (a local file by its path) and returns at once. `failed` runs
    /// later, on this thread, when the opener cannot be started or exits with one of its
    /// failure statuses (1 to 4).
    void open(const QUrl& url, std::function<void()> failed);

private:
    QString m_program;
};

} // namespace corvane::widgets
