// corvane's command line: --help and --version answer without a display, anything else is
// refused, and without a display the program says so in one line instead of aborting.
#include "app/display.h"
#include "app/startoptions.h"
#include "tests/support/programrun.h"
#include "version/version.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

using corvane::app::ParseStartOptions;
using corvane::app::StartOptions;
using Action = corvane::app::StartOptions::Action;
using corvane::test::ProgramRun;
using corvane::test::RunToEnd;

namespace {

StartOptions parse(const QStringList& arguments) {
    return ParseStartOptions(QStringList{"/usr/bin/corvane"} + arguments);
}

TEST(StartOptions, HelpAndVersionAnswerInsteadOfTheWindow) {
    EXPECT_EQ(parse({}).action, Action::Run);
    for (const char* form : {"--help", "-h"}) {
        const StartOptions help = parse({form});
        EXPECT_EQ(help.action, Action::Help) << form;
        EXPECT_TRUE(help.text.startsWith("Usage: corvane [options]\n")) << help.text.toStdString();
        EXPECT_TRUE(help.text.contains("  -h, --help     Show this help and exit.\n"));
        EXPECT_TRUE(help.text.contains("  -v, --version  Show the version and exit.\n"));
    }
    for (const char* form : {"--version", "-v"}) {
        const StartOptions version = parse({form});
        EXPECT_EQ(version.action, Action::Version) << form;
        EXPECT_EQ(version.text, QString("corvane %1\n").arg(corvane::VersionText));
    }
}

TEST(StartOptions, UnknownOptionsAndArgumentsAreRefused) {
    const StartOptions unknown = parse({"--fast"});
    EXPECT_EQ(unknown.action, Action::Error);
    EXPECT_TRUE(unknown.text.startsWith("corvane: Unknown option 'fast'."))
        << unknown.text.toStdString();
    const StartOptions argument = parse({"problem.txt"});
    EXPECT_EQ(argument.action, Action::Error);
    EXPECT_TRUE(argument.text.contains("unexpected argument \"problem.txt\""));
}

// The corvane program with no display at all: no X or Wayland display, no platform chosen.
ProgramRun runWithoutDisplay(const QStringList& arguments, const QString& platform = {},
                             const QString& output = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    if (!platform.isEmpty()) environment.insert("QT_QPA_PLATFORM", platform);
    QTemporaryDir config;
    environment.insert("XDG_CONFIG_HOME", config.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!output.isEmpty()) process.setStandardOutputFile(output);
    return RunToEnd(process, CORVANE_PROGRAM, arguments, 20000);
}

TEST(StartWithoutDisplay, HelpAndVersionNeedNone) {
    const ProgramRun version = runWithoutDisplay({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QString("corvane %1\n").arg(corvane::VersionText));
    EXPECT_EQ(version.err, QString());
    const ProgramRun help = runWithoutDisplay({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--version"));
    const ProgramRun unknown = runWithoutDisplay({"--fast"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.startsWith("corvane: Unknown option 'fast'."));
}

TEST(StartWithoutDisplay, AFullStandardOutputIsAnError) {
    const ProgramRun version = runWithoutDisplay({"--version"}, {}, "/dev/full");
    EXPECT_EQ(version.exitCode, 1);
    EXPECT_EQ(version.err, QString("corvane: cannot write to standard output\n"));
}

TEST(StartWithoutDisplay, TheWindowSaysSoInOneLine) {
    for (const QString& platform : {QString(), QString("xcb")}) {
        const ProgramRun run = runWithoutDisplay({}, platform);
        EXPECT_EQ(run.exitCode, 1) << platform.toStdString();
        EXPECT_EQ(run.err, QString(corvane::app::NoDisplayMessage) + "\n") << run.err.toStdString();
    }
}

TEST(StartWithoutDisplay, TheOffscreenPlatformStillStarts) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    environment.insert("XDG_CONFIG_HOME", config.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(CORVANE_PROGRAM, QStringList{});
    ASSERT_TRUE(process.waitForStarted());
    EXPECT_FALSE(process.waitForFinished(2000)) << "corvane ended: " << process.exitCode();
    process.kill();
    process.waitForFinished();
}

} // namespace
