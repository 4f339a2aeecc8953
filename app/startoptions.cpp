#include "startoptions.h"

#include "version/version.h"

#include <QCommandLineParser>

#include <algorithm>

#include <cstdio>

namespace corvane::app {

namespace {

// The help in QCommandLineParser's layout, written here because the parser's own needs an
// application object, which a display-less start has not got.
QString helpTextOf(const QList<QCommandLineOption>& options) {
    QStringList names;
    qsizetype width = 0;
    for (const QCommandLineOption& option : options) {
        QStringList forms;
        for (const QString& name : option.names())
            forms << (name.size() == 1 ? "-" : "--") + name;
        names << forms.join(QStringLiteral(", "));
        width = std::max(width, names.back().size());
    }
    QString text = QStringLiteral("Usage: corvane [options]\n"
                                  "Corvane - a calculator for acid-base equilibria in water.\n"
                                  "\nOptions:\n");
    for (qsizetype i = 0; i < options.size(); ++i)
        text +=
            QStringLiteral("  %1  %2\n").arg(names[i], -int(width)).arg(options[i].description());
    return text;
}

} // namespace

StartOptions ParseStartOptions(const QStringList& arguments) {
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    QCommandLineParser parser;
    parser.addOptions({help, version});
    if (!parser.parse(arguments))
        return {StartOptions::Action::Error,
                QStringLiteral("corvane: %1 (corvane --help explains the usage)\n")
                    .arg(parser.errorText())};
    if (parser.isSet(help)) return {StartOptions::Action::Help, helpTextOf({help, version})};
    if (parser.isSet(version))
        return {StartOptions::Action::Version, QStringLiteral("corvane %1\n").arg(VersionText)};
    if (!parser.positionalArguments().isEmpty())
        return {StartOptions::Action::Error,
                QStringLiteral("corvane: unexpected argument \"%1\" (corvane --help explains "
                               "the usage)\n")
                    .arg(parser.positionalArguments().first())};
    return {};
}

int AnswerWithoutWindow(const StartOptions& options) {
    const QByteArray text = options.text.toLocal8Bit();
    if (options.action == StartOptions::Action::Error) {
        std::fputs(text.constData(), stderr);
        return 2;
    }
    if (std::fputs(text.constData(), stdout) < 0 || std::fflush(stdout) != 0) {
        std::fputs("corvane: cannot write to standard output\n", stderr);
        return 1;
    }
    return 0;
}

} // namespace corvane::app
