// \brief The Free mixture task's two dialogs: which graph to draw (the distribution diagram of
// a component, or the titration of the mixture with a strong acid or base) and the buffer
// recipe that fills the list of components.
#pragma once

#include "engine/mixture.h"

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace corvane::mainwin {

/// The graph last chosen, as typed; kept in the settings.
struct MixtureGraphChoice {
    bool titration = false;
    int component = 0; // among the components that have forms to distribute
    QString titrant = "NaOH";
    QString titrantConcentration = "0.1";
    QString volume = "25"; // mL of the mixture
};

/// The strong acids and bases a mixture can be titrated with.
inline const QStringList Titrants = {"NaOH", "KOH", "HCl", "HNO3", "HClO4"};

class MixtureGraphDialog : public QDialog {
    Q_OBJECT
public:
    /// `names`: the components that have more than one form.
    MixtureGraphDialog(const QStringList& names, const MixtureGraphChoice& choice,
                       QWidget* parent = nullptr);
    MixtureGraphChoice choice() const;

    QRadioButton* distribution() const { return m_distribution; }
    QRadioButton* titration() const { return m_titration; }
    QComboBox* component() const { return m_component; }
    QComboBox* titrant() const { return m_titrant; }
    QLineEdit* titrantConcentration() const { return m_concentration; }
    QLineEdit* volume() const { return m_volume; }

private:
    QRadioButton* m_distribution;
    QRadioButton* m_titration;
    QComboBox* m_component;
    QComboBox* m_titrant;
    QLineEdit* m_concentration;
    QLineEdit* m_volume;
};

/// What the recipe dialog asks, as typed.
struct RecipeRequest {
    QString system;
    QString pH;
    QString total;  // mol/L
    QString volume; // mL
};

class RecipeDialog : public QDialog {
    Q_OBJECT
public:
    explicit RecipeDialog(const RecipeRequest& request, QWidget* parent = nullptr);
    RecipeRequest request() const;

    QLineEdit* system() const { return m_system; }
    QLineEdit* pH() const { return m_pH; }
    QLineEdit* total() const { return m_total; }
    QLineEdit* volume() const { return m_volume; }

private:
    QLineEdit* m_system;
    QLineEdit* m_pH;
    QLineEdit* m_total;
    QLineEdit* m_volume;
};

} // namespace corvane::mainwin
