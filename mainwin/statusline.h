// \brief A one-line status line of a task panel: a short note about the last command, shown
// until the next command clears it. It never asks for an answer, unlike a message box.
#pragma once

#include <QLabel>

namespace corvane::mainwin {

class StatusLine : public QLabel {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent);

    /// Shows the note, in a smaller font (and then elided, with a tooltip) when it is wider
    /// than the line.
    void setMessage(const QString& message);
    void clearMessage();
    /// The whole note, empty when none is shown.
    QString message() const { return m_message; }

    static constexpr double FontPoints = 9;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QString m_message;
};

} // namespace corvane::mainwin
