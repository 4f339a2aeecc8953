#include "freemixturedialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace corvane::mainwin {

namespace {

QDialogButtonBox* okAndCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

MixtureGraphDialog::MixtureGraphDialog(const QStringList& names, const MixtureGraphChoice& choice,
                                       QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Graphic of the mixture");
    auto* layout = new QVBoxLayout(this);
    m_distribution = new QRadioButton("&Distribution diagram of", this);
    m_component = new QComboBox(this);
    m_component->addItems(names);
    m_component->setCurrentIndex(
        std::clamp(choice.component, 0, std::max(0, int(names.size()) - 1)));
    m_component->setAccessibleName("Component");
    m_titration = new QRadioButton("&Titration of the mixture with", this);
    m_titrant = new QComboBox(this);
    m_titrant->addItems(Titrants);
    m_titrant->setCurrentIndex(std::max(0, int(Titrants.indexOf(choice.titrant))));
    m_titrant->setAccessibleName("Titrant");
    m_concentration = new QLineEdit(choice.titrantConcentration, this);
    m_volume = new QLineEdit(choice.volume, this);
    m_concentration->setAccessibleName("Titrant concentration (mol/L)");
    m_volume->setAccessibleName("Volume of the mixture (mL)");

    layout->addWidget(m_distribution);
    layout->addWidget(m_component);
    layout->addWidget(m_titration);
    auto* form = new QFormLayout;
    form->addRow("Titrant", m_titrant);
    form->addRow("Titrant &concentration (mol/L)", m_concentration);
    form->addRow("&Volume of the mixture (mL)", m_volume);
    layout->addLayout(form);
    layout->addWidget(okAndCancel(this));

    // Without a component that has forms only the titration is left.
    m_distribution->setEnabled(!names.isEmpty());
    const bool titration = choice.titration || names.isEmpty();
    (titration ? m_titration : m_distribution)->setChecked(true);
    auto follow = [this] {
        const bool t = m_titration->isChecked();
        m_component->setEnabled(!t);
        for (QWidget* w : {static_cast<QWidget*>(m_titrant), static_cast<QWidget*>(m_concentration),
                           static_cast<QWidget*>(m_volume)})
            w->setEnabled(t);
    };
    connect(m_titration, &QRadioButton::toggled, this, follow);
    follow();
}

MixtureGraphChoice MixtureGraphDialog::choice() const {
    return {m_titration->isChecked(), m_component->currentIndex(), m_titrant->currentText(),
            m_concentration->text(), m_volume->text()};
}

RecipeDialog::RecipeDialog(const RecipeRequest& request, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Recipe");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Two reagents of a system that make a buffer of the pH and total "
                                 "concentration; they replace the list of components.",
                                 this));
    m_system = new QLineEdit(request.system, this);
    m_system->setPlaceholderText("phosphate, acetate, Tris, NH4Cl...");
    m_pH = new QLineEdit(request.pH, this);
    m_total = new QLineEdit(request.total, this);
    m_volume = new QLineEdit(request.volume, this);
    m_system->setAccessibleName("System");
    m_pH->setAccessibleName("pH");
    m_total->setAccessibleName("Total concentration (mol/L)");
    m_volume->setAccessibleName("Volume (mL)");
    auto* form = new QFormLayout;
    form->addRow("&System", m_system);
    form->addRow("&pH", m_pH);
    form->addRow("&Total concentration (mol/L)", m_total);
    form->addRow("&Volume (mL)", m_volume);
    layout->addLayout(form);
    layout->addWidget(okAndCancel(this));
    m_system->setFocus();
}

RecipeRequest RecipeDialog::request() const {
    return {m_system->text(), m_pH->text(), m_total->text(), m_volume->text()};
}

} // namespace corvane::mainwin
