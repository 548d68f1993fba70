#include "FitQuality.h"

#include <algorithm>
#include <cmath>

namespace tovarin {
namespace {

// s^2 (J^T J)^-1 by the adjugate of the symmetric 3 x 3 normal matrix; empty
// when that matrix is singular or anything is not finite.
std::optional<CoefficientUncertainty> Uncertainty(const MeasurementSet& set,
                                                  const KingCoefficients& k, double s2)
{
    double n[3][3] = {};
    for (int i = 0; i < set.rowCount; ++i) {
        const double flow = set.flowGs[static_cast<std::size_t>(i)];
        const double power = std::pow(flow, k.c);
        const double j[3] = {1.0, power, flow == 0.0 ? 0.0 : k.b * power * std::log(flow)};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                n[r][c] += j[r] * j[c];
    }
    const double adj[3][3] = {
        {n[1][1] * n[2][2] - n[1][2] * n[2][1], n[0][2] * n[2][1] - n[0][1] * n[2][2],
         n[0][1] * n[1][2] - n[0][2] * n[1][1]},
        {n[1][2] * n[2][0] - n[1][0] * n[2][2], n[0][0] * n[2][2] - n[0][2] * n[2][0],
         n[0][2] * n[1][0] - n[0][0] * n[1][2]},
        {n[1][0] * n[2][1] - n[1][1] * n[2][0], n[0][1] * n[2][0] - n[0][0] * n[2][1],
         n[0][0] * n[1][1] - n[0][1] * n[1][0]}};
    const double det = n[0][0] * adj[0][0] + n[0][1] * adj[1][0] + n[0][2] * adj[2][0];
    if (!(det != 0.0) || !std::isfinite(det))
        return std::nullopt;
    CoefficientUncertainty u;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            u.covariance[r][c] = s2 * adj[r][c] / det;
    const auto& v = u.covariance;
    if (!(v[0][0] > 0.0 && v[1][1] > 0.0 && v[2][2] > 0.0))
        return std::nullopt;
    u.a = std::sqrt(v[0][0]);
    u.b = std::sqrt(v[1][1]);
    u.c = std::sqrt(v[2][2]);
    u.ab = v[0][1] / (u.a * u.b);
    u.ac = v[0][2] / (u.a * u.c);
    u.bc = v[1][2] / (u.b * u.c);
    const bool finite = std::isfinite(u.a) && std::isfinite(u.b) && std::isfinite(u.c) &&
                        std::isfinite(u.ab) && std::isfinite(u.ac) && std::isfinite(u.bc);
    return finite ? std::optional(u) : std::nullopt;
}

} // namespace

FitQuality AssessFit(const Reduction& lastRun, double idleFlowGs)
{
    FitQuality quality;
    quality.idleFlowGs = idleFlowGs;
    const MeasurementSet& set = lastRun.set;
    const KingCoefficients& k = lastRun.coefficients;
    if (!lastRun.outcome.fitted || set.rowCount < kMinFitRows)
        return quality;
    const int n = set.rowCount;
    // The fitted responses of another model are its inverse at the rows'
    // flows; its degrees of freedom are the rows less its parameters.
    const bool king = lastRun.model.kind == ModelKind::King;
    quality.dof = king ? n - kMinFitRows : std::max(n - ChosenModel(lastRun).ParameterCount(), 0);
    double sum = 0.0, ssr = 0.0;
    for (int i = 0; i < n; ++i) {
        const auto row = static_cast<std::size_t>(i);
        const double fitted = king ? KingResponse(set.flowGs[row], k) : set.fittedResponse[row];
        const double flowError = PercentError(FlowAt(lastRun, set.response[row]), set.flowGs[row]);
        RowErrors errors{PercentError(set.response[row], fitted), std::nullopt};
        if (set.flowGs[row] != 0.0 && std::isfinite(flowError))
            errors.flowErrorPct = flowError;
        KeepLargest(quality.maxResponseError, errors.responseErrorPct, i);
        if (errors.flowErrorPct && set.flowGs[row] >= idleFlowGs)
            KeepLargest(quality.maxFlowError, *errors.flowErrorPct, i);
        quality.rows.push_back(errors);
        sum += set.response[row];
        ssr += (set.response[row] - fitted) * (set.response[row] - fitted);
    }
    double sst = 0.0;
    for (int i = 0; i < n; ++i) {
        const double d = set.response[static_cast<std::size_t>(i)] - sum / n;
        sst += d * d;
    }
    if (quality.dof > 0 && std::isfinite(ssr))
        quality.rmsResidual = std::sqrt(ssr / quality.dof);
    if (sst > 0.0 && std::isfinite(ssr))
        quality.rSquared = 1.0 - ssr / sst;
    if (king && lastRun.outcome.mode == FitMode::NonLinear && quality.dof > 0 && std::isfinite(ssr))
        quality.uncertainty = Uncertainty(set, k, ssr / quality.dof);
    return quality;
}

} // namespace tovarin
