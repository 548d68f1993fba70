#pragma once
// Text inside HTML and SVG: `&`, `<`, `>` and `"` as character references,
// every other byte unchanged (UTF-8 passes through).

#include <string>

namespace tovarin {

inline std::string EscapeMarkup(const std::string& text)
{
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
