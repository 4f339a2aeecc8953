// Measured data in the graph window: markers over the curve, a refused file, the fit and its
// result window, and "Use these values".
#pragma once

#include <QtTest>

class MeasuredDataTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void loadingDrawsTheMarkersAndGivesTheRms();
    void aRefusedFileKeepsTheGraph();
    void theDataTableListsThePointsAsASecondBlock();
    void theFitResultShowsTheValuesAndTheirResiduals();
    void useTheseValuesRedrawsTheGraphFromTheMainWindowsCalculation();
};
