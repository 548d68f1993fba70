#pragma once
// Text inside HTML and SVG: `&`, `<`, `>` and `"` as character references,
// every other character unchanged; a byte that is not valid UTF-8 becomes
// U+FFFD, as the pages declare UTF-8.

#include "Utf8.h"

#include <string>

namespace tovarin {

inline std::string EscapeMarkup(const std::string& given)
{
    const std::string text = IsValidUtf8(given) ? given : ToValidUtf8(given);
    std::string escaped;
    escaped.reserve(text.size());
    for (const char ch : text) {
        switch (ch) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += ch;
        }
    }
    return escaped;
}

} // namespace tovarin
