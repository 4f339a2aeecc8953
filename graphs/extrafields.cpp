#include "extrafields.h"

#include "engine/slots.h"

#include <algorithm>

namespace corvane::graphs {

namespace {

bool readField(const std::string& text, int slot, engine::EquilAB& state,
               numtext::NumberSettings& numbers) {
    const bool blank = std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
    const double v =
        blank ? engine::EmptyValue : numtext::ParseNumber(text, numbers, state.CalcError);
    if (blank || state.CalcError != 0 || engine::IsEmpty(v) || !(v > 0)) {
        state.CalcError = 1;
        state.IOValues[slot] = engine::EmptyValue;
        return false;
    }
    state.IOValues[slot] = v;
    return true;
}

} // namespace

std::string ExtraFieldText(double value, int digits, char decimalSeparator) {
    if (engine::IsEmpty(value)) return "";
    std::int16_t formatError = 0;
    return numtext::FormatNumber(value, digits, decimalSeparator, formatError);
}

bool ReadExtraFields(const std::string& volume, const std::string& added, engine::EquilAB& state,
                     numtext::NumberSettings& numbers) {
    namespace buffer = engine::slot::buffer;
    state.IOValues[buffer::Volume] = state.IOValues[buffer::AddedConcentration] =
        engine::EmptyValue;
    state.CalcError = 0;
    return readField(volume, buffer::Volume, state, numbers) &&
           readField(added, buffer::AddedConcentration, state, numbers);
}

} // namespace corvane::graphs
