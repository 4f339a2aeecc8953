#include "measuredrms.h"

#include "catalogue.h"

#include "fit/titrationmodel.h"

#include <cmath>

namespace corvane::graphs {

double MeasuredRms(std::string_view code, int kind, const engine::EquilAB& state,
                   const std::vector<fit::MeasuredPoint>& points) {
    const GraphKindFacts& facts = KindFacts(kind);
    if (fit::CurveSlots(code).empty() || !IsAddedVolume(facts.x) || facts.y != YQuantity::PH)
        return std::nan("");
    const fit::TitrationModel model(code, state.IOValues, state.pKw);
    return fit::ResidualRms(points, [&model](double V) { return model.pH(V); });
}

} // namespace corvane::graphs
