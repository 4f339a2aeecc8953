// \brief The components of corvane-cli mix and species, named as the command line names them.
#pragma once

#include "compounds/componentnames.h"
#include "engine/mixture.h"

#include <string>

namespace corvane::cli {

using compounds::ReadConcentration;
using compounds::StrongAcidOrBase;

/// compounds::ComponentNamed, a name it does not know being a usage error.
engine::Component ComponentNamed(const std::string& name, double pKw);

} // namespace corvane::cli
