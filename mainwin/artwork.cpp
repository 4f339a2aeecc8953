#include "artwork.h"

#include "markup/renderer.h"
#include "markup/surface.h"

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

const QColor FieldPanelColor(248, 250, 255);
constexpr int SymbolHeight = 28;

} // namespace

QString SymbolMarkup(int n) {
    return QString::fromUtf8(Symbols.at(n)) + QStringLiteral(" =");
}

QPixmap SymbolPicture(int n) {
    const QString text = SymbolMarkup(n);
    markup::PictureSurface probe(10, 10, FieldPanelColor);
    probe.setFontName("Arial");
    probe.setFontSize(10);
    markup::MeasuringSurface measure(probe);
    markup::DrawMarkup(text, measure);
    const int width = static_cast<int>(std::ceil(measure.currentX() / 15)) + 3;

    markup::PictureSurface picture(width, SymbolHeight, FieldPanelColor);
    picture.setFontName("Arial");
    picture.setFontSize(10);
    picture.setTextColor(QColor(32, 40, 72));
    picture.setCurrentX(1 * 15);
    picture.setCurrentY((SymbolHeight * 15 - picture.textHeight("Hp")) / 2);
    markup::DrawMarkup(text, picture);
    return QPixmap::fromImage(picture.image());
}

QPixmap TabPicture(bool on, int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tab;
    tab.addRoundedRect(QRectF(1.5, 1.5, width - 3, height + 8), 7, 7);
    QLinearGradient fill(0, 0, 0, height);
    fill.setColorAt(0, on ? QColor(255, 255, 255) : QColor(236, 239, 246));
    fill.setColorAt(1, on ? QColor(232, 238, 255) : QColor(214, 219, 230));
    p.fillPath(tab, fill);
    p.setPen(QPen(on ? QColor(96, 112, 168) : QColor(160, 166, 182), 1));
    p.drawPath(tab);
    if (on) p.fillRect(QRectF(4, 2, width - 8, 3), QColor(64, 64, 128));
    return pixmap;
}

QPixmap ButtonPicture(bool enabled, int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath body;
    body.addRoundedRect(QRectF(1, 1, width - 2, height - 2), 6, 6);
    QLinearGradient fill(0, 0, 0, height);
    fill.setColorAt(0, enabled ? QColor(244, 247, 255) : QColor(240, 240, 240));
    fill.setColorAt(1, enabled ? QColor(196, 210, 240) : QColor(214, 214, 214));
    p.fillPath(body, fill);
    p.setPen(QPen(enabled ? QColor(80, 100, 160) : QColor(176, 176, 176), 1));
    p.drawPath(body);
    return pixmap;
}

} // namespace corvane::mainwin
