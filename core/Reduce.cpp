#include "Reduce.h"

#include <algorithm>
#include <cmath>

namespace tovarin {

namespace {

bool KingPassesFlowError(const MeasurementSet& set, const KingCoefficients& k,
                         const ModelSettings& models)
{
    FlowModel king;
    king.king = k;
    const std::optional<LargestError> e = InSampleFlowError(set, king, models.idleFlowGs);
    return e && std::fabs(e->pct) <= models.maxFlowErrorPct;
}

// Responses of the rows in use at their flows, through the chosen model.
void FillFittedResponses(Reduction& reduction)
{
    MeasurementSet& set = reduction.set;
    for (std::size_t row = 0; row < static_cast<std::size_t>(set.rowCount); ++row)
        set.fittedResponse[row] = ResponseAt(reduction, set.flowGs[row]);
}

} // namespace

Reduction Reduce(const RunInput& input, const ModelSettings& models)
{
    Reduction reduction;
    MeasurementSet& set = reduction.set;
    static_cast<RunInput&>(set) = input;
    BuildRows(set);
    reduction.tableEnd = set.rowCount == kMaxRows ? TableEnd::AllRows : TableEnd::FlowNotGreater;
    if (set.rowCount < kMinFitRows)
        return reduction;
    reduction.outcome = FitKing(set, reduction.coefficients);
    if (models.choice != ModelChoice::King || models.compare ||
        !KingPassesFlowError(set, reduction.coefficients, models)) {
        reduction.comparison =
            CompareModels(set, reduction.coefficients, reduction.outcome, models);
        const ModelKind kind = models.choice == ModelChoice::Best
                                   ? BestModel(*reduction.comparison)
                                   : kModelKinds[static_cast<std::size_t>(models.choice)];
        reduction.model = reduction.comparison->Of(kind).model;
        reduction.model.kind = kind;
    }
    FillFittedResponses(reduction);
    return reduction;
}

Reduction CarryLastFit(Reduction now, const Reduction& lastFit)
{
    if (now.outcome.fitted)
        return now;
    now.coefficients = lastFit.coefficients;
    now.outcome = lastFit.outcome;
    now.set.fittedResponse = lastFit.set.fittedResponse;
    now.model = lastFit.model;
    now.comparison = lastFit.comparison;
    return now;
}

bool HasUsableFit(const Reduction& reduction)
{
    const ModelAssessment* chosen = ChosenAssessment(reduction);
    return reduction.outcome.fitted && AllFinite(reduction.coefficients) &&
           (reduction.model.kind == ModelKind::King || (chosen && chosen->made));
}

FlowModel ChosenModel(const Reduction& reduction)
{
    FlowModel model = reduction.model;
    if (model.kind == ModelKind::King)
        model.king = reduction.coefficients;
    return model;
}

double FlowAt(const Reduction& reduction, double response)
{
    return reduction.model.kind == ModelKind::King ? KingFlow(response, reduction.coefficients)
                                                   : ModelFlow(reduction.model, response);
}

double ResponseAt(const Reduction& reduction, double flowGs)
{
    if (reduction.model.kind == ModelKind::King)
        return KingResponse(flowGs, reduction.coefficients);
    // A fitted curve may reach the first or last flow just outside the
    // measured responses: search a range's width beyond them on each side.
    const ResponseRange range = MeasuredResponseRange(reduction.set);
    const double margin = range.high - range.low;
    return ModelResponse(reduction.model, flowGs, range.low - margin, range.high + margin);
}

const ModelAssessment* ChosenAssessment(const Reduction& reduction)
{
    return reduction.comparison ? &reduction.comparison->Of(reduction.model.kind) : nullptr;
}

RunMode ModeOf(const Reduction& reduction)
{
    if (reduction.set.rowCount < kMinFitRows)
        return RunMode::None;
    return ChooseFitMode(reduction.set) == FitMode::Linear ? RunMode::Linear : RunMode::NonLinear;
}

ResponseRange MeasuredResponseRange(const MeasurementSet& set)
{
    ResponseRange range{set.response[0], set.response[0]};
    for (std::size_t i = 1; i < static_cast<std::size_t>(set.rowCount); ++i) {
        range.low = std::min(range.low, set.response[i]);
        range.high = std::max(range.high, set.response[i]);
    }
    return range;
}

} // namespace tovarin
