// The graph and table windows from the keyboard: Escape, the command keys, Tab through the
// bar and the table's scrolling keys.
#pragma once

#include <QtTest>

class WindowKeysTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void escapeClosesTheGraphAfterAMenu();
    void escapeClosesTheTableAfterAMenuCommand();
    void escapeClosesAMenuFirst();
    void graphCommandKeysAndMenuItems();
    void tableCommandKeysAndMenuItems();
    void tabGoesThroughTheBarButtons();
    void tableScrollsByRowPageAndEnds();
};
