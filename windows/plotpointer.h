// \brief The pointer over the graph picture: moving over the plot reports the x under it,
// dragging a rectangle on the plot asks to zoom to it and a double click asks for the scales
// before.
#pragma once

#include <QObject>
#include <QPoint>

class QRubberBand;
class QWidget;

namespace corvane::plot {
struct PlottedGraph;
}

namespace corvane::windows {

class PlotPointer : public QObject {
    Q_OBJECT
public:
    /// Watches `picture`, which shows the graph `drawn`.
    PlotPointer(QWidget* picture, const plot::PlottedGraph& drawn);

    /// A drag shorter than this (pixels) either way is a click, not a rectangle.
    static constexpr int LeastDrag = 5;

signals:
    void pointerAt(double x);
    void pointerLeft();
    void zoomRequested(double x0, double y0, double x1, double y1);
    void backRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Whether a picture pixel lies inside the plot's axes; gives its problem values.
    bool onPlot(QPoint pixel, double& x, double& y) const;

    QWidget* m_picture;
    const plot::PlottedGraph& m_drawn;
    QRubberBand* m_band;
    QPoint m_origin;
    bool m_dragging = false;
};

} // namespace corvane::windows
