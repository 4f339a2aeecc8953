#include "readingtext.h"

#include "numtext/numbertext.h"

namespace corvane::graphs {

std::string ReadingLine(const CurveReading& r, int kind, const std::array<std::string, 5>& names,
                        int digits, char separator) {
    std::int16_t error = 0;
    auto value = [&](const std::string& name, double v) {
        return name + " " + numtext::FormatNumber(v, digits, separator, error);
    };
    std::string line = value(names[0], r.x);
    if (!r.ok) return line + ": " + r.reason;
    for (int k = 0; k < r.count; ++k)
        line += "   " + value(names[k + 1], r.y[k]);
    if (r.pH && IsSlopeKind(kind)) line += "   " + value("pH", *r.pH);
    if (r.hydrogen) line += "   " + value("[H+]", *r.hydrogen);
    if (r.slope && !IsSlopeKind(kind)) line += "   " + value("|ΔpH/ΔV|", *r.slope);
    return line;
}

} // namespace corvane::graphs
