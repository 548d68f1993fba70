#pragma once
// A small JSON reader for what the command reads back: a previous `--json`
// object or the one embedded in a calibration record. Strict RFC 8259 values,
// nesting limited to 64 levels; numbers as doubles.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovarin {

struct JsonValue
{
    enum class Type
    {
        Null,
        Bool,
        Number,
        String,
        Array,
        Object
    };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;
    std::vector<JsonValue> items;  // of an array, or the values of an object's members
    std::vector<std::string> keys; // of an object's members, in the order of `items`

    // The member named `key` of an object; null when absent or not an object.
    const JsonValue* Find(std::string_view key) const;
};

// The value, when `text` is exactly one JSON value (white space around it allowed).
std::optional<JsonValue> ParseJson(std::string_view text);

} // namespace tovarin
