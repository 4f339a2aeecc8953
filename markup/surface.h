// \brief DrawingSurface: the one drawing abstraction of the graph, table and chooser code, with
// its implementations over QPainter (a window picture, a measuring surface, a printer page).
// Positions and sizes are in the surface's own units, twips (1/1440 inch) on every surface.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <memory>

class QFontMetricsF;
class QPainter;
class QPaintDevice;
class QPrinter;

namespace corvane::markup {

class DrawingSurface {
public:
    virtual ~DrawingSurface();

    /// Erases to the background colour.
    virtual void clear() = 0;
    /// Drawable size in surface units.
    virtual double scaleWidth() const = 0;
    virtual double scaleHeight() const = 0;
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
    virtual bool isPrinter() const { return false; }

    /// Width and height of a plain text in the current font, in surface units.
    double textWidth(const QString& text) const;
    double textHeight(const QString& text) const;
    /// The current font's ascent in device pixels.
    double fontAscentPixels() const;

    /// Draws a plain text with its top-left corner at the current position and advances
    /// CurrentX by its width.
    void drawText(const QString& text);
    /// A straight line in the given colour with the current pen width.
    virtual void drawLine(double x1, double y1, double x2, double y2, const QColor& color) = 0;

    double currentX() const { return m_currentX; }
    double currentY() const { return m_currentY; }
    void setCurrentX(double x) { m_currentX = x; }
    void setCurrentY(double y) { m_currentY = y; }

    QString fontName() const { return m_font.family(); }
    double fontSize() const { return m_font.pointSizeF(); }
    bool bold() const { return m_font.bold(); }
    bool italic() const { return m_font.italic(); }
    /// An unknown family falls back as the font system decides; a size outside 0 < size ≤ 1000
    /// has no effect.
    void setFontName(const QString& name);
    void setFontSize(double points);
    void setBold(bool on);
    void setItalic(bool on);
    const QFont& font() const { return m_font; }
    void setFont(const QFont& font);

    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor& color) { m_textColor = color; }

    /// Line width in device pixels.
    int penWidth() const { return m_penWidth; }
    void setPenWidth(int pixels) { m_penWidth = pixels < 1 ? 1 : pixels; }

    /// The device whose font metrics the surface measures with.
    virtual const QPaintDevice* metricsDevice() const = 0;

protected:
    DrawingSurface();
    /// Paints text at a device position (baseline-left, in pixels); measuring surfaces don't.
    virtual void paintText(double xPixels, double baselinePixels, const QString& text) = 0;

private:
    const QFontMetricsF& metrics() const;

    QFont m_font;
    mutable std::unique_ptr<QFontMetricsF> m_metrics;
    QColor m_textColor = Qt::black;
    int m_penWidth = 1;
    double m_currentX = 0;
    double m_currentY = 0;
};

/// A window picture: a persistent image at screen resolution, 15 twips per pixel, which can be
/// saved as a bitmap or copied.
class PictureSurface : public DrawingSurface {
public:
    PictureSurface(int widthPixels, int heightPixels, const QColor& background = Qt::white);
    ~PictureSurface() override;

    void resize(int widthPixels, int heightPixels);
    void clear() override;
    double scaleWidth() const override;
    double scaleHeight() const override;
    double twipsPerPixelX() const override { return ScreenTwipsPerPixel; }
    double twipsPerPixelY() const override { return ScreenTwipsPerPixel; }
    void drawLine(double x1, double y1, double x2, double y2, const QColor& color) override;

    /// The picture so far (painting goes on afterwards).
    const QImage& image() const;
    QColor background() const { return m_background; }
    const QPaintDevice* metricsDevice() const override;

    static constexpr double ScreenTwipsPerPixel = 15.0;

protected:
    void paintText(double xPixels, double baselinePixels, const QString& text) override;

private:
    QPainter& painter();

    QImage m_image;
    QColor m_background;
    mutable std::unique_ptr<QPainter> m_painter;
};

/// Measures exactly as its target does (same device, font and unit) and draws nothing: a
/// label drawn here first advances CurrentX by the width it will have on the target. It
/// measures on the target's device, so it lives no longer than the target.
class MeasuringSurface : public DrawingSurface {
public:
    explicit MeasuringSurface(const DrawingSurface& target);
    const QPaintDevice* metricsDevice() const override { return m_device; }

    void clear() override {}
    double scaleWidth() const override { return m_width; }
    double scaleHeight() const override { return m_height; }
    double twipsPerPixelX() const override { return m_twipsX; }
    double twipsPerPixelY() const override { return m_twipsY; }
    bool isPrinter() const override { return m_printer; }
    void drawLine(double, double, double, double, const QColor&) override {}

protected:
    void paintText(double, double, const QString&) override {}

private:
    const QPaintDevice* m_device;
    double m_width, m_height, m_twipsX, m_twipsY;
    bool m_printer;
};

/// A printer page; the printer's own resolution gives its twips per pixel.
class PrinterSurface : public DrawingSurface {
public:
    /// Starts painting on the printer; the job ends when the surface is destroyed.
    explicit PrinterSurface(QPrinter& printer);
    ~PrinterSurface() override;

    void clear() override {}
    void newPage();
    double scaleWidth() const override;
    double scaleHeight() const override;
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    bool isPrinter() const override { return true; }
    void drawLine(double x1, double y1, double x2, double y2, const QColor& color) override;
    bool isActive() const;
    const QPaintDevice* metricsDevice() const override;

protected:
    void paintText(double xPixels, double baselinePixels, const QString& text) override;

private:
    QPrinter& m_printer;
    std::unique_ptr<QPainter> m_painter;
};

} // namespace corvane::markup
