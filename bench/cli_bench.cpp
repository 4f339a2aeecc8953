// corvane-cli batch on 100,000 lines of code 55: the whole run, from reading the CSV to the
// last line written, into a stream that discards it.
#include "cli/commandline.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <sstream>
#include <streambuf>

namespace {

class Discard : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

std::string titrations(int lines) {
    std::mt19937 rng(55);
    std::uniform_real_distribution<double> concentration(0.01, 0.2), volume(5, 50);
    std::string csv = "C_a,V_a,k_1,k_2,k_3,C_SB\n";
    char line[128];
    for (int i = 0; i < lines; ++i) {
        std::snprintf(line, sizeof line, "%.4g,%.4g,7.1e-3,6.3e-8,4.5e-13,%.4g\n",
                      concentration(rng), volume(rng), concentration(rng));
        csv += line;
    }
    return csv;
}

void BM_Batch55_100000Lines(benchmark::State& state) {
    const std::string csv = titrations(100000);
    Discard discard;
    std::ostream out(&discard), err(&discard);
    for (auto _ : state) {
        std::istringstream in(csv);
        benchmark::DoNotOptimize(corvane::cli::RunCommandLine({"batch", "55"}, in, out, err));
    }
}
BENCHMARK(BM_Batch55_100000Lines)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
