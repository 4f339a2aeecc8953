// corvane-cli's standard output: a write that fails is an error, and the program needs no
// display whatever platform the environment names.
#include "run_cli.h"

#include "cli/fileoutput.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace corvane::cli::test {
namespace {

// Every command that writes to standard output, into a device that is always full.
TEST(Output, AFailedWriteToStandardOutputIsAnError) {
    const std::vector<std::vector<std::string>> commands = {
        {"--help"},
        {"list"},
        {"compounds"},
        {"solve", "11", "C_a=0.1", "k_a=1.8e-5"},
        {"solve", "11", "--json", "C_a=0.1", "k_a=1.8e-5"},
        {"graph", "50", "33", "C_a=0.1", "V_a=25", "C_SB=0.1"},
        {"batch", "11"},
    };
    for (const std::vector<std::string>& args : commands) {
        const int fd = ::open("/dev/full", O_WRONLY);
        ASSERT_GE(fd, 0) << "/dev/full";
        int status;
        std::ostringstream err;
        {
            FileOutput full(fd);
            std::ostream out(&full);
            std::istringstream in("C_a,k_a\n0.1,1.8e-5\n");
            status = RunCommandLine(args, in, out, err);
        }
        ::close(fd);
        EXPECT_EQ(status, ExitInvalidInput) << args[0];
        EXPECT_TRUE(
            err.str().ends_with("corvane-cli: cannot write the output: No space left on device\n"))
            << args[0] << ": " << err.str();
    }
}

TEST(Output, WrittenWholeWhenTheOutputTakesIt) {
    std::string input = "C_a,k_a\n";
    for (int n = 1; n <= 2000; ++n)
        input += std::to_string(n) + "e-4,1.8e-5\n";
    const std::string path = ::testing::TempDir() + "corvane-cli-output.txt";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    std::ostringstream err;
    int status;
    {
        FileOutput file(fd);
        std::ostream out(&file);
        std::istringstream in(input);
        status = RunCommandLine({"batch", "11"}, in, out, err);
    }
    ::close(fd);
    EXPECT_EQ(status, ExitOk) << err.str();
    std::ostringstream expected;
    std::istringstream again(input);
    RunCommandLine({"batch", "11"}, again, expected, err);
    EXPECT_GT(expected.str().size(), 65536u) << "longer than the buffer: written in pieces";
    std::ifstream written(path);
    std::stringstream text;
    text << written.rdbuf();
    EXPECT_EQ(text.str(), expected.str());
}

std::string readAll(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The program itself, as a shell runs it.
TEST(Output, TheProgramReportsAFullStandardOutput) {
    const std::string errPath = ::testing::TempDir() + "corvane-cli-full.err";
    const std::string command =
        std::string(CORVANE_CLI) + " solve 11 C_a=0.1 k_a=1.8e-5 > /dev/full 2> " + errPath;
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), ExitInvalidInput);
    EXPECT_EQ(readAll(errPath), "corvane-cli: cannot write the output: No space left on device\n");
}

TEST(Output, GraphNeedsNoDisplayWhateverThePlatform) {
    const std::string outPath = ::testing::TempDir() + "corvane-cli-xcb.txt";
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb " +
                                std::string(CORVANE_CLI) +
                                " graph 50 33 C_a=0.1 V_a=25 C_SB=0.1 > " + outPath + " 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "the program was killed by a signal";
    EXPECT_EQ(WEXITSTATUS(status), ExitOk) << readAll(outPath);
    EXPECT_TRUE(readAll(outPath).starts_with("VSB (mL)\t")) << readAll(outPath);
}

} // namespace
} // namespace corvane::cli::test
