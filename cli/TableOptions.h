#pragma once
// The options of the table's layout: its breakpoints, word type, scale,
// format, byte split and axis file, and the combinations they exclude.

#include "OptionValue.h"

#include <map>
#include <string>

namespace tovarin {

// The other options with the table's added.
std::map<std::string, ValueHandler> WithTableOptions(std::map<std::string, ValueHandler> options);

// The reason the table options do not go together, or with --points and the
// response range.
std::optional<std::string> CheckTableOptions(const ReduceOptions& options);

} // namespace tovarin
