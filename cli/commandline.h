// \brief corvane-cli: solve one problem type from the command line, or list the catalogue.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace corvane::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitInvalidInput = 1;
inline constexpr int ExitUsage = 2;

/// Runs the command line given without the program name; returns the exit status. "batch"
/// reads its lines from standard input.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
/// The same with the input "batch" reads.
int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);

} // namespace corvane::cli
