#include "windowkeys.h"

#include <QShortcut>
#include <QWidget>

namespace corvane::widgets {

void CloseOnEscape(QWidget& window) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, &window, &QWidget::close);
}

} // namespace corvane::widgets
