// \brief Text that JSON readers accept: command-line bytes made into well-formed UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace corvane::cli {

/// `text` with every byte that is not part of a well-formed UTF-8 sequence (a stray or
/// missing continuation byte, an overlong form, a surrogate, a code point above U+10FFFF)
/// replaced by U+FFFD, the replacement character.
std::string ValidUtf8(std::string_view text);

} // namespace corvane::cli
