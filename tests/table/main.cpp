// The table tests: its text and drawing.
#include "tabletext_test.h"

#include "tests/support/gui_test_main.h"

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<TableTextTest>(argc, argv);
}
