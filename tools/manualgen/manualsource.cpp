#include "manualsource.h"

#include "cli/commandline.h"
#include "engine/equilab.h"
#include "numtext/numbertext.h"

#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>

#include <algorithm>
#include <functional>
#include <sstream>

namespace corvane::manual {

namespace {

// Slots 15 and 16 carry working values that no field shows.
constexpr int FieldRowCount = 15;

// Two formula pictures stand side by side across the page.
constexpr int PictureColumnWidth = 305;

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString symbolOf(const engine::ProblemType& problem, int slot) {
    const engine::SlotRow* row = engine::FindRow(problem, slot);
    return row ? qs(engine::SymbolName(row->quantity)) : QString::number(slot);
}

bool typable(const engine::ProblemType& p, const engine::SlotRow& row) {
    return engine::OffersInput(p, row.slot) && row.readAtEntry;
}

// Subsets of `candidates` in order of size, each first in the order of the rows.
void forEachSubset(const std::vector<int>& candidates,
                   const std::function<void(std::vector<int>)>& f) {
    const int n = int(candidates.size());
    for (int size = 1; size <= n; ++size) {
        std::vector<int> pick(size);
        for (int i = 0; i < size; ++i)
            pick[i] = i;
        while (true) {
            std::vector<int> subset;
            for (int i : pick)
                subset.push_back(candidates[i]);
            f(subset);
            int i = size - 1;
            while (i >= 0 && pick[i] == n - size + i)
                --i;
            if (i < 0) break;
            ++pick[i];
            for (int j = i + 1; j < size; ++j)
                pick[j] = pick[j - 1] + 1;
        }
    }
}

QString escape(const QString& text) {
    return text.toHtmlEscaped();
}

QString problemTitle(const engine::ProblemType& p) {
    return qs(engine::FormTaskTitle(p.task, p.option, p.firstDissociationComplete));
}

class Expander {
public:
    Expander(const ManualFolders& folders, const QString& version)
        : m_folders(folders), m_version(version) {}

    ExpandedManual run(const QString& source) {
        const QStringList lines = source.split(QLatin1Char('\n'));
        std::vector<Directive> directives = FindDirectives(source);
        std::size_t next = 0;
        for (int n = 0; n < lines.size(); ++n) {
            if (next < directives.size() && directives[next].line == n + 1) {
                m_line = n + 1;
                m_out.html += expand(directives[next++]);
            } else {
                m_out.html += QString(lines[n]).replace(QLatin1String("{{version}}"), m_version);
            }
            m_out.html += QLatin1Char('\n');
        }
        return std::move(m_out);
    }

private:
    void fail(const QString& message) { m_out.errors.push_back({m_line, message}); }

    QString expand(const Directive& d) {
        if (d.name == QLatin1String("problem")) return problem(d.args);
        if (d.name == QLatin1String("solve")) return solve(d.args);
        if (d.name == QLatin1String("fit")) return fit(d.args);
        if (d.name == QLatin1String("picture")) return picture(d.args);
        if (d.name == QLatin1String("list")) return list();
        fail(QStringLiteral("unknown directive \"%1\"").arg(d.name));
        return {};
    }

    QString solve(const QStringList& args) {
        const QStringList command = QStringList{QStringLiteral("solve")} + args;
        return commandOutput(command, command);
    }

    // "fit DATA CODE ARGS...": the fit of the measured data in the pictures folder.
    QString fit(const QStringList& args) {
        if (args.size() < 2) {
            fail(QStringLiteral("fit needs a data file and a problem code"));
            return {};
        }
        const QStringList rest = args.mid(1);
        return commandOutput(
            QStringList{QStringLiteral("fit")} + rest.mid(0, 1) +
                QStringList{QStringLiteral("--data"), m_folders.pictures + "/" + args[0]} +
                rest.mid(1),
            QStringList{QStringLiteral("fit")} + rest.mid(0, 1) +
                QStringList{QStringLiteral("--data"), args[0]} + rest.mid(1));
    }

    // A command and what corvane-cli prints for it, shown as `shown`; a failing command is a
    // slip in the source.
    QString commandOutput(const QStringList& command, const QStringList& shown) {
        const CommandOutput result = RunCli(command);
        if (result.exitCode != 0)
            fail(QStringLiteral("\"corvane-cli %1\" fails: %2")
                     .arg(shown.join(QLatin1Char(' ')), result.text.trimmed()));
        QString text = QStringLiteral("$ corvane-cli ") + shown.join(QLatin1Char(' ')) + "\n";
        for (const QString& line : result.text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList columns = line.split(QLatin1Char('\t'));
            if (columns.size() == 3)
                text += QStringLiteral("%1  %2 %3\n")
                            .arg(columns[0], 4)
                            .arg(columns[1], -8)
                            .arg(columns[2]);
            else
                text += QStringLiteral("  ") + line + "\n";
        }
        return QStringLiteral("<pre>") + escape(text) + QStringLiteral("</pre>");
    }

    QString addImage(const QString& name, const QImage& image) {
        m_out.images.emplace_back(name, image);
        return name;
    }

