#include "statusline.h"

#include "controls.h"

namespace corvane::mainwin {

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
    setFont(QFont("Arial", FontPoints));
    setTextFormat(Qt::PlainText);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(150, 40, 30));
    setPalette(p);
}

void StatusLine::setMessage(const QString& message) {
    m_message = message;
    SetFittedText(this, m_message, FontPoints);
}

void StatusLine::clearMessage() {
    setMessage(QString());
}

// The room changes with the panel: the note is fitted again.
void StatusLine::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    SetFittedText(this, m_message, FontPoints);
}

} // namespace corvane::mainwin
