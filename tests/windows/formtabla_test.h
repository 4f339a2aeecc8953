// The data table window driven as a user would: layout, scrolling, save, copy, print, PDF.
#pragma once

#include <QtTest>

class FormTablaTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void showsTheTableOfTheLastScreenDrawing();
    void minimumSizeSnapsBack();
    void wheelMovesOneSmallStepPerEvent();
    void scrollingToTheBottomLeavesFourPixels();
    void aTallWindowHasNoScrollBar();
    void saveWritesUtf8WithCrLfOverALongerFile();
    void saveAsCsvByFilterOrName();
    void saveDialogsOfferTheFilters();
    void aFailedSaveKeepsTheOldFile();
    void aSaveIntoAVanishedFolderReports();
    void saveFailuresNameTheSystemError_data();
    void saveFailuresNameTheSystemError();
    void cancelledSaveChangesNothing();
    void copyPutsTheTextOnTheClipboard();
    void printWritesOnePortraitPagePerCopy();
    void printWithoutPrinterDoesNothing();
    void exportPdfWritesOneA4Page();
    void printerNameBecomesTheTooltip();
    void printerChosenInTheDialogIsUsedNext();
    void buttonsAndMenus();
    void escapeCloses();
    void screenshot();
};
