#pragma once
// A previous calibration for the drift, read back from what the command
// wrote: a `--json` object, or a calibration record with that object
// embedded (files written before the fit's start was named "default" say
// "specified" there, which the reader does not need). The drift's printed
// forms sit beside it.

#include "Drift.h"
#include "Reduce.h"

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
CalibrationCurve CurveOf(const Reduction& run);

// `, "drift": {"previous", "points", "maxDriftPct", "atResponse"}`
std::string DriftJson(const Drift& drift, const std::string& previous);

// "Drift:        largest flow change +3.00 % at 2.5 against FILE"
std::string DriftLine(const Drift& drift, const std::string& previous);

} // namespace tovarin
