#pragma once
// A list of table breakpoints as people type them: "0.5,1,2.25" on the
// command line and in the window, or one a line in a file (blank lines and
// CR LF ends allowed). Decimal numbers, each above the one before it.

#include <optional>
#include <string>
#include <vector>

namespace tovarin {

// The breakpoints of `text`, its items separated by `separator`; the reason
// naming the offending item when it is not such a list.
std::optional<std::string> ParseBreakpointList(const std::string& text, char separator,
                                               std::vector<double>& breakpoints);

} // namespace tovarin
