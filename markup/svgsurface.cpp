#include "svgsurface.h"

#include <QPainter>

namespace corvane::markup {

namespace {
constexpr int ScreenDotsPerInch = 96;
}

SvgSurface::SvgSurface(QIODevice& device, int widthPixels, int heightPixels) {
    m_generator.setOutputDevice(&device);
    m_generator.setResolution(ScreenDotsPerInch);
    m_generator.setSize(QSize(widthPixels, heightPixels));
    m_generator.setViewBox(QRect(0, 0, widthPixels, heightPixels));
    m_generator.setTitle(QStringLiteral("Graphic"));
    m_painter = std::make_unique<QPainter>();
    m_painter->begin(&m_generator);
    m_painter->setRenderHint(QPainter::Antialiasing);
}

SvgSurface::~SvgSurface() {
    m_painter->end();
}

bool SvgSurface::isActive() const {
    return m_painter->isActive();
}

void SvgSurface::clear() {
    m_painter->fillRect(QRect(QPoint(0, 0), m_generator.size()), Qt::white);
}

double SvgSurface::scaleWidth() const {
    return m_generator.size().width() * twipsPerPixelX();
}

double SvgSurface::scaleHeight() const {
    return m_generator.size().height() * twipsPerPixelY();
}

void SvgSurface::drawLine(double x1, double y1, double x2, double y2, const QColor& color) {
    m_painter->setPen(QPen(color, penWidth()));
    const double t = twipsPerPixelX();
    m_painter->drawLine(QPointF(x1 / t, y1 / t), QPointF(x2 / t, y2 / t));
}

void SvgSurface::paintText(double xPixels, double baselinePixels, const QString& text) {
    m_painter->setFont(font());
    m_painter->setPen(textColor());
    m_painter->drawText(QPointF(xPixels, baselinePixels), text);
}

} // namespace corvane::markup
