#include "ModelUncertainty.h"

#include "ModelFits.h"

#include <cmath>

namespace tovarin {
namespace {

constexpr double kRelativeStep = 1e-6; // of the measured response span

std::vector<double> TableResponses(const MeasurementSet& set)
{
    const auto [low, high] = MeasuredResponseRange(set);
    std::vector<double> responses;
    for (int i = 0; i < kUncertaintyPoints; ++i)
        responses.push_back(low + (high - low) * i / (kUncertaintyPoints - 1.0));
    return responses;
}

std::vector<FlowUncertainty> Interpolant(const Reduction& lastRun)
{
    const ModelAssessment* chosen = ChosenAssessment(lastRun);
    if (!chosen || !chosen->looMaxFlowError)
        return {};
    const double halfWidth = std::fabs(chosen->looMaxFlowError->pct);
    const double k = 0.95 * std::sqrt(3.0);
    std::vector<FlowUncertainty> table;
    for (const double r : TableResponses(lastRun.set)) {
        const double q = FlowAt(lastRun, r);
        table.push_back({r, q, 0.95 * halfWidth / 100.0 * q, 0.95 * halfWidth, k});
    }
    return table;
}

} // namespace

std::vector<FlowUncertainty> ModelFlowUncertaintyTable(const Reduction& lastRun,
                                                       const FitQuality& quality)
{
    const FlowModel& model = lastRun.model;
    if (model.kind == ModelKind::Monotone)
        return Interpolant(lastRun);
    const double t = CoverageFactor(quality.dof);
    if (!quality.rmsResidual || t == 0.0)
        return {};
    const MeasurementSet& set = lastRun.set;
    const auto n = static_cast<std::size_t>(set.rowCount);
    const auto [low, high] = MeasuredResponseRange(set);
    const double h = kRelativeStep * (high - low);
    const std::vector<double> flows(set.flowGs.begin(), set.flowGs.begin() + n);
    std::vector<double> responses(set.response.begin(), set.response.begin() + n);
    const std::vector<double> at = TableResponses(set);
    std::vector<double> sumSquares(at.size(), 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        const double measured = responses[i];
        std::optional<ModelFit> fits[2];
        for (int side = 0; side < 2; ++side) {
            responses[i] = measured + (side == 0 ? h : -h);
            fits[side] = RefitModel(model, {flows, responses}, quality.idleFlowGs);
        }
        responses[i] = measured;
        if (!fits[0] || !fits[1] || !fits[0]->converged || !fits[1]->converged)
            return {};
        for (std::size_t j = 0; j < at.size(); ++j) {
            const double g =
                (ModelFlow(fits[0]->model, at[j]) - ModelFlow(fits[1]->model, at[j])) / (2 * h);
            sumSquares[j] += g * g;
        }
    }
    std::vector<FlowUncertainty> table;
    for (std::size_t j = 0; j < at.size(); ++j) {
        const double q = FlowAt(lastRun, at[j]);
        const double expanded = t * *quality.rmsResidual * std::sqrt(sumSquares[j]);
        if (!std::isfinite(expanded))
            return {};
        table.push_back({at[j], q, expanded, expanded / q * 100.0, t});
    }
    return table;
}

} // namespace tovarin
