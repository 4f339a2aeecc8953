// The window tests: the chooser, the graph window, the saves of both windows, the table window.
#include "formeditgraf_test.h"
#include "formgraficaab_test.h"
#include "formtabla_test.h"
#include "graphviewtools_test.h"
#include "measureddata_test.h"
#include "refusedchoice_test.h"
#include "windowkeys_test.h"
#include "windowsaves_test.h"

#include "tests/support/gui_test_main.h"

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<FormEditGRAFTest, FormGraficaABTest, RefusedChoiceTest,
                                     WindowSavesTest, GraphViewToolsTest, MeasuredDataTest,
                                     WindowKeysTest, FormTablaTest>(argc, argv);
}
