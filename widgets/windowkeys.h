// \brief Escape for the graph and table windows: it closes the window whenever none of its
// menus or dialogs is open, wherever the keyboard focus is.
#pragma once

class QWidget;

namespace corvane::widgets {

/// A window shortcut: an open menu or dialog takes Escape first, as does the menu bar while
/// a title is highlighted; nothing else keeps it from the window.
void CloseOnEscape(QWidget& window);

} // namespace corvane::widgets
