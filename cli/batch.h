// \brief corvane-cli batch: one problem per line of CSV, solved as "solve" solves it.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace corvane::cli {

/// args: "batch" CODE and its options. Throws UsageError for a bad command line, an unreadable
/// input or a bad header; returns ExitInvalidInput when any line failed.
int RunBatch(const std::vector<std::string>& args, std::istream& in, std::ostream& out);

} // namespace corvane::cli
