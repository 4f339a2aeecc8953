// \brief What the graph and table windows share with the rest of the program: the graph
// settings and table, the solved problem, the number settings, the save folders and the desktop.
#pragma once

#include "graphs/settings.h"
#include "graphs/sweep.h"

#include "engine/equilab.h"
#include "fit/measured.h"
#include "numtext/numbertext.h"

#include <QString>

#include <functional>

namespace corvane::widgets {
class Desktop;
}

namespace corvane::windows {

struct WindowContext {
    graphs::GraphSettings& graph;
    graphs::GraphTable& table;
    engine::EquilAB& engine;
    numtext::NumberSettings& numbers;
    int sigDigits;
    /// Kept by the settings store; empty when nothing was saved yet.
    QString& lastGraphFolder;
    QString& lastTableFolder;
    /// Where the save dialogs start when their folder is still empty.
    QString programFolder;
    widgets::Desktop& desktop;
    /// Whether the graph window marks the points of titration curves, kept by the settings
    /// store; none: off, and not kept.
    bool* showMarks = nullptr;
    /// Writes fitted values (the slots that hold one) into the main window's fields and
    /// calculates; none when no main window takes them.
    std::function<void(const engine::Slots& values)> useValues = nullptr;
    /// Measured points over the graph, which the data table lists as a second block.
    std::vector<fit::MeasuredPoint> measuredPoints{};
};

} // namespace corvane::windows
