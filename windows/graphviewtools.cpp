#include "graphviewtools.h"

#include "plotpointer.h"
#include "scalesdialog.h"
#include "valueatdialog.h"

#include "graphs/readingtext.h"
#include "graphs/valueat.h"
#include "markup/renderer.h"
#include "markup/surface.h"
#include "widgets/desktop.h"

#include <QActionGroup>
#include <QLabel>
#include <QMenu>

namespace corvane::windows {

namespace {

// A mark-up text as the plain text it draws ("V_S_B (mL)" gives "VSB (mL)").
QString plainText(const std::string& markupText) {
    markup::PictureSurface scratch(1, 1);
    markup::MeasuringSurface measuring(scratch);
    QString plain;
    markup::DrawMarkup(QString::fromStdString(markupText), measuring, &plain);
    return plain;
}

} // namespace

GraphViewTools::GraphViewTools(WindowContext& context, plot::GraphPlot& plot,
                               const plot::PlottedGraph& drawn, QWidget* picture, QWidget* window,
                               std::function<void()> redraw)
    : QObject(window), m_context(context), m_plot(plot), m_drawn(drawn), m_window(window),
      m_redraw(std::move(redraw)), m_status(new QLabel(window)),
      m_pointer(new PlotPointer(picture, drawn)) {
    m_plot.showMarks = context.showMarks != nullptr && *context.showMarks;
    connect(m_pointer, &PlotPointer::pointerAt, this, &GraphViewTools::showReading);
    connect(m_pointer, &PlotPointer::pointerLeft, m_status, &QLabel::clear);
    connect(m_pointer, &PlotPointer::zoomRequested, this, &GraphViewTools::ZoomTo);
    connect(m_pointer, &PlotPointer::backRequested, this, &GraphViewTools::PreviousScales);
}

void GraphViewTools::addMenuItems(QMenu* view) {
    view->addSeparator();
    view->addAction("&Scales...", this, &GraphViewTools::EditScales);
    view->addAction("&Value at...", QKeySequence(Qt::CTRL | Qt::Key_F), this,
                    &GraphViewTools::ValueAt);
    m_showMarks = view->addAction("Show &marks");
    m_showMarks->setCheckable(true);
    m_showMarks->setChecked(m_plot.showMarks);
    connect(m_showMarks, &QAction::toggled, this, &GraphViewTools::SetShowMarks);

    QMenu* indicators = view->addMenu("&Indicator");
    auto* group = new QActionGroup(indicators);
    auto add = [&](const QString& name, const graphs::Indicator* indicator) {
        QAction* item = indicators->addAction(name);
        item->setCheckable(true);
        item->setChecked(indicator == m_plot.indicator);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, indicator] { SetIndicator(indicator); });
    };
    add("None", nullptr);
    for (const graphs::Indicator& i : graphs::Indicators())
        add(i.name, &i);
}

void GraphViewTools::setScales(const std::optional<graphs::PlotScales>& scales) {
    m_history.push_back(m_plot.scales);
    m_plot.scales = scales;
    m_status->clear();
    m_redraw();
}

void GraphViewTools::EditScales() {
    ScalesDialog dialog(m_context.desktop, m_plot.usedScales(), graphs::ScalesOf(m_plot.settings()),
                        m_plot.settings().GraphKind, m_context.numbers.DecimalSeparator, m_window);
    if (!m_context.desktop.runDialog(dialog)) return;
    setScales(dialog.chosen());
}

void GraphViewTools::ZoomTo(double x0, double y0, double x1, double y1) {
    const std::optional<graphs::PlotScales> zoomed =
        graphs::ZoomedScales(m_plot.settings().GraphKind, x0, y0, x1, y1);
    if (!zoomed || graphs::CheckScales(*zoomed, m_plot.settings().GraphKind)) return;
    setScales(zoomed);
}

void GraphViewTools::PreviousScales() {
    if (m_history.empty()) return;
    m_plot.scales = m_history.back();
    m_history.pop_back();
    m_status->clear();
    m_redraw();
}

void GraphViewTools::ForgetScales() {
    m_plot.scales.reset();
    m_history.clear();
}

void GraphViewTools::SetShowMarks(bool on) {
    m_plot.showMarks = on;
    if (m_context.showMarks != nullptr) *m_context.showMarks = on;
    if (m_showMarks != nullptr && m_showMarks->isChecked() != on) m_showMarks->setChecked(on);
    m_redraw();
}

void GraphViewTools::SetIndicator(const graphs::Indicator* indicator) {
    m_plot.indicator = indicator;
    m_redraw();
}

QStringList GraphViewTools::readingLines(const std::vector<double>& xs) const {
    const graphs::GraphSettings& s = m_plot.settings();
    const std::vector<graphs::CurveReading> readings =
        graphs::ReadCurve(s.ProblemCode, s.GraphKind, m_plot.state(), m_drawn.plot.frame(), xs);
    // The column headings in plain text, as the table window's text shows them.
    std::array<std::string, 5> names;
    for (int c = 0; c < 5; ++c)
        names[c] = plainText(s.ColumnHeading[c]).toStdString();
    QStringList lines;
    for (const graphs::CurveReading& r : readings)
        lines << QString::fromStdString(graphs::ReadingLine(
            r, s.GraphKind, names, m_context.sigDigits, m_context.numbers.DecimalSeparator));
    return lines;
}

void GraphViewTools::showReading(double x) {
    m_status->setText(readingLines({x}).value(0));
}

void GraphViewTools::ValueAt() {
    ValueAtDialog dialog(
        m_context.desktop, plainText(m_plot.settings().ColumnHeading[0]),
        m_context.numbers.DecimalSeparator,
        [this](const std::vector<double>& xs) { return readingLines(xs); }, m_window);
    m_context.desktop.runDialog(dialog);
}

} // namespace corvane::windows
