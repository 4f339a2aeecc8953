#include "controls.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace corvane::mainwin {

namespace {

// Whether the filter decides on this key: a printable character, or a control character
// typed with a character key (Ctrl+Z). Editing and navigation keys (Delete, which X11 delivers
// with the character 0x7F, Shift+Delete, Home, End, the arrows) and Ctrl+A always reach the
// field, whatever character comes with them.
bool insertsCharacter(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty()) return false;
    if (text.front().isPrint()) return true;
    return event->key() < Qt::Key_Escape && !event->matches(QKeySequence::SelectAll);
}

} // namespace

ValueField::ValueField(int k, QWidget* parent) : QLineEdit(parent), m_k(k) {
    QFont f = font();
    f.setFamily("Arial");
    f.setPointSize(11);
    setFont(f);
}

bool ValueField::KeepsCharacter(QChar c) {
    static const QString allowed = QStringLiteral("0123456789.,eE-+/%");
    const ushort code = c.unicode();
    return allowed.contains(c) || code == 8 || code == 3 || code == 22 || code == 24;
}

void ValueField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit enterPressed(m_k);
        return;
    }
    if (insertsCharacter(event) && !KeepsCharacter(event->text().front())) return;
    QLineEdit::keyPressEvent(event);
}

void ValueField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    selectAll();
    // The click that brought the focus would place the cursor: select again after it.
    m_selectAfterClick = event->reason() == Qt::MouseFocusReason;
}

void ValueField::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (m_selectAfterClick) {
        m_selectAfterClick = false;
        selectAll();
    }
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit pressed();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    emit released();
    if (rect().contains(event->position().toPoint())) emit clicked();
}

PictureButton::PictureButton(const QString& caption, QWidget* parent)
    : QObject(parent), m_picture(new QLabel(parent)), m_label(new ClickLabel(caption, parent)) {
    m_label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_label->setCursor(Qt::PointingHandCursor);
    QFont f = m_label->font();
    f.setFamily("Arial");
    f.setPointSize(10);
    f.setBold(true);
    m_label->setFont(f);
    connect(m_label, &ClickLabel::pressed, this, [this] {
        m_picture->move(m_home + QPoint(1, 1));
        m_label->move(m_home + QPoint(1, 7));
    });
    connect(m_label, &ClickLabel::released, this, [this] {
        m_picture->move(m_home);
        m_label->move(m_home + QPoint(0, 6));
    });
    connect(m_label, &ClickLabel::clicked, this, &PictureButton::clicked);
}

void PictureButton::setLooks(const QPixmap& enabledLook, const QPixmap& disabledLook) {
    m_enabledLook = enabledLook;
    m_disabledLook = disabledLook;
    m_picture->setPixmap(m_label->isEnabled() ? m_enabledLook : m_disabledLook);
    m_picture->resize(enabledLook.size());
    m_label->resize(enabledLook.width(), enabledLook.height() - 6);
}

void PictureButton::setEnabled(bool enabled) {
    m_label->setEnabled(enabled);
    m_picture->setPixmap(enabled ? m_enabledLook : m_disabledLook);
}

bool PictureButton::isEnabled() const {
    return m_label->isEnabled();
}

void PictureButton::moveHome(int left, int top) {
    m_home = QPoint(left, top);
    m_picture->move(m_home);
    m_label->move(m_home + QPoint(0, 6));
    m_label->raise();
}

void PictureButton::setVisible(bool visible) {
    m_picture->setVisible(visible);
    m_label->setVisible(visible);
}

} // namespace corvane::mainwin
