#include "artwork.h"

#include "markup/renderer.h"
#include "markup/surface.h"
#include "widgets/palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>

namespace corvane::mainwin {

namespace {

const std::array<const char*, SymbolPictureCount> Symbols = {
    "C_a",    "C_b",      "C_S",      "k_a",      "k_b",     "k_1",     "k_2",     "k_3",
    "[H_3A]", "[H_2A^–]", "[HA^2^–]", "[A^3^–]",  "[H_2A]",  "[HA^–]",  "[A^2^–]", "[HA]",
    "[A^–]",  "[H^+]",    "[OH^–]",   "[B^+]",    "[BOH]",   "pH_e_q",  "V_a",     "V_b",
    "V_e_q",  "pH_e_q_1", "pH_e_q_2", "pH_e_q_3", "V_e_q_1", "V_e_q_2", "V_e_q_3", "pH",
    "&alfa",  "C_S_A",    "C_S_B",    "[HX]",     "[X^–]",   "[ZOH]",   "[Z^+]"};

constexpr int SymbolHeight = 28;

} // namespace

QString SymbolMarkup(int n) {
    return QString::fromUtf8(Symbols.at(n)) + QStringLiteral(" =");
}

QPixmap SymbolPicture(int n) {
    return MarkupPicture(SymbolMarkup(n), widgets::FieldPanelColor, QColor(32, 40, 72),
                         SymbolHeight);
}

QPixmap MarkupPicture(const QString& text, const QColor& background, const QColor& color,
                      int height) {
    markup::PictureSurface probe(10, 10, background);
    probe.setFontName("Arial");
    probe.setFontSize(10);
    markup::MeasuringSurface measure(probe);
    markup::DrawMarkup(text, measure);
    const int width = static_cast<int>(std::ceil(measure.currentX() / 15)) + 3;

    markup::PictureSurface picture(width, height, background);
    picture.setFontName("Arial");
    picture.setFontSize(10);
    picture.setTextColor(color);
    picture.setCurrentX(1 * 15);
    picture.setCurrentY((height * 15 - picture.textHeight("Hp")) / 2);
    markup::DrawMarkup(text, picture);
    return QPixmap::fromImage(picture.image());
}

namespace {

// A rounded shape filled with a vertical gradient and outlined; what pokes out is clipped.
QPixmap roundedPicture(QSize size, const QRectF& shape, double radius, const QColor& top,
                       const QColor& bottom, const QColor& border) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(shape, radius, radius);
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.fillPath(path, fill);
    p.setPen(QPen(border, 1));
    p.drawPath(path);
    return pixmap;
}

} // namespace

QPixmap TabPicture(bool on, int width, int height) {
    // The tab's lower corners run off the picture, so it opens onto the task area.
    QPixmap pixmap = roundedPicture(QSize(width, height), QRectF(1.5, 1.5, width - 3, height + 8),
                                    7, on ? QColor(255, 255, 255) : QColor(236, 239, 246),
                                    on ? QColor(232, 238, 255) : QColor(214, 219, 230),
                                    on ? QColor(96, 112, 168) : QColor(160, 166, 182));
    if (on) QPainter(&pixmap).fillRect(QRectF(4, 2, width - 8, 3), QColor(64, 64, 128));
    return pixmap;
}

QPixmap ButtonPicture(bool enabled, int width, int height) {
    return roundedPicture(QSize(width, height), QRectF(1, 1, width - 2, height - 2), 6,
                          enabled ? QColor(244, 247, 255) : QColor(240, 240, 240),
                          enabled ? QColor(196, 210, 240) : QColor(214, 214, 214),
                          enabled ? QColor(80, 100, 160) : QColor(176, 176, 176));
}

} // namespace corvane::mainwin
