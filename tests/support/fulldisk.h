// A file system with no room left, for saves that must fail: a 16 KiB tmpfs mounted on a
// temporary folder, holding a 4 KiB old file and a filler that takes every free block.
// Mounting needs root; the file system is unmounted when the object goes.
#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace corvane::test {

class FullDisk {
public:
    /// Mounts the file system and writes `oldName` and the filler into it.
    explicit FullDisk(const QString& oldName) : m_old(oldName) {
        if (::geteuid() != 0) {
            m_skip = "a full file system needs root to mount it";
            return;
        }
        const QByteArray where = QFile::encodeName(m_dir.path());
        if (!m_dir.isValid() || ::mount("tmpfs", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                                        "size=16k,mode=0755") != 0) {
            if (errno == EPERM) m_skip = "this root may not mount file systems";
            m_error = QString("mounting a tmpfs: %1").arg(std::strerror(errno));
            return;
        }
        m_mounted = true;
        QFile old(path(oldName));
        if (!old.open(QIODevice::WriteOnly) || old.write(OldBytes()) != OldBytes().size() ||
            !old.flush()) {
            m_error = "writing the old file: " + old.errorString();
            return;
        }
        old.close();
        fill();
    }
    ~FullDisk() {
        if (m_mounted) ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    /// The old file's bytes: 4096 of them, one text line repeated.
    static QByteArray OldBytes() {
        QByteArray bytes;
        while (bytes.size() < 4096)
            bytes += "the old file, which a failed save must leave whole\n";
        return bytes.left(4096);
    }

    /// Why the test cannot run here; empty when it can.
    QString skipReason() const { return m_skip; }
    /// What went wrong setting up a full disk where one can be set up; empty when it is full.
    QString setupError() const { return m_error; }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString oldFile() const { return path(m_old); }
    /// Every name in the file system, hidden ones too.
    QStringList entries() const {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }

private:
    void fill() {
        const QByteArray filler = QFile::encodeName(path("filler"));
        const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        const QByteArray block(4096, 'f');
        errno = 0;
        while (fd >= 0 && ::write(fd, block.constData(), block.size()) > 0) {
        }
        const int stopped = errno;
        if (fd < 0 || ::close(fd) != 0 || stopped != ENOSPC) {
            m_error = QString("filling the disk stopped with: %1").arg(std::strerror(stopped));
            return;
        }
        struct statvfs space {};
        if (::statvfs(QFile::encodeName(m_dir.path()).constData(), &space) != 0 ||
            space.f_bavail != 0)
            m_error = "the filler left free blocks";
    }

    QTemporaryDir m_dir;
    QString m_old;
    QString m_skip, m_error;
    bool m_mounted = false;
};

} // namespace corvane::test
