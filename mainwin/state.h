// \brief The program-wide state the main window owns and the other windows read.
#pragma once

#include "engine/equilab.h"
#include "graphs/settings.h"
#include "graphs/sweep.h"
#include "numtext/numbertext.h"

#include <QString>

namespace corvane::mainwin {

struct MainState {
    explicit MainState(double startPKw = 14.0) : engine(startPKw) {}

    engine::EquilAB engine;          // IOValues, Kw, pKw, PHMin, PHMax, CalcError
    numtext::NumberSettings numbers; // DecimalSeparator
    int SigDigits = 4;
    /// Kw follows the temperature of "Temperature..." rather than a pKw item.
    bool TemperatureGiven = false;
    /// The model of the last successful Calculate in words, for the status line; empty for
    /// an ideal solution.
    QString ModelStatus;
    QString LastGraphFolder;
    QString LastTableFolder;
    bool ShowMarks = false; // the graph window's "Show marks"

    int TaskIndex = 0;
    int OptionIndex = 0;
    int FirstDissociationComplete = 0;
    int InputRowCount = 6;
    QString ProblemCode;
    bool SuppressFieldEvents = false;
    graphs::GraphSettings graph; // what the Graphic command hands to the graph windows
    graphs::GraphTable graphTable;
};

} // namespace corvane::mainwin
