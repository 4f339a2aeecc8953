// \brief Saving a file whole or not at all, and the failure text the user sees.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

namespace corvane::files {

struct SaveResult {
    bool ok = false;
    /// The file or its folder may not be written by the user.
    bool readOnly = false;
    /// The system's error number (errno) left by the call that failed, and its description.
    int errorNumber = 0;
    QString description;
};

/// Writes the file named by `nativePath`, the name's bytes as the system spells it. A regular
/// file (or a new one) is written through a temporary file in its folder that replaces it only
/// when `write` succeeded and every byte reached the disk: on any failure the old file stays
/// whole, on success the new file has the old one's permissions, and its owner where the user
/// may give it. A device or FIFO is written directly and stays what it is; a symbolic link
/// stays and its target is written.
SaveResult SaveAtomically(const QByteArray& nativePath,
                          const std::function<bool(QIODevice&)>& write);
/// The same for a name the toolkit gave, such as a save dialog's.
SaveResult SaveAtomically(const QString& path, const std::function<bool(QIODevice&)>& write);

/// A failure with the system's error number and its description; a failure that no system
/// call reported (`error` 0) counts as an input/output error.
SaveResult SystemFailure(int error);

/// heading + the path + "Read-only file." (when `result` says so and that variant is offered)
/// or "Error number: " with the number and description, on three lines.
QString SaveFailureText(const QString& heading, const QString& path, const SaveResult& result,
                        bool offerReadOnly);

} // namespace corvane::files
