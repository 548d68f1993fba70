#pragma once
// A previous calibration read from its file and compared with this run.

#include "Drift.h"

#include <optional>
#include <string>

namespace tovarin {

// Reads `path` and compares this run with it over flows of at least
// `idleFlowGs`; empty with `error` set (the file's problem, or why the two
// cannot be compared).
std::optional<Drift> CompareWithPrevious(const std::string& path, const Reduction& run,
                                         double idleFlowGs, std::string& error);

} // namespace tovarin
