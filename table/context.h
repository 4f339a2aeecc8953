// \brief What the graph and table windows share with the rest of the program: the graph
// settings and table, the solved problem, the number settings, the save folders and the desktop.
#pragma once

#include "graphs/settings.h"
#include "graphs/sweep.h"

#include "engine/equilab.h"
#include "numtext/numbertext.h"

#include <QString>

namespace corvane::table {

class Desktop;

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
    Desktop& desktop;
    /// Whether the graph window marks the points of titration curves, kept by the settings
    /// store; none: off, and not kept.
    bool* showMarks = nullptr;
};

} // namespace corvane::table
