// Running corvane-cli inside a test: the exit status and what it wrote to each stream.
#pragma once

#include "cli/commandline.h"

#include <sstream>
#include <string>
#include <vector>

namespace corvane::cli::test {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline Outcome run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunCommandLine(args, out, err);
    return {status, out.str(), err.str()};
}

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace corvane::cli::test
