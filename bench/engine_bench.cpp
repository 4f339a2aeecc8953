// Medians of the numeric core on the reference cases (C = 0.1, k = 1.8e-5).
#include "engine/equilab.h"
#include "engine/solvers.h"

#include <benchmark/benchmark.h>

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

void runSolver(benchmark::State& bench, void (*solver)(EquilAB&)) {
    EquilAB state;
    for (auto _ : bench) {
        state.ClearIOValues();
        state.IOValues[0] = 0.1;
        state.IOValues[3] = 1.8e-5;
        solver(state);
        benchmark::DoNotOptimize(state.IOValues);
    }
    if (state.CalcError != 0) bench.SkipWithError("the reference case failed");
}

void BM_Calc11(benchmark::State& bench) {
    runSolver(bench, Calc11);
}
void BM_Calc15(benchmark::State& bench) {
    runSolver(bench, Calc15);
}
BENCHMARK(BM_Calc11);
BENCHMARK(BM_Calc15);

} // namespace

BENCHMARK_MAIN();
