// Opener programs that stand in for xdg-open, and the system's desktop with its message boxes
// recorded instead of shown.
#pragma once

#include "fakedesktop.h"

#include "widgets/desktop.h"

#include <QDir>
#include <QFile>

namespace corvane::widgets::test {

/// Writes an executable shell script `name` into folder that notes its argument in
/// `name`.arg and exits with `status`; gives its path.
inline QString WriteFakeOpener(const QDir& folder, const QString& name, int status) {
    const QString path = folder.filePath(name);
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly)) return {};
    const QString text =
        QString("#!/bin/sh\nprintf '%s' \"$1\" > '%1.arg'\nexit %2\n").arg(path).arg(status);
    if (script.write(text.toUtf8()) < 0) return {};
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

/// SystemDesktop with a chosen opener program; message boxes are only recorded.
using RecordingSystemDesktop = RecordsMessages<SystemDesktop>;

} // namespace corvane::widgets::test
