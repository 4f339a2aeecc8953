// The graph window's scales, values read off the curve, marks and indicators, driven as a user
// would.
#pragma once

#include <QtTest>

class GraphViewToolsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void scalesDialogSetsAndRestoresTheDefaults();
    void badScalesAreRefusedNamingTheField();
    void dragZoomsAndDoubleClickGoesBack();
    void statusLineShowsTheValueUnderThePointer();
    void valueAtListsSeveralValues();
    void showMarksIsKeptAndDrawn();
    void indicatorShadesItsRange();
    void screenshots();
};
