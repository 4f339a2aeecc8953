// The table tests: the text layout, the window, then saving files.
#include "tabletext_test.h"
#include "tests/files/savefile_test.h"
#include "tests/windows/formtabla_test.h"

#include "tests/support/gui_test_main.h"

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<TableTextTest, FormTablaTest, SaveFileTest>(argc, argv);
}
