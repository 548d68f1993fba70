#include "ModelComparison.h"

#include "ModelFits.h"
#include "NumberText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace tovarin {
namespace {

constexpr int kMonotonicSamples = 1001;
constexpr int kMinPolyOrder = 3, kMaxPolyOrder = 5;

struct ChoiceInfo
{
    ModelChoice choice;
    const char* name;
};
constexpr ChoiceInfo kChoices[] = {{ModelChoice::King, "king"},
                                   {ModelChoice::KingOffset, "king-offset"},
                                   {ModelChoice::Poly, "poly"},
                                   {ModelChoice::Monotone, "monotone"},
                                   {ModelChoice::Best, "best"}};

// The rows in use as spans, and the same rows without one of them.
struct RowData
{
    std::vector<double> flowGs, response;
    Rows All() const { return {flowGs, response}; }
};

RowData RowsOf(const MeasurementSet& set, int leftOut = -1)
{
    RowData data;
    for (int i = 0; i < set.rowCount; ++i) {
        if (i == leftOut)
            continue;
        data.flowGs.push_back(set.flowGs[static_cast<std::size_t>(i)]);
        data.response.push_back(set.response[static_cast<std::size_t>(i)]);
    }
    return data;
}

bool Judged(const MeasurementSet& set, int row, double idleFlowGs)
{
    return set.flowGs[static_cast<std::size_t>(row)] >= idleFlowGs;
}

} // namespace

std::optional<LargestError> InSampleFlowError(const MeasurementSet& set, const FlowModel& model,
                                              double idleFlowGs)
{
    std::optional<LargestError> largest;
    for (int i = 0; i < set.rowCount; ++i) {
        const auto row = static_cast<std::size_t>(i);
        if (Judged(set, i, idleFlowGs))
            KeepLargest(largest, PercentError(ModelFlow(model, set.response[row]), set.flowGs[row]),
                        i);
    }
    return largest;
}

