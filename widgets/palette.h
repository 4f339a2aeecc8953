// \brief The colours the windows share: the thin frames round panels and the pale blue of button
// bars, option panels and table headings.
#pragma once

#include <QColor>

namespace corvane::widgets {

/// The one-pixel frames round panels, fields and button bars.
inline const QColor FrameColor{168, 178, 206};
/// Button bars, option panels and table headings.
inline const QColor BarColor{240, 244, 255};
/// The main window's field panels, and the background of the symbols drawn on them.
inline const QColor FieldPanelColor{248, 250, 255};

} // namespace corvane::widgets
