// \brief A button drawn as a caption over a picture that is a widget of its own: the caption
// takes the clicks and, from Tab, the keyboard focus (Space or Enter press it); caption and
// picture move one pixel down and right while it is pressed.
#pragma once

#include <QAbstractButton>

namespace corvane::widgets {

class CaptionButton : public QAbstractButton {
    Q_OBJECT
public:
    /// The caption sits `captionDrop` pixels below the picture's top, drawn with `alignment`;
    /// "&" in `caption` marks its Alt mnemonic.
    CaptionButton(const QString& caption, QWidget* picture, int captionDrop,
                  Qt::Alignment alignment, QWidget* parent);
    QPoint home() const { return m_home; }
    QWidget* pictureWidget() const { return m_picture; }
    /// Home position of the picture.
    void moveHome(QPoint home);
    void setVisible(bool visible) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void place(int shift);

    QWidget* m_picture;
    int m_captionDrop;
    Qt::Alignment m_alignment;
    QPoint m_home;
};

} // namespace corvane::widgets
