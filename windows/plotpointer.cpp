#include "plotpointer.h"

#include "markup/surface.h"
#include "plot/plot.h"

#include <QMouseEvent>
#include <QRubberBand>
#include <QWidget>

#include <cstdlib>

namespace corvane::windows {

PlotPointer::PlotPointer(QWidget* picture, const plot::PlottedGraph& drawn)
    : QObject(picture), m_picture(picture), m_drawn(drawn),
      m_band(new QRubberBand(QRubberBand::Rectangle, picture)) {
    picture->setMouseTracking(true);
    picture->installEventFilter(this);
}

bool PlotPointer::onPlot(QPoint pixel, double& x, double& y) const {
    const plot::PlotState& p = m_drawn.plot;
    if (!(p.XScale > 0) || !(p.YScale > 0)) return false;
    constexpr double Twips = markup::PictureSurface::ScreenTwipsPerPixel;
    x = p.XValue(pixel.x() * Twips);
    y = p.YValue(pixel.y() * Twips);
    return x >= p.XMin && x <= p.XMax && y >= p.YMin && y <= p.YMax;
}

bool PlotPointer::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_picture) return false;
    double x = 0, y = 0;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() != Qt::LeftButton || !onPlot(e->position().toPoint(), x, y)) break;
        m_origin = e->position().toPoint();
        m_dragging = true;
        m_band->setGeometry(QRect(m_origin, QSize()));
        m_band->show();
        break;
    }
    case QEvent::MouseMove: {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (m_dragging) m_band->setGeometry(QRect(m_origin, at).normalized());
        if (onPlot(at, x, y))
            emit pointerAt(x);
        else
            emit pointerLeft();
        break;
    }
    case QEvent::MouseButtonRelease: {
        if (!m_dragging) break;
        m_dragging = false;
        m_band->hide();
        const QPoint end = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (std::abs(end.x() - m_origin.x()) < LeastDrag ||
            std::abs(end.y() - m_origin.y()) < LeastDrag)
            break;
        double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        onPlot(m_origin, x0, y0);
        onPlot(end, x1, y1); // a drag may end beyond the axes; the values still hold
        emit zoomRequested(x0, y0, x1, y1);
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) emit backRequested();
        break;
    case QEvent::Leave:
        emit pointerLeft();
        break;
    default:
        break;
    }
    return false;
}

} // namespace corvane::windows
