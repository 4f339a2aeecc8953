// \brief The program's folder: where its executable really lives, which holds img/ and the
// user's manual.
#pragma once

#include <QString>

namespace corvane::app {

/// The folder of the executable at executablePath with every link resolved, so a link in
/// P/bin leads to P/lib/corvane; the path's own folder when it cannot be resolved.
QString ProgramFolderOf(const QString& executablePath);

} // namespace corvane::app
