#include "graphvalues.h"

namespace corvane::graphs {

GraphValues ComputeGraphValues(std::string_view code, const GeneratorInput& in, bool withMarks) {
    GraphValues values;
    values.curves = GenerateCurves(code, in);
    RecordTable(values.curves, in.frame.SweepDensity, values.table);
    if (withMarks) values.marks = TitrationMarks(code, in.kind, in.state, in.frame);
    return values;
}

} // namespace corvane::graphs
