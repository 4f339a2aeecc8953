// \brief The button bar of the graph and table windows: buttons drawn as an icon with a caption
// under it, pressed one pixel down and right while the mouse is held; the printer-name tooltip
// of the Print button; the windows' framing helpers.
#pragma once

#include "captionbutton.h"
#include "palette.h"

#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

class QFrame;
class QSvgRenderer;

namespace corvane::widgets {

class Desktop;

/// An icon drawn from the program's SVG set ("edit", "table", "print", "copy", "close", "ok",
/// "cancel"), crisp at any scale.
class IconPicture : public QWidget {
public:
    IconPicture(const QString& name, QWidget* parent);
    ~IconPicture() override;
    bool hasIcon() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<QSvgRenderer> m_renderer;
};

/// One button: the icon picture at its home position and the caption 7 pixels lower, on top
/// of it.
class BarButton : public CaptionButton {
    Q_OBJECT
public:
    BarButton(const QString& caption, const QString& iconName, const QString& toolTip, QWidget* bar,
              int position);
    IconPicture* picture() const { return static_cast<IconPicture*>(pictureWidget()); }

    static constexpr int Width = 62;
    static constexpr int Height = 54;
};

/// The bar on the right of a window, background RGB(240, 244, 255).
class ButtonBar : public QWidget {
public:
    explicit ButtonBar(QWidget* parent);
    /// A button at the next position: icon at left 4, top 11 + 60 × position.
    BarButton* addButton(const QString& caption, const QString& iconName, const QString& toolTip);

    static constexpr int Width = 70;

private:
    int m_count = 0;
};

/// Every 500 ms, when a printer is installed, the button's tooltip becomes the current
/// printer's name.
class PrinterNameTimer : public QObject {
public:
    PrinterNameTimer(Desktop& desktop, QWidget* button, QObject* parent);
    /// One tick at once.
    void refresh();

private:
    Desktop& m_desktop;
    QPointer<QWidget> m_button;
    QTimer m_timer;
};

/// The same icon for ordinary buttons, rendered for 100 % and 200 % scale.
QIcon SvgIcon(const QString& name, int size = 20);

/// Lays out a window of menu bar, client area, content and button bar: the content at (5, 5),
/// as wide as the client less the bar and 15 pixels and 11 pixels less tall; the bar 3 pixels
/// right of it and as tall; a frame round each. Gives the content's place in the client.
/// `bottomStrip` pixels under the client are left free for a status line.
QRect LayOutBarWindow(QWidget& window, QWidget& menus, QWidget& client, ButtonBar& bar,
                      QFrame& contentFrame, QFrame& barFrame, int bottomStrip = 0);

/// A one-pixel frame in the windows' frame colour.
QFrame* BorderFrame(QWidget* parent);
/// Puts `frame` one pixel outside `inner`.
void FrameAround(QFrame* frame, const QRect& inner);
/// Fills a widget's background.
void PaintBackground(QWidget* widget, const QColor& color);

} // namespace corvane::widgets
