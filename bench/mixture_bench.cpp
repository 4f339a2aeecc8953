// Medians of the free-mixture solver: a ten-component mixture (a natural-water-like sample
// with phosphate, carbonate, citrate, ammonia, borate and salts), ideal and with Davies
// coefficients, its concentration search, and one titration point.
#include "engine/mixture.h"
#include "engine/mixture_titration.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace corvane::engine;

namespace {

Component System(double total, std::vector<double> pk, int charge = 0) {
    Component c{"system", total, {}, pk};
    for (std::size_t k = 0; k <= pk.size(); ++k)
        c.forms.push_back({"A", charge - static_cast<int>(k)});
    return c;
}

std::vector<Component> TenComponents() {
    return {System(0.01, {2.16, 7.21, 12.32}),
            System(0.02, {6.35, 10.33}),
            System(0.005, {3.13, 4.76, 6.40}),
            System(0.01, {9.25}, 1),
            System(0.003, {9.27}),
            System(0.02, {4.76}),
            IonComponent("Na+", "Na", 1, 0.05),
            IonComponent("K+", "K", 1, 0.01),
            IonComponent("Cl-", "Cl", -1, 0.02),
            IonComponent("Ca2+", "Ca", 2, 0.002)};
}

void BM_SolveMixture_TenComponents(benchmark::State& bench) {
    const std::vector<Component> mixture = TenComponents();
    for (auto _ : bench) {
        MixtureResult r = SolveMixture(mixture, 14);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_SolveMixture_TenComponents);

void BM_SolveMixture_TenComponentsDavies(benchmark::State& bench) {
    const std::vector<Component> mixture = TenComponents();
    const MixtureModel davies{14.0, ActivityModel::Davies, 25.0};
    for (auto _ : bench) {
        MixtureResult r = SolveMixture(mixture, davies);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_SolveMixture_TenComponentsDavies);

void BM_FindConcentration_TenComponents(benchmark::State& bench) {
    const std::vector<Component> mixture = TenComponents();
    for (auto _ : bench) {
        MixtureResult r = FindConcentration(mixture, 6, 7.4, 14);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_FindConcentration_TenComponents);

void BM_TitrationPoint_Phosphate(benchmark::State& bench) {
    const MixtureTitration t{
        {System(0.1, {2.16, 7.21, 12.32})}, 25, IonComponent("NaOH", "Na", 1, 0.1)};
    for (auto _ : bench) {
        MixtureResult r = TitrationPoint(t, 30, 14);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_TitrationPoint_Phosphate);

} // namespace
