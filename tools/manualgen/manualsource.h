// \brief The user's manual: an HTML source whose directive lines ("{{problem 11 C_a=0.1 ...}}")
// are filled in from the engine and the catalogue while the manual is built; WeasyPrint then
// lays the filled-in page out as the PDF.
#pragma once

#include "engine/catalogue.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace corvane::manual {

/// A line of the source that holds only "{{name arg ...}}".
struct Directive {
    int line; // 1-based
    QString name;
    QStringList args;
};

std::vector<Directive> FindDirectives(const QString& source);

/// What corvane-cli prints for the arguments (after "corvane-cli"), and its exit status.
struct CommandOutput {
    QString text;
    int exitCode;
};
CommandOutput RunCli(const QStringList& args);

/// The smallest sets of typable quantities (by slot) that determine a problem: with only
/// those given, the solver completes every input row. Found by giving subsets of the solved
/// reference values. pH stands in for [H+] and [OH-], which always follow from it.
std::vector<std::vector<int>> DeterminingSets(const engine::ProblemType& problem,
                                              const engine::Slots& solved);

/// A quantity's symbol as HTML: "C_SB" gives C<sub>SB</sub>, "[A2-]" gives [A<sup>2−</sup>].
QString SymbolHtml(QStringView symbol);

struct ManualFolders {
    QString img;      // the formula pictures
    QString pictures; // pictures other build steps made for the manual
};

/// A directive that cannot be filled in.
struct ManualError {
    int line;
    QString message;
};

struct ExpandedManual {
    QString html;
    std::vector<std::pair<QString, QImage>> images; // resource name, picture
    std::vector<ManualError> errors;
};

/// Replaces every directive: "problem CODE NAME=VALUE..." (a problem type's section),
/// "solve CODE NAME=VALUE..." (a command and its output; "mix ..." and "recipe ..." likewise),
/// "fit DATA CODE ARGS..." (the fit of a data file of the pictures folder and its output),
/// "picture FILE [WIDTH]", "list" (the catalogue's codes and titles), "kinds" (every graph
/// kind, its title and the codes that offer it). "{{version}}" anywhere gives the program's
/// version.
ExpandedManual ExpandManual(const QString& source, const ManualFolders& folders,
                            const QString& version);

/// The filled-in HTML with every picture inside it as a data: address, so the one file is
/// the whole manual.
QString WithPicturesInside(const ExpandedManual& manual);

} // namespace corvane::manual
