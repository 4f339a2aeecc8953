// \brief The activity options of the Setup menu: the temperature dialog and the words that
// name the model of a result.
#pragma once

#include "engine/equilab.h"

#include <QDialog>
#include <QString>

class QDoubleSpinBox;

namespace corvane::mainwin {

/// "Temperature...": a temperature from 0 to 60 °C for Kw and the activity coefficients.
class TemperatureDialog : public QDialog {
    Q_OBJECT
public:
    TemperatureDialog(double celsius, QWidget* parent = nullptr);
    double celsius() const;
    QDoubleSpinBox* field() const { return m_field; }

private:
    QDoubleSpinBox* m_field;
};

/// What the status line says after a Calculate with a model other than the ideal one:
/// "Davies, I = 0.10 mol/L, 25 °C"; empty for an ideal solution.
QString ModelStatusText(const engine::EquilAB& state);

} // namespace corvane::mainwin
