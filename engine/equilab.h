// \brief Program-wide engine state and the numeric helpers every solver shares.
#pragma once

#include "activity.h"

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::engine {

/// Marks an unknown quantity. Emptiness is decided by the whole bit pattern, never by a
/// floating-point comparison.
inline constexpr std::uint64_t EmptyValueBits = 0x7E087706B0213D0A;
inline constexpr double EmptyValue = std::bit_cast<double>(EmptyValueBits);
static_assert(EmptyValue == 1.28E+299);

inline bool IsEmpty(double x) {
    return std::bit_cast<std::uint64_t>(x) == EmptyValueBits;
}
inline bool IsKnown(double x) {
    return !IsEmpty(x);
}

/// Largest disagreement, in pH units, between quantities fixed by the pH ([H+] against the pH,
/// [H+]·[OH-] against Kw, a given [H+] against the root of its equation). Four significant
/// digits of a pH above 10 are only good to 0.005, so a value the program wrote itself always
/// agrees; a pH off by a tenth never does.
inline constexpr double PHAgreement = 0.01;

/// How the solvers treat the ions: as an ideal solution (activities equal concentrations) or
/// with activity coefficients by the Davies equation.
enum class ActivityModel { Ideal, Davies };

/// The ionic strength and activity coefficients a run ended with, and the temperature.
struct ActivityResult {
    double ionicStrength = 0.0;
    Gammas gamma = IdealGammas;
    double temperature = 25.0;
};

inline constexpr int SlotCount = 17;
using Slots = std::array<double, SlotCount>;

/// The state the window (or the command line, or a test) shares with the solvers: the slot
/// array, the water constants in effect and the error flag.
struct EquilAB {
    /// PHMax is fixed here, from the Kw of the pKw the program starts with.
    explicit EquilAB(double startPKw = 14.0);

    /// Switches Kw to another pKw; PHMax keeps its start-up value. The temperature becomes the
    /// one of the pKw item (37 °C for 13.59, else 25 °C).
    void SetPKw(double newPKw);
    /// Kw of water at a temperature in °C (Harned and Robinson), instead of a pKw item.
    void SetTemperature(double celsius);

    /// Every slot EmptyValue.
    void ClearIOValues();

    Slots IOValues;
    double pKw;
    double Kw;
    double PHMin = -2.0;
    double PHMax;
    std::int16_t CalcError = 0;
    /// Why the last run set CalcError, in words, naming quantities by SlotSymbols; empty when
    /// it did not fail. Only the first reason of a run is kept.
    std::string CalcErrorReason;
    /// The symbols of the current problem's rows ("C_a", "[H+]"), for the words of a reason.
    std::array<std::string_view, SlotCount> SlotSymbols{};

    ActivityModel Activity = ActivityModel::Ideal;
    /// The temperature in °C of Kw and of A in the Davies equation.
    double Temperature;
    /// What the last successful run of RunProblem ended with.
    ActivityResult Activities;
    /// A warning about the last result that does not refuse it (an ionic strength beyond the
    /// range of the Davies equation); empty when there is none.
    std::string ActivityWarning;

    /// Sets CalcError, and the reason when the run has none yet.
    void Fail(std::string reason);
    /// Clears CalcError and its reason.
    void ClearCalcError();
};

/// Two positive concentrations fixed by the pH that differ by at most PHAgreement in pH units.
bool PHUnitsAgree(double a, double b);

/// Base-10 logarithm; x within 1e-9 of 1 counts as 1, x <= 0 sets CalcError and gives 0.
double Log10Guarded(EquilAB& state, double x);

/// Fills and cross-checks pH, [H+] and [OH-] (to PHAgreement); sets `changed` when it filled one
/// of them.
void CompleteWaterTriplet(EquilAB& state, double& pH, double& H, double& OH, bool& changed);

/// The positive root of c5·x⁵ + ... + c0 (negative for small x, positive for large x) by a
/// bracket search and at most 41 bisection midpoints; CalcError and 0 without a bracket.
double SolvePolynomial(EquilAB& state, double c5, double c4, double c3, double c2, double c1,
                       double c0);

} // namespace corvane::engine
