// \brief The "Constants" dialog: a searchable list of the compounds that fit the chosen option,
// one list per constant role (acid, base), worked wholly from the keyboard.
#pragma once

#include "compounds/constants.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QTreeWidget;

namespace corvane::mainwin {

/// Typing filters the list below the field by name or formula and makes the first match
/// current; Up, Down, Page Up and Page Down move through the matches; Enter takes the current
/// entries, Escape leaves. With two lists Tab goes from one search field to the other.
class CompoundChooser : public QDialog {
    Q_OBJECT
public:
    explicit CompoundChooser(std::vector<compounds::ConstantRole> roles, QWidget* parent = nullptr);
    ~CompoundChooser() override;

    int roleCount() const;
    const compounds::ConstantRole& role(int i) const;
    QLineEdit* searchField(int i) const;
    QTreeWidget* list(int i) const;
    /// The line under list i: the current entry's source, or why a search found nothing.
    QLabel* sourceLine(int i) const;
    /// The compound whose entry is current in list i, or null.
    const compounds::Compound* choice(int i) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Column;
    void applyFilter(Column& column);
    void moveCurrent(Column& column, int key);
    void showSource(Column& column);
    static std::string misfitText(const Column& column);
    /// Accepts when at least one list has a current entry.
    void take();

    std::vector<Column> m_columns;
};

} // namespace corvane::mainwin
