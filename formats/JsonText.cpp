#include "JsonText.h"

#include "NumberText.h"
#include "Utf8.h"

#include <charconv>
#include <cmath>

namespace tovarin {

std::string JsonNumber(double value)
{
    if (!std::isfinite(value))
        return "null";
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value); // shortest exact
    return ec == std::errc() ? std::string(buffer, end) : "null";
}

std::string JsonNumber(const std::optional<double>& value)
{
    return value ? JsonNumber(*value) : "null";
}

std::string JsonInt(const std::optional<int>& value)
{
    return value ? std::to_string(*value) : "null";
}

void AppendNumberMember(std::string& json, const char* key, const std::optional<double>& value,
                        bool first)
{
    if (!first)
        json += ", ";
    json += '"';
    json += key;
    json += "\": ";
    char buffer[32];
    const auto [end, ec] = value && std::isfinite(*value)
                               ? std::to_chars(buffer, buffer + sizeof buffer, *value)
                               : std::to_chars_result{buffer, std::errc::value_too_large};
    if (ec == std::errc())
        json.append(buffer, end);
    else
        json += "null";
}

std::string JsonString(const std::string& given)
{
    // A JSON text is UTF-8 (RFC 8259); invalid bytes become U+FFFD.
    const std::string repaired = IsValidUtf8(given) ? std::string() : ToValidUtf8(given);
    const std::string& text = repaired.empty() ? given : repaired;
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    std::size_t plain = 0; // where the run of characters that need no escape starts
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte != '"' && byte != '\\')
            continue;
        quoted.append(text, plain, i - plain);
        quoted += byte < 0x20 ? FormatC("\\u%04x", byte) : std::string{'\\', text[i]};
        plain = i + 1;
    }
    quoted.append(text, plain);
    quoted += '"';
    return quoted;
}

} // namespace tovarin
