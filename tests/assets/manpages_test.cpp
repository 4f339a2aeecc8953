// The manual pages give every option and command that --help gives, in their OPTIONS and
// SYNOPSIS sections, for corvane and corvane-cli; the user's manual gives corvane-cli's forms.
#include "app/startoptions.h"
#include "cli/commandline.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <ostream>
#include <sstream>
#include <vector>

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

// Long options only: the help's own "-" signs (10^(-pK)) are no options.
QSet<QString> longOptionsIn(const QString& text) {
    QSet<QString> options;
    for (const QString& option : optionsIn(text))
        if (option.startsWith("--")) options << option;
    return options;
}

// A form of the command line: its command (or its only option) and the options it takes.
struct UsageForm {
    QString command;
    QSet<QString> options;
    bool operator==(const UsageForm&) const = default;
};

std::ostream& operator<<(std::ostream& out, const UsageForm& form) {
    QStringList options(form.options.begin(), form.options.end());
    options.sort();
    return out << form.command.toStdString() << " " << options.join(' ').toStdString();
}

// The forms of a usage block: each line starting with lead ("corvane-cli ") with the lines
// that continue it.
std::vector<UsageForm> usageForms(const QString& block, const QString& lead) {
    std::vector<UsageForm> forms;
    for (const QString& line : block.split('\n')) {
        if (line.startsWith(lead)) forms.push_back({line.mid(lead.size()).section(' ', 0, 0), {}});
        if (!forms.empty()) forms.back().options += longOptionsIn(line);
    }
    return forms;
}

// The forms of the help's "Usage:" block.
std::vector<UsageForm> helpForms(const QString& help) {
    const qsizetype start = help.indexOf("Usage:\n");
    return usageForms(help.mid(start, help.indexOf("\n\n", start) - start),
                      QStringLiteral("  corvane-cli "));
}

// The forms of the SYNOPSIS, separated by ".br", each starting ".B corvane-cli ...".
std::vector<UsageForm> synopsisForms(const QString& synopsis) {
    const QString lead = QStringLiteral(".B corvane-cli ");
    std::vector<UsageForm> forms;
    for (const QString& form : synopsis.split("\n.br\n")) {
        const qsizetype at = form.indexOf(lead);
        if (at < 0) continue;
        const QString command = form.mid(at + lead.size()).section('\n', 0, 0).section(' ', 0, 0);
        forms.push_back({QString(command).replace("\\-", "-"), longOptionsIn(form)});
    }
    return forms;
}

TEST(ManualPages, CorvaneCliGivesTheOptionsOfItsHelp) {
    const QSet<QString> helpOptions = longOptionsIn(cliHelp());
    EXPECT_GE(helpOptions.size(), 14);
    EXPECT_EQ(longOptionsIn(section(page("corvane-cli"), "OPTIONS")), helpOptions);
}

// Every form of the help, in its order and with its options, stands in the synopsis.
TEST(ManualPages, CorvaneCliSynopsisHasTheFormsOfItsHelp) {
    const std::vector<UsageForm> help = helpForms(cliHelp());
    EXPECT_GE(help.size(), 8u);
    EXPECT_EQ(synopsisForms(section(page("corvane-cli"), "SYNOPSIS")), help);
}

TEST(ManualPages, CorvaneGivesTheOptionsOfItsHelp) {
    const corvane::app::StartOptions help = corvane::app::ParseStartOptions({"corvane", "--help"});
    const QSet<QString> expected{"-h", "--help", "-v", "--version"};
    EXPECT_EQ(optionsIn(help.text), expected);
    EXPECT_EQ(optionsIn(section(page("corvane"), "OPTIONS")), expected);
    EXPECT_EQ(optionsIn(section(page("corvane"), "SYNOPSIS")), expected);
}

// The command line chapter of the user's manual opens with the same forms.
TEST(ManualPages, TheUsersManualHasTheFormsOfTheHelp) {
    QFile file(QStringLiteral(CORVANE_DOCS_DIR "/manual.html"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString manual = QString::fromUtf8(file.readAll());
    const qsizetype start = manual.indexOf("<pre>corvane-cli solve CODE");
    ASSERT_GE(start, 0);
    const QString block = manual.mid(start + 5, manual.indexOf("</pre>", start) - start - 5);
    EXPECT_EQ(usageForms(block, QStringLiteral("corvane-cli ")), helpForms(cliHelp()));
}

} // namespace
