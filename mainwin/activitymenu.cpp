#include "activitymenu.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>

namespace corvane::mainwin {

TemperatureDialog::TemperatureDialog(double celsius, QWidget* parent)
    : QDialog(parent), m_field(new QDoubleSpinBox(this)) {
    setWindowTitle("Temperature");
    m_field->setRange(engine::LowestTemperature, engine::HighestTemperature);
    m_field->setDecimals(1);
    m_field->setSuffix(QString::fromUtf8(" °C"));
    m_field->setValue(celsius);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow("Temperature of the solution:", m_field);
    layout->addRow(buttons);
}

double TemperatureDialog::celsius() const {
    return m_field->value();
}

QString ModelStatusText(const engine::EquilAB& state) {
    if (state.Activity == engine::ActivityModel::Ideal) return {};
    return QString::fromUtf8("Davies, I = %1 mol/L, %2 °C")
        .arg(QString::asprintf("%#.2g", state.Activities.ionicStrength))
        .arg(QString::number(state.Temperature, 'g', 4));
}

} // namespace corvane::mainwin
