#include "programfolder.h"

#include <QFileInfo>

namespace corvane::app {

QString ProgramFolderOf(const QString& executablePath) {
    const QFileInfo executable(executablePath);
    const QString resolved = executable.canonicalFilePath();
    return resolved.isEmpty() ? executable.absolutePath() : QFileInfo(resolved).absolutePath();
}

} // namespace corvane::app
