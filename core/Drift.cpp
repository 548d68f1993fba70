#include "Drift.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>

namespace tovarin {

namespace {

// Narrows [low, high] to the responses where `k` gives a finite flow of at
// least `idleFlowGs`: the flow rises with the response when b * c > 0, so
// the bound is the response at the idle flow, a + b * idle^c. False when
// nothing is left.
bool KeepIdleAndAbove(const KingCoefficients& k, double idleFlowGs, double& low, double& high)
{
    if (!AllFinite(k) || k.b == 0.0 || k.c == 0.0)
        return false;
    const double atIdle = KingResponse(idleFlowGs, k);
    if (k.b * k.c > 0.0)
        low = std::max(low, atIdle);
    else
        high = std::min(high, atIdle);
    return low < high && std::isfinite(KingFlow(low, k)) && std::isfinite(KingFlow(high, k));
}

} // namespace

DriftResult CompareCalibrations(const CalibrationCurve& now, const CalibrationCurve& previous,
                                double idleFlowGs)
{
    if (now.responseKind != previous.responseKind)
        return {std::nullopt, "the previous calibration measured another kind of response"};
    double low = std::max(now.responseMin, previous.responseMin);
    double high = std::min(now.responseMax, previous.responseMax);
    if (!(low < high))
        return {std::nullopt,
                "the measured response ranges of the two calibrations do not overlap"};
    Drift drift;
    drift.idleFlowGs = idleFlowGs;
    if (!KeepIdleAndAbove(previous.k, idleFlowGs, low, high) ||
        !KeepIdleAndAbove(now.k, idleFlowGs, low, high))
        return {drift, ""}; // nothing comparable: no points
    for (int i = 0; i < kDriftPoints; ++i) {
        const double r = low + (high - low) * i / (kDriftPoints - 1.0);
        const double before = KingFlow(r, previous.k);
        const DriftPoint point{r, PercentError(KingFlow(r, now.k), before)};
        drift.points.push_back(point);
        if (std::isfinite(point.changePct) &&
            (!drift.largest ||
             !(std::fabs(point.changePct) <= std::fabs(drift.largest->changePct))))
            drift.largest = point;
    }
    return {drift, ""};
}

Check DriftCheck(const Drift& drift, double maxPct)
{
    if (!drift.largest) // nothing to judge is no pass
        return {"drift", false,
                FormatC("no response where both calibrations give a flow of at least %g g/s",
                        drift.idleFlowGs)};
    return {"drift", std::fabs(drift.largest->changePct) <= maxPct,
            FormatC("largest flow change %+.3g %% at %.4g (limit %g %%)", drift.largest->changePct,
                    drift.largest->response, maxPct)};
}

} // namespace tovarin
