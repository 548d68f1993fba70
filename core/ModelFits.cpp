#include "ModelFits.h"

#include <cminpack.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <vector>

namespace tovarin {
namespace {

constexpr int kMaxParameters = 4;
constexpr double kTolerance = 30.0 * DBL_EPSILON; // as King's own fit
constexpr int kMaxFunctionEvaluations = 500;

// Residuals (data minus model) and their Jacobian at p, for m rows.
using Evaluation = std::function<void(const double* p, double* fvec, double* fjac, int ldfjac)>;

struct LmContext
{
    const Evaluation* evaluate;
};

int LmCallback(void* context, int /*m*/, int /*n*/, const double* p, double* fvec, double* fjac,
               int ldfjac, int iflag)
{
    const Evaluation& evaluate = *static_cast<LmContext*>(context)->evaluate;
    if (iflag == 1)
        evaluate(p, fvec, nullptr, ldfjac);
    else if (iflag == 2)
        evaluate(p, nullptr, fjac, ldfjac);
    return 0;
}

// lmder from p; true when it stopped at a tolerance with finite parameters.
bool LevenbergMarquardt(int m, int n, double* p, const Evaluation& evaluate)
{
    std::vector<double> fvec(static_cast<std::size_t>(m)), fjac(static_cast<std::size_t>(m * n)),
        wa4(static_cast<std::size_t>(m));
    double diag[kMaxParameters], qtf[kMaxParameters], wa1[kMaxParameters], wa2[kMaxParameters],
        wa3[kMaxParameters];
    int ipvt[kMaxParameters];
    int nfev = 0, njev = 0;
    LmContext context{&evaluate};
    const int info = lmder(LmCallback, &context, m, n, p, fvec.data(), fjac.data(), m, kTolerance,
                           kTolerance, kTolerance, kMaxFunctionEvaluations, diag, 1, 100.0, 0,
                           &nfev, &njev, ipvt, qtf, wa1, wa2, wa3, wa4.data());
    bool finite = true;
    for (int j = 0; j < n; ++j)
        finite = finite && std::isfinite(p[j]);
    return finite && ((info >= 1 && info <= 4) || (info >= 6 && info <= 8));
}

// x ln x's factor: ln u, with 0 for u = 0 where u^c ln u tends to 0.
double LogOrZero(double u)
{
    return u == 0.0 ? 0.0 : std::log(u);
}

// Residuals and Jacobian of R = a + b (Q + s^2)^c; `withOffset` false fixes s at 0.
Evaluation KingEvaluation(Rows rows, bool withOffset)
{
    return [rows, withOffset](const double* p, double* fvec, double* fjac, int ld) {
        const double s = withOffset ? p[3] : 0.0;
        for (std::size_t i = 0; i < rows.flowGs.size(); ++i) {
            const double u = rows.flowGs[i] + s * s;
            const double power = std::pow(u, p[2]);
            if (fvec) {
                fvec[i] = rows.response[i] - (power * p[1] + p[0]);
                continue;
            }
            const auto row = static_cast<int>(i);
            fjac[row] = -1.0;
            fjac[row + ld] = -power;
            fjac[row + 2 * ld] = -p[1] * power * LogOrZero(u);
            if (withOffset) // d/ds of b u^c = b c u^(c - 1) 2 s
                fjac[row + 3 * ld] = u == 0.0 ? 0.0 : -p[1] * p[2] * power / u * 2.0 * s;
        }
    };
}

// Least squares of A x = y (m x n, column-major, m >= n) by Householder QR;
// empty when a column is (numerically) dependent on the others.
std::optional<std::vector<double>> SolveLeastSquares(std::vector<double> a, std::vector<double> y,
                                                     int m, int n)
{
    const auto at = [&](int r, int c) -> double& { return a[static_cast<std::size_t>(r + c * m)]; };
    for (int k = 0; k < n; ++k) {
        double norm = 0.0;
        for (int r = k; r < m; ++r)
            norm += at(r, k) * at(r, k);
        norm = std::sqrt(norm);
        if (!(norm > 0.0))
            return std::nullopt;
        const double alpha = at(k, k) > 0 ? -norm : norm;
        std::vector<double> v(static_cast<std::size_t>(m - k));
        for (int r = k; r < m; ++r)
            v[static_cast<std::size_t>(r - k)] = at(r, k);
        v[0] -= alpha;
        double vv = 0.0;
        for (const double x : v)
            vv += x * x;
        if (!(vv > 0.0))
            return std::nullopt;
        const auto reflect = [&](auto&& element) {
            double dot = 0.0;
            for (int r = k; r < m; ++r)
                dot += v[static_cast<std::size_t>(r - k)] * element(r);
            const double f = 2.0 * dot / vv;
            for (int r = k; r < m; ++r)
                element(r) -= f * v[static_cast<std::size_t>(r - k)];
        };
        for (int c = k; c < n; ++c)
            reflect([&](int r) -> double& { return at(r, c); });
        reflect([&](int r) -> double& { return y[static_cast<std::size_t>(r)]; });
    }
    // A diagonal far below the largest is a dependent column.
    double largest = 0.0;
    for (int k = 0; k < n; ++k)
        largest = std::max(largest, std::fabs(at(k, k)));
    std::vector<double> x(static_cast<std::size_t>(n));
    for (int k = n - 1; k >= 0; --k) {
        if (!(std::fabs(at(k, k)) > 1e-13 * largest))
            return std::nullopt;
        double sum = y[static_cast<std::size_t>(k)];
        for (int c = k + 1; c < n; ++c)
            sum -= at(k, c) * x[static_cast<std::size_t>(c)];
        x[static_cast<std::size_t>(k)] = sum / at(k, k);
    }
    return x;
}

} // namespace

ModelFit RefitKing(Rows rows, FitMode mode, const KingCoefficients& start)
{
    ModelFit fit;
    fit.model.kind = ModelKind::King;
    const auto m = static_cast<int>(rows.flowGs.size());
    if (mode == FitMode::Linear) { // a is the first response: the full fit's own line
        MeasurementSet set;
        set.rowCount = std::min(m, kMaxRows);
        std::copy_n(rows.flowGs.begin(), set.rowCount, set.flowGs.begin());
        std::copy_n(rows.response.begin(), set.rowCount, set.response.begin());
        fit.model.king = FitLinear(set);
        fit.converged = AllFinite(fit.model.king);
        return fit;
    }
    double p[3] = {start.a, start.b, start.c};
    fit.converged = LevenbergMarquardt(m, 3, p, KingEvaluation(rows, false));
    fit.model.king = {p[0], p[1], p[2]};
    return fit;
}

ModelFit FitKingOffset(Rows rows, const KingCoefficients& start, double q0Start)
{
    double p[4] = {start.a, start.b, start.c, std::sqrt(q0Start)};
    ModelFit fit;
    fit.model.kind = ModelKind::KingOffset;
    fit.converged =
        LevenbergMarquardt(static_cast<int>(rows.flowGs.size()), 4, p, KingEvaluation(rows, true));
    fit.model.king = {p[0], p[1], p[2]};
    fit.model.q0 = p[3] * p[3];
    return fit;
}

std::optional<ModelFit> FitPoly(Rows rows, int order, double idleFlowGs)
{
    const auto m = static_cast<int>(rows.flowGs.size());
    const int n = order + 1;
    if (m < n)
        return std::nullopt;
    double scale = 0.0;
    for (const double r : rows.response)
        scale = std::max(scale, std::fabs(r));
    if (!(scale > 0.0) || !std::isfinite(scale))
        return std::nullopt;
    std::vector<double> a(static_cast<std::size_t>(m * n)), y(static_cast<std::size_t>(m));
    for (int i = 0; i < m; ++i) {
        const auto row = static_cast<std::size_t>(i);
        const double root = 1.0 / std::max(rows.flowGs[row], idleFlowGs); // sqrt(w_i)
        const double x = rows.response[row] / scale;
        double power = root;
        for (int k = 0; k < n; ++k, power *= x)
            a[static_cast<std::size_t>(i + k * m)] = power;
        y[row] = rows.flowGs[row] * root;
    }
    const std::optional<std::vector<double>> c = SolveLeastSquares(a, y, m, n);
    if (!c)
        return std::nullopt;
    ModelFit fit;
    fit.model.kind = ModelKind::Poly;
    fit.model.poly = *c;
    double factor = 1.0;
    fit.converged = true;
    for (double& p : fit.model.poly) {
        p /= factor;
        factor *= scale;
        fit.converged = fit.converged && std::isfinite(p);
    }
    return fit;
}

ModelFit FitMonotone(Rows rows)
{
    ModelFit fit;
    fit.model.kind = ModelKind::Monotone;
    fit.model.knots = MonotoneThrough({rows.response.begin(), rows.response.end()},
                                      {rows.flowGs.begin(), rows.flowGs.end()});
    fit.converged = true;
    for (std::size_t i = 0; i < fit.model.knots.slopes.size(); ++i)
        fit.converged = fit.converged && std::isfinite(fit.model.knots.slopes[i]) &&
                        std::isfinite(fit.model.knots.flows[i]) &&
                        std::isfinite(fit.model.knots.responses[i]);
    return fit;
}

std::optional<ModelFit> RefitModel(const FlowModel& model, Rows rows, double idleFlowGs)
{
    switch (model.kind) {
    case ModelKind::King:
        break;
    case ModelKind::KingOffset:
        return FitKingOffset(rows, model.king, model.q0);
    case ModelKind::Poly:
        return FitPoly(rows, static_cast<int>(model.poly.size()) - 1, idleFlowGs);
    case ModelKind::Monotone:
        return FitMonotone(rows);
    }
    return std::nullopt;
}

} // namespace tovarin
