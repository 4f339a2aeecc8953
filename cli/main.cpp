#include "commandline.h"
#include "fileoutput.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    // Standard input unbound from C's stdio: batch reads it a buffer at a time, not a
    // character per call.
    std::ios::sync_with_stdio(false);
    corvane::cli::FileOutput standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    return corvane::cli::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cin,
                                        out, std::cerr);
}
