// corvane-screenshot: the main window as it looks with a problem solved, drawn offscreen by
// the program's own window code, for the user's manual.
//   corvane-screenshot OUT.png WIDTH HEIGHT PROGRAMFOLDER CODE NAME=VALUE...
// The values are typed into the fields of CODE and Calculate is pressed; the settings are a
// throw-away file, so the user's own settings are never touched.
#include "engine/catalogue.h"
#include "mainwin/controls.h"
#include "mainwin/formmain.h"
#include "mainwin/settings.h"
#include "mainwin/taskpanel.h"
#include "markup/fonts.h"
#include "markup/symbols.h"
#include "widgets/desktop.h"

#include <QApplication>
#include <QCheckBox>
#include <QMenuBar>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cstdio>

using namespace corvane;

namespace {

// Message boxes would wait for a click; here they only go to the error output.
class QuietDesktop : public widgets::SystemDesktop {
public:
    void showMessage(QWidget*, const QString& title, const QString& text,
                     widgets::MessageKind) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
        failed = true;
    }
    void showDetailedMessage(QWidget* parent, const QString& title, const QString& text,
                             const QString& details, widgets::MessageKind kind) override {
        showMessage(parent, title, text + " " + details, kind);
    }
    void openUrl(const QUrl&, std::function<void()> onFailure) override { onFailure(); }
    bool failed = false;
};

int fail(const QString& message) {
    std::fprintf(stderr, "corvane-screenshot: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setStyle("Fusion");
    markup::InstallFontSubstitutions();
    markup::InitMarkupSymbols();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 6)
        return fail(
            "usage: corvane-screenshot OUT.png WIDTH HEIGHT PROGRAMFOLDER CODE NAME=VALUE...");
    const engine::ProblemType* problem = engine::FindProblem(args[5].toStdString());
    if (problem == nullptr) return fail("unknown problem code " + args[5]);

    QTemporaryDir settings;
    mainwin::SettingsStore store(settings.filePath("ZEMLO.ini"));
    QuietDesktop desktop;
    mainwin::FormMain window(store, desktop, args[4]);
    window.show();
    window.centralWidget()->resize(args[2].toInt(), args[3].toInt());
    window.resize(args[2].toInt(), args[3].toInt() + window.menuBar()->height());
    QCoreApplication::processEvents();

    const int t = problem->task;
    window.LblMENU_Click(t);
    const mainwin::TaskPanel& task = window.task(t);
    task.optionButtons.at(static_cast<std::size_t>(problem->option))->click();
    if (task.check && task.check->isChecked() != problem->firstDissociationComplete)
        task.check->click();
    for (int n = 6; n < args.size(); ++n) {
        const QString name = args[n].section(QLatin1Char('='), 0, 0);
        int slot = -1;
        for (const engine::SlotRow& row : problem->rows) {
            const std::string_view symbol = engine::SymbolName(row.quantity);
            if (engine::OffersInput(*problem, row.slot) &&
                name == QString::fromUtf8(symbol.data(), qsizetype(symbol.size())))
                slot = row.slot;
        }
        if (slot < 0) return fail("code " + args[5] + " has no input " + name);
        task.rows.at(static_cast<std::size_t>(slot))
            .field->setText(args[n].section(QLatin1Char('='), 1));
    }
    window.LblCAL_Click(t);
    QCoreApplication::processEvents();
    if (desktop.failed) return fail("the example does not solve");
    if (!window.grab().save(args[1])) return fail("cannot write " + args[1]);
    return 0;
}
