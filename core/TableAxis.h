#pragma once
// The axis of a table with explicit or placed breakpoints, for a controller
// that reads its breakpoints from a table of their own: each breakpoint x
// the axis scale (1000 for millivolts), made a word of the table's type as
// the flows are (TableWords.h).

#include "OutputParameters.h"

#include <optional>
#include <string>
#include <vector>

namespace tovarin {

std::vector<TableWord> AxisWords(const OutputParameters& output);

// Why the axis cannot be written: a word beyond its type, or two breakpoints
// that round to the same word, so that the controller's axis would not rise.
std::optional<std::string> AxisProblem(const OutputParameters& output);

} // namespace tovarin
