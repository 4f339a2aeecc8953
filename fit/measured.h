// \brief Measured data: x,y pairs read from a text file (for a titration the added volume in mL
// and the measured pH) and their residuals against a computed curve.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace corvane::fit {

struct MeasuredPoint {
    double x, y;
};

/// The points of a file in their order, or why the file was refused.
struct MeasuredData {
    std::vector<MeasuredPoint> points;
    std::string error; // empty when the file was read

    bool ok() const { return error.empty(); }
};

/// Reads one x,y pair a line: the fields separated by ";", a tab, "," or spaces (a decimal
/// comma is allowed with ";" and tabs), an optional header line first (no field of it a
/// number), blank lines and lines
/// starting with "#" skipped. A line that is not two finite numbers with x ≥ 0 refuses the
/// whole input with its line number; an input without points says so.
MeasuredData ReadMeasuredData(std::istream& in);
/// The same from a file; a file that cannot be opened is refused with its name.
MeasuredData ReadMeasuredFile(const std::string& path);

/// √(Σ (y − model(x))² / n) over the points; NaN when the model fails at a point or there are
/// no points.
double ResidualRms(const std::vector<MeasuredPoint>& points,
                   const std::function<double(double x)>& model);

} // namespace corvane::fit
