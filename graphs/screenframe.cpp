#include "screenframe.h"

namespace corvane::graphs {

SweepFrame ScreenFrame(const PlotScales& used) {
    return {used.x.Min, used.x.Max, used.y.Min, used.y.Max, 1};
}

bool HasCurves(const PlotScales& used) {
    return used.x.Max - used.x.Min > 0 && used.y.Max - used.y.Min > 0 && used.x.Step > 0 &&
           used.y.Step > 0;
}

} // namespace corvane::graphs
