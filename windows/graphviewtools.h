// \brief What the graph window offers beyond its first commands: scales the user sets (the
// "Scales" dialog, drag-to-zoom, double click back), values read off the curve (the status line
// under the picture and "Value at..."), the marks of titration curves and an indicator's range.
#pragma once

#include "context.h"
#include "plot/plot.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QWidget;

namespace corvane::windows {

class PlotPointer;

class GraphViewTools : public QObject {
    Q_OBJECT
public:
    /// Works on `plot` (and reads the settings and problem it draws from), whose last drawing
    /// `drawn` shows on `picture` inside `window`; `redraw` draws it again with its curves.
    GraphViewTools(WindowContext& context, plot::GraphPlot& plot, const plot::PlottedGraph& drawn,
                   QWidget* picture, QWidget* window, std::function<void()> redraw);

    /// "&Scales...", "&Value at..." (Ctrl+F), "Show &marks" and the "&Indicator" list.
    void addMenuItems(QMenu* view);

    void EditScales();
    void ValueAt();
    void SetShowMarks(bool on);
    void SetIndicator(const graphs::Indicator* indicator);
    /// Scales of the rectangle between two points in problem values; the scales before are
    /// kept for PreviousScales.
    void ZoomTo(double x0, double y0, double x1, double y1);
    void PreviousScales();
    /// Back to the kind's defaults, forgetting the scales before (a new kind was chosen).
    void ForgetScales();

    QLabel* statusLine() const { return m_status; }
    QAction* showMarksAction() const { return m_showMarks; }

    static constexpr int StatusHeight = 20;

private:
    /// The lines the status line and "Value at..." show for these x values.
    QStringList readingLines(const std::vector<double>& xs) const;
    void setScales(const std::optional<graphs::PlotScales>& scales);
    void showReading(double x);

    WindowContext& m_context;
    plot::GraphPlot& m_plot;
    const plot::PlottedGraph& m_drawn;
    QWidget* m_window;
    std::function<void()> m_redraw;
    QLabel* m_status;
    PlotPointer* m_pointer;
    QAction* m_showMarks = nullptr;
    std::vector<std::optional<graphs::PlotScales>> m_history;
};

} // namespace corvane::windows
