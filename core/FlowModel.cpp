#include "FlowModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tovarin {
namespace {

struct ModelInfo
{
    ModelKind kind;
    const char* name;
    const char* title;
};

constexpr ModelInfo kModels[] = {
    {ModelKind::King, "king", "King's equation"},
    {ModelKind::KingOffset, "king-offset", "King's equation with a flow offset"},
    {ModelKind::Poly, "poly", "the polynomial"},
    {ModelKind::Monotone, "monotone", "the monotone interpolant"},
};

const ModelInfo& InfoOf(ModelKind kind)
{
    return kModels[static_cast<std::size_t>(kind)];
}

// Horner's rule from the highest power.
double PolyFlow(const std::vector<double>& p, double r)
{
    double q = 0.0;
    for (auto k = p.size(); k-- > 0;)
        q = q * r + p[k];
    return q;
}

// The cubic Hermite piece between knots i and i + 1, or the end lines.
double MonotoneFlow(const MonotoneKnots& k, double r)
{
    const std::vector<double>& x = k.responses;
    const std::size_t n = x.size();
    if (n == 0 || !(r == r))
        return std::numeric_limits<double>::quiet_NaN();
    if (r <= x.front())
        return k.flows.front() + k.slopes.front() * (r - x.front());
    if (r >= x.back())
        return k.flows.back() + k.slopes.back() * (r - x.back());
    const std::size_t i =
        static_cast<std::size_t>(std::upper_bound(x.begin(), x.end(), r) - x.begin()) - 1;
    const double h = x[i + 1] - x[i];
    const double t = (r - x[i]) / h;
    const double t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * k.flows[i] + (t3 - 2 * t2 + t) * h * k.slopes[i] +
           (-2 * t3 + 3 * t2) * k.flows[i + 1] + (t3 - t2) * h * k.slopes[i + 1];
}

} // namespace

const char* ModelName(ModelKind kind)
{
    return InfoOf(kind).name;
}

const char* ModelTitle(ModelKind kind)
{
    return InfoOf(kind).title;
}

std::optional<ModelKind> ModelNamed(std::string_view name)
{
    for (const ModelInfo& info : kModels)
        if (name == info.name)
            return info.kind;
    return std::nullopt;
}

int FlowModel::ParameterCount() const
{
    switch (kind) {
    case ModelKind::King:
        return 3;
    case ModelKind::KingOffset:
        return 4;
    case ModelKind::Poly:
        return static_cast<int>(poly.size());
    case ModelKind::Monotone:
        return 2 * static_cast<int>(knots.responses.size());
    }
    return 0;
}

double ModelFlow(const FlowModel& model, double response)
{
    switch (model.kind) {
    case ModelKind::King:
        return KingFlow(response, model.king);
    case ModelKind::KingOffset:
        return std::max(KingFlow(response, model.king) - model.q0, 0.0);
    case ModelKind::Poly:
        return std::max(PolyFlow(model.poly, response), 0.0);
    case ModelKind::Monotone:
        return std::max(MonotoneFlow(model.knots, response), 0.0);
    }
    return std::numeric_limits<double>::quiet_NaN();
}

double ModelResponse(const FlowModel& model, double flowGs, double low, double high)
{
    switch (model.kind) {
    case ModelKind::King:
        return KingResponse(flowGs, model.king);
    case ModelKind::KingOffset:
        return KingResponse(flowGs + model.q0, model.king);
    case ModelKind::Poly:
    case ModelKind::Monotone:
        break;
    }
    // Bisection for the last response whose flow is still at most flowGs:
    // the models that give Q(R) are non-decreasing wherever they are used, and
    // a zero-flow row lands where the curve leaves zero, not far below it.
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    if (!(low <= high) || !(ModelFlow(model, low) <= flowGs) || !(ModelFlow(model, high) >= flowGs))
        return kNaN;
    if (ModelFlow(model, high) == flowGs)
        return high;
    for (int i = 0; i < 200 && low < high; ++i) {
        const double mid = low + (high - low) / 2;
        if (mid <= low || mid >= high)
            break;
        (ModelFlow(model, mid) <= flowGs ? low : high) = mid;
    }
    return low;
}

MonotoneKnots MonotoneThrough(std::vector<double> responses, std::vector<double> flows)
{
    MonotoneKnots k{std::move(responses), std::move(flows), {}};
    const std::size_t n = k.responses.size();
    k.slopes.assign(n, 0.0);
    if (n < 2)
        return k;
    std::vector<double> secant(n - 1);
    for (std::size_t i = 0; i + 1 < n; ++i)
        secant[i] = (k.flows[i + 1] - k.flows[i]) / (k.responses[i + 1] - k.responses[i]);
    k.slopes[0] = secant[0];
    k.slopes[n - 1] = secant[n - 2];
    for (std::size_t i = 1; i + 1 < n; ++i)
        k.slopes[i] = secant[i - 1] * secant[i] <= 0.0 ? 0.0 : (secant[i - 1] + secant[i]) / 2;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (secant[i] == 0.0) {
            k.slopes[i] = k.slopes[i + 1] = 0.0;
            continue;
        }
        const double alpha = k.slopes[i] / secant[i], beta = k.slopes[i + 1] / secant[i];
        const double norm = alpha * alpha + beta * beta;
        if (norm > 9.0) {
            const double tau = 3.0 / std::sqrt(norm);
            k.slopes[i] = tau * alpha * secant[i];
            k.slopes[i + 1] = tau * beta * secant[i];
        }
    }
    return k;
}

std::vector<ModelParameter> ModelParameters(const FlowModel& model)
{
    std::vector<ModelParameter> parameters;
    switch (model.kind) {
    case ModelKind::King:
    case ModelKind::KingOffset:
        parameters = {{"a", {model.king.a}}, {"b", {model.king.b}}, {"c", {model.king.c}}};
        if (model.kind == ModelKind::KingOffset)
            parameters.push_back({"q0", {model.q0}});
        break;
    case ModelKind::Poly:
        for (std::size_t k = 0; k < model.poly.size(); ++k)
            parameters.push_back({"p" + std::to_string(k), {model.poly[k]}});
        break;
    case ModelKind::Monotone:
        parameters = {{"responses", model.knots.responses, true},
                      {"flows", model.knots.flows, true},
                      {"slopes", model.knots.slopes, true}};
        break;
    }
    return parameters;
}

} // namespace tovarin