    // A formula picture no wider than its column, both sides scaled alike.
    QString pictureInColumn(const QString& name, const QImage& image) {
        const double scale = std::min(1.0, double(PictureColumnWidth) / image.width());
        return QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\" "
                              "style=\"vertical-align: top;\">")
            .arg(addImage(name, image))
            .arg(qRound(image.width() * scale))
            .arg(qRound(image.height() * scale));
    }

    QString picture(const QStringList& args) {
        if (args.isEmpty()) {
            fail(QStringLiteral("picture needs a file name"));
            return {};
        }
        const QImage image(m_folders.pictures + "/" + args[0]);
        if (image.isNull()) {
            fail(
                QStringLiteral("picture \"%1\" is missing in %2").arg(args[0], m_folders.pictures));
            return {};
        }
        const int width = args.size() > 1 ? args[1].toInt() : image.width();
        return QStringLiteral("<p align=\"center\"><img src=\"%1\" width=\"%2\"></p>")
            .arg(addImage(args[0], image))
            .arg(width);
    }

    QString list() {
        QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">"
                                      "<tr><th>Code</th><th>Task</th><th>Option</th></tr>");
        for (const engine::ProblemType& p : engine::Problems()) {
            const engine::TaskInfo& task = engine::Task(p.task);
            QString option = qs(task.options[p.option]);
            if (p.firstDissociationComplete)
                option += QStringLiteral(", first dissociation complete");
            html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                        .arg(qs(p.code), escape(qs(task.caption)), escape(option));
        }
        return html + QStringLiteral("</table>");
    }

    // Reads "NAME=VALUE" arguments into the slots of a problem, as corvane-cli does.
    bool solveReference(const engine::ProblemType& p, const QStringList& args, engine::Slots& out) {
        engine::EquilAB state;
        numtext::NumberSettings settings;
        for (const QString& arg : args) {
            const qsizetype eq = arg.indexOf(QLatin1Char('='));
            int slot = -1;
            for (const engine::SlotRow& row : p.rows)
                if (typable(p, row) && qs(engine::SymbolName(row.quantity)) == arg.left(eq))
                    slot = row.slot;
            if (eq <= 0 || slot < 0) {
                fail(QStringLiteral("code %1 has no input \"%2\"").arg(qs(p.code), arg));
                return false;
            }
            state.IOValues[slot] =
                numtext::ParseNumber(arg.mid(eq + 1).toStdString(), settings, state.CalcError);
        }
        engine::RunProblem(state, p.code);
        if (state.CalcError != 0) {
            fail(QStringLiteral("the example of code %1 does not solve").arg(qs(p.code)));
            return false;
        }
        out = state.IOValues;
        return true;
    }

    QString quantityTable(const engine::ProblemType& p) {
        QString html =
            QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">"
                           "<tr><th>Quantity</th><th>Field heading</th><th>Role</th></tr>");
        for (const engine::SlotRow& row : p.rows) {
            if (row.slot >= FieldRowCount || row.slot == p.hiddenSlot) continue;
            QString role =
                typable(p, row) ? QStringLiteral("typed or computed") : QStringLiteral("computed");
            if (row.hgroup) role += QStringLiteral(" (one of the linked group)");
            html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                        .arg(SymbolHtml(qs(engine::SymbolName(row.quantity))),
                             escape(qs(row.heading).trimmed()), role);
        }
        return html + QStringLiteral("</table>");
    }

    QString problem(const QStringList& args) {
        const engine::ProblemType* p =
            args.isEmpty() ? nullptr : engine::FindProblem(args[0].toStdString());
        if (p == nullptr) {
            fail(QStringLiteral("problem needs a known problem code"));
            return {};
        }
        const QString code = qs(p->code);
        engine::Slots solved;
        if (!solveReference(*p, args.mid(1), solved)) return {};

        const QImage formula(m_folders.img + "/" + code + ".gif");
        const QImage extra(m_folders.img + "/X" + code + ".jpg");
        if (formula.isNull() || extra.isNull()) {
            fail(QStringLiteral("the formula pictures of %1 are missing in %2")
                     .arg(code, m_folders.img));
            return {};
        }
        QString html =
            QStringLiteral("<h3 style=\"page-break-before: always;\">%1 &#8212; %2</h3>\n")
                .arg(code, escape(problemTitle(*p)));
        html += QStringLiteral("<p>%1&nbsp;&nbsp;&nbsp;%2</p>")
                    .arg(pictureInColumn(code + ".gif", formula),
                         pictureInColumn("X" + code + ".jpg", extra));
        html += quantityTable(*p);
        html += QStringLiteral("<p>Any one of these sets of quantities determines the problem; "
                               "Corvane computes everything else from it:</p><ul>");
        for (const std::vector<int>& set : DeterminingSets(*p, solved)) {
            QStringList names;
            for (int slot : set)
                names << SymbolHtml(symbolOf(*p, slot));
            html += QStringLiteral("<li>") + names.join(QStringLiteral(", ")) + "</li>";
        }
        html += QStringLiteral("</ul><p>Worked example:</p>");
        return html + solve(args);
    }

    const ManualFolders& m_folders;
    QString m_version;
    ExpandedManual m_out;
    int m_line = 0;
};

} // namespace

