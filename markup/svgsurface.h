// \brief A drawing surface over an SVG generator: the graph drawn as vector lines and text, at
// the size and resolution of the screen picture it stands for.
#pragma once

#include "surface.h"

#include <QSvgGenerator>

#include <memory>

class QIODevice;

namespace corvane::markup {

class SvgSurface : public DrawingSurface {
public:
    /// Starts an SVG document of the given pixel size on `device`; it is complete when the
    /// surface is destroyed.
    SvgSurface(QIODevice& device, int widthPixels, int heightPixels);
    ~SvgSurface() override;

    void clear() override;
    double scaleWidth() const override;
    double scaleHeight() const override;
    double twipsPerPixelX() const override { return markup::PictureSurface::ScreenTwipsPerPixel; }
    double twipsPerPixelY() const override { return markup::PictureSurface::ScreenTwipsPerPixel; }
    void drawLine(double x1, double y1, double x2, double y2, const QColor& color) override;
    const QPaintDevice* metricsDevice() const override { return &m_generator; }
    bool isActive() const;

protected:
    void paintText(double xPixels, double baselinePixels, const QString& text) override;

private:
    QSvgGenerator m_generator;
    std::unique_ptr<QPainter> m_painter;
};

} // namespace corvane::markup
