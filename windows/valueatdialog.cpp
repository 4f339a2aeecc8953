#include "valueatdialog.h"

#include "graphs/valueat.h"
#include "widgets/desktop.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane::windows {

ValueAtDialog::ValueAtDialog(widgets::Desktop& desktop, const QString& quantity,
                             char decimalSeparator, Reader reader, QWidget* parent)
    : QDialog(parent), m_desktop(desktop), m_separator(decimalSeparator),
      m_reader(std::move(reader)) {
    setWindowTitle("Value at");
    auto* prompt =
        new QLabel(QString("%1, one or more values separated by \";\" or spaces:").arg(quantity));
    m_input = new QLineEdit;
    m_show = new QPushButton("Show");
    m_show->setDefault(true);
    auto* close = new QPushButton("Close");
    m_results = new QPlainTextEdit;
    m_results->setReadOnly(true);
    m_results->setMinimumSize(640, 160);
    connect(m_show, &QPushButton::clicked, this, &ValueAtDialog::ShowValues);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(m_input, 1);
    row->addWidget(m_show);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(row);
    layout->addWidget(m_results);
    layout->addLayout(buttons);
}

void ValueAtDialog::ShowValues() {
    std::string bad;
    char separator = m_separator;
    const std::optional<std::vector<double>> xs =
        graphs::ParseValueList(m_input->text().toStdString(), separator, bad);
    if (!xs) {
        m_desktop.showMessage(this, "Error",
                              QString("Not a number: \"%1\".").arg(QString::fromStdString(bad)),
                              widgets::MessageKind::Warning);
        return;
    }
    m_results->setPlainText(m_reader(*xs).join('\n'));
}

} // namespace corvane::windows
