#include "Drift.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>

namespace tovarin {

DriftResult CompareCalibrations(const CalibrationCurve& now, const CalibrationCurve& previous)
{
    if (now.responseKind != previous.responseKind)
        return {std::nullopt, "the previous calibration measured another kind of response"};
    const double low = std::max(now.responseMin, previous.responseMin);
    const double high = std::min(now.responseMax, previous.responseMax);
    if (!(low < high))
        return {std::nullopt,
                "the measured response ranges of the two calibrations do not overlap"};
    Drift drift;
    for (int i = 0; i < kDriftPoints; ++i) {
        const double r = low + (high - low) * i / (kDriftPoints - 1.0);
        const double before = KingFlow(r, previous.k);
        const DriftPoint point{r, PercentError(KingFlow(r, now.k), before)};
        drift.points.push_back(point);
        if (std::isfinite(point.changePct) &&
            (i == 0 || !(std::fabs(point.changePct) <= std::fabs(drift.largest.changePct))))
            drift.largest = point;
    }
    return {drift, ""};
}

Check DriftCheck(const Drift& drift, double maxPct)
{
    return {"drift", std::fabs(drift.largest.changePct) <= maxPct,
            FormatC("largest flow change %+.3g %% at %.4g (limit %g %%)", drift.largest.changePct,
                    drift.largest.response, maxPct)};
}

} // namespace tovarin
