// corvane-manualgen: fills in the user's manual's HTML source.
//   corvane-manualgen SOURCE OUT.html IMGDIR PICTURESDIR VERSION
// A directive that fails (an unknown code or quantity, an example that does not solve, a
// missing picture) is printed as "SOURCE:LINE: message" and no manual is written. The page
// written holds its pictures; WeasyPrint lays it out as the PDF.
#include "manualsource.h"

#include "markup/fonts.h"

#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 6) {
        std::fprintf(stderr,
                     "usage: corvane-manualgen SOURCE OUT.html IMGDIR PICTURESDIR VERSION\n");
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
    const QByteArray html = corvane::manual::WithPicturesInside(manual).toUtf8();
    QSaveFile out(args[2]);
    if (!out.open(QIODevice::WriteOnly) || out.write(html) != html.size() || !out.flush() ||
        out.error() != QFileDevice::NoError) {
        std::fprintf(stderr, "%s: cannot be written: %s\n", qPrintable(args[2]),
                     qPrintable(out.errorString()));
        out.cancelWriting();
        return 1;
    }
    if (!out.commit()) {
        std::fprintf(stderr, "%s: cannot be written: %s\n", qPrintable(args[2]),
                     qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
