// \brief GraphSettings: what the chooser decided and AjustaEscalasETC derived, read by the
// drawing and by the table window.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace corvane::graphs {

struct GraphCatalogue;

struct GraphSettings {
    std::string ProblemCode;
    std::string TaskTitle;
    std::int16_t GraphKind = 0; // 0: none chosen yet

    // Mark-up texts.
    std::string GraphTitle;
    std::string GraphSubtitle;
    std::string ParamCaption;
    std::string XAxisName;
    std::string YAxisName;
    std::string TableCaption;
    /// 0: the x quantity; 1..4: the plotted quantities; "" where the kind has no such column.
    std::array<std::string, 5> ColumnHeading;

    double XMin = 0, XMax = 0, XStep = 0;
    double YMin = 0, YMax = 0, YStep = 0;
    /// A tick is labelled when its ordinal (0 for the first) is a multiple of this.
    std::int32_t XLabelEvery = 1, YLabelEvery = 1;

    bool GraphConfirmed = false;
};

/// What confirming a kind in the chooser sets before the scales: GraphKind, the axis names and
/// the subtitle.
void ChooseGraphKind(GraphSettings& settings, const GraphCatalogue& catalogue, int kind);

} // namespace corvane::graphs
