#include "UncertaintyBudget.h"

#include "BudgetMonteCarlo.h"
#include "ModelFits.h"
#include "Uncertainty.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace tovarin {
namespace {

constexpr double kResponseStep = 1e-6;           // of the measured response span
constexpr double kReferenceStep = 1e-3;          // of the reference's standard uncertainty
constexpr double kNormal975 = 1.959963984540054; // the normal's 97.5 % quantile

// The standard uncertainties of the inputs at each row (half the expanded
// ones, k = 2); a zero-flow row keeps its flow.
std::vector<double> ReferenceStandard(const BudgetData& data, const BudgetInputs& inputs)
{
    std::vector<double> u(data.flows.size(), 0.0);
    if (inputs.reference)
        for (std::size_t i = 0; i < u.size(); ++i)
            if (data.flows[i] != 0.0)
                u[i] = (inputs.reference->pct / 100.0 * std::fabs(data.flows[i]) +
                        inputs.reference->abs) /
                       2.0;
    return u;
}

std::vector<double> ResponseStandard(const BudgetData& data, const BudgetInputs& inputs)
{
    std::vector<double> u(data.responses.size(), 0.0);
    if (inputs.response)
        for (std::size_t i = 0; i < u.size(); ++i)
            u[i] = (inputs.response->pct / 100.0 * std::fabs(data.responses[i]) +
                    inputs.response->abs) /
                   2.0;
    return u;
}

// dQ(r_j) / d(response of row i), and dQ(r_j) / dz of the common reference.
bool Sensitivities(BudgetData& data)
{
    const std::size_t n = data.flows.size(), points = data.at.size();
    const auto [low, high] = std::minmax_element(data.responses.begin(), data.responses.end());
    const double h = kResponseStep * (*high - *low);
    data.gradient.assign(n, std::vector<double>(points, 0.0));
    std::vector<double> responses = data.responses;
    for (std::size_t i = 0; i < n; ++i) {
        std::optional<FlowModel> fits[2];
        for (int side = 0; side < 2; ++side) {
            responses[i] = data.responses[i] + (side == 0 ? h : -h);
            fits[side] = data.refit(data.flows, responses);
        }
        responses[i] = data.responses[i];
        if (!fits[0] || !fits[1])
            return false;
        for (std::size_t j = 0; j < points; ++j)
            data.gradient[i][j] =
                (ModelFlow(*fits[0], data.at[j]) - ModelFlow(*fits[1], data.at[j])) / (2 * h);
    }
    data.referenceGradient.assign(points, 0.0);
    if (std::none_of(data.uReference.begin(), data.uReference.end(),
                     [](double u) { return u > 0.0; }))
        return true;
    std::optional<FlowModel> fits[2];
    for (int side = 0; side < 2; ++side) {
        std::vector<double> flows = data.flows;
        for (std::size_t i = 0; i < n; ++i)
            flows[i] += (side == 0 ? kReferenceStep : -kReferenceStep) * data.uReference[i];
        fits[side] = data.refit(flows, data.responses);
    }
    if (!fits[0] || !fits[1])
        return false;
    for (std::size_t j = 0; j < points; ++j)
        data.referenceGradient[j] =
            (ModelFlow(*fits[0], data.at[j]) - ModelFlow(*fits[1], data.at[j])) /
            (2 * kReferenceStep);
    return true;
}

// The four contributions to u(Q(r_j)), g/s, in BudgetSourceKind order.
std::array<double, 4> Contributions(const BudgetData& data, std::size_t j)
{
    double meter = 0.0, resolution = 0.0, scatter = 0.0;
    for (std::size_t i = 0; i < data.flows.size(); ++i) {
        const double g = data.gradient[i][j];
        meter += g * data.uResponse[i] * g * data.uResponse[i];
        resolution += g * data.uResolution * g * data.uResolution;
        scatter += g * g;
    }
    const double scatterGs = data.interpolant ? data.looHalfWidth * data.fitFlow[j] / std::sqrt(3.0)
                                              : data.scatter * std::sqrt(scatter);
    return {std::fabs(data.referenceGradient[j]), std::sqrt(meter), std::sqrt(resolution),
            scatterGs};
}

BudgetPoint LinearPoint(const BudgetData& data, std::size_t j)
{
    BudgetPoint p;
    p.response = data.at[j];
    p.flowGs = data.fitFlow[j];
    const std::array<double, 4> c = Contributions(data, j);
    double sum = 0.0;
    for (const double part : c)
        sum += part * part;
    p.combinedGs = std::sqrt(sum);
    // Welch-Satterthwaite: only the fit's scatter has finite degrees of freedom.
    if (!data.interpolant && c[3] > 0.0) {
        const double nu = std::pow(p.combinedGs / c[3], 4) * data.dof;
        if (nu < 1e6)
            p.effectiveDof = static_cast<int>(std::floor(nu));
    }
    p.coverageFactor = CoverageFactorAt(p.effectiveDof);
    p.linearExpandedGs = p.coverageFactor * p.combinedGs;
    return p;
}

// The stated U: the linear one where valid, else the larger Monte Carlo
// half-width; then raised to the CMC.
void StateExpanded(BudgetPoint& p, const BudgetInputs& inputs)
{
    p.expandedGs = p.linearExpandedGs;
    if (p.mcLowGs && p.mcHighGs) {
        const double tolerance = TwoDigitTolerance(p.combinedGs);
        p.linearValid = std::fabs(p.flowGs - p.linearExpandedGs - *p.mcLowGs) <= tolerance &&
                        std::fabs(p.flowGs + p.linearExpandedGs - *p.mcHighGs) <= tolerance;
        if (!*p.linearValid)
            p.expandedGs = std::max(p.flowGs - *p.mcLowGs, *p.mcHighGs - p.flowGs);
    }
    if (inputs.cmcPct && inputs.cmcPct.value() / 100.0 * p.flowGs > p.expandedGs) {
        p.expandedGs = *inputs.cmcPct / 100.0 * p.flowGs;
        p.cmcFloor = true;
    }
    p.expandedPct = p.flowGs > 0.0 ? p.expandedGs / p.flowGs * 100.0 : NAN;
}

// The row whose response is nearest r.
std::size_t NearestRow(const BudgetData& data, double r)
{
    std::size_t best = 0;
    for (std::size_t i = 1; i < data.responses.size(); ++i)
        if (std::fabs(data.responses[i] - r) < std::fabs(data.responses[best] - r))
            best = i;
    return best;
}

std::vector<BudgetSource> Sources(const BudgetData& data, const BudgetInputs& inputs,
                                  std::size_t firstBudgetPoint)
{
    std::vector<BudgetSource> sources;
    const bool given[] = {inputs.reference.has_value(), inputs.response.has_value(),
                          inputs.resolution.has_value(), true};
    for (int kind = 0; kind < 4; ++kind) {
        if (!given[kind])
            continue;
        BudgetSource source{static_cast<BudgetSourceKind>(kind), std::nullopt};
        if (kind == 3 && !data.interpolant)
            source.dof = data.dof;
        for (std::size_t k = 0; k < 3; ++k) {
            const std::size_t j = firstBudgetPoint + k;
            const std::size_t row = NearestRow(data, data.at[j]);
            const double inputs3[] = {data.uReference[row], data.uResponse[row], data.uResolution,
                                      data.interpolant ? data.looHalfWidth * 100.0 / std::sqrt(3.0)
                                                       : data.scatter};
            const double contribution = Contributions(data, j)[kind];
            const double input = inputs3[kind];
            source.at[k] = {input, input > 0.0 ? contribution / input : 0.0, contribution};
        }
        sources.push_back(source);
    }
    return sources;
}

} // namespace

