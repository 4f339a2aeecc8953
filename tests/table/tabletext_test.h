// TableText line by line against hand-worked tables, and the CSV form.
#pragma once

#include <QtTest>

class TableTextTest : public QObject {
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void rowsThatDoNotFitAreLeftOut();
    void rulesAreDrawnUnderTheHeadings();
    void measuredPointsFollowAsASecondBlock();
    void csv_data();
    void csv();
    void csvQuotesAHeadingHoldingTheSeparator();
};
