// \brief Fitting a group heading to its column: abbreviations spelled out while there is room,
// words shortened while the heading is too long.
#pragma once

#include <QString>

namespace corvane::mainwin {

/// The heading as shown in a column `width` pixels wide (6.7 pixels a character to expand,
/// 6.8 to shorten, so a heading does not flip between the two forms).
QString FitHeading(QString heading, double width);

} // namespace corvane::mainwin
