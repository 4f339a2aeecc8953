#include "pictureview.h"

#include <QPainter>

namespace corvane::widgets {

PictureView::PictureView(int width, int height, const QColor& background, QWidget* parent)
    : QWidget(parent), m_surface(width, height, background) {
    resize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::setPictureSize(int width, int height) {
    m_surface.resize(width, height);
    resize(width, height);
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_surface.image());
}

} // namespace corvane::widgets
