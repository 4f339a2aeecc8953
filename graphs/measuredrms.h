// \brief How far measured points lie from a titration's computed pH curve.
#pragma once

#include "engine/equilab.h"
#include "fit/measured.h"

#include <string_view>
#include <vector>

namespace corvane::graphs {

/// The RMS of measured minus computed pH against the pH curve (kinds 27 and 29) of a titration
/// code; NaN for the other graphs, which plot no pH of the added volume.
double MeasuredRms(std::string_view code, int kind, const engine::EquilAB& state,
                   const std::vector<fit::MeasuredPoint>& points);

} // namespace corvane::graphs
