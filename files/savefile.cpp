#include "savefile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane::files {

namespace {

// The folder a native path names its file in.
QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

// Where a save lands: the final target of a symbolic link, so that the link stays a link,
// also when that target does not exist yet (which realpath cannot resolve).
QByteArray resolveLinks(const QByteArray& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.constData(), resolved) != nullptr) return QByteArray(resolved);
    constexpr int MostLinks = 40; // as the kernel follows at most
    QByteArray target = path;
    for (int followed = 0; followed < MostLinks; ++followed) {
        const ssize_t length = ::readlink(target.constData(), resolved, sizeof resolved);
        if (length < 0) break; // not a link (or gone): the save lands here
        const QByteArray next(resolved, length);
        target = next.startsWith('/') ? next : folderOf(target) + '/' + next;
    }
    return target;
}

bool writable(const QByteArray& path) {
    return ::access(path.constData(), W_OK) == 0;
}

SaveResult failureAt(const QByteArray& target, int error) {
    SaveResult result = SystemFailure(error);
    const QByteArray folder = folderOf(target);
    struct stat info {};
    result.readOnly =
        (::stat(target.constData(), &info) == 0 && !writable(target)) ||
        (::stat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode) && !writable(folder));
    return result;
}

// Runs `write` on the open descriptor and pushes all it wrote out of Qt's buffer (and, for a
// file on a disk, onto the disk). False on the first failure, with errno telling why.
bool writeThrough(int descriptor, const std::function<bool(QIODevice&)>& write, bool toDisk) {
    QFile file;
    if (!file.open(descriptor, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) return false;
    errno = 0;
    if (!write(file) || file.error() != QFileDevice::NoError) return false;
    // Small writes wait in the buffer: a full disk shows only here.
    if (!file.flush() || file.error() != QFileDevice::NoError) return false;
    return !toDisk || ::fsync(descriptor) == 0;
}

// A device or FIFO takes the bytes itself: replacing it would put a plain file in its place.
SaveResult writeInPlace(const QByteArray& target, const std::function<bool(QIODevice&)>& write) {
    errno = 0;
    const int descriptor = ::open(target.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) return failureAt(target, errno);
    bool ok = writeThrough(descriptor, write, false);
    int error = errno;
    if (::close(descriptor) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) return failureAt(target, error);
    SaveResult saved;
    saved.ok = true;
    return saved;
}

// The permissions of a new file: what the user's file-creation mask leaves of rw-rw-rw-.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

SaveResult replaceFile(const QByteArray& target, const struct stat* old,
                       const std::function<bool(QIODevice&)>& write) {
    QByteArray temporary = folderOf(target) + "/.corvane-save-XXXXXX";
    errno = 0;
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) return failureAt(target, errno);
    const mode_t mode = old != nullptr ? old->st_mode & 0777 : newFileMode();
    // The old file's owner and group stay where the user may give them (root may, and an
    // owner may keep a group of their own); elsewhere the new file is the user's, which is no
    // failure of the save.
    if (old != nullptr && ::fchown(descriptor, old->st_uid, old->st_gid) != 0) errno = 0;
    bool ok = ::fchmod(descriptor, mode) == 0 && writeThrough(descriptor, write, true);
    int error = errno;
    if (::close(descriptor) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.constData(), target.constData()) == 0) {
        SaveResult saved;
        saved.ok = true;
        return saved;
    }
    if (ok) error = errno;
    ::unlink(temporary.constData());
    return failureAt(target, error);
}

} // namespace

SaveResult SystemFailure(int error) {
    SaveResult result;
    result.errorNumber = error != 0 ? error : EIO;
    result.description = QString::fromLocal8Bit(std::strerror(result.errorNumber));
    return result;
}

SaveResult SaveAtomically(const QByteArray& nativePath,
                          const std::function<bool(QIODevice&)>& write) {
    const QByteArray target = resolveLinks(nativePath);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) return failureAt(target, EISDIR);
    if (exists && !S_ISREG(old.st_mode)) return writeInPlace(target, write);
    // A read-only file stays, even where the folder would let it be replaced.
    if (exists && !writable(target)) return failureAt(target, errno);
    return replaceFile(target, exists ? &old : nullptr, write);
}

SaveResult SaveAtomically(const QString& path, const std::function<bool(QIODevice&)>& write) {
    return SaveAtomically(QFile::encodeName(path), write);
}

QString SaveFailureText(const QString& heading, const QString& path, const SaveResult& result,
                        bool offerReadOnly) {
    QString text = heading + '\n' + QDir::toNativeSeparators(path) + '\n';
    if (offerReadOnly && result.readOnly) return text + "Read-only file.";
    return text +
           QStringLiteral("Error number: %1 %2").arg(result.errorNumber).arg(result.description);
}

} // namespace corvane::files
