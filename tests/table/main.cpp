// The table tests: the text layout, then the window.
#include "formtabla_test.h"
#include "tabletext_test.h"

#include "../support/gui_test_main.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    corvane::markup::InstallFontSubstitutions();
    corvane::markup::InitMarkupSymbols();
    TableTextTest text;
    FormTablaTest window;
    int failed = QTest::qExec(&text, argc, argv);
    failed += QTest::qExec(&window, argc, argv);
    return failed;
}
