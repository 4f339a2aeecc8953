// The start of the benchmarks that draw: headless unless told otherwise, the program's fonts and
// the mark-up symbol table.
#pragma once

#include "markup/fonts.h"
#include "markup/symbols.h"

#include <QtGlobal>

#include <benchmark/benchmark.h>

namespace corvane::bench {

/// Before the application object: the offscreen platform unless QT_QPA_PLATFORM names one.
inline void UseOffscreenByDefault() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

/// After the application object: fonts and symbols, then the benchmarks the arguments select.
inline int RunBenchmarks(int argc, char** argv) {
    markup::InstallFontSubstitutions();
    markup::InitMarkupSymbols();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace corvane::bench
