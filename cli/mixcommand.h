// \brief corvane-cli mix, species and recipe: free mixtures of acids, bases and salts, their
// titrations, the distribution diagram of one component, and buffer recipes.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace corvane::cli {

/// mix COMPONENT=C ... [--ph P --find NAME] [--titrate TITRANT=C --volume V0 [--to VMAX]]
int RunMix(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

/// species NAME [--picture FILE] [--table FILE] [--json]
int RunSpecies(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

/// recipe NAME --ph P --total C --volume V [--reagents R1,R2] [--stock R=C]
int RunRecipe(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace corvane::cli
