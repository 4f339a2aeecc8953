// The tests of saving files whole, without a display.
#include "savefile_test.h"

#include <QCoreApplication>
#include <QTest>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SaveFileTest test;
    return QTest::qExec(&test, argc, argv);
}