std::vector<Directive> FindDirectives(const QString& source) {
    static const QRegularExpression form(
        QStringLiteral("^\\s*\\{\\{(\\w+)((?:\\s+\\S+)*)\\s*\\}\\}\\s*$"));
    std::vector<Directive> directives;
    const QStringList lines = source.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QRegularExpressionMatch m = form.match(lines[n]);
        if (m.hasMatch() && m.captured(1) != QLatin1String("version"))
            directives.push_back(
                {n + 1, m.captured(1), m.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts)});
    }
    return directives;
}

CommandOutput RunCli(const QStringList& args) {
    std::vector<std::string> argv;
    for (const QString& a : args)
        argv.push_back(a.toStdString());
    std::ostringstream out, err;
    const int code = cli::RunCommandLine(argv, out, err);
    return {QString::fromStdString(out.str() + err.str()), code};
}

std::vector<std::vector<int>> DeterminingSets(const engine::ProblemType& problem,
                                              const engine::Slots& solved) {
    bool hasPH = false;
    for (const engine::SlotRow& row : problem.rows)
        if (typable(problem, row) &&
            (row.quantity == engine::Quantity::pH || row.quantity == engine::Quantity::pH_eq))
            hasPH = true;
    std::vector<int> candidates;
    for (const engine::SlotRow& row : problem.rows) {
        if (!typable(problem, row)) continue;
        const bool water =
            row.quantity == engine::Quantity::H_plus || row.quantity == engine::Quantity::OH_minus;
        if (hasPH && water) continue;
        candidates.push_back(row.slot);
    }
    std::vector<std::vector<int>> found;
    auto containsFound = [&](const std::vector<int>& subset) {
        for (const std::vector<int>& f : found)
            if (std::includes(subset.begin(), subset.end(), f.begin(), f.end())) return true;
        return false;
    };
    forEachSubset(candidates, [&](std::vector<int> subset) {
        std::sort(subset.begin(), subset.end());
        if (containsFound(subset)) return;
        engine::EquilAB state;
        for (int slot : subset)
            state.IOValues[slot] = solved[slot];
        engine::RunProblem(state, problem.code);
        if (state.CalcError != 0) return;
        for (const engine::SlotRow& row : problem.rows)
            if (engine::OffersInput(problem, row.slot) && engine::IsEmpty(state.IOValues[row.slot]))
                return;
        found.push_back(subset);
    });
    return found;
}

QString SymbolHtml(QStringView symbol) {
    if (symbol == QLatin1String("alpha")) return QStringLiteral("&alpha;");
    const QString minus = QStringLiteral("&minus;");
    if (symbol.startsWith(QLatin1Char('[')) && symbol.endsWith(QLatin1Char(']'))) {
        QString inner = symbol.mid(1, symbol.size() - 2).toString();
        QString charge;
        static const QRegularExpression chargeAtEnd(QStringLiteral("(\\d?)([+-])$"));
        const QRegularExpressionMatch m = chargeAtEnd.match(inner);
        if (m.hasMatch()) {
            charge = QStringLiteral("<sup>%1%2</sup>")
                         .arg(m.captured(1),
                              m.captured(2) == QLatin1String("-") ? minus : QStringLiteral("+"));
            inner.chop(m.capturedLength());
        }
        static const QRegularExpression count(QStringLiteral("(\\d)"));
        inner.replace(count, QStringLiteral("<sub>\\1</sub>"));
        return QStringLiteral("[") + inner + charge + QStringLiteral("]");
    }
    const qsizetype underscore = symbol.indexOf(QLatin1Char('_'));
    if (underscore < 0) return symbol.toString();
    return symbol.left(underscore).toString() + QStringLiteral("<sub>") +
           symbol.mid(underscore + 1).toString() + QStringLiteral("</sub>");
}

ExpandedManual ExpandManual(const QString& source, const ManualFolders& folders,
                            const QString& version) {
    return Expander(folders, version).run(source);
}

bool WritePdf(const ExpandedManual& manual, const QString& path) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    // QTextDocument::print keeps 2 cm clear round the text and numbers the pages.
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setTitle(QStringLiteral("Corvane User's Manual"));
    writer.setCreator(QStringLiteral("Corvane"));
    QTextDocument document;
    QFont font(QStringLiteral("Arial"), 10);
    document.setDefaultFont(font);
    document.setDefaultStyleSheet(QStringLiteral(
        "h1 { color: #40407f; } h2 { color: #40407f; } h3 { color: #40407f; }"
        "pre { font-family: 'Courier New'; font-size: 9pt; background-color: #f0f4ff; }"
        "th { background-color: #e8ecf8; }"));
    for (const auto& [name, image] : manual.images)
        document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    document.setHtml(manual.html);
    document.print(&writer);
    return QFileInfo(path).size() > 0;
}

} // namespace corvane::manual
