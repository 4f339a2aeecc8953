#include "captionbutton.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

namespace corvane::widgets {

CaptionButton::CaptionButton(const QString& caption, QWidget* picture, int captionDrop,
                             Qt::Alignment alignment, QWidget* parent)
    : QAbstractButton(parent), m_picture(picture), m_captionDrop(captionDrop),
      m_alignment(alignment) {
    setText(caption);
    // Tab reaches it; a click leaves the keyboard focus where it was.
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::pressed, this, [this] { place(1); });
    connect(this, &QAbstractButton::released, this, [this] { place(0); });
}

void CaptionButton::moveHome(QPoint home) {
    m_home = home;
    place(isDown() ? 1 : 0);
    raise();
}

void CaptionButton::place(int shift) {
    m_picture->move(m_home + QPoint(shift, shift));
    move(m_home + QPoint(shift, m_captionDrop + shift));
}

void CaptionButton::setVisible(bool visible) {
    m_picture->setVisible(visible);
    QAbstractButton::setVisible(visible);
}

// Enter presses the button as Space does. Up and Down would move the focus, as Left and
// Right do; they and the paging keys are left to the window instead (a table scrolls by them).
void CaptionButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        click();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        event->ignore();
        return;
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

void CaptionButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int flags = static_cast<int>(m_alignment) | Qt::TextShowMnemonic;
    style()->drawItemText(&p, rect(), flags, palette(), isEnabled(), text(), QPalette::WindowText);
    if (!hasFocus()) return;
    // A dotted box round the caption shows the focus on the picture.
    QString shown = text();
    shown.remove('&');
    const QRect caption = fontMetrics().boundingRect(rect(), static_cast<int>(m_alignment), shown);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    p.drawRect(caption.adjusted(-3, 0, 2, -1).intersected(rect().adjusted(0, 0, -1, -1)));
}

} // namespace corvane::widgets
