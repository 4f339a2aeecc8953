// \brief The fit of measured data in the graph window: FormFitChoice ticks the unknowns among
// the curve's quantities and the electrode offset; FormFitResult shows the fitted values with
// their standard errors, RMS, R², the points and a residual plot, and offers "Use these values".
#pragma once

#include "fit/fit.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;

namespace corvane::windows {

class FormFitChoice : public QDialog {
    Q_OBJECT
public:
    /// One box per quantity of the titration curve of `code`, then pH_offset; the analyte's
    /// concentration and the constants start ticked.
    FormFitChoice(std::string_view code, QWidget* parent = nullptr);

    /// The ticked slots (fit::PHOffset for the offset), in the order of the boxes.
    std::vector<int> unknowns() const;
    const std::vector<std::pair<int, QCheckBox*>>& boxes() const { return m_boxes; }
    QPushButton* okButton() const { return m_ok; }

private:
    std::vector<std::pair<int, QCheckBox*>> m_boxes;
    QPushButton* m_ok;
};

class FormFitResult : public QDialog {
    Q_OBJECT
public:
    /// `use` writes the fitted values into the main window; without it the button is hidden.
    FormFitResult(std::string_view code, double pKw, const fit::FitResult& result,
                  const std::vector<fit::MeasuredPoint>& points, int digits, char separator,
                  std::function<void()> use, QWidget* parent = nullptr);

    QString text() const;
    const QImage& residualPlot() const { return m_plot; }
    /// Measured minus computed pH at each point.
    const std::vector<double>& residuals() const { return m_residuals; }
    QPushButton* useButton() const { return m_use; }

private:
    QLabel* m_text;
    QImage m_plot;
    std::vector<double> m_residuals;
    QPushButton* m_use;
};

/// Measured minus computed pH at each point of a fitted curve.
std::vector<double> FitResiduals(std::string_view code, double pKw, const fit::FitResult& result,
                                 const std::vector<fit::MeasuredPoint>& points);

/// The residuals against the volume, around a zero line, on a white picture.
QImage DrawResiduals(const std::vector<fit::MeasuredPoint>& points,
                     const std::vector<double>& residuals, int width, int height);

} // namespace corvane::windows
