// \brief corvane-cli compounds: the table of common acids and bases with constants and sources.
#pragma once

#include <iosfwd>
#include <string>

namespace corvane::cli {

/// One line per compound that matches text (all when it is empty): name, formula, kind, pK
/// values, constants and source. Returns the exit status: 1 when nothing matches.
int ListCompounds(const std::string& text, std::ostream& out, std::ostream& err);
/// The same compounds as one JSON array: name, formula, kind, pK values (null for a strong
/// step), the charge of the most protonated form, source and the reagents.
int ListCompoundsJson(const std::string& text, std::ostream& out, std::ostream& err);

} // namespace corvane::cli
