// \brief The two extra values of the added-volume graphs of the buffers 42 to 45: the volume
// of the buffer solution and the concentration of the added strong acid or base (the slots
// engine::slot::buffer::Volume and AddedConcentration), read from their text fields as the
// chooser reads them.
#pragma once

#include "engine/equilab.h"
#include "numtext/numbertext.h"

#include <string>

namespace corvane::graphs {

/// The chooser's message (title "Error") when a field is empty, unreadable or not positive.
inline constexpr const char* ExtraFieldsInvalidMessage = "Invalid data";

/// What the volume field starts with.
inline constexpr const char* DefaultBufferVolume = "100";

/// The text a field shows for a slot: the value with `digits` significant digits, or "" for an
/// empty slot.
std::string ExtraFieldText(double value, int digits, char decimalSeparator);

/// Empties both slots, clears CalcError and reads the volume, then the concentration. The
/// first empty, unreadable or non-positive field sets CalcError, leaves its slot empty and
/// gives false.
bool ReadExtraFields(const std::string& volume, const std::string& added, engine::EquilAB& state,
                     numtext::NumberSettings& numbers);

} // namespace corvane::graphs
