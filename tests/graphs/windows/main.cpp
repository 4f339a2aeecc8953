// The graph window tests: the chooser, then the graph window.
#include "formeditgraf_test.h"
#include "formgraficaab_test.h"
#include "refusedchoice_test.h"
#include "windowkeys_test.h"

#include "../../support/gui_test_main.h"

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<FormEditGRAFTest, FormGraficaABTest, RefusedChoiceTest,
                                     WindowKeysTest>(argc, argv);
}
