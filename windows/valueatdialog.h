// \brief "Value at...": the curve's exact values at the x values typed, several at once
// separated by ";" or spaces (a comma may be the decimal separator), one line each.
#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>
#include <vector>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace corvane::widgets {
class Desktop;
}

namespace corvane::windows {

class ValueAtDialog : public QDialog {
    Q_OBJECT
public:
    /// One line of text per x value.
    using Reader = std::function<QStringList(const std::vector<double>& xs)>;

    /// `quantity` names x in plain text ("VSB (mL)").
    ValueAtDialog(widgets::Desktop& desktop, const QString& quantity, char decimalSeparator,
                  Reader reader, QWidget* parent = nullptr);

    QLineEdit* input() const { return m_input; }
    QPushButton* showButton() const { return m_show; }
    QPlainTextEdit* results() const { return m_results; }

    /// Reads the values typed and lists the curve's values at them; an unreadable one is named
    /// in a message and nothing is listed.
    void ShowValues();

private:
    widgets::Desktop& m_desktop;
    char m_separator;
    Reader m_reader;
    QLineEdit* m_input;
    QPushButton* m_show;
    QPlainTextEdit* m_results;
};

} // namespace corvane::windows
