// \brief corvane-cli mix --titrate: the titration curve of a mixture, its equivalence points,
// the picture and the data table, written as the graph command writes a graph.
#pragma once

#include "mixoptions.h"

#include "engine/mixture_titration.h"

#include <iosfwd>
#include <optional>

namespace corvane::cli {

/// Up to `to` mL of titrant, or twice the last equivalence volume.
int RunMixtureTitration(const MixOptions& o, const engine::MixtureTitration& titration,
                        std::optional<double> to, std::ostream& out, std::ostream& err);

} // namespace corvane::cli
