// corvane-manualgen: builds the user's manual from its HTML source.
//   corvane-manualgen SOURCE OUT.pdf IMGDIR PICTURESDIR VERSION
// A directive that fails (an unknown code or quantity, an example that does not solve, a
// missing picture) is printed as "SOURCE:LINE: message" and no manual is written.
#include "manualsource.h"

#include "markup/fonts.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 6) {
        std::fprintf(stderr,
                     "usage: corvane-manualgen SOURCE OUT.pdf IMGDIR PICTURESDIR VERSION\n");
        return 2;
    }
    corvane::markup::InstallFontSubstitutions();
    QFile source(args[1]);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "%s: cannot be read\n", qPrintable(args[1]));
        return 1;
    }
    const corvane::manual::ExpandedManual manual = corvane::manual::ExpandManual(
        QString::fromUtf8(source.readAll()), {args[3], args[4]}, args[5]);
    for (const corvane::manual::ManualError& error : manual.errors)
        std::fprintf(stderr, "%s:%d: %s\n", qPrintable(args[1]), error.line,
                     qPrintable(error.message));
    if (!manual.errors.empty()) return 1;
    QFile::remove(args[2]);
    if (!corvane::manual::WritePdf(manual, args[2])) {
        std::fprintf(stderr, "%s: cannot be written\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