double CoverageFactorAt(const std::optional<int>& dof)
{
    static constexpr double kT975From17[] = {
        2.10981558, 2.10092204, 2.09302405, 2.08596345, 2.07961384, 2.07387307, 2.06865761,
        2.06389856, 2.05953855, 2.05552944, 2.05183052, 2.04840714, 2.04522964, 2.04227246};
    if (!dof)
        return kNormal975;
    if (*dof <= 16)
        return CoverageFactor(*dof);
    if (*dof <= 30)
        return kT975From17[*dof - 17];
    // Above 30, the Cornish-Fisher expansion of t in the normal quantile z to
    // 1 / nu^4: within 3e-8 of the exact quantile from 31 up.
    const double z = kNormal975, z2 = z * z, nu = *dof;
    const double terms[] = {(z2 + 1) * z / 4, ((5 * z2 + 16) * z2 + 3) * z / 96,
                            (((3 * z2 + 19) * z2 + 17) * z2 - 15) * z / 384,
                            ((((79 * z2 + 776) * z2 + 1482) * z2 - 1920) * z2 - 945) * z / 92160};
    double t = z, power = 1.0;
    for (const double term : terms) {
        power *= nu;
        t += term / power;
    }
    return t;
}

double RoundUpTwoDigits(double value)
{
    if (!(value > 0.0) || !std::isfinite(value))
        return value;
    const double unit = std::pow(10.0, std::floor(std::log10(value)) - 1.0);
    // The guard keeps a value already at two digits (1.2 is 11.999... units) where it is.
    return std::ceil(value / unit - 1e-9) * unit;
}

