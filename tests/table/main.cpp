// The table tests: the text layout, the window, then saving files.
#include "formtabla_test.h"
#include "savefile_test.h"
#include "tabletext_test.h"

#include "../support/gui_test_main.h"

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<TableTextTest, FormTablaTest, SaveFileTest>(argc, argv);
}
