// The start of every window test: headless, the program's style and fonts, the symbol table.
#pragma once

#include "markup/fonts.h"
#include "markup/symbols.h"

#include <QApplication>
#include <QtTest>

namespace corvane::test {

template <class Test> int RunGuiTest(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    markup::InstallFontSubstitutions();
    markup::InitMarkupSymbols();
    Test test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace corvane::test
