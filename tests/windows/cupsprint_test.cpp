// A graph and a table printed through a real CUPS queue: the PDF printer "CorvanePDF" that
// tools/corvane-dev sets up with cups-pdf, which writes each job to ~/PDF.
#include "tests/support/fakedesktop.h"

#include "tests/support/gui_test_main.h"

#include "widgets/buttonbar.h"
#include "windows/formgraficaab.h"
#include "windows/formtabla.h"

#include <QApplication>
#include <QDir>
#include <QPrinterInfo>

using namespace corvane;
using corvane::windows::test::PdfPageSizes;
using corvane::windows::test::Shared;

namespace {

const QString Queue = QStringLiteral("CorvanePDF");

// The print dialog chooses the CUPS queue and names the job so that its file can be found.
class QueueDesktop : public widgets::test::FakeDesktop {
public:
    bool showPrintDialog(QWidget*, QPrinter& printer, QString& printerName) override {
        ++printDialogs;
        printerName = Queue;
        printer.setPrinterName(Queue);
        printer.setDocName(jobName);
        printer.setCopyCount(copies);
        return true;
    }
    QString jobName;
};

// The PDF cups-pdf wrote for the job, once it is complete.
QString arrivedPdf(const QString& jobName) {
    const QDir out(QDir::homePath() + "/PDF");
    for (int wait = 0; wait < 600; ++wait) {
        for (const QString& name : out.entryList({"*" + jobName + "*.pdf"}, QDir::Files)) {
            QFile file(out.filePath(name));
            if (file.open(QIODevice::ReadOnly) && file.readAll().trimmed().endsWith("%%EOF"))
                return file.fileName();
        }
        QTest::qWait(100);
    }
    return {};
}

QString uniqueJobName(const char* what) {
    return QStringLiteral("corvane_%1_%2_%3")
        .arg(what)
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch());
}

} // namespace

class CupsPrintTest : public QObject {
    Q_OBJECT

    Shared m_shared;
    QueueDesktop m_desktop;

    windows::WindowContext context() {
        return {m_shared.graph,
                m_shared.table,
                m_shared.engine,
                m_shared.numbers,
                4,
                m_shared.lastGraphFolder,
                m_shared.lastTableFolder,
                "/opt/corvane",
                m_desktop};
    }

private slots:
    void initTestCase() {
        QVERIFY2(QPrinterInfo::availablePrinterNames().contains(Queue),
                 "no CUPS queue CorvanePDF: tools/corvane-dev test sets it up");
        // Titration of 25 mL of 0.1 mol/L strong acid with 0.1 mol/L strong base.
        QVERIFY(m_shared.solve("50", 29, {{0, 0.1}, {1, 25}, {3, 0.1}}));
    }

    // The printer a job goes to, as the Print button's tooltip names it: with no default
    // destination set, the first queue, which is also where a new QPrinter prints.
    void currentPrinterIsWhereAJobGoes() {
        widgets::SystemDesktop desktop;
        QVERIFY(desktop.hasPrinter());
        const QString name = desktop.currentPrinterName();
        QVERIFY(QPrinterInfo::availablePrinterNames().contains(name));
        if (QPrinterInfo::defaultPrinterName().isEmpty())
            QCOMPARE(name, QPrinterInfo::availablePrinterNames().first());
        else
            QCOMPARE(name, QPrinterInfo::defaultPrinterName());
        QCOMPARE(QPrinter().printerName(), name);
    }

    // The real print dialog, accepted as it opens: the printer it showed is the one used and
    // becomes the current printer.
    void printDialogKeepsTheChosenQueue() {
        widgets::SystemDesktop desktop;
        QTimer accept;
        connect(&accept, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        accept.start(50);
        QPrinter printer(QPrinter::HighResolution);
        QVERIFY(desktop.printDialog(nullptr, printer));
        QCOMPARE(printer.printerName(), Queue);
        QCOMPARE(desktop.currentPrinterName(), Queue);
    }

    void graphArrivesAsOnePagePerCopy() {
        windows::WindowContext c = context();
        windows::FormGraficaAB window(c);
        window.resize(1000, 700);
        window.show();
        QTRY_VERIFY(!window.deferredDraw().isActive());
        m_desktop.jobName = uniqueJobName("graph");
        m_desktop.copies = 2;
        QTest::mouseClick(window.button(2), Qt::LeftButton);
        QCOMPARE(m_desktop.printDialogs, 1);
        const QString pdf = arrivedPdf(m_desktop.jobName);
        QVERIFY2(!pdf.isEmpty(), "no PDF arrived from the queue within a minute");
        QCOMPARE(PdfPageSizes(pdf).size(), std::size_t(2));
        QFile::remove(pdf);
        QCOMPARE(m_shared.table.RecordedRows, 65);
    }

    void tableArrivesOnOnePage() {
        windows::WindowContext c = context();
        windows::FormTabla window(c);
        window.show();
        m_desktop.jobName = uniqueJobName("table");
        m_desktop.copies = 1;
        window.PrintTable();
        const QString pdf = arrivedPdf(m_desktop.jobName);
        QVERIFY2(!pdf.isEmpty(), "no PDF arrived from the queue within a minute");
        const auto pages = PdfPageSizes(pdf);
        QCOMPARE(pages.size(), std::size_t(1));
        QVERIFY(pages[0].height() > pages[0].width());
        QFile::remove(pdf);
    }
};

int main(int argc, char** argv) {
    return corvane::test::RunGuiTest<CupsPrintTest>(argc, argv);
}

#include "cupsprint_test.moc"
