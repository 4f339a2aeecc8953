// The manual pages give every option and command that --help gives, in their OPTIONS and
// SYNOPSIS sections, for corvane and corvane-cli.
#include "app/startoptions.h"
#include "cli/commandline.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <sstream>

namespace {

QString page(const char* name) {
    QFile file(QStringLiteral(CORVANE_DOCS_DIR "/%1.1.in").arg(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return QString::fromUtf8(file.readAll());
}

// The text of one section, from its ".SH" line to the next.
QString section(const QString& page, const QString& name) {
    const qsizetype start = page.indexOf("\n.SH " + name + "\n");
    if (start < 0) return {};
    const qsizetype end = page.indexOf("\n.SH ", start + 1);
    return page.mid(start, end < 0 ? -1 : end - start);
}

// "--name" and "-x" as they stand in a text; roff writes each "-" as "\-".
QSet<QString> optionsIn(QString text) {
    text.replace("\\-", "-");
    QSet<QString> options;
    static const QRegularExpression form("(?<![\\w-])(--[a-z]+|-[a-z])(?![\\w-])");
    for (const QRegularExpressionMatch& m : form.globalMatch(text))
        options << m.captured(1);
    return options;
}

QString cliHelp() {
    std::ostringstream out, err;
    EXPECT_EQ(corvane::cli::RunCommandLine({"--help"}, out, err), 0);
    return QString::fromStdString(out.str());
}

TEST(ManualPages, CorvaneCliGivesTheOptionsOfItsHelp) {
    const QString help = cliHelp();
    // Long options only: the help's own "-" signs (10^(-pK)) are no options.
    QSet<QString> helpOptions;
    for (const QString& option : optionsIn(help))
        if (option.startsWith("--")) helpOptions << option;
    QSet<QString> pageOptions;
    for (const QString& option : optionsIn(section(page("corvane-cli"), "OPTIONS")))
        if (option.startsWith("--")) pageOptions << option;
    EXPECT_GE(helpOptions.size(), 14);
    EXPECT_EQ(pageOptions, helpOptions);
}

TEST(ManualPages, CorvaneCliGivesEveryCommandInItsSynopsis) {
    const QString synopsis = section(page("corvane-cli"), "SYNOPSIS");
    static const QRegularExpression usage("^  corvane-cli (\\w+)",
                                          QRegularExpression::MultilineOption);
    int commands = 0;
    for (const QRegularExpressionMatch& m : usage.globalMatch(cliHelp())) {
        EXPECT_TRUE(synopsis.contains(".B corvane-cli " + m.captured(1)))
            << m.captured(1).toStdString();
        ++commands;
    }
    EXPECT_GE(commands, 5);
}

TEST(ManualPages, CorvaneGivesTheOptionsOfItsHelp) {
    const corvane::app::StartOptions help = corvane::app::ParseStartOptions({"corvane", "--help"});
    const QSet<QString> expected{"-h", "--help", "-v", "--version"};
    EXPECT_EQ(optionsIn(help.text), expected);
    EXPECT_EQ(optionsIn(section(page("corvane"), "OPTIONS")), expected);
    EXPECT_EQ(optionsIn(section(page("corvane"), "SYNOPSIS")), expected);
}

} // namespace
