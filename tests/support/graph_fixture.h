// A solved problem with its graph settings, as the chooser leaves them after Ok.
#pragma once

#include "graphs/catalogue.h"
#include "graphs/scales.h"

#include "engine/catalogue.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace corvane::graphs::test {

struct SolvedGraph {
    engine::EquilAB state;
    GraphSettings settings;
};

/// Solves `code` from the given slots, then sets up `kind` (extra slots such as the buffer
/// volume are set after the solve, as the chooser sets them).
inline SolvedGraph SolveAndChoose(const char* code, int kind,
                                  std::vector<std::pair<int, double>> given,
                                  std::vector<std::pair<int, double>> extra = {}) {
    SolvedGraph g;
    for (auto [slot, v] : given)
        g.state.IOValues[slot] = v;
    engine::RunProblem(g.state, code);
    EXPECT_EQ(g.state.CalcError, 0) << code;
    for (auto [slot, v] : extra)
        g.state.IOValues[slot] = v;
    const engine::ProblemType* type = engine::FindProblem(code);
    g.settings.ProblemCode = code;
    g.settings.TaskTitle =
        engine::FormTaskTitle(type->task, type->option, type->firstDissociationComplete);
    ChooseGraphKind(g.settings, Catalogue(), kind);
    EXPECT_TRUE(AjustaEscalasETC(g.settings, g.state)) << code << " kind " << kind;
    return g;
}

} // namespace corvane::graphs::test