double TwoDigitTolerance(double u)
{
    if (!(u > 0.0) || !std::isfinite(u))
        return 0.0;
    return 0.5 * std::pow(10.0, std::floor(std::log10(u)) - 1.0);
}

std::optional<UncertaintyBudget> MakeUncertaintyBudget(const Reduction& lastRun,
                                                       const FitQuality& quality,
                                                       const BudgetInputs& inputs, std::string& why)
{
    BudgetData data;
    const MeasurementSet& set = lastRun.set;
    const auto n = static_cast<std::size_t>(set.rowCount);
    data.flows.assign(set.flowGs.begin(), set.flowGs.begin() + n);
    data.responses.assign(set.response.begin(), set.response.begin() + n);
    data.interpolant = lastRun.model.kind == ModelKind::Monotone;
    data.dof = quality.dof;
    if (data.interpolant) {
        const ModelAssessment* chosen = ChosenAssessment(lastRun);
        if (!chosen || !chosen->looMaxFlowError) {
            why = "the interpolant has no leave-one-out error";
            return std::nullopt;
        }
        data.looHalfWidth = std::fabs(chosen->looMaxFlowError->pct) / 100.0;
    } else {
        if (!quality.rmsResidual || quality.dof < 1) {
            why = "the fit has no degrees of freedom left";
            return std::nullopt;
        }
        data.scatter = *quality.rmsResidual;
    }
    const FlowModel model = ChosenModel(lastRun);
    const FitMode mode = lastRun.outcome.mode;
    const double idle = quality.idleFlowGs;
    // The measured data fix the fit mode for every refit; each starts from the fit.
    data.refit = [model, mode,
                  idle](const std::vector<double>& flows,
                        const std::vector<double>& responses) -> std::optional<FlowModel> {
        const Rows rows{flows, responses};
        if (model.kind == ModelKind::King) {
            const ModelFit fit = RefitKing(rows, mode, model.king);
            return fit.converged ? std::optional(fit.model) : std::nullopt;
        }
        if (model.kind == ModelKind::Monotone)
            for (std::size_t i = 1; i < responses.size(); ++i)
                if (!(responses[i] > responses[i - 1]))
                    return std::nullopt;
        const std::optional<ModelFit> fit = RefitModel(model, rows, idle);
        return fit && fit->converged ? std::optional(fit->model) : std::nullopt;
    };

    // The responses: the record's table, the rows, then idle, middle and full scale.
    const auto [low, high] = MeasuredResponseRange(set);
    for (int i = 0; i < kUncertaintyPoints; ++i)
        data.at.push_back(low + (high - low) * i / (kUncertaintyPoints - 1.0));
    data.at.insert(data.at.end(), data.responses.begin(), data.responses.end());
    const std::size_t firstBudgetPoint = data.at.size();
    const double idleResponse = ResponseAt(lastRun, idle);
    data.at.push_back(std::isfinite(idleResponse) ? idleResponse : low);
    data.at.push_back((low + high) / 2.0);
    data.at.push_back(high);
    for (const double r : data.at)
        data.fitFlow.push_back(ModelFlow(model, r));

    data.uReference = ReferenceStandard(data, inputs);
    data.uResponse = ResponseStandard(data, inputs);
    data.uResolution = inputs.resolution ? *inputs.resolution / std::sqrt(12.0) : 0.0;
    if (!Sensitivities(data)) {
        why = "the model cannot be refitted to the rows moved by a small step";
        return std::nullopt;
    }
    UncertaintyBudget budget;
    budget.inputs = inputs;
    std::vector<BudgetPoint> points;
    for (std::size_t j = 0; j < data.at.size(); ++j)
        points.push_back(LinearPoint(data, j));
    if (inputs.Stated() || inputs.mcTrials) {
        const MonteCarloResult mc = RunBudgetMonteCarlo(data, inputs, points);
        budget.trials = mc.trials;
        budget.failedTrials = mc.failedTrials;
        budget.adaptive = !inputs.mcTrials;
    }
    for (BudgetPoint& p : points)
        StateExpanded(p, inputs);
    budget.sources = Sources(data, inputs, firstBudgetPoint);
    budget.table.assign(points.begin(), points.begin() + kUncertaintyPoints);
    budget.rows.assign(points.begin() + kUncertaintyPoints, points.begin() + firstBudgetPoint);
    std::copy(points.begin() + firstBudgetPoint, points.end(), budget.atBudget.begin());
    return budget;
}

} // namespace tovarin
