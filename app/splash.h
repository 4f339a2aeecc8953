// \brief FormSplash: the start-up splash that doubles as the About box.
#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;

namespace corvane::widgets {
class Desktop;
}

namespace corvane::app {

class FormSplash : public QDialog {
    Q_OBJECT
public:
    explicit FormSplash(widgets::Desktop& desktop, QWidget* parent = nullptr);

    QTimer& Timer1() { return m_timer; }
    QLabel* lblVersion() const { return m_version; }
    QLabel* LblWEB() const { return m_web; }
    QLabel* LlblMAIL() const { return m_mail; }
    QLabel* lblCopyright() const { return m_copyright; }

    void LblWEB_Click();
    void LlblMAIL_Click();

signals:
    /// The splash is closing (timer, click or key): the main window should show.
    void closing();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    widgets::Desktop& m_desktop;
    QTimer m_timer;
    QLabel* m_version;
    QLabel* m_web;
    QLabel* m_mail;
    QLabel* m_copyright;
};

/// The product picture: a titration flask with its burette.
QPixmap ProductPicture(int size);

} // namespace corvane::app
