// The user's manual the build made: a PDF of many pages whose worked examples say exactly
// what corvane-cli prints for the same command, with a section for every problem type. The
// first two pages are left as pictures in build/test-output for people to read.
#include "manual_fixture.h"

#include "manualgen/manualsource.h"

#include "engine/catalogue.h"
#include "engine/slots.h"
#include "version/version.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace corvane;

namespace {

using test::Manual;
using test::ManualSource;
using test::ProgramRun;
using test::RunProgram;

QString simplified(const QString& text) {
    return text.simplified();
}

QString readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

// The manual's text, all white space folded to single spaces.
const QString& manualText() {
    static const QString text = [] {
        const ProgramRun r = RunProgram("pdftotext", {"-layout", Manual, "-"});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return simplified(r.out);
    }();
    return text;
}

TEST(Manual, IsAPdfOfManyPages) {
    QFile file(Manual);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(5), QByteArray("%PDF-"));
    const ProgramRun info = RunProgram("pdfinfo", {Manual});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    const QRegularExpressionMatch pages = QRegularExpression("Pages:\\s+(\\d+)").match(info.out);
    ASSERT_TRUE(pages.hasMatch());
    EXPECT_GE(pages.captured(1).toInt(), 40);
}

// corvane-cli run with args prints lines that stand in the manual in the same order, after
// the command as the manual shows it.
::testing::AssertionResult PrintsWhatTheManualShows(const QStringList& shown,
                                                    const QStringList& args) {
    const ProgramRun cli = RunProgram(CORVANE_CLI, args);
    if (cli.exitCode != 0) return ::testing::AssertionFailure() << cli.err.toStdString();
    qsizetype at = manualText().indexOf("$ corvane-cli " + shown.join(' '));
    if (at < 0) return ::testing::AssertionFailure() << "the command is not in the manual";
    for (const QString& line : cli.out.split('\n', Qt::SkipEmptyParts)) {
        const qsizetype found = manualText().indexOf(simplified(line), at);
        if (found < 0)
            return ::testing::AssertionFailure()
                   << "\"" << line.toStdString() << "\" is not in the manual";
        at = found;
    }
    return ::testing::AssertionSuccess();
}

// Every worked example, run again through the corvane-cli program.
TEST(Manual, WorkedExamplesMatchCorvaneCli) {
    int examples = 0;
    for (const manual::Directive& d : manual::FindDirectives(readAll(ManualSource))) {
        if (d.name != "solve" && d.name != "problem" && d.name != "mix" && d.name != "recipe")
            continue;
        const QStringList args = QStringList{d.name == "problem" ? "solve" : d.name} + d.args;
        EXPECT_TRUE(PrintsWhatTheManualShows(args, args)) << "line " << d.line;
        ++examples;
    }
    EXPECT_GE(examples, 37);
}

// The fits of measured data, run again on the data file beside the manual's source.
TEST(Manual, FitExamplesMatchCorvaneCli) {
    int examples = 0;
    const QDir sources = QFileInfo(ManualSource).dir();
    for (const manual::Directive& d : manual::FindDirectives(readAll(ManualSource))) {
        if (d.name != "fit") continue;
        ASSERT_GE(d.args.size(), 2) << "line " << d.line;
        const QStringList shown =
            QStringList{"fit", d.args[1], "--data", d.args[0]} + d.args.mid(2);
        QStringList args = shown;
        args[3] = sources.filePath(d.args[0]);
        EXPECT_TRUE(PrintsWhatTheManualShows(shown, args)) << "line " << d.line;
        ++examples;
    }
    EXPECT_GE(examples, 2);
}

TEST(Manual, HasASectionForEveryProblemType) {
    for (const engine::ProblemType& p : engine::Problems()) {
        const QString heading = QString::fromStdString(
            std::string(p.code) + " — " +
            engine::FormTaskTitle(p.task, p.option, p.firstDissociationComplete));
        EXPECT_TRUE(manualText().contains(heading)) << heading.toStdString();
    }
    for (const char* message :
         {"Invalid input values: Reading error.", "Invalid input values: Calculation error.",
          "Sorry, cannot find/open file", "Sorry, cannot connect to"})
        EXPECT_TRUE(manualText().contains(message)) << message;
}

