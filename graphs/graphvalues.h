// \brief The numbers of one graph, computed before it is drawn: the curves of its problem code
// swept over a frame, the rows they give the table window and the marks on a titration curve.
#pragma once

#include "marks.h"
#include "sweep.h"

#include <string_view>
#include <vector>

namespace corvane::graphs {

struct GraphValues {
    Curves curves;
    /// Every fourth accepted point of an on-screen sweep; a printer's sweep gives no rows.
    GraphTable table;
    /// The titration marks, when they were asked for.
    std::vector<CurveMark> marks;
};

/// The curves of `code` over `in`'s frame with their table rows and, with `withMarks`, the
/// marks of a titration curve. A code without a generator gives no curves.
GraphValues ComputeGraphValues(std::string_view code, const GeneratorInput& in, bool withMarks);

} // namespace corvane::graphs
