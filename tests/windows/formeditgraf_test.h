// The graph type chooser driven as a user would.
#pragma once

#include <QtTest>

class FormEditGRAFTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void offeredRows_data();
    void offeredRows();
    void titlesAreDrawn();
    void everyTitleShowsWhole();
    void windowHeightFollowsTheRows();
    void extraPanelFollowsTheSelection();
    void okStoresTheChoiceAndScales();
    void okWithTheExtraValues();
    void invalidExtraValuesKeepTheWindowOpen_data();
    void invalidExtraValuesKeepTheWindowOpen();
    void failedScalesCloseWithoutChange();
    void fieldKeyFilter();
    void arrowKeysEnterAndEscape();
    void enterOnAFocusedButtonPressesIt_data();
    void enterOnAFocusedButtonPressesIt();
    void doubleClickConfirms();
    void reopeningSelectsTheKindDrawn();
    void screenshot();
};
