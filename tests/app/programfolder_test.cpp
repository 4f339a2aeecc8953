// The program's folder is found from the executable, through links as an installation or a
// package lays them out.
#include "app/programfolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using corvane::app::ProgramFolderOf;

namespace {

struct Tree {
    QTemporaryDir root;
    QString programFolder;

    Tree() {
        QDir(root.path()).mkpath("usr/lib/corvane");
        QDir(root.path()).mkpath("usr/bin");
        programFolder = QDir(root.filePath("usr/lib/corvane")).canonicalPath();
        QFile program(programFolder + "/corvane");
        program.open(QIODevice::WriteOnly);
    }
};

TEST(ProgramFolder, IsTheExecutablesOwnFolder) {
    Tree tree;
    EXPECT_EQ(ProgramFolderOf(tree.programFolder + "/corvane"), tree.programFolder);
}

TEST(ProgramFolder, FollowsARelativeLinkFromBin) {
    Tree tree;
    const QString link = tree.root.filePath("usr/bin/corvane");
    ASSERT_TRUE(QFile::link("../lib/corvane/corvane", link));
    EXPECT_EQ(ProgramFolderOf(link), tree.programFolder);
}

TEST(ProgramFolder, FollowsAChainOfLinks) {
    Tree tree;
    ASSERT_TRUE(QFile::link("../lib/corvane/corvane", tree.root.filePath("usr/bin/corvane")));
    const QString second = tree.root.filePath("start-corvane");
    ASSERT_TRUE(QFile::link(tree.root.filePath("usr/bin/corvane"), second));
    EXPECT_EQ(ProgramFolderOf(second), tree.programFolder);
}

TEST(ProgramFolder, AMissingExecutableGivesItsFolderAsWritten) {
    QTemporaryDir dir;
    EXPECT_EQ(ProgramFolderOf(dir.filePath("gone/corvane")), dir.filePath("gone"));
}

} // namespace
