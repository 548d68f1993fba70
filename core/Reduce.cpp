#include "Reduce.h"

#include <algorithm>

namespace tovarin {

Reduction Reduce(const RunInput& input)
{
    Reduction reduction;
    MeasurementSet& set = reduction.set;
    static_cast<RunInput&>(set) = input;
    BuildRows(set);
    reduction.tableEnd = set.rowCount == kMaxRows ? TableEnd::AllRows : TableEnd::FlowNotGreater;
    if (set.rowCount < kMinFitRows)
        return reduction;
    reduction.outcome = FitKing(set, reduction.coefficients);
    for (std::size_t row = 0; row < static_cast<std::size_t>(set.rowCount); ++row)
        set.fittedResponse[row] = KingResponse(set.flowGs[row], reduction.coefficients);
    return reduction;
}

Reduction CarryLastFit(Reduction now, const Reduction& lastFit)
{
    if (now.outcome.fitted)
        return now;
    now.coefficients = lastFit.coefficients;
    now.outcome = lastFit.outcome;
    now.set.fittedResponse = lastFit.set.fittedResponse;
    return now;
}

bool HasUsableFit(const Reduction& reduction)
{
    return reduction.outcome.fitted && AllFinite(reduction.coefficients);
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
