// \brief Opening the display for the windows: the application object, or a plain message and
// status 1 when no platform plugin can start.
#pragma once

#include <QApplication>

#include <memory>

namespace corvane::app {

inline constexpr const char* NoDisplayMessage = "corvane: cannot open a display (is DISPLAY set?)";

/// The application object on the platform Qt chooses (QT_QPA_PLATFORM, else the display);
/// when none can start, prints NoDisplayMessage and ends the program with status 1.
std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv);

} // namespace corvane::app
