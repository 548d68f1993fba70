#pragma once
// JSON values as the command prints them: numbers at full round-trip
// precision (null when not finite or absent), strings escaped and made valid
// UTF-8 (an invalid byte as U+FFFD).

#include <optional>
#include <string>

namespace tovarin {

std::string JsonNumber(double value);
std::string JsonNumber(const std::optional<double>& value);
std::string JsonInt(const std::optional<int>& value);
std::string JsonString(const std::string& text);

// Appends `"key": number` to `json`, after ", " unless `first`: the long
// arrays of a run's JSON are built in place, without a string per number.
void AppendNumberMember(std::string& json, const char* key, const std::optional<double>& value,
                        bool first = false);

} // namespace tovarin
