// The graph window driven as a user would.
#pragma once

#include <QtTest>

class FormGraficaABTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void layoutButtonsAndMenus();
    void minimumSizeSnapsBack();
    void frameFirstCurvesAfterTheTimer();
    void draggingRestartsTheTimer();
    void printsOnePagePerCopyInThePictureOrientation_data();
    void printsOnePagePerCopyInThePictureOrientation();
    void printWithoutPrinterOrCancelledDoesNothing();
    void savesBmpThatReadsBackAsThePicture();
    void savesPngAndSvg();
    void saveDialogsOfferTheFilters();
    void aFailedSaveReportsAndKeepsTheOldFile();
    void copyPutsThePictureOnTheClipboard();
    void exportPdfWritesOneA4Page();
    void editChoosesAnotherKind();
    void dataTableShowsTheScreenPoints();
    void dataTableKeepsTheScreenPointsAfterPrintSaveAndExport();
    void escapeCloses();
    void printerNameBecomesTheTooltip();
    void screenshots();
};
