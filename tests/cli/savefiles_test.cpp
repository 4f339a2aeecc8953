// The files corvane-cli writes: whole or not at all, under exactly the name given, and JSON
// that stays valid UTF-8 whatever the name's bytes.
#include "run_cli.h"

#include "tests/support/fulldisk.h"

#include "cli/request.h"

#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace corvane::cli;
using namespace corvane::cli::test;
using corvane::test::FullDisk;

namespace {

const std::vector<std::string> StrongTitration{"graph",   "50",     "29",
                                               "C_a=0.1", "V_a=25", "C_SB=0.1"};

std::vector<std::string> graphWith(const std::string& option, const std::string& file,
                                   const std::string& extra = {}) {
    std::vector<std::string> args = StrongTitration;
    args.insert(args.end(), {option, file});
    if (!extra.empty()) args.push_back(extra);
    return args;
}

// Reads a file by its bytes, which a QString may not hold.
QByteArray readAll(const QByteArray& nativePath) {
    QFile f;
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_CLOEXEC);
    return fd >= 0 && f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle) ? f.readAll()
                                                                                    : QByteArray();
}

bool validUtf8(const std::string& text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    decoder.decode(QByteArrayView(text.data(), qsizetype(text.size())));
    return !decoder.hasError();
}

struct FullDiskCase {
    const char* option;
    const char* ending;
    const char* what;
};

void PrintTo(const FullDiskCase& c, std::ostream* out) {
    *out << c.option << " old." << c.ending;
}

class FullDiskSave : public ::testing::TestWithParam<FullDiskCase> {};

} // namespace

TEST_P(FullDiskSave, KeepsTheOldFileAndFailsNamingTheError) {
    const FullDiskCase& c = GetParam();
    FullDisk disk(QString("old.") + c.ending);
    if (!disk.skipReason().isEmpty()) GTEST_SKIP() << disk.skipReason().toStdString();
    ASSERT_TRUE(disk.setupError().isEmpty()) << disk.setupError().toStdString();
    const QStringList before = disk.entries();
    const std::string old = disk.oldFile().toStdString();

    const Outcome r = run(graphWith(c.option, old));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "corvane-cli: cannot write the " + std::string(c.what) + " \"" + old +
                         "\": No space left on device\n");
    EXPECT_EQ(readAll(QFile::encodeName(disk.oldFile())), FullDisk::OldBytes());
    EXPECT_EQ(disk.entries(), before);

    const std::string fresh = disk.path(QString("new.") + c.ending).toStdString();
    EXPECT_EQ(run(graphWith(c.option, fresh)).status, 1);
    EXPECT_EQ(disk.entries(), before) << "no new file, not even an empty one";
}

INSTANTIATE_TEST_SUITE_P(EveryKindOfFile, FullDiskSave,
                         ::testing::Values(FullDiskCase{"--table", "txt", "data table"},
                                           FullDiskCase{"--table", "csv", "data table"},
                                           FullDiskCase{"--picture", "bmp", "picture"},
                                           FullDiskCase{"--picture", "png", "picture"},
                                           FullDiskCase{"--picture", "svg", "picture"},
                                           FullDiskCase{"--picture", "pdf", "picture"}),
                         [](const auto& testCase) { return std::string(testCase.param.ending); });

TEST(SaveFiles, ADeviceIsWrittenNotReplaced) {
    // A null device of its own, so that no fault here can harm the system's /dev/null; its
    // name ends as a picture's must.
    QTemporaryDir dir;
    const std::string null = QFile::encodeName(dir.filePath("sink.png")).toStdString();
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "making a device node needs root";
    EXPECT_EQ(run(graphWith("--table", null)).status, ExitOk);
    EXPECT_EQ(run(graphWith("--picture", null)).status, ExitOk);
    struct stat after {};
    ASSERT_EQ(::stat(null.c_str(), &after), 0);
    EXPECT_TRUE(S_ISCHR(after.st_mode));
    EXPECT_EQ(after.st_rdev, makedev(1, 3));
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{"sink.png"});
}

TEST(SaveFiles, FileNamesKeepTheirBytesAndJsonStaysUtf8) {
    QTemporaryDir dir;
    const std::string folder = QFile::encodeName(dir.path()).toStdString();
    // "laté.txt" and "gráf.png" in Latin-1: neither E9 nor E1 alone is UTF-8.
    const std::string table = folder + "/lat\xe9.txt";
    const std::string picture = folder + "/gr\xe1"
                                         "f.png";
    const Outcome r = run(graphWith("--table", table, "--json"));
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_TRUE(readAll(QByteArray::fromStdString(table)).startsWith("Titration"));
    struct stat info {};
    EXPECT_EQ(::stat(table.c_str(), &info), 0) << "written under exactly the bytes given";

    const Outcome p = run(graphWith("--picture", picture, "--json"));
    ASSERT_EQ(p.status, ExitOk) << p.err;
    EXPECT_TRUE(readAll(QByteArray::fromStdString(picture)).startsWith("\x89PNG"));
    EXPECT_TRUE(validUtf8(p.out));
    EXPECT_TRUE(contains(p.out, "\"picture\":\"" + folder +
                                    "/gr\xEF\xBF\xBD"
                                    "f.png\"}"))
        << p.out.substr(p.out.size() - 120);
    // QTemporaryDir cannot remove what no QString names.
    EXPECT_EQ(::unlink(table.c_str()), 0);
    EXPECT_EQ(::unlink(picture.c_str()), 0);
}

TEST(SaveFiles, JsonStringsReplaceEveryByteThatIsNotUtf8) {
    const std::string R = "\xEF\xBF\xBD"; // U+FFFD
    const std::pair<std::string, std::string> cases[] = {
        {"caf\xC3\xA9", "caf\xC3\xA9"},           // é, two bytes
        {"\xE2\x82\xAC 5", "\xE2\x82\xAC 5"},     // €, three bytes
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"}, // U+1F600, four bytes
        {"\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"}, // U+10FFFF, the last code point
        {"lat\xE9.txt", "lat" + R + ".txt"},      // Latin-1 é
        {"\xC0\xAF", R + R},                      // overlong "/"
        {"\xE0\x80\xAF", R + R + R},              // overlong "/" in three bytes
        {"\xED\xA0\x80", R + R + R},              // a surrogate half
        {"\xF4\x90\x80\x80", R + R + R + R},      // above U+10FFFF
        {"\xF5\x80", R + R},                      // no lead byte
        {"ab\xE2\x82", "ab" + R + R},             // cut short at the end
        {"\x80x", R + "x"},                       // a continuation byte alone
    };
    for (const auto& [text, valid] : cases) {
        EXPECT_EQ(jsonString(text), "\"" + valid + "\"") << text;
        EXPECT_TRUE(validUtf8(jsonString(text)));
    }
    EXPECT_EQ(jsonString("a\"b\\c\n"), "\"a\\\"b\\\\c\\u000a\"");
}
