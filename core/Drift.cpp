#include "Drift.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>

namespace tovarin {

namespace {

// Narrows [low, high] to the responses where `model` gives a finite flow of
// at least `idleFlowGs`. For King's equation (with or without its offset) the
// flow rises with the response when b * c > 0, so the bound is the response
// at the idle flow, a + b * (idle + q0)^c; the models of Q(R) do not fall, so
// the bound is the first response that reaches the idle flow. False when
// nothing is left.
bool KeepIdleAndAbove(const FlowModel& model, double idleFlowGs, double& low, double& high)
{
    const KingCoefficients& k = model.king;
    if (model.kind == ModelKind::King || model.kind == ModelKind::KingOffset) {
        if (!AllFinite(k) || k.b == 0.0 || k.c == 0.0)
            return false;
        const double atIdle = ModelResponse(model, idleFlowGs, low, high);
        if (k.b * k.c > 0.0)
            low = std::max(low, atIdle);
        else
            high = std::min(high, atIdle);
    } else if (ModelFlow(model, low) < idleFlowGs) {
        low = ModelResponse(model, idleFlowGs, low, high);
    }
    return low < high && std::isfinite(ModelFlow(model, low)) &&
           std::isfinite(ModelFlow(model, high));
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
    if (!KeepIdleAndAbove(previous.model, idleFlowGs, low, high) ||
        !KeepIdleAndAbove(now.model, idleFlowGs, low, high))
        return {drift, ""}; // nothing comparable: no points
    for (int i = 0; i < kDriftPoints; ++i) {
        const double r = low + (high - low) * i / (kDriftPoints - 1.0);
        const double before = ModelFlow(previous.model, r);
        const DriftPoint point{r, PercentError(ModelFlow(now.model, r), before)};
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
