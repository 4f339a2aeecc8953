// The graph window tests: the chooser, then the graph window.
#include "formeditgraf_test.h"
#include "formgraficaab_test.h"

#include "../../support/gui_test_main.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    corvane::markup::InstallFontSubstitutions();
    corvane::markup::InitMarkupSymbols();
    FormEditGRAFTest chooser;
    FormGraficaABTest window;
    int failed = QTest::qExec(&chooser, argc, argv);
    failed += QTest::qExec(&window, argc, argv);
    return failed;
}
