#include "commandline.h"

#include <iostream>

int main(int argc, char** argv) {
    return corvane::cli::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                        std::cerr);
}
