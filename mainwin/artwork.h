// \brief The program's pictures, drawn when the window is built: the 39 quantity symbols,
// the task tabs and the three buttons.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

namespace corvane::mainwin {

inline constexpr int SymbolPictureCount = 39;

/// The mark-up of symbol picture n ("C_a =", "[H_2A^–] =", "&alfa =" ...).
QString SymbolMarkup(int n);

/// Symbol picture n (ImgBOX(n)) drawn with DrawMarkup on the field panel's colour.
QPixmap SymbolPicture(int n);

/// A mark-up text drawn with DrawMarkup in 10 point Arial, as wide as it needs, `height`
/// pixels high and centred vertically.
QPixmap MarkupPicture(const QString& text, const QColor& background, const QColor& color,
                      int height);

/// The task tab background, for the chosen task (on) and the others.
QPixmap TabPicture(bool on, int width, int height);

/// A button background; the Graphic button's disabled look is `enabled` false.
QPixmap ButtonPicture(bool enabled, int width, int height);

} // namespace corvane::mainwin
