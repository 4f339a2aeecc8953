#include "firstlook.h"

#include "widgets/buttonbar.h"

#include <QLabel>

namespace corvane::mainwin {

QLabel* MakeFirstLook(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName("firstLook");
    widgets::PaintBackground(label, Qt::white);
    label->setFont(QFont("Arial", 11));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(24);
    label->setTextFormat(Qt::RichText);
    label->setText(
        "<p style='color:#404080'>Choose a task on a tab above and one of its options, type the "
        "quantities you know and press <b>Calculate</b> (Ctrl+Return): every quantity that "
        "follows from them is filled in. The tabs choose with Alt+1 to Alt+5; the sixth, "
        "<b>Free mixture</b> (Alt+6), mixes any acids, bases, salts and ions.</p>"
        "<p><a href='manual' style='color:#404080'>User's manual (F1)</a></p>");
    label->setAccessibleName("Getting started");
    return label;
}

} // namespace corvane::mainwin
