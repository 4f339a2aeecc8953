// What the manual tests share: the manual the build made and running the programs that read it.
#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>

namespace corvane::test {

inline const QString Manual = QStringLiteral(CORVANE_MANUAL_PDF);
inline const QString ManualHtml = QStringLiteral(CORVANE_MANUAL_HTML);
inline const QString ManualSource = QStringLiteral(CORVANE_MANUAL_SOURCE);

struct ProcessRun {
    int exitCode;
    QString out;
    QString err;
};

inline ProcessRun run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace corvane::test
