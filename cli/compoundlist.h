// \brief corvane-cli compounds: the table of common acids and bases with constants and sources.
#pragma once

#include <iosfwd>
#include <string>

namespace corvane::cli {

/// One line per compound that matches text (all when it is empty): name, formula, kind, pK
/// values, constants and source. Returns the exit status: 1 when nothing matches.
int ListCompounds(const std::string& text, std::ostream& out, std::ostream& err);

} // namespace corvane::cli
