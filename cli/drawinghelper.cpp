// corvane-cli leaves pictures and data tables to its drawing helper beside it, which runs the
// same command with the graph drawing linked in: the command line program itself then starts
// without the GUI libraries, and only a command that draws pays for them.
#include "graphfiles.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <unistd.h>

namespace corvane::cli {

namespace {

constexpr const char* HelperName = "corvane-cli-draw";

// Replaces this process by the helper running the same command; returns only when it cannot.
bool runHelper(const GraphRequest& g, std::ostream& err) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string helper = (self.parent_path() / HelperName).string();
    if (!error) {
        std::vector<char*> argv{const_cast<char*>(helper.c_str())};
        for (const std::string& arg : g.commandLine)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        err.flush();
        execv(helper.c_str(), argv.data());
    }
    err << "corvane-cli: cannot draw the picture or write the data table: the drawing helper \""
        << helper
        << "\" cannot be started: " << (error ? error.message() : std::string(std::strerror(errno)))
        << "\n";
    return false;
}

} // namespace

bool WriteProblemGraphFiles(const ProblemGraph&, const GraphRequest& g, std::ostream& err) {
    return runHelper(g, err);
}

bool WriteDistributionFiles(const engine::Component&, const graphs::GraphSettings&, double, char,
                            const std::string&, const GraphRequest& g, std::ostream& err) {
    return runHelper(g, err);
}

bool WriteMixtureTitrationFiles(const graphs::MixtureTitrationGraph&, const graphs::GraphSettings&,
                                const std::vector<graphs::CurveMark>&, int, char,
                                const GraphRequest& g, std::ostream& err) {
    return runHelper(g, err);
}

} // namespace corvane::cli
