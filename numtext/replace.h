// \brief Left-to-right, non-overlapping replacement of every occurrence.
#pragma once

#include <string>
#include <string_view>

namespace corvane::numtext {

inline std::string ReplaceAll(const std::string& text, std::string_view from, std::string_view to) {
    std::string result;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(from, start)) != std::string::npos;
         start = at + from.size())
        result.append(text, start, at - start).append(to);
    return result.append(text, start);
}

} // namespace corvane::numtext
