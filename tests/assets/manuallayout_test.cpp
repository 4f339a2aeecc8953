// The manual as a reader finds a way in it: a contents list whose page numbers lead to the
// chapters, bookmarks for every chapter and problem type, links, page numbers in the footer,
// no worked example split across pages, no page left nearly empty, and an HTML copy that
// holds its pictures.
#include "manual_fixture.h"

#include "engine/catalogue.h"
#include "graphs/catalogue.h"
#include "manualgen/manualsource.h"
#include "version/version.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace corvane;
using test::Manual;
using test::RunProgram;

namespace {

// The text of every page, as pdftotext lays it out; pages are separated by form feeds.
const QStringList& pages() {
    static const QStringList texts = [] {
        const test::ProgramRun r = RunProgram("pdftotext", {"-layout", Manual, "-"});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        QStringList split = r.out.split('\f');
        if (!split.isEmpty() && split.back().trimmed().isEmpty()) split.removeLast();
        return split;
    }();
    return texts;
}

QByteArray pdfBytes() {
    QFile file(Manual);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// A PDF text string: "(literal)" or "<FEFF...>" in UTF-16.
QString pdfString(const QString& token) {
    if (token.startsWith('<')) {
        const QByteArray bytes = QByteArray::fromHex(token.mid(1, token.size() - 2).toLatin1());
        QString text;
        for (qsizetype i = 2; i + 1 < bytes.size(); i += 2)
            text += QChar(char16_t((uchar(bytes[i]) << 8) | uchar(bytes[i + 1])));
        return text;
    }
    QString text = token.mid(1, token.size() - 2);
    text.replace("\\(", "(").replace("\\)", ")").replace("\\\\", "\\");
    return text;
}

// The titles of the PDF's outline, the bookmarks a viewer shows.
QStringList bookmarks() {
    const QString pdf = QString::fromLatin1(pdfBytes());
    static const QRegularExpression entry(
        "/Title\\s*(\\((?:[^()\\\\]|\\\\.)*\\)|<[0-9A-Fa-f]+>)\\s*/Dest");
    QStringList titles;
    for (const QRegularExpressionMatch& m : entry.globalMatch(pdf))
        titles << pdfString(m.captured(1));
    return titles;
}

QString problemHeading(const engine::ProblemType& p) {
    return QString::fromStdString(
        std::string(p.code) + " — " +
        engine::FormTaskTitle(p.task, p.option, p.firstDissociationComplete));
}

TEST(ManualLayout, ContentsPageNumbersLeadToTheChapters) {
    static const QRegularExpression line(
        "^\\s*(\\d\\. [^.]+?|Task \\d: [^.]+?)\\s*\\.{3,}\\s*(\\d+)$",
        QRegularExpression::MultilineOption);
    int entries = 0;
    for (const QRegularExpressionMatch& m : line.globalMatch(pages().first())) {
        const int page = m.captured(2).toInt();
        ASSERT_GE(page, 2);
        ASSERT_LE(page, pages().size());
        const QString heading = m.captured(1);
        const QString onPage = pages()[page - 1].simplified();
        EXPECT_TRUE(onPage.contains(heading)) << heading.toStdString() << " not on page " << page;
        // The number is of the page the heading stands on, not of the next one.
        if (page > 2) {
            EXPECT_FALSE(pages()[page - 2].simplified().contains(heading))
                << heading.toStdString() << " is on page " << page - 1 << " already";
        }
        ++entries;
    }
    EXPECT_EQ(entries, 13);
}

TEST(ManualLayout, BookmarksForEveryChapterAndProblemType) {
    const QStringList titles = bookmarks();
    for (const char* chapter :
         {"1. Getting started", "2. The five tasks and their options", "3. Typing numbers",
          "4. The problem types, one by one", "5. Graphs and the data table", "6. Settings",
          "7. The command line", "8. Messages and what to do about them"})
        EXPECT_TRUE(titles.contains(chapter)) << chapter;
    for (const engine::ProblemType& p : engine::Problems())
        EXPECT_TRUE(titles.contains(problemHeading(p))) << problemHeading(p).toStdString();
}

TEST(ManualLayout, ContentsAndCodesAreLinks) {
    const QByteArray pdf = pdfBytes();
    // The contents (13 entries), the code table's codes and page numbers (2 × 34), the kinds
    // table's codes and the cross references.
    EXPECT_GE(pdf.count("/Subtype /Link"), 13 + 2 * 34 + 90);
}

TEST(ManualLayout, EveryPageAfterTheFirstShowsItsNumberInTheFooter) {
    const QString version = QStringLiteral("Corvane %1").arg(VersionText);
    for (qsizetype n = 2; n <= pages().size(); ++n) {
        const QStringList lines = pages()[n - 1].trimmed().split('\n');
        const QString footer = lines.back().simplified();
        EXPECT_EQ(footer, QString("%1 %2").arg(n).arg(version)) << "page " << n;
    }
}

// A worked example, its command and every line it prints down to "ok", stands on one page.
TEST(ManualLayout, NoWorkedExampleIsSplitAcrossPages) {
    QFile source(test::ManualSource);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    static const QRegularExpression ok("^\\s+ok$", QRegularExpression::MultilineOption);
    int examples = 0;
    for (const manual::Directive& d : manual::FindDirectives(QString::fromUtf8(source.readAll()))) {
        if (d.name != "solve" && d.name != "problem") continue;
        const QString command = "$ corvane-cli solve " + d.args.join(' ') + "\n";
        qsizetype page = -1;
        for (qsizetype n = 0; n < pages().size() && page < 0; ++n)
            if (pages()[n].contains(command)) page = n;
        ASSERT_GE(page, 0) << "line " << d.line << ": " << command.toStdString();
        const qsizetype from = pages()[page].indexOf(command);
        EXPECT_GT(pages()[page].indexOf(ok, from), from)
            << "line " << d.line << ": the example goes on on page " << page + 2;
        ++examples;
    }
    EXPECT_GE(examples, 34 + 3);
}

// The steps of the first calculation, a numbered list, are read on one page with their heading.
TEST(ManualLayout, TheFirstCalculationsStepsStandOnOnePage) {
    qsizetype found = 0;
    for (const QString& page : pages()) {
        const QString text = page.simplified();
        if (!text.contains("1. Click the tab Single acid or base")) continue;
        EXPECT_TRUE(text.contains("Your first calculation"));
        EXPECT_TRUE(text.contains("4. Now try it backwards"));
        ++found;
    }
    EXPECT_EQ(found, 1);
}

// Rendered small, every page has ink below its top quarter: its lowest ink above the footer
// lies lower than a quarter of the page.
TEST(ManualLayout, NoPageIsLeftNearlyEmpty) {
    QTemporaryDir dir;
    const test::ProgramRun r =
        RunProgram("pdftoppm", {"-gray", "-r", "20", Manual, dir.filePath("p")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList files = QDir(dir.path()).entryList({"p-*.pgm"}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), pages().size());
    for (qsizetype n = 0; n < files.size(); ++n) {
        const QImage page(dir.filePath(files[n]));
        ASSERT_FALSE(page.isNull());
        const int footerTop = page.height() * 90 / 100;
        int lowest = 0;
        for (int y = 0; y < footerTop; ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 160) lowest = y;
        EXPECT_GT(lowest, page.height() / 4) << "page " << n + 1 << " is nearly empty";
    }
}

TEST(ManualLayout, TheHtmlCopyHoldsItsPictures) {
    QFile file(test::ManualHtml);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    static const QRegularExpression source("src=\"([^\"]*)\"");
    int pictures = 0;
    for (const QRegularExpressionMatch& m : source.globalMatch(html)) {
        EXPECT_TRUE(m.captured(1).startsWith("data:image/png;base64,"))
            << m.captured(1).left(80).toStdString();
        ++pictures;
    }
    // Two formula pictures per problem type, the window, the seven graphs of the families, the
    // two of scales set by hand and marks, and the fitted titration.
    EXPECT_EQ(pictures, 2 * 34 + 1 + 7 + 2 + 1);
    for (const engine::ProblemType& p : engine::Problems())
        EXPECT_TRUE(html.contains(
            QString::fromStdString(std::string("id=\"code-") + std::string(p.code) + "\"")));
}

// In the HTML copy, which the PDF is laid out from: table cells stay whole there.
TEST(ManualLayout, EveryGraphKindIsDescribed) {
    QFile file(test::ManualHtml);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text =
        QString::fromUtf8(file.readAll()).remove(QRegularExpression("<[^>]*>")).simplified();
    const graphs::GraphCatalogue& catalogue = graphs::Catalogue();
    for (int kind = 1; kind < graphs::GraphKindCount; ++kind) {
        if (catalogue.GraphKindTitle[kind].empty()) continue;
        const QString title =
            QString::fromStdString(
                graphs::PlainTitle(graphs::ListTitle(catalogue.GraphKindTitle[kind])))
                .simplified();
        EXPECT_TRUE(text.contains(title)) << "kind " << kind << ": " << title.toStdString();
    }
    for (const char* window : {"Edit type of graphic", "Graphic", "Data table", "Export PDF...",
                               "Save image as...", "Save data table as..."})
        EXPECT_TRUE(text.contains(window)) << window;
}

} // namespace
