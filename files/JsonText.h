#pragma once
// JSON values as the command prints them: numbers at full round-trip
// precision (null when not finite or absent), strings escaped.

#include <optional>
#include <string>

namespace tovarin {

std::string JsonNumber(double value);
std::string JsonNumber(const std::optional<double>& value);
std::string JsonInt(const std::optional<int>& value);
std::string JsonString(const std::string& text);

} // namespace tovarin
