// \brief How the desktop knows the program: its name, version, desktop entry and icon.
#pragma once

#include <QIcon>

namespace corvane::app {

/// The desktop entry's name without ".desktop", also the icon's name in the hicolor theme.
inline constexpr const char* DesktopFileName = "org.corvane.Corvane";

/// The legal notice of the splash and the About box.
inline constexpr const char* CopyrightLine = "© 2026 The Corvane developers";
inline constexpr const char* LicenceLine = "Licensed under the GNU GPL, version 3 or later";

/// The icon of the hicolor theme, or the same picture built into the program when the theme
/// has not got it (a build not installed).
QIcon ProgramIcon();

/// Sets the application's name (the window class "Corvane"), version, desktop file name and
/// the icon every window shows. Call once the application object exists.
void ApplyDesktopIdentity();

} // namespace corvane::app
