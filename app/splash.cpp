#include "splash.h"

#include "identity.h"

#include "mainwin/installation.h"
#include "version/version.h"
#include "widgets/desktop.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace corvane::app {

using mainwin::installation::ApplicationTitle;
using mainwin::installation::MailAddress;
using mainwin::installation::WebSite;
using mainwin::installation::WebSiteName;

namespace {

QLabel* label(const QString& text, int points, bool bold, const QColor& color, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f("Arial", points);
    f.setBold(bold);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, color);
    l->setPalette(p);
    l->setAlignment(Qt::AlignHCenter);
    return l;
}

} // namespace

QPixmap ProductPicture(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 100.0;
    // Burette with a falling drop.
    p.setPen(QPen(QColor(80, 96, 150), 2 * s));
    p.setBrush(QColor(232, 238, 252));
    p.drawRect(QRectF(46 * s, 4 * s, 8 * s, 34 * s));
    p.setBrush(QColor(64, 64, 128));
    p.drawEllipse(QRectF(48 * s, 42 * s, 4 * s, 5 * s));
    // Flask with a solution changing colour.
    QPainterPath flask;
    flask.moveTo(42 * s, 50 * s);
    flask.lineTo(42 * s, 62 * s);
    flask.lineTo(20 * s, 94 * s);
    flask.lineTo(80 * s, 94 * s);
    flask.lineTo(58 * s, 62 * s);
    flask.lineTo(58 * s, 50 * s);
    QLinearGradient liquid(20 * s, 0, 80 * s, 0);
    liquid.setColorAt(0, QColor(200, 0, 0, 150));
    liquid.setColorAt(0.5, QColor(196, 128, 0, 150));
    liquid.setColorAt(1, QColor(0, 100, 220, 150));
    QPainterPath level;
    level.addRect(QRectF(0, 76 * s, size, size));
    p.fillPath(flask.intersected(level), liquid);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(80, 96, 150), 2.5 * s));
    p.drawPath(flask);
    return pixmap;
}

FormSplash::FormSplash(widgets::Desktop& desktop, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), m_desktop(desktop) {
    setWindowTitle(ApplicationTitle);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(248, 250, 255));
    setPalette(p);

    auto* image = new QLabel(this);
    image->setPixmap(ProductPicture(110));
    image->setAlignment(Qt::AlignHCenter);
    auto* tagline = label("Acid–base equilibria, exactly", 11, false, QColor(96, 96, 96), this);
    auto* product = label("Corvane", 30, true, QColor(64, 64, 128), this);
    m_version = label(QString("Version: %1.%2").arg(VersionMajor).arg(VersionMinor), 10, false,
                      QColor(64, 64, 96), this);
    m_web = label(WebSiteName, 10, false, QColor(0, 100, 220), this);
    m_web->setToolTip(WebSiteName);
    m_web->setCursor(Qt::PointingHandCursor);
    m_mail = label(MailAddress, 10, false, QColor(0, 100, 220), this);
    m_mail->setCursor(Qt::PointingHandCursor);
    m_copyright = label(QStringLiteral("%1\n%2").arg(CopyrightLine, LicenceLine), 8, false,
                        QColor(120, 120, 120), this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 22, 28, 18);
    layout->setSpacing(6);
    for (QWidget* w : {static_cast<QWidget*>(image), static_cast<QWidget*>(tagline),
                       static_cast<QWidget*>(product), static_cast<QWidget*>(m_version),
                       static_cast<QWidget*>(m_web), static_cast<QWidget*>(m_mail),
                       static_cast<QWidget*>(m_copyright)}) {
        layout->addWidget(w);
        w->installEventFilter(this);
    }
    setFixedSize(420, 346);

    m_timer.setInterval(400);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &QDialog::close);
}

void FormSplash::LblWEB_Click() {
    widgets::OpenOrWarn(m_desktop, this, QUrl(WebSite), "Error",
                        QString("Sorry, cannot connect to %1").arg(WebSiteName));
}

void FormSplash::LlblMAIL_Click() {
    widgets::OpenOrWarn(m_desktop, this, QUrl(QString("mailto:%1").arg(MailAddress)),
                        ApplicationTitle, "Sorry, cannot found your email client application.");
}

bool FormSplash::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == m_web)
            LblWEB_Click();
        else if (watched == m_mail)
            LlblMAIL_Click();
        else
            close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FormSplash::mousePressEvent(QMouseEvent*) {
    close();
}

void FormSplash::keyPressEvent(QKeyEvent*) {
    close();
}

void FormSplash::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activateWindow();
    setFocus();
}

void FormSplash::closeEvent(QCloseEvent* event) {
    m_timer.stop();
    emit closing();
    QDialog::closeEvent(event);
}

} // namespace corvane::app
