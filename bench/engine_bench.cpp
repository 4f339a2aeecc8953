// Medians of the numeric core: the root finder on code 11's cubic, and one reference case
// per solver, ideal and with Davies activity coefficients.
#include "engine/catalogue.h"
#include "engine/equilab.h"
#include "engine/solvers.h"

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace corvane::engine;

namespace {

void BM_SolvePolynomial_Code11Cubic(benchmark::State& bench) {
    EquilAB state;
    const double Ca = 0.1, ka = 1.8e-5, Kw = state.Kw;
    for (auto _ : bench) {
        double root = SolvePolynomial(state, 0, 0, 1, ka, -(Ca * ka + Kw), -ka * Kw);
        benchmark::DoNotOptimize(root);
    }
}
BENCHMARK(BM_SolvePolynomial_Code11Cubic);

struct Reference {
    const char* name;
    void (*solver)(EquilAB&);
    std::vector<std::pair<int, double>> given;
};

const std::vector<Reference> References = {
    {"Calc10", Calc10, {{0, 0.01}}},
    {"Calc11", Calc11, {{0, 0.1}, {3, 1.8e-5}}},
    {"Calc12", Calc12, {{0, 0.1}, {3, 4.3e-7}, {4, 5.6e-11}}},
    {"Calc12C", Calc12C, {{0, 0.01}, {4, 1.2e-2}}},
    {"Calc13", Calc13, {{0, 0.1}, {3, 7.5e-3}, {4, 6.2e-8}, {5, 4.8e-13}}},
    {"Calc13C", Calc13C, {{0, 0.1}, {4, 6.2e-8}, {5, 4.8e-13}}},
    {"Calc14", Calc14, {{0, 0.01}}},
    {"Calc15", Calc15, {{0, 0.1}, {3, 1.8e-5}}},
    {"Calc20", Calc20, {{0, 0.5}}},
    {"Calc21", Calc21, {{0, 0.1}, {4, 1.8e-5}}},
    {"Calc22", Calc22, {{0, 0.1}, {3, 1.8e-5}}},
    {"Calc23", Calc23, {{0, 0.1}, {3, 6.2e-10}, {4, 1.8e-5}}},
    {"Calc30", Calc30, {{0, 0.1}, {1, 0.05}}},
    {"Calc31", Calc31, {{0, 0.1}, {1, 0.1}, {4, 1.8e-5}}},
    {"Calc32", Calc32, {{0, 0.1}, {1, 0.05}, {3, 1.8e-5}}},
    {"Calc33", Calc33, {{0, 0.1}, {1, 0.1}, {3, 1.8e-5}, {4, 1.8e-5}}},
    {"Calc34", Calc34, {{0, 0.1}, {1, 0.1}, {3, 4.3e-7}, {4, 5.6e-11}}},
    {"Calc34C", Calc34C, {{0, 0.01}, {1, 0.01}, {4, 1.2e-2}}},
    {"Calc35", Calc35, {{0, 0.1}, {1, 0.1}, {3, 7.5e-3}, {4, 6.2e-8}, {5, 4.8e-13}}},
    {"Calc35C", Calc35C, {{0, 0.1}, {1, 0.05}, {4, 6.2e-8}, {5, 4.8e-13}}},
    {"Calc40", Calc40, {{0, 0.1}, {1, 0.1}, {3, 1.8e-5}}},
    {"Calc41", Calc41, {{0, 0.1}, {1, 0.1}, {3, 1.8e-5}}},
    {"Calc42", Calc42, {{0, 0.1}, {1, 0.1}, {3, 1.8e-5}, {4, 0.05}}},
    {"Calc43", Calc43, {{0, 0.1}, {1, 0.1}, {3, 1.8e-5}, {4, 0.05}}},
    {"Calc44", Calc44, {{0, 0.1}, {1, 0.1}, {3, 1.8e-5}, {4, 0.05}}},
    {"Calc45", Calc45, {{0, 0.1}, {1, 0.1}, {3, 1.8e-5}, {4, 0.05}}},
    {"Calc50", Calc50, {{0, 0.1}, {1, 25}, {3, 0.1}}},
    {"Calc51", Calc51, {{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}}},
    {"Calc52", Calc52, {{0, 0.1}, {1, 25}, {3, 0.1}}},
    {"Calc53", Calc53, {{0, 0.1}, {1, 25}, {2, 1.8e-5}, {3, 0.1}}},
    {"Calc54", Calc54, {{0, 0.1}, {1, 25}, {6, 0.1}, {3, 1e-4}, {4, 1e-8}}},
    {"Calc54C", Calc54C, {{0, 0.1}, {1, 25}, {6, 0.1}, {4, 1e-8}}},
    {"Calc55", Calc55, {{0, 0.1}, {1, 25}, {6, 0.1}, {3, 7.1e-3}, {4, 6.3e-8}, {5, 4.5e-13}}},
    {"Calc55C", Calc55C, {{0, 0.1}, {1, 25}, {6, 0.1}, {4, 6.3e-8}, {5, 4.5e-13}}},
};

void runSolver(benchmark::State& bench, const Reference& reference) {
    EquilAB state;
    for (auto _ : bench) {
        state.ClearIOValues();
        for (auto [slot, value] : reference.given)
            state.IOValues[slot] = value;
        reference.solver(state);
        benchmark::DoNotOptimize(state.IOValues);
    }
    if (state.CalcError != 0) bench.SkipWithError("the reference case failed");
}

// The same case through RunProblem with the Davies equation: the whole activity cycle.
void runDavies(benchmark::State& bench, const Reference& reference) {
    const std::string_view code = std::string_view(reference.name).substr(4);
    EquilAB state;
    state.Activity = ActivityModel::Davies;
    for (auto _ : bench) {
        state.ClearIOValues();
        for (auto [slot, value] : reference.given)
            state.IOValues[slot] = value;
        RunProblem(state, code);
        benchmark::DoNotOptimize(state.IOValues);
    }
    if (state.CalcError != 0) bench.SkipWithError("the reference case failed");
}

} // namespace

int main(int argc, char** argv) {
    for (const Reference& reference : References)
        benchmark::RegisterBenchmark(reference.name, runSolver, reference);
    for (const Reference& reference : References)
        benchmark::RegisterBenchmark((std::string("Davies/") + reference.name).c_str(), runDavies,
                                     reference);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
