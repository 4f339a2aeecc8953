// \brief DrawMarkup: draws one mark-up text at the surface's current position.
#pragma once

#include <QString>

namespace corvane::markup {

class DrawingSurface;

/// Draws `text` from (CurrentX, CurrentY) in the surface's font and colour and leaves CurrentX
/// where the text ends. On normal completion the entry font and colour are restored and
/// `plainText` (if given) receives the characters drawn; a "&FS", "&FN" or "&FC" without its
/// ":" ends the drawing there, leaving the font as it stands and `plainText` untouched.
void DrawMarkup(const QString& text, DrawingSurface& surface, QString* plainText = nullptr);

} // namespace corvane::markup
