// What the desktop and the package tell about the program agrees with the program: the
// desktop entry names the window class and the one main category, everything states the same
// licence, GPL-3.0-or-later, and the changelog records the build's version.
#include "app/identity.h"
#include "mainwin/installation.h"
#include "version/version.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QString source(const QString& path) {
    return QString::fromUtf8(readAll(QStringLiteral(CORVANE_SOURCE_DIR "/") + path));
}

// The value of a key of the desktop entry's main group.
QString entryValue(const QString& entry, const QString& key) {
    const QRegularExpression line("^" + key + "=(.*)$", QRegularExpression::MultilineOption);
    return line.match(entry).captured(1);
}

TEST(DesktopEntry, MatchesTheWindowsClassAndIcon) {
    const QString entry = source("assets/desktop/org.corvane.Corvane.desktop");
    // Qt's X11 windows carry the class of the application's name.
    EXPECT_EQ(entryValue(entry, "StartupWMClass"),
              QString(corvane::mainwin::installation::ApplicationTitle));
    EXPECT_EQ(entryValue(entry, "Icon"), QString(corvane::app::DesktopFileName));
}

TEST(DesktopEntry, HasOneMainCategory) {
    const QString entry = source("assets/desktop/org.corvane.Corvane.desktop");
    const QStringList main{"AudioVideo", "Audio",    "Video",   "Development", "Education",
                           "Game",       "Graphics", "Network", "Office",      "Science",
                           "Settings",   "System",   "Utility"};
    QStringList found;
    for (const QString& category : entryValue(entry, "Categories").split(';', Qt::SkipEmptyParts))
        if (main.contains(category)) found << category;
    EXPECT_EQ(found, QStringList{"Education"});
}

TEST(Licence, EverythingSaysGpl3OrLater) {
    EXPECT_EQ(readAll(CORVANE_SOURCE_DIR "/LICENSE"), readAll("/usr/share/common-licenses/GPL-3"));
    const QString copyright = source("packaging/copyright");
    EXPECT_TRUE(copyright.startsWith(
        "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"));
    EXPECT_TRUE(copyright.contains("\nFiles: *\nCopyright: 2026 The Corvane developers"));
    EXPECT_EQ(copyright.count(QRegularExpression("^License: GPL-3.0-or-later$",
                                                 QRegularExpression::MultilineOption)),
              2);
    EXPECT_TRUE(copyright.contains("/usr/share/common-licenses/GPL-3"));
    const QString metainfo = source("assets/desktop/org.corvane.Corvane.metainfo.xml.in");
    EXPECT_TRUE(metainfo.contains("<project_license>GPL-3.0-or-later</project_license>"));
    EXPECT_TRUE(metainfo.contains("<metadata_license>CC0-1.0</metadata_license>"));
    for (const char* page : {"docs/corvane.1.in", "docs/corvane-cli.1.in"})
        EXPECT_TRUE(
            source(page).contains(QString("Licensed under the GNU GPL, version 3 or later")))
            << page;
    EXPECT_TRUE(source("docs/manual.html").contains(corvane::app::LicenceLine));
}

// The package's changelog ends with an entry for the version of the build, so a new version
// comes with its entry; the metainfo names that release.
TEST(Package, TheChangelogRecordsThisVersion) {
    const QString changelog = source("packaging/changelog");
    EXPECT_TRUE(changelog.startsWith(QString("corvane (%1) ").arg(corvane::VersionText)))
        << changelog.section('\n', 0, 0).toStdString();
    const QString metainfo = source("assets/desktop/org.corvane.Corvane.metainfo.xml.in");
    EXPECT_TRUE(metainfo.contains("<release version=\"@PROJECT_VERSION@\""));
}

// The metainfo's release and the manual pages carry the date of the changelog's newest entry,
// so a new entry dates them all.
TEST(Package, TheReleaseDateIsTheChangelogs) {
    const QString changelog = source("packaging/changelog");
    const QRegularExpression trailer("^ -- .*>  (.*)$", QRegularExpression::MultilineOption);
    const QDateTime released =
        QDateTime::fromString(trailer.match(changelog).captured(1), Qt::RFC2822Date);
    ASSERT_TRUE(released.isValid()) << changelog.section('\n', 0, 6).toStdString();
    const QString built = QStringLiteral(CORVANE_BUILD_DIR "/");
    const QString metainfo =
        QString::fromUtf8(readAll(built + "packaging/org.corvane.Corvane.metainfo.xml"));
    EXPECT_TRUE(
        metainfo.contains(QString("<release version=\"%1\" date=\"%2\"/>")
                              .arg(corvane::VersionText, released.date().toString(Qt::ISODate))))
        << metainfo.toStdString();
    const QString month = QLocale::c().toString(released.date(), "MMMM yyyy");
    const std::pair<const char*, const char*> pages[] = {{"docs/corvane.1", "CORVANE"},
                                                         {"docs/corvane-cli.1", "CORVANE-CLI"}};
    for (const auto& [page, title] : pages) {
        const QString text = QString::fromUtf8(readAll(built + page));
        const QString heading =
            QString(".TH %1 1 \"%2\" \"Corvane %3\"").arg(title, month, corvane::VersionText);
        EXPECT_TRUE(text.startsWith(heading))
            << page << ": " << text.section('\n', 0, 0).toStdString();
    }
}

} // namespace
