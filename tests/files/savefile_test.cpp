#include "savefile_test.h"

#include "tests/support/fulldisk.h"

#include "files/savefile.h"

#include <QTemporaryDir>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace corvane::files;
using corvane::test::FullDisk;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::function<bool(QIODevice&)> writing(const QByteArray& bytes) {
    return [bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); };
}

struct stat statOf(const QByteArray& path, bool followLinks = true) {
    struct stat info {};
    const int result =
        followLinks ? ::stat(path.constData(), &info) : ::lstat(path.constData(), &info);
    if (result != 0) info.st_mode = 0;
    return info;
}

mode_t modeOf(const QString& path) {
    return statOf(QFile::encodeName(path)).st_mode & 07777;
}

void writeFile(const QString& path, const QByteArray& bytes, mode_t mode = 0644) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
    f.close();
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

// The file-creation mask for the length of a test.
class Umask {
public:
    explicit Umask(mode_t mask) : m_old(::umask(mask)) {}
    ~Umask() { ::umask(m_old); }
    Umask(const Umask&) = delete;
    Umask& operator=(const Umask&) = delete;

private:
    mode_t m_old;
};

} // namespace

#define FULL_DISK(disk, name)                                                                      \
    FullDisk disk(name);                                                                           \
    if (!disk.skipReason().isEmpty()) QSKIP(qPrintable(disk.skipReason()));                        \
    QVERIFY2(disk.setupError().isEmpty(), qPrintable(disk.setupError()))

void SaveFileTest::aFullDiskKeepsTheOldFileAndNamesTheError_data() {
    QTest::addColumn<int>("size");
    // Less than Qt's write buffer (the failure shows only at the flush), and more.
    QTest::addRow("a few bytes") << 10;
    QTest::addRow("a line") << 200;
    QTest::addRow("more than the buffer") << 100000;
}

void SaveFileTest::aFullDiskKeepsTheOldFileAndNamesTheError() {
    QFETCH(int, size);
    FULL_DISK(disk, "old.txt");
    const QStringList before = disk.entries();
    const SaveResult result = SaveAtomically(disk.oldFile(), writing(QByteArray(size, 'n')));
    QVERIFY(!result.ok);
    QVERIFY(!result.readOnly);
    QCOMPARE(result.errorNumber, ENOSPC);
    QCOMPARE(result.description, QString("No space left on device"));
    QCOMPARE(readAll(disk.oldFile()), FullDisk::OldBytes());
    QCOMPARE(disk.entries(), before);
}

void SaveFileTest::aFullDiskLeavesNoNewFile() {
    FULL_DISK(disk, "old.txt");
    const QStringList before = disk.entries();
    const SaveResult result = SaveAtomically(disk.path("new.txt"), writing("rows\r\n"));
    QVERIFY(!result.ok);
    QCOMPARE(result.errorNumber, ENOSPC);
    QCOMPARE(disk.entries(), before);
}

