#include "commandline.h"

#include <iostream>

int main(int argc, char** argv) {
    const int status = corvane::cli::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc),
                                                    std::cout, std::cerr);
    // What could not be written (a full disk, a closed pipe) is a failure, not a success.
    if (!std::cout.flush()) {
        std::cerr << "corvane-cli: cannot write to standard output\n";
        return corvane::cli::ExitInvalidInput;
    }
    return status;
}
