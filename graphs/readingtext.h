// \brief A value read off the curve as one line of text, as the graph window's status line and
// its "Value at..." list show it.
#pragma once

#include "valueat.h"

#include <array>
#include <string>

namespace corvane::graphs {

/// "VSB (mL) 12.5   pH 4.745   [H+] 1.799E-5   |ΔpH/ΔV| 0.07072": the x and curve values
/// under the plain-text column headings `names` (0 the x quantity), then the pH where the
/// curve does not plot it, [H+] and the slope; or the x and why there is no value.
std::string ReadingLine(const CurveReading& reading, int kind,
                        const std::array<std::string, 5>& names, int digits, char decimalSeparator);

} // namespace corvane::graphs
