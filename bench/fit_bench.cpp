// The fit of a measured titration: 100 noisy points of code 51, C_a and k_a unknown, every
// start taken from the data.
#include "fit/fit.h"
#include "fit/titrationmodel.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace corvane;

fit::FitRequest weakAcidRequest(int points, std::vector<int> unknowns) {
    engine::Slots truth;
    truth.fill(engine::EmptyValue);
    truth[0] = 0.1, truth[1] = 25, truth[2] = 1.8e-5, truth[3] = 0.1;
    const fit::TitrationModel model("51", truth, 14.0);
    std::mt19937 random(2026);
    std::normal_distribution<double> noise(0, 0.01);
    fit::FitRequest request;
    request.code = "51";
    request.values = truth;
    for (int slot : unknowns)
        if (slot != fit::PHOffset) request.values[slot] = engine::EmptyValue;
    request.unknowns = std::move(unknowns);
    for (int i = 1; i <= points; ++i) {
        const double V = 40.0 * i / points;
        request.points.push_back({V, model.pH(V) + noise(random)});
    }
    return request;
}

void BM_Fit51TwoUnknowns(benchmark::State& state) {
    const fit::FitRequest request = weakAcidRequest(100, {0, 2});
    for (auto _ : state) {
        const fit::FitResult result = fit::FitTitration(request);
        if (!result.ok()) state.SkipWithError(result.reason.c_str());
        benchmark::DoNotOptimize(result.rms);
    }
}
BENCHMARK(BM_Fit51TwoUnknowns)->Unit(benchmark::kMillisecond);

void BM_Fit51WithOffset(benchmark::State& state) {
    const fit::FitRequest request = weakAcidRequest(100, {0, 2, fit::PHOffset});
    for (auto _ : state) {
        const fit::FitResult result = fit::FitTitration(request);
        if (!result.ok()) state.SkipWithError(result.reason.c_str());
        benchmark::DoNotOptimize(result.rms);
    }
}
BENCHMARK(BM_Fit51WithOffset)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
