// Running a program from a test to its end: its exit status and what it wrote to each stream.
#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>

namespace corvane::test {

struct ProgramRun {
    int exitCode;
    QString out;
    QString err;
};

/// Starts program in process (its environment and channels set by the caller) and waits for
/// its end; a program still running after timeoutMs fails the test.
inline ProgramRun RunToEnd(QProcess& process, const QString& program, const QStringList& args,
                           int timeoutMs = 60000) {
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(timeoutMs)) << program.toStdString();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

inline ProgramRun RunProgram(const QString& program, const QStringList& args,
                             int timeoutMs = 60000) {
    QProcess process;
    return RunToEnd(process, program, args, timeoutMs);
}

} // namespace corvane::test