namespace {

// `refit` fits the rows without one; the first and last rows in use are never
// left out. A refit that fails predicts nothing: the error is then undefined
// and `failedRow` names the row.
std::optional<LargestError> LeaveOneOutError(const MeasurementSet& set, double idleFlowGs,
                                             const std::function<ModelFit(Rows)>& refit,
                                             std::optional<int>& failedRow)
{
    std::optional<LargestError> largest;
    for (int i = 1; i + 1 < set.rowCount; ++i) {
        if (!Judged(set, i, idleFlowGs))
            continue;
        const auto row = static_cast<std::size_t>(i);
        const ModelFit fit = refit(RowsOf(set, i).All());
        const double pct = PercentError(ModelFlow(fit.model, set.response[row]), set.flowGs[row]);
        if (!fit.converged || !std::isfinite(pct)) {
            failedRow = i;
            return std::nullopt;
        }
        KeepLargest(largest, pct, i);
    }
    return largest;
}

// The leave-one-out error into `m`, and why it is not eligible when a refit failed.
void CrossValidate(ModelAssessment& m, const MeasurementSet& set, double idleFlowGs,
                   const std::function<ModelFit(Rows)>& refit)
{
    std::optional<int> failedRow;
    m.looMaxFlowError = LeaveOneOutError(set, idleFlowGs, refit, failedRow);
    if (failedRow && m.eligible) {
        m.eligible = false;
        m.why = "the fit without row " + std::to_string(*failedRow) + " failed";
    }
}

std::optional<double> Aicc(const MeasurementSet& set, const FlowModel& model, double idleFlowGs)
{
    int n = 0;
    double rss = 0.0;
    for (int i = 0; i < set.rowCount; ++i) {
        const auto row = static_cast<std::size_t>(i);
        if (!Judged(set, i, idleFlowGs) || !(set.flowGs[row] > 0.0))
            continue;
        const double r = (ModelFlow(model, set.response[row]) - set.flowGs[row]) / set.flowGs[row];
        rss += r * r;
        ++n;
    }
    const int k = model.ParameterCount();
    if (n - k - 1 <= 0 || !(rss > 0.0) || !std::isfinite(rss))
        return std::nullopt;
    return n * std::log(rss / n) + 2.0 * k + 2.0 * k * (k + 1.0) / (n - k - 1.0);
}

bool Monotonic(const FlowModel& model, double low, double high)
{
    double previous = -std::numeric_limits<double>::infinity();
    for (int i = 0; i < kMonotonicSamples; ++i) {
        const double r = low + (high - low) * i / (kMonotonicSamples - 1.0);
        const double q = ModelFlow(model, r);
        // Rounding of a flat stretch is not a fall.
        if (!std::isfinite(q) || q < previous - 1e-12 * std::fabs(previous))
            return false;
        previous = std::max(previous, q);
    }
    return true;
}

// The row whose response does not rise above the one before, if any.
std::optional<int> FirstNotRising(const MeasurementSet& set)
{
    for (int i = 1; i < set.rowCount; ++i)
        if (!(set.response[static_cast<std::size_t>(i)] >
              set.response[static_cast<std::size_t>(i - 1)]))
            return i;
    return std::nullopt;
}

ModelAssessment Made(const ModelFit& fit)
{
    ModelAssessment m;
    m.model = fit.model;
    m.made = true;
    m.converged = fit.converged;
    return m;
}

// Everything but the leave-one-out error, which each model's refit gives.
void Judge(ModelAssessment& m, const MeasurementSet& set, const ModelSettings& settings, double low,
           double high)
{
    m.maxFlowError = InSampleFlowError(set, m.model, settings.idleFlowGs);
    if (m.model.kind != ModelKind::Monotone)
        m.aicc = Aicc(set, m.model, settings.idleFlowGs);
    m.monotonic = Monotonic(m.model, low, high);
    if (!m.converged)
        m.why = m.model.kind == ModelKind::King || m.model.kind == ModelKind::KingOffset
                    ? "the fit did not converge"
                    : "a parameter is not finite";
    else if (!m.monotonic)
        m.why = "its flow is not finite and non-decreasing over the measured and table responses";
    m.eligible = m.why.empty();
}

double Magnitude(const std::optional<LargestError>& e)
{
    return e ? std::fabs(e->pct) : std::numeric_limits<double>::infinity();
}

ModelAssessment AssessPoly(const MeasurementSet& set, const ModelSettings& settings, double low,
                           double high)
{
    ModelAssessment best;
    best.model.kind = ModelKind::Poly;
    best.why = "needs at least 6 rows in use";
    for (int order = kMinPolyOrder; order <= kMaxPolyOrder && set.rowCount >= order + 3; ++order) {
        const std::optional<ModelFit> fit = FitPoly(RowsOf(set).All(), order, settings.idleFlowGs);
        if (!fit)
            continue;
        ModelAssessment m = Made(*fit);
        Judge(m, set, settings, low, high);
        CrossValidate(m, set, settings.idleFlowGs, [&](Rows rows) {
            return FitPoly(rows, order, settings.idleFlowGs).value_or(ModelFit{});
        });
        if (!m.monotonic)
            m.why = "no order of 3 to 5 is monotonic over the measured and table responses";
        // A monotonic order beats any other; then the smaller leave-one-out error.
        const bool better = !best.made || (m.monotonic && !best.monotonic) ||
                            (m.monotonic == best.monotonic &&
                             Magnitude(m.looMaxFlowError) < Magnitude(best.looMaxFlowError));
        if (better)
            best = m;
    }
    return best;
}

} // namespace

std::optional<ModelChoice> ModelChoiceNamed(std::string_view name)
{
    for (const ChoiceInfo& info : kChoices)
        if (name == info.name)
            return info.choice;
    return std::nullopt;
}

const char* ModelChoiceName(ModelChoice choice)
{
    return kChoices[static_cast<std::size_t>(choice)].name;
}

