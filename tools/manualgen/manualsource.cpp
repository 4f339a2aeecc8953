#include "manualsource.h"

#include "cli/commandline.h"
#include "engine/determining.h"
#include "engine/equilab.h"
#include "graphs/catalogue.h"
#include "numtext/numbertext.h"

#include <QBuffer>
#include <QRegularExpression>

#include <algorithm>
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
        if (d.name == QLatin1String("mix") || d.name == QLatin1String("recipe"))
            return solve(d.args, d.name);
        if (d.name == QLatin1String("fit")) return fit(d.args);
        if (d.name == QLatin1String("picture")) return picture(d.args);
        if (d.name == QLatin1String("list")) return list();
        if (d.name == QLatin1String("kinds")) return kinds();
        fail(QStringLiteral("unknown directive \"%1\"").arg(d.name));
        return {};
    }

    QString solve(const QStringList& args, const QString& name = QStringLiteral("solve")) {
        const QStringList command = QStringList{name} + args;
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
            else // tabs as spaces: a PDF page has no tab stops of its own
                text += QStringLiteral("  ") +
                        QString(line).replace(QLatin1Char('\t'), QStringLiteral("  ")) + "\n";
        }
        return QStringLiteral("<pre class=\"example\">") + escape(text) + QStringLiteral("</pre>");
    }

    QString addImage(const QString& name, const QImage& image) {
        m_out.images.emplace_back(name, image);
        return name;
    }

    // A formula picture no wider than its column, both sides scaled alike.
    QString pictureInColumn(const QString& name, const QImage& image) {
        const double scale = std::min(1.0, double(PictureColumnWidth) / image.width());
        return QStringLiteral("<img src=\"%1\" style=\"width: %2px; height: %3px;\" alt=\"\">")
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
        return QStringLiteral(
                   "<p class=\"picture\"><img src=\"%1\" style=\"width: %2px;\" alt=\"\"></p>")
            .arg(addImage(args[0], image))
            .arg(width);
    }

    QString list() {
        QString html = QStringLiteral("<table class=\"codes\"><tr><th>Code</th><th>Task</th>"
                                      "<th>Option</th><th>Page</th></tr>");
        for (const engine::ProblemType& p : engine::Problems()) {
            const engine::TaskInfo& task = engine::Task(p.task);
            QString option = qs(task.options[p.option]);
            if (p.firstDissociationComplete)
                option += QStringLiteral(", first dissociation complete");
            html += QStringLiteral("<tr><td><a href=\"#code-%1\">%1</a></td><td>%2</td><td>%3</td>"
                                   "<td class=\"page\"><a href=\"#code-%1\"></a></td></tr>")
                        .arg(qs(p.code), escape(qs(task.caption)), escape(option));
        }
        return html + QStringLiteral("</table>");
    }

    // Every graph kind with the chooser's title and the codes that offer it.
    QString kinds() {
        const graphs::GraphCatalogue& catalogue = graphs::Catalogue();
        QString html = QStringLiteral(
            "<table class=\"kinds\"><tr><th>Kind</th><th>Title</th><th>Offered by</th></tr>");
        for (int kind = 1; kind < graphs::GraphKindCount; ++kind) {
            if (catalogue.GraphKindTitle[kind].empty()) continue;
            QStringList codes;
            for (const engine::ProblemType& p : engine::Problems()) {
                const std::vector<int> offered = graphs::OfferedKinds(catalogue, p.code);
                if (std::find(offered.begin(), offered.end(), kind) != offered.end())
                    codes << QStringLiteral("<a href=\"#code-%1\">%1</a>").arg(qs(p.code));
            }
            html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                        .arg(kind)
                        .arg(escape(qs(
                            graphs::PlainTitle(graphs::ListTitle(catalogue.GraphKindTitle[kind])))))
                        .arg(codes.join(QStringLiteral(", ")));
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
                if (engine::IsTypable(p, row) &&
                    qs(engine::SymbolName(row.quantity)) == arg.left(eq))
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
        QString html = QStringLiteral("<table class=\"quantities\"><tr><th>Quantity</th><th>Field "
                                      "heading</th><th>Role</th></tr>");
        for (const engine::SlotRow& row : p.rows) {
            if (row.slot >= FieldRowCount || row.slot == p.hiddenSlot) continue;
            QString role = engine::IsTypable(p, row) ? QStringLiteral("typed or computed")
                                                     : QStringLiteral("computed");
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
        QString html = QStringLiteral("<section class=\"problem\" id=\"code-%1\">\n"
                                      "<h3>%1 &#8212; %2</h3>\n")
                           .arg(code, escape(problemTitle(*p)));
        html += QStringLiteral("<p class=\"formulas\">%1 %2</p>")
                    .arg(pictureInColumn(code + ".gif", formula),
                         pictureInColumn("X" + code + ".jpg", extra));
        html += quantityTable(*p);
        html += QStringLiteral("<div class=\"sets\"><p>Any one of these sets of quantities "
                               "determines the problem; Corvane computes everything else from "
                               "it:</p><ul>");
        for (const std::vector<int>& set : DeterminingSets(*p, solved)) {
            QStringList names;
            for (int slot : set)
                names << SymbolHtml(symbolOf(*p, slot));
            html += QStringLiteral("<li>") + names.join(QStringLiteral(", ")) + "</li>";
        }
        html += QStringLiteral("</ul></div><div class=\"worked\"><p>Worked example:</p>");
        return html + solve(args) + QStringLiteral("</div>\n</section>");
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
        if (engine::IsTypable(problem, row) &&
            (row.quantity == engine::Quantity::pH || row.quantity == engine::Quantity::pH_eq))
            hasPH = true;
    std::vector<int> candidates;
    for (const engine::SlotRow& row : problem.rows) {
        if (!engine::IsTypable(problem, row)) continue;
        const bool water =
            row.quantity == engine::Quantity::H_plus || row.quantity == engine::Quantity::OH_minus;
        if (hasPH && water) continue;
        candidates.push_back(row.slot);
    }
    std::sort(candidates.begin(), candidates.end());
    return engine::DeterminingSets(problem, solved, candidates);
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

QString WithPicturesInside(const ExpandedManual& manual) {
    QString html = manual.html;
    for (const auto& [name, image] : manual.images) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        html.replace(QStringLiteral("src=\"%1\"").arg(name),
                     QStringLiteral("src=\"data:image/png;base64,%1\"")
                         .arg(QString::fromLatin1(png.toBase64())));
    }
    return html;
}

} // namespace corvane::manual
