// \brief corvane-cli mix and species: free mixtures of acids, bases and salts, their
// titrations, and the distribution diagram of one component.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace corvane::cli {

/// mix COMPONENT=C ... [--ph P --find NAME] [--titrate TITRANT=C --volume V0 [--to VMAX]]
int RunMix(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

/// species NAME [--picture FILE] [--table FILE] [--json]
int RunSpecies(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace corvane::cli
