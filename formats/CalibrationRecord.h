#pragma once
// The calibration record: one self-contained HTML5 page that can serve as the
// certificate. A summary gives the checks, the decision rule and what the
// uncertainty is; then it identifies the sensor, the reference and the conditions,
// lists the rows with both errors, the coefficients at full precision, the
// fit, the flow uncertainty, the checks, the drift against a previous
// calibration, and both charts as inline SVG drawn by the chart control. No
// script runs and nothing is fetched; the run's JSON object is embedded as
// data (<script type="application/json" id="tovarin-calibration">) so that a
// later reduction can read it back.

#include "Drift.h"
#include "TableCheck.h"

#include <optional>
#include <string>

namespace tovarin {

// Who, what and when: free texts as the engineer gave them.
struct RecordIdentity
{
    std::string serial{}, operatorName{}, reference{}, conditions{}, note{};
    std::string reducedAtUtc{}; // ISO 8601, "2026-12-07T10:15:00Z"
    std::string program{};      // name and version
};

// `json` is the run's JSON object; `drift` and its source when compared.
std::string FormatCalibrationRecord(const Reduction& lastRun, const Verdict& verdict,
                                    const RecordIdentity& identity, const std::string& json,
                                    const std::optional<Drift>& drift = std::nullopt,
                                    const std::string& previous = "");

// ISO 8601 UTC for a time in seconds since 1970.
std::string IsoUtc(long long secondsSinceEpoch);

} // namespace tovarin
