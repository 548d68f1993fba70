#include "KingFit.h"

#include <cminpack.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

namespace tovarin {
namespace {

// The reference library's default controls: 30 machine epsilons for every
// tolerance and for the forward-difference step, step bound factor 100, and a
// patience of 100 * (n + 1) evaluations for n = 3 parameters.
constexpr double kTolerance = 30.0 * DBL_EPSILON;
constexpr double kStepBound = 100.0;
constexpr int kParameterCount = 3;

// lmder's outcome codes in words; 1 to 4 and 6 to 8 mean it could go no further.
const char* StopReason(int info)
{
    switch (info) {
    case 1:
        return "the sum of squares cannot fall by more than the tolerance";
    case 2:
        return "the coefficients cannot change by more than the tolerance";
    case 3:
        return "neither the sum of squares nor the coefficients can change by more than the "
               "tolerance";
    case 4:
        return "the residuals are orthogonal to the Jacobian";
    case 6:
    case 7:
    case 8:
        return "no further reduction is possible at machine precision";
    case 5:
        return "the minimiser's own evaluation limit was reached";
    default:
        return info < 0 ? "the evaluation limit (400) was reached" : "improper input";
    }
}

struct FitData
{
    const double* flow;     // g/s
    const double* response; // volts or hertz
    EvaluationBudget budget;
    // flow^c of the last residual evaluation: lmder asks for the Jacobian at
    // the last accepted point, usually the point of that evaluation.
    double powers[kMaxRows] = {};
    double powersOfC = std::numeric_limits<double>::quiet_NaN();
    int powerCalls = 0;
};

// Residuals data minus model, the model as KingResponse forms it:
// pow(flow, c) * b + a. The powers are kept for a Jacobian at the same c.
void Residuals(FitData& data, int m, const double* p, double* fvec)
{
    for (int i = 0; i < m; ++i) {
        data.powers[i] = std::pow(data.flow[i], p[2]);
        fvec[i] = data.response[i] - (data.powers[i] * p[1] + p[0]);
    }
    data.powersOfC = p[2];
    data.powerCalls += m;
}

// Forward-difference Jacobian as the reference library forms it: step
// h = max(eps^2, eps*|p_j|) with eps = sqrt(tolerance), divided by h itself
// (not by the representable difference (p_j + h) - p_j). The steps in a and b
// leave flow^c as it is, so those two columns reuse one set of powers; the
// residuals are the same bits as a full evaluation would give.
void Jacobian(FitData& data, int m, const double* p, const double* fvec, double* fjac, int ldfjac)
{
    const double eps = std::sqrt(std::max(kTolerance, DBL_EPSILON));
    if (!(data.powersOfC == p[2])) { // not the point of the last residuals
        for (int i = 0; i < m; ++i)
            data.powers[i] = std::pow(data.flow[i], p[2]);
        data.powersOfC = p[2];
        data.powerCalls += m;
    }
    const double* powers = data.powers;
    double shifted[kParameterCount] = {p[0], p[1], p[2]};
    double shiftedResiduals[kMaxRows];
    for (int j = 0; j < kParameterCount; ++j) {
        const double h = std::max(eps * eps, eps * std::fabs(p[j]));
        shifted[j] = p[j] + h;
        for (int i = 0; i < m; ++i) { // KingResponse: pow(flow, c) * b + a
            const double power = j == 2 ? std::pow(data.flow[i], shifted[2]) : powers[i];
            shiftedResiduals[i] = data.response[i] - (power * shifted[1] + shifted[0]);
        }
        data.powerCalls += j == 2 ? m : 0;
        for (int i = 0; i < m; ++i)
            fjac[i + j * ldfjac] = (shiftedResiduals[i] - fvec[i]) / h;
        shifted[j] = p[j];
    }
}

// lmder's callback (m <= kMaxRows). Stops the minimiser (negative return) when
// the evaluation budget is spent.
int Evaluate(void* context, int m, int /*n*/, const double* p, double* fvec, double* fjac,
             int ldfjac, int iflag)
{
    FitData& data = *static_cast<FitData*>(context);
    if (!data.budget.Allow(iflag))
        return -1;
    if (iflag == 1)
        Residuals(data, m, p, fvec);
    else if (iflag == 2)
        Jacobian(data, m, p, fvec, fjac, ldfjac);
    return 0;
}

// One Levenberg-Marquardt fit from `start`, with the reference library's controls.
FitTrial RunLevenbergMarquardt(const MeasurementSet& set, const KingCoefficients& start)
{
    double p[kParameterCount] = {start.a, start.b, start.c};
    const int m = std::clamp(set.rowCount, 1, kMaxRows);
    // All working memory is fixed-size: at most 19 rows by 3 parameters.
    double fvec[kMaxRows], fjac[kMaxRows * kParameterCount], wa4[kMaxRows];
    double diag[kParameterCount], qtf[kParameterCount];
    double wa1[kParameterCount], wa2[kParameterCount], wa3[kParameterCount];
    int ipvt[kParameterCount];
    int nfev = 0, njev = 0;
    FitData data{set.flowGs.data(), set.response.data(), {}};
    // mode 1: parameter scaling from the Jacobian's column norms; nprint 0.
    const int info = lmder(Evaluate, &data, m, kParameterCount, p, fvec, fjac, m, kTolerance,
                           kTolerance, kTolerance, kMaxEvaluations, diag, 1, kStepBound, 0, &nfev,
                           &njev, ipvt, qtf, wa1, wa2, wa3, wa4);
    FitTrial trial;
    trial.k = {p[0], p[1], p[2]};
    // The budget's count is nfev + 3 * njev less the call it refused.
    const bool stopped = (info >= 1 && info <= 4) || (info >= 6 && info <= 8);
    trial.outcome = {true, FitMode::NonLinear, stopped && AllFinite(trial.k), StopReason(info),
                     data.budget.Count()};
    trial.outcome.powerCalls = data.powerCalls;
    trial.outcome.jacobians = data.budget.Jacobians();
    trial.ssr = 0.0;
    for (int i = 0; i < m; ++i) {
        const auto row = static_cast<std::size_t>(i);
        const double r = set.response[row] - KingResponse(set.flowGs[row], trial.k);
        trial.ssr += r * r;
    }
    return trial;
}

} // namespace

FitMode ChooseFitMode(const MeasurementSet& set)
{
    return std::fabs(set.flowGs[0]) < kLinearModeLimit ? FitMode::Linear : FitMode::NonLinear;
}

LineFitResult LineFit(const double* x, const double* y, int n)
{
    double sx = 0.0, sy = 0.0, sxx = 0.0, sxy = 0.0;
    for (int i = 0; i < n; ++i) {
        sx += x[i];
        sy += y[i];
        sxx += x[i] * x[i];
        sxy += x[i] * y[i];
    }
    const double count = n;
    const double d = count * sxx - sx * sx;
    return {(sxx * sy - sx * sxy) / d, (count * sxy - sx * sy) / d};
}

KingCoefficients FitLinear(const MeasurementSet& set)
{
    const int n = set.rowCount - 1;
    double x[kMaxRows];
    double y[kMaxRows];
    for (int i = 1; i < set.rowCount; ++i) {
        const auto row = static_cast<std::size_t>(i);
        x[i - 1] = std::log(set.flowGs[row]);
        y[i - 1] = std::log(set.response[row] - set.response[0]);
    }
    const LineFitResult line = LineFit(x, y, n);
    return {set.response[0], std::exp(line.intercept), line.slope};
}

std::string ConvergedText(const FitOutcome& outcome)
{
    return (outcome.secondStart ? "converged from a second start in " : "converged in ") +
           std::to_string(outcome.evaluations) + " evaluations";
}

bool EvaluationBudget::Allow(int iflag)
{
    if (m_spent)
        return false;
    m_count += iflag == 2 ? kParameterCount : 1;
    m_jacobians += iflag == 2;
    // Like the reference library, the patience is checked after a trial step
    // and its convergence tests, never right after a Jacobian.
    m_spent = iflag == 1 && m_count >= kMaxEvaluations;
    return true;
}

std::optional<KingCoefficients> DataStart(const MeasurementSet& set)
{
    const int n = std::clamp(set.rowCount, 0, kMaxRows);
    if (n < 1)
        return std::nullopt;
    const auto first = set.response.begin();
    const auto [low, high] = std::minmax_element(first, first + n);
    const double a = *low - 0.05 * (*high - *low);
    double x[kMaxRows], y[kMaxRows];
    int points = 0;
    for (int i = 0; i < n; ++i) {
        const auto row = static_cast<std::size_t>(i);
        if (set.flowGs[row] > 0.0 && set.response[row] - a > 0.0) {
            x[points] = std::log(set.flowGs[row]);
            y[points] = std::log(set.response[row] - a);
            ++points;
        }
    }
    if (points < 2)
        return std::nullopt;
    const LineFitResult line = LineFit(x, y, points);
    const KingCoefficients start{a, std::exp(line.intercept), line.slope};
    return AllFinite(start) ? std::optional(start) : std::nullopt;
}

bool PreferSecondStart(const FitTrial& first, const FitTrial& second)
{
    return second.outcome.converged && (second.ssr < first.ssr || !std::isfinite(first.ssr));
}

KingCoefficients FitNonLinear(const MeasurementSet& set, FitOutcome* outcome)
{
    FitTrial fit = RunLevenbergMarquardt(set, {1.0, 1.0, 0.3});
    const std::optional<KingCoefficients> start =
        fit.outcome.converged ? std::nullopt : DataStart(set);
    if (start) {
        const FitTrial second = RunLevenbergMarquardt(set, *start);
        const int evaluations = fit.outcome.evaluations + second.outcome.evaluations;
        if (PreferSecondStart(fit, second)) {
            fit = second;
            fit.outcome.secondStart = true;
        }
        fit.outcome.evaluations = evaluations;
    }
    if (outcome)
        *outcome = fit.outcome;
    return fit.k;
}

FitOutcome FitKing(const MeasurementSet& set, KingCoefficients& k)
{
    FitOutcome outcome;
    if (ChooseFitMode(set) == FitMode::Linear) {
        k = FitLinear(set);
        outcome = {true, FitMode::Linear, AllFinite(k), "a straight line through the logarithms",
                   0};
    } else {
        k = FitNonLinear(set, &outcome);
    }
    if (!AllFinite(k))
        outcome.stop += "; a coefficient is not a finite number";
    return outcome;
}

} // namespace tovarin
