// A cancelled or refused choice in the chooser, opened from the graph window, leaves the graph
// and its table as they were.
#pragma once

#include <QtTest>

class RefusedChoiceTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void theAddedVolumeCurveFollowsTheBufferEquation();
    void aRefusedVolumeThenEscapeKeepsTheGraph();
    void aVolumeBeyondTheScalesOrCancelKeepsTheGraph();
    void aValidChoiceAfterARefusedOneDraws();
};
