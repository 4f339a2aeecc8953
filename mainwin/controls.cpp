#include "controls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace corvane::mainwin {

QString IndexedName(const QString& array, int index) {
    return QStringLiteral("%1(%2)").arg(array).arg(index);
}

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

const QStringList RegularFaces{QStringLiteral("Arial")};
const QStringList NarrowFaces{QStringLiteral("Arial Narrow"),
                              QStringLiteral("Liberation Sans Narrow")};

} // namespace

ValueField::ValueField(int k, QWidget* parent) : QLineEdit(parent), m_k(k) {
    QFont f = font();
    f.setFamilies(RegularFaces);
    f.setPointSizeF(FontPoints);
    setFont(f);
    connect(this, &QLineEdit::textChanged, this, &ValueField::fitText);
}

int ValueField::textRoom() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    // QLineEdit keeps 2 pixels on either side and scrolls once the text and its 1-pixel
    // cursor are wider than what remains.
    return contents.marginsRemoved(textMargins()).width() - 2 * 2 - 1;
}

QString ValueField::shownText() const {
    return m_abbreviated.isEmpty() ? text() : m_abbreviated;
}

FittedFont FitFont(QFont font, const QString& text, double room, double largest, double smallest) {
    for (double points = largest; points >= smallest; points -= 0.5) {
        font.setPointSizeF(points);
        for (const QStringList& faces : {RegularFaces, NarrowFaces}) {
            font.setFamilies(faces);
            if (QFontMetricsF(font).horizontalAdvance(text) <= room) return {font, true};
        }
    }
    return {font, false};
}

void SetFittedText(QLabel* label, const QString& text, double points) {
    const FittedFont fitted = FitFont(label->font(), text, label->contentsRect().width(), points,
                                      ValueField::SmallestFontPoints);
    label->setFont(fitted.font);
    label->setText(fitted.fits
                       ? text
                       : QFontMetricsF(fitted.font)
                             .elidedText(text, Qt::ElideRight, label->contentsRect().width()));
    const bool usual = fitted.font.families() == RegularFaces && fitted.font.pointSizeF() == points;
    label->setToolTip(usual ? QString() : text.trimmed());
}

void ValueField::fitText() {
    const QString t = text();
    const int room = textRoom();
    const FittedFont fitted = FitFont(font(), t, room, FontPoints, SmallestFontPoints);
    const QFont f = fitted.font;
    m_abbreviated.clear();
    if (!fitted.fits) {
        // Leave out the last digits of the mantissa, never its start or the exponent.
        const qsizetype mark = t.indexOf('E', 0, Qt::CaseInsensitive);
        const QString exponent = mark < 0 ? QString() : t.mid(mark);
        const QFontMetricsF metrics(f);
        m_abbreviated = metrics.elidedText(t.left(mark < 0 ? t.size() : mark), Qt::ElideRight,
                                           room - metrics.horizontalAdvance(exponent)) +
                        exponent;
    }
    if (f != font()) setFont(f);
    const bool usualSize = f.families() == RegularFaces && f.pointSizeF() == FontPoints;
    setToolTip(usualSize ? QString() : t);
    update();
}

void ValueField::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    fitText();
}

void ValueField::paintEvent(QPaintEvent* event) {
    // While the user edits the field it shows the whole text and scrolls as usual.
    if (m_abbreviated.isEmpty() || hasFocus()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    const QRect contents = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, this)
                               .marginsRemoved(textMargins())
                               .adjusted(2, 0, -2, 0);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(contents, Qt::AlignLeft | Qt::AlignVCenter, m_abbreviated);
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

void OptionButton::keyPressEvent(QKeyEvent* event) {
    m_handlingKey = true;
    QRadioButton::keyPressEvent(event);
    m_handlingKey = false;
}

void OptionButton::keyReleaseEvent(QKeyEvent* event) {
    m_handlingKey = true;
    QRadioButton::keyReleaseEvent(event);
    m_handlingKey = false;
}

PictureButton::PictureButton(const QString& caption, QWidget* parent)
    : CaptionButton(caption, new QLabel(parent), 6, Qt::AlignHCenter | Qt::AlignTop, parent) {
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setFamily("Arial");
    f.setPointSize(10);
    f.setBold(true);
    setFont(f);
}

void PictureButton::setLooks(const QPixmap& enabledLook, const QPixmap& disabledLook) {
    m_enabledLook = enabledLook;
    m_disabledLook = disabledLook;
    picture()->setPixmap(isEnabled() ? m_enabledLook : m_disabledLook);
    picture()->resize(enabledLook.size());
    resize(enabledLook.width(), enabledLook.height() - 6);
}

void PictureButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange)
        picture()->setPixmap(isEnabled() ? m_enabledLook : m_disabledLook);
    CaptionButton::changeEvent(event);
}

} // namespace corvane::mainwin
