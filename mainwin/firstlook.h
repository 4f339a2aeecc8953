// \brief The paragraph the main window shows in its empty task area until a task is chosen:
// what to do first, and a link to the user's manual.
#pragma once

class QLabel;
class QWidget;

namespace corvane::mainwin {

/// A white panel in the task area's colours; its link emits linkActivated.
QLabel* MakeFirstLook(QWidget* parent);

} // namespace corvane::mainwin