TEST(Manual, FirstPagesAsPictures) {
    const QString folder = QStringLiteral(CORVANE_TEST_OUTPUT_DIR);
    QDir().mkpath(folder);
    for (int page : {1, 2}) {
        const QString out = QString("%1/manual-page-%2").arg(folder).arg(page);
        QFile::remove(out + ".png");
        const ProgramRun r =
            RunProgram("pdftoppm", {"-png", "-r", "80", "-f", QString::number(page), "-l",
                                    QString::number(page), "-singlefile", Manual, out});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_GT(QFile(out + ".png").size(), 10000);
    }
}

// A slip in the manual's source stops the build with the file and line.
TEST(ManualGenerator, ASlipFailsWithFileAndLine) {
    QTemporaryDir dir;
    const QString source = dir.filePath("manual.html");
    QFile file(source);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body>\n<p>fine</p>\n{{problem 11 C_a=0.1 k_x=2}}\n{{graph 11}}\n</body>\n");
    file.close();
    const ProgramRun r = RunProgram(
        CORVANE_MANUALGEN, {source, dir.filePath("m.html"), dir.path(), dir.path(), VersionText});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(source + ":3: code 11 has no input \"k_x=2\""))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(source + ":4: unknown directive \"graph\"")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("m.html")));
}

TEST(ManualSource, SymbolsAsHtml) {
    EXPECT_EQ(manual::SymbolHtml(u"C_SB"), QString("C<sub>SB</sub>"));
    EXPECT_EQ(manual::SymbolHtml(u"pH_eq1"), QString("pH<sub>eq1</sub>"));
    EXPECT_EQ(manual::SymbolHtml(u"[H+]"), QString("[H<sup>+</sup>]"));
    EXPECT_EQ(manual::SymbolHtml(u"[A2-]"), QString("[A<sup>2&minus;</sup>]"));
    EXPECT_EQ(manual::SymbolHtml(u"[H2A-]"), QString("[H<sub>2</sub>A<sup>&minus;</sup>]"));
    EXPECT_EQ(manual::SymbolHtml(u"[H3A]"), QString("[H<sub>3</sub>A]"));
    EXPECT_EQ(manual::SymbolHtml(u"alpha"), QString("&alpha;"));
    EXPECT_EQ(manual::SymbolHtml(u"pH"), QString("pH"));
}

// The sets are checked by the solver itself; these are the ones a chemist expects.
TEST(ManualSource, DeterminingSetsOfTheWeakAcid) {
    const engine::ProblemType& p = *engine::FindProblem("11");
    engine::EquilAB state;
    state.IOValues[engine::slot::solution::C] = 0.1;
    state.IOValues[engine::slot::solution::K] = 1.8e-5;
    engine::RunProblem(state, "11");
    ASSERT_EQ(state.CalcError, 0);
    std::vector<QStringList> sets;
    for (const std::vector<int>& set : manual::DeterminingSets(p, state.IOValues)) {
        QStringList names;
        for (int slot : set)
            names << QString::fromUtf8(engine::SymbolName(engine::FindRow(p, slot)->quantity));
        sets.push_back(names);
    }
    const std::vector<QStringList> expected = {{"C_a", "pH"}, {"C_a", "k_a"},  {"C_a", "alpha"},
                                               {"pH", "k_a"}, {"pH", "alpha"}, {"k_a", "alpha"}};
    EXPECT_EQ(sets, expected);
}

TEST(ManualSource, AStrongAcidNeedsOneQuantity) {
    const engine::ProblemType& p = *engine::FindProblem("10");
    engine::EquilAB state;
    state.IOValues[engine::slot::solution::C] = 0.01;
    engine::RunProblem(state, "10");
    const auto sets = manual::DeterminingSets(p, state.IOValues);
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0], std::vector<int>{0});
    EXPECT_EQ(sets[1], std::vector<int>{1});
}

} // namespace
