// \brief The program's font names mapped to the faces the system has.
#pragma once

namespace corvane::markup {

/// "Arial", "Courier New" and "Times New Roman" resolve to their metric-compatible Liberation
/// faces. Call once after the application object exists.
void InstallFontSubstitutions();

} // namespace corvane::markup
