// \brief The passes of an activity iteration: the ionic strength to try next (a secant step
// on √I) and whether a pass has settled the pH and the coefficients.
#pragma once

#include "activity.h"

#include <string>

namespace corvane::engine {

/// At most this many solver runs; each after the first starts from the ionic strength of the
/// one before. A run that has not settled by then is a calculation error.
inline constexpr int MaxActivityPasses = 40;

/// The pH and log10 γ1 settle when a run changes each by less than this.
inline constexpr double ActivitySettled = 1e-10;

class Settling {
public:
    explicit Settling(double start) : m_in(start) {}
    /// The ionic strength the next pass uses.
    double next() const { return m_in; }
    /// The ionic strength the last pass gave.
    double lastResult() const { return m_outBefore; }

    /// A pass at next() that gave pH and the ionic strength `out`, with the coefficients used
    /// and those of `out`: true when its pH and log10 γ1 changed by less than ActivitySettled.
    bool settled(double pH, double out, const Gammas& used, const Gammas& ofOut);

private:
    double m_in;
    double m_inBefore = 0, m_outBefore = 0, m_lastPH = 0;
    int m_passes = 0;
};

/// Why the coefficients `where` ("of the solution") did not settle, from the last ionic
/// strength.
std::string NotSettledReason(const char* where, double ionicStrength);

} // namespace corvane::engine
