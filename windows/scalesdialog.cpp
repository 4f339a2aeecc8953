#include "scalesdialog.h"

#include "graphs/valueat.h"
#include "numtext/numbertext.h"
#include "widgets/desktop.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace corvane::windows {

namespace {

// Enough digits to give back any value typed or derived without a visible rounding.
constexpr int FieldDigits = 12;

} // namespace

ScalesDialog::ScalesDialog(widgets::Desktop& desktop, const graphs::PlotScales& current,
                           const graphs::PlotScales& defaults, int kind, char decimalSeparator,
                           QWidget* parent)
    : QDialog(parent), m_desktop(desktop), m_kind(kind), m_separator(decimalSeparator) {
    m_defaultTexts = texts(defaults);
    setWindowTitle("Scales");
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("x axis"), 0, 1);
    grid->addWidget(new QLabel("y axis"), 0, 2);
    const char* rows[] = {"Minimum", "Maximum", "Tick step", "Label every (ticks)"};
    for (int r = 0; r < 4; ++r) {
        grid->addWidget(new QLabel(rows[r]), r + 1, 0);
        for (int axis = 0; axis < 2; ++axis) {
            auto* edit = new QLineEdit;
            edit->setAccessibleName(
                graphs::ScaleFieldName(static_cast<graphs::ScaleField>(4 * axis + r)));
            m_fields[4 * axis + r] = edit;
            grid->addWidget(edit, r + 1, axis + 1);
        }
    }
    m_defaultsButton = new QPushButton("Default scales");
    m_ok = new QPushButton("Ok");
    auto* cancel = new QPushButton("Cancel");
    m_ok->setDefault(true);
    connect(m_defaultsButton, &QPushButton::clicked, this, [this] { fill(m_defaultTexts); });
    connect(m_ok, &QPushButton::clicked, this, &ScalesDialog::onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_defaultsButton);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    fill(texts(current));
}

std::array<QString, 8> ScalesDialog::texts(const graphs::PlotScales& s) const {
    std::int16_t error = 0;
    auto text = [&](double v) {
        return QString::fromStdString(numtext::FormatNumber(v, FieldDigits, m_separator, error));
    };
    return {text(s.x.Min), text(s.x.Max), text(s.x.Step), QString::number(s.x.LabelEvery),
            text(s.y.Min), text(s.y.Max), text(s.y.Step), QString::number(s.y.LabelEvery)};
}

void ScalesDialog::fill(const std::array<QString, 8>& texts) {
    for (int i = 0; i < 8; ++i)
        m_fields[i]->setText(texts[i]);
}

std::optional<graphs::PlotScales> ScalesDialog::read() {
    std::array<double, 8> v{};
    for (int i = 0; i < 8; ++i) {
        const QString text = m_fields[i]->text().trimmed();
        char separator = m_separator;
        const std::optional<double> number = graphs::ReadFieldNumber(text.toStdString(), separator);
        if (!number) {
            m_desktop.showMessage(
                this, "Error",
                QString("The %1 is not a number: \"%2\".")
                    .arg(graphs::ScaleFieldName(static_cast<graphs::ScaleField>(i)), text),
                widgets::MessageKind::Warning);
            m_fields[i]->setFocus();
            return std::nullopt;
        }
        v[i] = *number;
    }
    auto every = [](double n) {
        // A spacing that is not whole (or out of range) becomes 0, which the checks refuse.
        return n >= 1 && n <= 1e6 && n == std::floor(n) ? static_cast<std::int32_t>(n) : 0;
    };
    return graphs::PlotScales{{v[0], v[1], v[2], every(v[3])}, {v[4], v[5], v[6], every(v[7])}};
}

void ScalesDialog::onOk() {
    // The defaults as shown are the defaults themselves, not their rounded texts.
    bool defaults = true;
    for (int i = 0; i < 8; ++i)
        defaults = defaults && m_fields[i]->text().trimmed() == m_defaultTexts[i];
    if (defaults) {
        m_chosen = std::nullopt;
        accept();
        return;
    }
    const std::optional<graphs::PlotScales> scales = read();
    if (!scales) return;
    if (const std::optional<graphs::ScaleRefusal> refusal = graphs::CheckScales(*scales, m_kind)) {
        m_desktop.showMessage(this, "Error", QString::fromStdString(refusal->reason),
                              widgets::MessageKind::Warning);
        field(refusal->field)->setFocus();
        return;
    }
    m_chosen = scales;
    accept();
}

} // namespace corvane::windows
