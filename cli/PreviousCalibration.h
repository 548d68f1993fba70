#pragma once
// A previous calibration for the drift: a `--json` output of the command, or a
// calibration record with that object embedded.

#include "Drift.h"
#include "Run.h"
#include "TableCheck.h"

#include <string>
#include <string_view>

namespace tovarin {

struct PreviousCalibration
{
    std::optional<CalibrationCurve> curve;
    std::string error; // why there is none
};

// From the file's text; `name` is used in the messages.
PreviousCalibration ReadPreviousCalibration(std::string_view text, const std::string& name);

// The curve of this run's fit over its measured responses.
CalibrationCurve CurveOf(const Calibration& run);

// Reads `path` and compares this run with it; empty with `error` set (the
// file's problem, or why the two cannot be compared).
std::optional<Drift> CompareWithPrevious(const std::string& path, const Calibration& run,
                                         std::string& error);

// The "drift" check: the largest change within `maxPct`.
Check DriftCheck(const Drift& drift, double maxPct);

// `, "drift": {"previous", "points", "maxDriftPct", "atResponse"}`
std::string DriftJson(const Drift& drift, const std::string& previous);

// "Drift:        largest flow change +3.00 % at 2.5 against FILE"
std::string DriftLine(const Drift& drift, const std::string& previous);

} // namespace tovarin
