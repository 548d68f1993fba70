#pragma once
// The drift of a sensor between two calibrations: at 50 evenly spaced
// responses across the part of the overlap of both calibrations' measured
// response ranges where both give a finite flow of at least the idle flow,
// the flow change (Q_now - Q_prev) / Q_prev * 100 at the same response.

#include "FitQuality.h"
#include "FlowModel.h"
#include "Reduce.h"
#include "TableCheck.h"

#include <optional>
#include <string>
#include <vector>

namespace tovarin {

// What a drift needs of one calibration.
struct CalibrationCurve
{
    std::optional<ResponseKind> responseKind = ResponseKind::Volts;
    FlowModel model;                             // the calibration's chosen model
    double responseMin = 0.0, responseMax = 0.0; // of the measured rows
};

inline constexpr int kDriftPoints = 50; // responses compared, both ends included

struct DriftPoint
{
    double response = 0.0;
    double changePct = 0.0;
};

struct Drift
{
    std::vector<DriftPoint> points;    // 50, or none where nothing is comparable
    std::optional<DriftPoint> largest; // signed change of largest magnitude
    double idleFlowGs = kDefaultIdleFlowGs;
};

// The drift, or the reason there is none: different response kinds, or
// ranges that do not overlap.
struct DriftResult
{
    std::optional<Drift> drift;
    std::string error;
};

DriftResult CompareCalibrations(const CalibrationCurve& now, const CalibrationCurve& previous,
                                double idleFlowGs = kDefaultIdleFlowGs);

// The "drift" check: the largest change within `maxPct` (the limit passes).
Check DriftCheck(const Drift& drift, double maxPct);

} // namespace tovarin
