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

inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

/// corvane-cli graph with its code, kind and options in `head`, then the problem's values.
inline std::vector<std::string> graphCommand(std::vector<std::string> head,
                                             const std::vector<std::string>& values) {
    head.insert(head.begin(), "graph");
    head.insert(head.end(), values.begin(), values.end());
    return head;
}

} // namespace corvane::cli::test
