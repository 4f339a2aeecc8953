// corvane-formulagen: draws the formula picture sources into the img folder.
//   corvane-formulagen OUTDIR MAXWIDTH MAXPAIRHEIGHT SOURCE...
// Every source is checked first; any fault is printed as "file:line: message" and nothing is
// written. A picture wider than MAXWIDTH, or a code whose two pictures with the gap between
// them are taller than MAXPAIRHEIGHT, fails too: the panel could not show it.
#include "formulasource.h"

#include "markup/fonts.h"
#include "markup/symbols.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>

#include <cstdio>

using namespace corvane::formulas;

namespace {

constexpr int PictureGap = 10;
constexpr QFileDevice::Permissions PictureMode = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ReadGroup | QFileDevice::ReadOther;

void print(const QString& text) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 5) {
        print(QStringLiteral("usage: corvane-formulagen OUTDIR MAXWIDTH MAXPAIRHEIGHT SOURCE..."));
        return 2;
    }
    corvane::markup::InstallFontSubstitutions();
    corvane::markup::InitMarkupSymbols();
    const QDir out(args[1]);
    const int maxWidth = args[2].toInt();
    const int maxPairHeight = args[3].toInt();

    std::vector<SourceError> errors;
    std::vector<FormulaSource> sources;
    for (int n = 4; n < args.size(); ++n)
        sources.push_back(ReadFormulaSource(args[n], errors));
    if (!errors.empty()) {
        for (const SourceError& e : errors)
            print(e.text());
        return 1;
    }

    QHash<QString, int> pairHeights;
    std::vector<QImage> pictures;
    for (const FormulaSource& source : sources) {
        const QImage picture = DrawFormulaSource(source);
        if (picture.width() > maxWidth)
            errors.push_back({source.path, 1,
                              QStringLiteral("the picture is %1 pixels wide, the panel takes %2")
                                  .arg(picture.width())
                                  .arg(maxWidth)});
        QString code = QFileInfo(source.path).completeBaseName();
        if (code.startsWith(QLatin1Char('X'))) code.remove(0, 1);
        pairHeights[code] += picture.height() + (pairHeights.contains(code) ? PictureGap : 0);
        if (pairHeights[code] > maxPairHeight)
            errors.push_back({source.path, 1,
                              QStringLiteral("the pictures of %1 are %2 pixels tall with their "
                                             "gap, the panel takes %3")
                                  .arg(code)
                                  .arg(pairHeights[code])
                                  .arg(maxPairHeight)});
        pictures.push_back(picture);
    }
    if (!errors.empty()) {
        for (const SourceError& e : errors)
            print(e.text());
        return 1;
    }

    out.mkpath(QStringLiteral("."));
    for (std::size_t n = 0; n < sources.size(); ++n) {
        const QString name = out.filePath(PictureFileName(sources[n].path));
        QString error;
        const bool written = name.endsWith(QLatin1String(".gif"))
                                 ? WriteGif(pictures[n], name, error)
                                 : pictures[n].save(name, "JPG", 95);
        // giflib creates its files for the owner alone; every user of the build reads them.
        if (written && !QFile::setPermissions(name, PictureMode)) {
            print(QStringLiteral("%1: cannot make %2 readable by all").arg(sources[n].path, name));
            return 1;
        }
        if (!written) {
            print(QStringLiteral("%1: cannot write %2 %3").arg(sources[n].path, name, error));
            return 1;
        }
    }
    return 0;
}
