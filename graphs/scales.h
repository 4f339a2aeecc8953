// \brief AjustaEscalasETC: titles, captions, table headings and default axes of the chosen
// graph kind; DecadeStep: a tick step of a tenth to a twentieth of a span.
#pragma once

#include "settings.h"

#include "engine/equilab.h"

#include <optional>

namespace corvane::graphs {

/// What the caller shows (title "Error", warning icon) when AjustaEscalasETC fails.
inline constexpr const char* InvalidDataMessage = "Invalid data.";

/// P / 20, P / 10 or P / 5 with P the decade of S, by where S lies in its decade; nothing
/// when S is not a positive finite number.
std::optional<double> DecadeStep(double S);

/// Fills the settings from the problem code, the kind, the task title and state.IOValues. A
/// failing step is skipped and the others still run; at the end any failure (or a CalcError
/// already set) sets state.CalcError and gives false, and the caller shows InvalidDataMessage.
bool AjustaEscalasETC(GraphSettings& settings, engine::EquilAB& state, char decimalSeparator = '.');

} // namespace corvane::graphs
