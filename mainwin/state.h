// \brief The program-wide state the main window owns and the other windows read.
#pragma once

#include "engine/equilab.h"
#include "numtext/numbertext.h"

#include <QString>

namespace corvane::mainwin {

/// What the Graphic command hands to the graph windows.
struct GraphSettings {
    QString ProblemCode;
    QString TaskTitle;
    QString GraphTitle;
    int GraphKind = 0;
    bool GraphConfirmed = false;
};

struct MainState {
    explicit MainState(double startPKw = 14.0) : engine(startPKw) {}

    engine::EquilAB engine;          // IOValues, Kw, pKw, PHMin, PHMax, CalcError
    numtext::NumberSettings numbers; // DecimalSeparator
    int SigDigits = 4;
    QString LastGraphFolder;
    QString LastTableFolder;

    int TaskIndex = 0;
    int OptionIndex = 0;
    int FirstDissociationComplete = 0;
    int InputRowCount = 6;
    QString ProblemCode;
    bool SuppressFieldEvents = false;
    GraphSettings graph;
};

} // namespace corvane::mainwin
