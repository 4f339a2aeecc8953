// \brief The user's manual: an HTML source whose directive lines ("{{problem 11 C_a=0.1 ...}}")
// are filled in from the engine and the catalogue while the manual is built, then laid out as
// a PDF with QTextDocument.
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
/// "solve CODE NAME=VALUE..." (a command and its output), "fit DATA CODE ARGS..." (the fit
/// of a data file of the pictures folder and its output), "picture FILE [WIDTH]", "list"
/// (the catalogue's codes and titles). "{{version}}" anywhere gives the program's version.
ExpandedManual ExpandManual(const QString& source, const ManualFolders& folders,
                            const QString& version);

/// Lays the manual out on A4 pages with page numbers and writes it as a PDF.
bool WritePdf(const ExpandedManual& manual, const QString& path);

} // namespace corvane::manual
