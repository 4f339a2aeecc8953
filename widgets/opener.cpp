#include "opener.h"

#include <QProcess>

namespace corvane::widgets {

namespace {

// xdg-open's statuses: 1 bad arguments, 2 no such file, 3 no tool found, 4 the action failed.
bool isOpenerFailure(int exitCode) {
    return exitCode >= 1 && exitCode <= 4;
}

} // namespace

DesktopOpener::DesktopOpener(QString program) : m_program(std::move(program)) {}

DesktopOpener::~DesktopOpener() {
    // With a generic desktop the opener runs the viewer in the foreground until it is closed;
    // deleting a running QProcess would kill it, so a viewer still open outlives the program.
    for (QProcess* process : findChildren<QProcess*>()) {
        process->disconnect();
        process->setParent(nullptr);
    }
}

void DesktopOpener::open(const QUrl& url, std::function<void()> failed) {
    auto* process = new QProcess(this);
    // A crash after the viewer has been shown is not a failure to open, so only the opener's
    // own statuses count.
    connect(process, &QProcess::finished, this,
            [process, failed](int exitCode, QProcess::ExitStatus status) {
                process->deleteLater();
                if (status == QProcess::NormalExit && isOpenerFailure(exitCode)) failed();
            });
    connect(process, &QProcess::errorOccurred, this, [process, failed](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart) return;
        process->deleteLater();
        failed();
    });
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(m_program, {url.isLocalFile() ? url.toLocalFile() : url.toString()});
}

} // namespace corvane::widgets
