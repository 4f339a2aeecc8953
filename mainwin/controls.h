// \brief The small controls of the main window: a value field, a clickable label and the
// picture button (a picture with its caption on top).
#pragma once

#include "widgets/captionbutton.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace corvane::mainwin {

/// A control's name in the program's arrays: "Text1(17)", "PicIO(2)", "mnu_NDIG(6)".
QString IndexedName(const QString& array, int index);

/// The font for `text` in `room` pixels: the largest size from `largest` down to `smallest`
/// points at which Arial, or else its narrow cut, is narrow enough. `fits` is false when none
/// is; the font is then the smallest narrow one.
struct FittedFont {
    QFont font;
    bool fits;
};
FittedFont FitFont(QFont font, const QString& text, double room, double largest, double smallest);

/// Sets a label's text in the largest font that fits its width (down to 7 points), elided only
/// when even that is too wide; the tooltip then shows the whole text.
void SetFittedText(QLabel* label, const QString& text, double points);

/// Text1(k): keeps only the characters of a number, selects all on entry, Enter moves on;
/// its font shrinks so that a number is never cut off.
class ValueField : public QLineEdit {
    Q_OBJECT
public:
    ValueField(int k, QWidget* parent);
    int index() const { return m_k; }
    /// "H" for the fields of the option's HGroup, empty otherwise.
    QString tag;

    /// Characters a value field keeps when typed.
    static bool KeepsCharacter(QChar c);

    /// The size of the field's font while its text fits, and the smallest it shrinks to.
    static constexpr double FontPoints = 11;
    static constexpr double SmallestFontPoints = 7;
    /// What the field shows while it has no focus: its text, or, when not even the smallest
    /// narrow font fits it, the text with mantissa digits left out ("1.3666647…E-12").
    QString shownText() const;

signals:
    void enterPressed(int k);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    /// Pixels the text may take: the field's width less its margins and the cursor.
    int textRoom() const;
    /// Shrinks the font until the text fits, so no part of a number is ever cut off: the
    /// largest size down to SmallestFontPoints at which the usual face, or else its narrow
    /// cut, is narrow enough. The tooltip then shows the whole text.
    void fitText();

    int m_k;
    QString m_abbreviated; // set when even the smallest narrow font is too wide
    bool m_selectAfterClick = false;
};

/// A label that reports presses, releases and clicks (tab captions, button captions).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void pressed();
    void released();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

/// An option of a task. While it handles a key (an arrow moving to the next option and choosing
/// it, Space choosing it) `handlingKey` is true, so the window can tell a choice made from the
/// keyboard from a click.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;
    bool handlingKey() const { return m_handlingKey; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    bool m_handlingKey = false;
};

/// A button drawn as a picture with its caption on top, 6 pixels lower; disabled, it shows
/// its other picture.
class PictureButton : public widgets::CaptionButton {
    Q_OBJECT
public:
    /// `caption` marks its mnemonic with "&" ("&Calculate").
    PictureButton(const QString& caption, QWidget* parent);
    QLabel* picture() const { return static_cast<QLabel*>(pictureWidget()); }
    void setLooks(const QPixmap& enabledLook, const QPixmap& disabledLook);
    void moveHome(int left, int top) { CaptionButton::moveHome(QPoint(left, top)); }

protected:
    void changeEvent(QEvent* event) override;

private:
    QPixmap m_enabledLook, m_disabledLook;
};

} // namespace corvane::mainwin
