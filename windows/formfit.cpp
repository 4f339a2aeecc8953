#include "formfit.h"

#include "fit/titrationmodel.h"
#include "numtext/numbertext.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace corvane::windows {

namespace {

QString nameOf(std::string_view code, int slot) {
    return QString::fromStdString(fit::UnknownName(code, slot));
}

} // namespace

FormFitChoice::FormFitChoice(std::string_view code, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Fit");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Unknowns to fit to the measured pH:", this));
    const int analyte = fit::FlaskSlotsOf(code).analyte;
    std::vector<int> offered = fit::CurveSlots(code);
    offered.push_back(fit::PHOffset);
    for (int slot : offered) {
        auto* box = new QCheckBox(nameOf(code, slot), this);
        box->setChecked(fit::IsConstantSlot(code, slot) || slot == analyte);
        layout->addWidget(box);
        m_boxes.emplace_back(slot, box);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::vector<int> FormFitChoice::unknowns() const {
    std::vector<int> ticked;
    for (const auto& [slot, box] : m_boxes)
        if (box->isChecked()) ticked.push_back(slot);
    return ticked;
}

std::vector<double> FitResiduals(std::string_view code, double pKw, const fit::FitResult& result,
                                 const std::vector<fit::MeasuredPoint>& points) {
    const fit::TitrationModel model(code, result.values, pKw);
    std::vector<double> residuals;
    for (const fit::MeasuredPoint& p : points)
        residuals.push_back(p.y - model.pH(p.x) - result.offset);
    return residuals;
}

QImage DrawResiduals(const std::vector<fit::MeasuredPoint>& points,
                     const std::vector<double>& residuals, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const int margin = 10;
    double xMax = 0, rMax = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        xMax = std::max(xMax, points[i].x);
        if (std::isfinite(residuals[i])) rMax = std::max(rMax, std::abs(residuals[i]));
    }
    if (xMax <= 0) xMax = 1;
    if (rMax <= 0) rMax = 1;
    auto X = [&](double x) { return margin + x / xMax * (width - 2 * margin); };
    auto Y = [&](double r) { return height / 2.0 - r / (1.1 * rMax) * (height / 2.0 - margin); };
    painter.setPen(QColor(196, 196, 196));
    painter.drawLine(QPointF(X(0), Y(0)), QPointF(X(xMax), Y(0)));
    painter.setPen(QColor(0, 64, 160));
    painter.setBrush(QColor(0, 64, 160));
    for (std::size_t i = 0; i < points.size(); ++i)
        if (std::isfinite(residuals[i]))
            painter.drawEllipse(QPointF(X(points[i].x), Y(residuals[i])), 2.5, 2.5);
    painter.setPen(QColor(64, 64, 96));
    painter.drawText(QPointF(margin, margin + 10),
                     QString("measured − computed pH, ±%1").arg(1.1 * rMax, 0, 'g', 2));
    return image;
}

FormFitResult::FormFitResult(std::string_view code, double pKw, const fit::FitResult& result,
                             const std::vector<fit::MeasuredPoint>& points, int digits,
                             char separator, std::function<void()> use, QWidget* parent)
    : QDialog(parent), m_residuals(FitResiduals(code, pKw, result, points)) {
    setWindowTitle("Fit result");
    std::int16_t formatError = 0;
    auto number = [&](double v, int n) {
        return QString::fromStdString(numtext::FormatNumber(v, n, separator, formatError));
    };
    QString text;
    for (const fit::FittedValue& f : result.fitted)
        text +=
            nameOf(code, f.slot) + " = " + number(f.value, digits) + " ± " + number(f.se, 2) + "\n";
    text += "RMS residual: " + number(result.rms, 3) + " pH\n";
    text += "R²: " + number(result.r2, std::max(digits, 8)) + "\n";
    text += "Points: " + QString::number(result.points);

    auto* layout = new QVBoxLayout(this);
    m_text = new QLabel(text, this);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_text);
    m_plot = DrawResiduals(points, m_residuals, 480, 180);
    auto* plot = new QLabel(this);
    plot->setPixmap(QPixmap::fromImage(m_plot));
    layout->addWidget(plot);
    auto* buttons = new QDialogButtonBox(this);
    m_use = buttons->addButton("Use these values", QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Close);
    m_use->setVisible(static_cast<bool>(use));
    connect(m_use, &QPushButton::clicked, this, [this, use] {
        use();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString FormFitResult::text() const {
    return m_text->text();
}

} // namespace corvane::windows
