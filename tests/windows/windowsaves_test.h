// Every save of the graph and table windows: on a full disk, with a name typed without its
// ending, and over a file that exists.
#pragma once

#include <QtTest>

class WindowSavesTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void aFullDiskKeepsTheOldFileAndSaysWhy_data();
    void aFullDiskKeepsTheOldFileAndSaysWhy();
    void aNameWithoutEndingGetsTheFiltersEnding_data();
    void aNameWithoutEndingGetsTheFiltersEnding();
    void aNameWithItsOwnEndingKeepsIt();
    void overwritingAsksFirst();
};