void SaveFileTest::devicesAndFifosAreWrittenNotReplaced() {
    QTemporaryDir dir;
    const auto everything = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    // A FIFO with a reader waiting: the bytes go through it, and it stays a FIFO.
    const QByteArray fifo = QFile::encodeName(dir.filePath("pipe"));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);
    const SaveResult toFifo = SaveAtomically(fifo, writing("through the pipe\r\n"));
    char received[64] = {};
    const ssize_t got = ::read(reader, received, sizeof received);
    ::close(reader);
    QVERIFY2(toFifo.ok, qPrintable(toFifo.description));
    QCOMPARE(QByteArray(received, int(got)), QByteArray("through the pipe\r\n"));
    QVERIFY(S_ISFIFO(statOf(fifo).st_mode));
    QCOMPARE(QDir(dir.path()).entryList(everything), QStringList{"pipe"});

    // A device node of its own, the null device's numbers, so that no fault here can harm
    // the system's /dev/null. Only root may make one.
    const QByteArray null = QFile::encodeName(dir.filePath("null"));
    if (::mknod(null.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        QSKIP("making a device node needs root");
    const SaveResult toNull = SaveAtomically(null, writing("rows\r\n"));
    QVERIFY2(toNull.ok, qPrintable(toNull.description));
    const struct stat after = statOf(null);
    QVERIFY(S_ISCHR(after.st_mode));
    QCOMPARE(after.st_rdev, makedev(1, 3));
    QCOMPARE(QDir(dir.path()).entryList(everything), (QStringList{"null", "pipe"}));
}

void SaveFileTest::aReplacedFileKeepsItsPermissions() {
    QTemporaryDir dir;
    const Umask mask(022);
    for (const mode_t mode : {mode_t(0640), mode_t(0600), mode_t(0664), mode_t(0755)}) {
        const QString path = dir.filePath(QString("kept-%1").arg(mode, 0, 8));
        writeFile(path, "old", mode);
        QVERIFY(SaveAtomically(path, writing("new")).ok);
        QCOMPARE(readAll(path), QByteArray("new"));
        QCOMPARE(modeOf(path), mode);
    }
    // A new file gets what the mask leaves of rw-rw-rw-.
    QVERIFY(SaveAtomically(dir.filePath("new-022"), writing("new")).ok);
    QCOMPARE(modeOf(dir.filePath("new-022")), mode_t(0644));
    const Umask strict(077);
    QVERIFY(SaveAtomically(dir.filePath("new-077"), writing("new")).ok);
    QCOMPARE(modeOf(dir.filePath("new-077")), mode_t(0600));
}

void SaveFileTest::aReplacedFileKeepsItsOwner() {
    // Root saving into another user's file leaves it that user's, as writing in place would.
    if (::geteuid() != 0) QSKIP("giving a file to another user needs root");
    QTemporaryDir dir;
    const QString path = dir.filePath("theirs.txt");
    writeFile(path, "old", 0664);
    const QByteArray name = QFile::encodeName(path);
    constexpr uid_t Nobody = 65534;
    constexpr gid_t NoGroup = 65534;
    QCOMPARE(::chown(name.constData(), Nobody, NoGroup), 0);
    QVERIFY(SaveAtomically(path, writing("new")).ok);
    QCOMPARE(readAll(path), QByteArray("new"));
    const struct stat info = statOf(name);
    QCOMPARE(info.st_uid, Nobody);
    QCOMPARE(info.st_gid, NoGroup);
    QCOMPARE(info.st_mode & 07777, mode_t(0664));
}

void SaveFileTest::aReadOnlyFileIsReplacedOnlyByRoot() {
    QTemporaryDir dir;
    const QString path = dir.filePath("read-only.txt");
    writeFile(path, "old", 0444);
    const SaveResult result = SaveAtomically(path, writing("new"));
    if (::geteuid() == 0) {
        QVERIFY2(result.ok, qPrintable(result.description));
        QCOMPARE(readAll(path), QByteArray("new"));
    } else {
        QVERIFY(!result.ok);
        QVERIFY(result.readOnly);
        QCOMPARE(result.errorNumber, EACCES);
        QCOMPARE(readAll(path), QByteArray("old"));
    }
    QCOMPARE(modeOf(path), mode_t(0444));
}

void SaveFileTest::aLinkStaysALink() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("real"));
    const QString target = dir.filePath("real/table.txt");
    const QString link = dir.filePath("link.txt");
    writeFile(target, "old", 0640);
    QVERIFY(QFile::link("real/table.txt", link));
    QVERIFY(SaveAtomically(link, writing("new")).ok);
    QVERIFY(S_ISLNK(statOf(QFile::encodeName(link), false).st_mode));
    QCOMPARE(readAll(target), QByteArray("new"));
    QCOMPARE(modeOf(target), mode_t(0640));
    QCOMPARE(QDir(dir.filePath("real")).entryList(QDir::Files | QDir::Hidden),
             QStringList{"table.txt"});

    // A link to a file not made yet, through a second link: the file is made where the links
    // point, and both stay links.
    const QString first = dir.filePath("first.txt");
    QVERIFY(QFile::link("real/second.txt", first));
    QVERIFY(QFile::link("made.txt", dir.filePath("real/second.txt")));
    QVERIFY(SaveAtomically(first, writing("made")).ok);
    QVERIFY(S_ISLNK(statOf(QFile::encodeName(first), false).st_mode));
    QVERIFY(S_ISLNK(statOf(QFile::encodeName(dir.filePath("real/second.txt")), false).st_mode));
    QCOMPARE(readAll(dir.filePath("real/made.txt")), QByteArray("made"));
}

void SaveFileTest::theNameIsWrittenWithExactlyItsBytes() {
    QTemporaryDir dir;
    // "laté.txt" in Latin-1: the byte E9 alone is not UTF-8, so no QString holds this name.
    const QByteArray name("lat\xe9.txt");
    const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
    const SaveResult result = SaveAtomically(path, writing("rows\r\n"));
    QVERIFY2(result.ok, qPrintable(result.description));
    QVERIFY(S_ISREG(statOf(path).st_mode));
    QList<QByteArray> names;
    DIR* folder = ::opendir(QFile::encodeName(dir.path()).constData());
    QVERIFY(folder != nullptr);
    while (const dirent* entry = ::readdir(folder))
        if (entry->d_name[0] != '.') names << QByteArray(entry->d_name);
    ::closedir(folder);
    QCOMPARE(names, QList<QByteArray>{name});
    // Saving again replaces that very file.
    QVERIFY(SaveAtomically(path, writing("again\r\n")).ok);
    QFile file;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    QVERIFY(fd >= 0);
    QVERIFY(file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    QCOMPARE(file.readAll(), QByteArray("again\r\n"));
    // QTemporaryDir cannot remove what no QString names.
    QCOMPARE(::unlink(path.constData()), 0);
}
