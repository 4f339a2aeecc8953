#include "buttonbar.h"

#include "desktop.h"
#include "palette.h"

#include <QFrame>
#include <QPainter>
#include <QSvgRenderer>

namespace corvane::widgets {

namespace {

const QColor ButtonFace(255, 255, 255);
const QColor ButtonEdge(200, 208, 230);
constexpr int IconSize = 28;

} // namespace

IconPicture::IconPicture(const QString& name, QWidget* parent)
    : QWidget(parent),
      m_renderer(std::make_unique<QSvgRenderer>(QStringLiteral(":/icons/%1.svg").arg(name))) {}

IconPicture::~IconPicture() = default;

bool IconPicture::hasIcon() const {
    return m_renderer->isValid();
}

void IconPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(ButtonEdge);
    p.setBrush(ButtonFace);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    m_renderer->render(&p, QRectF((width() - IconSize) / 2.0, 4, IconSize, IconSize));
}

BarButton::BarButton(const QString& caption, const QString& iconName, const QString& toolTip,
                     QWidget* bar, int position)
    : CaptionButton(caption, new IconPicture(iconName, bar), 7, Qt::AlignHCenter | Qt::AlignBottom,
                    bar) {
    setAttribute(Qt::WA_TranslucentBackground);
    setToolTip(toolTip);
    picture()->setToolTip(toolTip);
    picture()->resize(Width, Height);
    picture()->lower();
    resize(Width, Height - 7 - 3);
    moveHome(QPoint(4, 11 + 60 * position));
}

ButtonBar::ButtonBar(QWidget* parent) : QWidget(parent) {
    PaintBackground(this, BarColor);
}

BarButton* ButtonBar::addButton(const QString& caption, const QString& iconName,
                                const QString& toolTip) {
    return new BarButton(caption, iconName, toolTip, this, m_count++);
}

PrinterNameTimer::PrinterNameTimer(Desktop& desktop, QWidget* button, QObject* parent)
    : QObject(parent), m_desktop(desktop), m_button(button) {
    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, this, &PrinterNameTimer::refresh);
    m_timer.start();
}

void PrinterNameTimer::refresh() {
    if (!m_button || !m_desktop.hasPrinter()) return;
    const QString name = m_desktop.currentPrinterName();
    m_button->setToolTip(name);
    if (auto* button = qobject_cast<BarButton*>(m_button.data()))
        button->picture()->setToolTip(name);
}

QIcon SvgIcon(const QString& name, int size) {
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(name));
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(size * scale, size * scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        renderer.render(&p);
        p.end();
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

QRect LayOutBarWindow(QWidget& window, QWidget& menus, QWidget& client, ButtonBar& bar,
                      QFrame& contentFrame, QFrame& barFrame, int bottomStrip) {
    const int menuHeight = menus.sizeHint().height();
    menus.setGeometry(0, 0, window.width(), menuHeight);
    client.setGeometry(0, menuHeight, window.width(), window.height() - menuHeight - bottomStrip);
    const QRect content(5, 5, client.width() - ButtonBar::Width - 15, client.height() - 11);
    bar.setGeometry(content.right() + 1 + 3, content.top(), ButtonBar::Width, content.height());
    FrameAround(&contentFrame, content);
    FrameAround(&barFrame, bar.geometry());
    return content;
}

QFrame* BorderFrame(QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::Box);
    QPalette p = frame->palette();
    p.setColor(QPalette::WindowText, FrameColor);
    frame->setPalette(p);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    return frame;
}

void FrameAround(QFrame* frame, const QRect& inner) {
    frame->setGeometry(inner.adjusted(-1, -1, 1, 1));
    frame->lower();
}

void PaintBackground(QWidget* widget, const QColor& color) {
    widget->setAutoFillBackground(true);
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, color);
    widget->setPalette(p);
}

} // namespace corvane::widgets