ModelComparison CompareModels(const MeasurementSet& set, const KingCoefficients& king,
                              const FitOutcome& kingOutcome, const ModelSettings& settings)
{
    const auto [measuredLow, measuredHigh] =
        std::minmax_element(set.response.begin(), set.response.begin() + std::max(set.rowCount, 1));
    const double low = std::min(*measuredLow, settings.tableLow);
    const double high = std::max(*measuredHigh, settings.tableHigh);
    const double idle = settings.idleFlowGs;
    ModelComparison c;

    ModelAssessment& k = c.models[0];
    k.model.king = king;
    k.made = kingOutcome.fitted;
    k.converged = kingOutcome.converged && AllFinite(king);
    Judge(k, set, settings, low, high);
    const FitMode mode = ChooseFitMode(set);
    CrossValidate(k, set, idle, [&](Rows rows) { return RefitKing(rows, mode, king); });

    ModelAssessment& o = c.models[1];
    double smallest = 0.0; // q0 starts at 1 % of the smallest flow above zero
    for (int i = set.rowCount - 1; i >= 0; --i)
        if (set.flowGs[static_cast<std::size_t>(i)] > 0.0)
            smallest = set.flowGs[static_cast<std::size_t>(i)];
    const ModelFit offset = FitKingOffset(RowsOf(set).All(), king, 0.01 * smallest);
    o = Made(offset);
    Judge(o, set, settings, low, high);
    CrossValidate(o, set, idle, [&](Rows rows) {
        return FitKingOffset(rows, offset.model.king, offset.model.q0);
    });

    const std::optional<int> notRising = FirstNotRising(set);
    for (const ModelKind kind : {ModelKind::Poly, ModelKind::Monotone}) {
        ModelAssessment& m = c.models[static_cast<std::size_t>(kind)];
        if (notRising) {
            m.model.kind = kind;
            m.why = "the response of row " + std::to_string(*notRising) +
                    " does not rise above the row before it";
        } else if (kind == ModelKind::Poly) {
            m = AssessPoly(set, settings, low, high);
        } else {
            const ModelFit fit = FitMonotone(RowsOf(set).All());
            m = Made(fit);
            Judge(m, set, settings, low, high);
            CrossValidate(m, set, idle, FitMonotone);
        }
    }
    return c;
}

ModelKind BestModel(const ModelComparison& comparison)
{
    double smallest = std::numeric_limits<double>::infinity();
    for (const ModelAssessment& m : comparison.models)
        if (m.eligible)
            smallest = std::min(smallest, Magnitude(m.looMaxFlowError));
    if (!std::isfinite(smallest))
        return ModelKind::King;
    const ModelAssessment* chosen = nullptr;
    for (const ModelAssessment& m : comparison.models)
        if (m.eligible && Magnitude(m.looMaxFlowError) <= smallest + kBestTiePoints &&
            (!chosen || m.model.ParameterCount() < chosen->model.ParameterCount()))
            chosen = &m;
    return chosen->model.kind;
}

std::optional<std::string> BetterModelHint(const ModelComparison& comparison, ModelKind chosen,
                                           const MeasurementSet& set, double maxFlowErrorPct)
{
    const auto passes = [&](const ModelAssessment& m) {
        const std::optional<LargestError> e = JudgedFlowError(m);
        return e && std::fabs(e->pct) <= maxFlowErrorPct;
    };
    const ModelAssessment& now = comparison.Of(chosen);
    const std::optional<LargestError> miss = JudgedFlowError(now);
    if (!miss || passes(now))
        return std::nullopt;
    const ModelAssessment* better = nullptr;
    for (const ModelAssessment& m : comparison.models)
        if (m.model.kind != chosen && m.eligible && m.looMaxFlowError && passes(m) &&
            (!better || Magnitude(m.looMaxFlowError) < Magnitude(better->looMaxFlowError)))
            better = &m;
    if (!better)
        return std::nullopt;
    std::string title = ModelTitle(chosen);
    title[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(title[0])));
    const char* name = ModelName(better->model.kind);
    return title + FormatC(" misses by %+.1f %% at %.3g g/s; %s predicts within %.1f %% "
                           "(leave-one-out): --model %s",
                           miss->pct, set.flowGs[static_cast<std::size_t>(miss->row)], name,
                           std::fabs(better->looMaxFlowError->pct), name);
}

std::optional<LargestError> JudgedFlowError(const ModelAssessment& assessment)
{
    return assessment.model.kind == ModelKind::Monotone ? assessment.looMaxFlowError
                                                        : assessment.maxFlowError;
}

} // namespace tovarin
