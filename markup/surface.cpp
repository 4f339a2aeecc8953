#include "surface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace corvane::markup {

DrawingSurface::DrawingSurface() : m_font(QStringLiteral("Arial"), 10) {}

DrawingSurface::~DrawingSurface() = default;

const QFontMetricsF& DrawingSurface::metrics() const {
    if (!m_metrics) m_metrics = std::make_unique<QFontMetricsF>(m_font, metricsDevice());
    return *m_metrics;
}

double DrawingSurface::textWidth(const QString& text) const {
    return metrics().horizontalAdvance(text) * twipsPerPixelX();
}

double DrawingSurface::textHeight(const QString& text) const {
    const auto extraLines = text.count(QLatin1Char('\n'));
    return (metrics().height() + static_cast<double>(extraLines) * metrics().lineSpacing()) *
           twipsPerPixelY();
}

double DrawingSurface::fontAscentPixels() const {
    return metrics().ascent();
}

void DrawingSurface::drawText(const QString& text) {
    const double x = m_currentX / twipsPerPixelX();
    const double top = m_currentY / twipsPerPixelY();
    paintText(x, top + metrics().ascent(), text);
    m_currentX += textWidth(text);
}

void DrawingSurface::setFont(const QFont& font) {
    m_font = font;
    m_metrics.reset();
}

void DrawingSurface::setFontName(const QString& name) {
    if (name.isEmpty() || name == m_font.family()) return;
    m_font.setFamily(name);
    m_metrics.reset();
}

void DrawingSurface::setFontSize(double points) {
    if (!(points > 0 && points <= 1000) || points == m_font.pointSizeF()) return;
    m_font.setPointSizeF(points);
    m_metrics.reset();
}

void DrawingSurface::setBold(bool on) {
    if (on == m_font.bold()) return;
    m_font.setBold(on);
    m_metrics.reset();
}

void DrawingSurface::setItalic(bool on) {
    if (on == m_font.italic()) return;
    m_font.setItalic(on);
    m_metrics.reset();
}

PictureSurface::PictureSurface(int widthPixels, int heightPixels, const QColor& background)
    : m_image(std::max(widthPixels, 1), std::max(heightPixels, 1), QImage::Format_RGB32),
      m_background(background) {
    m_image.fill(m_background);
}

PictureSurface::~PictureSurface() = default;

void PictureSurface::resize(int widthPixels, int heightPixels) {
    m_painter.reset();
    m_image = QImage(std::max(widthPixels, 1), std::max(heightPixels, 1), QImage::Format_RGB32);
    m_image.fill(m_background);
}

void PictureSurface::clear() {
    m_painter.reset();
    m_image.fill(m_background);
}

double PictureSurface::scaleWidth() const {
    return m_image.width() * ScreenTwipsPerPixel;
}

double PictureSurface::scaleHeight() const {
    return m_image.height() * ScreenTwipsPerPixel;
}

const QImage& PictureSurface::image() const {
    m_painter.reset();
    return m_image;
}

const QPaintDevice* PictureSurface::metricsDevice() const {
    return &m_image;
}

QPainter& PictureSurface::painter() {
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(&m_image);
        m_painter->setRenderHint(QPainter::Antialiasing);
        m_painter->setRenderHint(QPainter::TextAntialiasing);
    }
    return *m_painter;
}

void PictureSurface::paintText(double xPixels, double baselinePixels, const QString& text) {
    QPainter& p = painter();
    p.setFont(font());
    p.setPen(textColor());
    p.drawText(QPointF(xPixels, baselinePixels), text);
}

void PictureSurface::drawLine(double x1, double y1, double x2, double y2, const QColor& color) {
    QPainter& p = painter();
    p.setPen(QPen(color, penWidth()));
    const double t = ScreenTwipsPerPixel;
    p.drawLine(QPointF(x1 / t, y1 / t), QPointF(x2 / t, y2 / t));
}

MeasuringSurface::MeasuringSurface(const DrawingSurface& target)
    : m_device(target.metricsDevice()), m_width(target.scaleWidth()),
      m_height(target.scaleHeight()), m_twipsX(target.twipsPerPixelX()),
      m_twipsY(target.twipsPerPixelY()), m_printer(target.isPrinter()) {
    setFont(target.font());
    setTextColor(target.textColor());
    setPenWidth(target.penWidth());
}

PrinterSurface::PrinterSurface(QPrinter& printer)
    : m_printer(printer), m_painter(std::make_unique<QPainter>()) {
    m_painter->begin(&m_printer);
}

PrinterSurface::~PrinterSurface() {
    if (m_painter->isActive()) m_painter->end();
}

bool PrinterSurface::isActive() const {
    return m_painter->isActive();
}

void PrinterSurface::newPage() {
    if (isActive()) m_printer.newPage();
}

double PrinterSurface::scaleWidth() const {
    return m_printer.pageLayout().paintRectPixels(m_printer.resolution()).width() *
           twipsPerPixelX();
}

double PrinterSurface::scaleHeight() const {
    return m_printer.pageLayout().paintRectPixels(m_printer.resolution()).height() *
           twipsPerPixelY();
}

double PrinterSurface::twipsPerPixelX() const {
    return 1440.0 / m_printer.resolution();
}

double PrinterSurface::twipsPerPixelY() const {
    return 1440.0 / m_printer.resolution();
}

const QPaintDevice* PrinterSurface::metricsDevice() const {
    return &m_printer;
}

void PrinterSurface::paintText(double xPixels, double baselinePixels, const QString& text) {
    if (!isActive()) return;
    m_painter->setFont(font());
    m_painter->setPen(textColor());
    m_painter->drawText(QPointF(xPixels, baselinePixels), text);
}

void PrinterSurface::drawLine(double x1, double y1, double x2, double y2, const QColor& color) {
    if (!isActive()) return;
    m_painter->setPen(QPen(color, penWidth()));
    const double tx = twipsPerPixelX(), ty = twipsPerPixelY();
    m_painter->drawLine(QPointF(x1 / tx, y1 / ty), QPointF(x2 / tx, y2 / ty));
}

} // namespace corvane::markup
