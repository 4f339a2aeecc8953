// corvane-cli batch on 100,000 lines of code 55: the whole run, from reading the CSV to the
// last line written, into a stream that discards it; and the program as a script starts it, a
// whole process each time (wall clock): solve, graph --json and that batch. CORVANE_CLI_PROGRAM
// names another build of the program to measure.
#include "cli/commandline.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <spawn.h>
#include <sstream>
#include <streambuf>
#include <string>
#include <sys/wait.h>
#include <vector>

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

std::string program() {
    const char* other = std::getenv("CORVANE_CLI_PROGRAM");
    return other != nullptr ? other : CORVANE_CLI;
}

// Runs the program with `input` as standard input and the output streams discarded.
void runProgram(benchmark::State& state, std::vector<std::string> args, const char* input) {
    const std::string path = program();
    args.insert(args.begin(), path);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, input, O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, path.c_str(), &files, nullptr, argv.data(), environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError(("cannot run " + path).c_str());
            break;
        }
    }
    posix_spawn_file_actions_destroy(&files);
}

// Five runs of 50 starts each, wall clock, reported as their mean and median.
void medianOfStarts(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(50)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

void BM_ProcessSolve11(benchmark::State& state) {
    runProgram(state, {"solve", "11", "C_a=0.1", "k_a=1.8e-5"}, "/dev/null");
}
BENCHMARK(BM_ProcessSolve11)->Apply(medianOfStarts);

void BM_ProcessGraphJson(benchmark::State& state) {
    runProgram(state, {"graph", "50", "29", "--json", "C_a=0.1", "V_a=25", "C_SB=0.1"},
               "/dev/null");
}
BENCHMARK(BM_ProcessGraphJson)->Apply(medianOfStarts);

void BM_ProcessBatch55_100000Lines(benchmark::State& state) {
    const std::string input = std::string(P_tmpdir) + "/corvane-bench-batch55.csv";
    std::ofstream(input) << titrations(100000);
    runProgram(state, {"batch", "55"}, input.c_str());
    std::remove(input.c_str());
}
BENCHMARK(BM_ProcessBatch55_100000Lines)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

} // namespace

BENCHMARK_MAIN();
