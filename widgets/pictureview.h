// \brief A window picture: a widget showing the persistent image of a PictureSurface.
#pragma once

#include "markup/surface.h"

#include <QWidget>

namespace corvane::widgets {

class PictureView : public QWidget {
public:
    PictureView(int width, int height, const QColor& background, QWidget* parent);
    markup::PictureSurface& surface() { return m_surface; }
    /// Resizes widget and picture together; the picture is cleared.
    void setPictureSize(int width, int height);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    markup::PictureSurface m_surface;
};

} // namespace corvane::widgets
