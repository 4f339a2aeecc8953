// The main of the GoogleTest executables that draw with Qt's font system: they run inside a
// QGuiApplication with the mark-up symbols and font substitutions in place.
#include "markup/fonts.h"
#include "markup/symbols.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Headless also when the tests are only being listed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    corvane::markup::InstallFontSubstitutions();
    corvane::markup::InitMarkupSymbols();
    return RUN_ALL_TESTS();
}
