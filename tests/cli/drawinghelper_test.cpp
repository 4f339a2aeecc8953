// corvane-cli as installed: the program links no GUI library and draws through the helper
// beside it; without the helper a picture is refused with the reason, the text still written.
#include "run_cli.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace corvane::cli::test {
namespace {

namespace fs = std::filesystem;

const std::string Problem = " graph 50 29 C_a=0.1 V_a=25 C_SB=0.1";

std::string readAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs a shell command line; the exit status, or -1 for a signal.
int shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

fs::path scratch(const std::string& name) {
    const fs::path dir = fs::path(::testing::TempDir()) / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

TEST(DrawingHelper, TheProgramNeedsNoGuiLibrary) {
    const fs::path dir = scratch("corvane-cli-needed");
    ASSERT_EQ(shell("readelf -d " + std::string(CORVANE_CLI) + " > " + (dir / "dynamic").string()),
              0);
    const std::string dynamic = readAll(dir / "dynamic");
    ASSERT_TRUE(contains(dynamic, "(NEEDED)")) << dynamic;
    for (const char* library : {"libQt6Gui", "libQt6Widgets", "libQt6Svg", "libQt6PrintSupport"})
        EXPECT_FALSE(contains(dynamic, library)) << library;
}

TEST(DrawingHelper, DrawsThePictureAndWritesTheSameRows) {
    const fs::path dir = scratch("corvane-cli-helper");
    const fs::path picture = dir / "curve.png", table = dir / "points.txt";
    ASSERT_EQ(shell(std::string(CORVANE_CLI) + Problem + " --picture " + picture.string() +
                    " --table " + table.string() + " > " + (dir / "out").string()),
              ExitOk);
    EXPECT_TRUE(readAll(picture).starts_with("\x89PNG\r\n"));
    EXPECT_TRUE(contains(readAll(table), "pH")) << readAll(table);
    const Outcome inProcess = run({"graph", "50", "29", "C_a=0.1", "V_a=25", "C_SB=0.1"});
    EXPECT_EQ(readAll(dir / "out"), inProcess.out);
}

TEST(DrawingHelper, AMissingHelperIsAClearError) {
    const fs::path dir = scratch("corvane-cli-alone");
    fs::copy_file(CORVANE_CLI, dir / "corvane-cli");
    const std::string program = (dir / "corvane-cli").string();
    EXPECT_EQ(shell(program + Problem + " > " + (dir / "out").string()), ExitOk);
    EXPECT_TRUE(readAll(dir / "out").starts_with("VSB (mL)\tpH\n"));
    EXPECT_EQ(shell(program + Problem + " --picture " + (dir / "curve.png").string() + " 2> " +
                    (dir / "err").string()),
              ExitInvalidInput);
    EXPECT_EQ(
        readAll(dir / "err"),
        "corvane-cli: cannot draw the picture or write the data table: the drawing helper \"" +
            (dir / "corvane-cli-draw").string() +
            "\" cannot be started: No such file or directory\n");
    EXPECT_FALSE(fs::exists(dir / "curve.png"));
}

} // namespace
} // namespace corvane::cli::test
