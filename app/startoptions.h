// \brief The command line of corvane: --help and --version answer without opening a window.
#pragma once

#include <QString>
#include <QStringList>

namespace corvane::app {

struct StartOptions {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString text; // the help text, the version line or what is wrong, each with its line end
};

/// Reads the program's arguments, the program name first.
StartOptions ParseStartOptions(const QStringList& arguments);

/// Prints the answer to --help or --version on standard output, or the error on standard
/// error; gives the exit status: 0, 1 when standard output cannot be written, 2 for an error.
int AnswerWithoutWindow(const StartOptions& options);

} // namespace corvane::app
