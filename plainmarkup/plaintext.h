// \brief The characters the mark-up renderer draws for a text, worked out without a surface:
// "V_S_B" is "VSB", "&alfa" is "α", "1.8&E-5" is "1.8E–5".
#pragma once

#include <string>
#include <string_view>

namespace corvane::markup {

/// The drawn characters of a mark-up text (UTF-8), as DrawMarkup reports them; empty when a
/// font form without its ":" ends the drawing.
std::string PlainMarkup(std::string_view text);

} // namespace corvane::markup
