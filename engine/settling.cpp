#include "settling.h"

#include "reason.h"

#include <cmath>

namespace corvane::engine {

namespace {

// The next ionic strength to try: a secant step on √I_out(I) − √I = 0 through the last two
// passes (in √I, on which log γ depends nearly linearly at low I), which settles in a few
// passes where the plain step I_out would take many; the plain step where the secant has no
// slope or leaves the positive numbers.
double nextIonicStrength(double inBefore, double outBefore, double in, double out) {
    const double x0 = std::sqrt(inBefore), y0 = std::sqrt(outBefore);
    const double x1 = std::sqrt(in), y1 = std::sqrt(out);
    const double slope = (y1 - x1) - (y0 - x0);
    if (slope == 0) return out;
    const double secant = x1 - (y1 - x1) * (x1 - x0) / slope;
    return std::isfinite(secant) && secant > 0 ? secant * secant : out;
}

} // namespace

bool Settling::settled(double pH, double out, const Gammas& used, const Gammas& ofOut) {
    const bool done = m_passes > 0 && std::abs(pH - m_lastPH) < ActivitySettled &&
                      std::abs(std::log10(ofOut[0] / used[0])) < ActivitySettled;
    const double following =
        m_passes == 0 ? out : nextIonicStrength(m_inBefore, m_outBefore, m_in, out);
    m_lastPH = pH;
    m_inBefore = m_in;
    m_outBefore = out;
    m_in = following;
    ++m_passes;
    return done;
}

std::string NotSettledReason(const char* where, double ionicStrength) {
    return std::string("The activity coefficients ") + where +
           " do not settle for the values given: the ionic strength still changes from " +
           ReasonNumber(ionicStrength) + " mol/L after " + std::to_string(MaxActivityPasses) +
           " passes";
}

} // namespace corvane::engine
