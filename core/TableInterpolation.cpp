#include "TableInterpolation.h"

#include <algorithm>
#include <cmath>

namespace tovarin {
namespace {

constexpr int kBoundSteps = 60;    // bisection steps on the error bound
constexpr int kPositionSteps = 48; // bisection steps on a breakpoint's position

void KeepLargest(std::optional<ErrorAtResponse>& largest, double pct, double response)
{
    if (std::isfinite(pct) && (!largest || std::fabs(pct) > std::fabs(largest->pct)))
        largest = ErrorAtResponse{pct, response};
}

std::optional<ErrorAtResponse> SegmentError(const FlowModel& model, double r0, double r1,
                                            double idleFlowGs)
{
    const double q0 = ModelFlow(model, r0), q1 = ModelFlow(model, r1);
    std::optional<ErrorAtResponse> largest;
    for (int k = 1; k < kSegmentSamples; ++k) {
        const double t = static_cast<double>(k) / kSegmentSamples;
        const double r = r0 + (r1 - r0) * t;
        const double q = ModelFlow(model, r);
        if (q >= idleFlowGs && q > 0.0)
            KeepLargest(largest, (q0 + (q1 - q0) * t - q) / q * 100.0, r);
    }
    return largest;
}

double Magnitude(const std::optional<ErrorAtResponse>& e)
{
    return e ? std::fabs(e->pct) : 0.0;
}

// The greedy walk under `bound`: the breakpoints it places, stopping once it
// needs more than `segments` segments.
std::vector<double> Greedy(const FlowModel& model, double low, double high, int segments,
                           double bound, double idleFlowGs)
{
    std::vector<double> points{low};
    while (points.back() < high && static_cast<int>(points.size()) <= segments) {
        const double from = points.back();
        if (Magnitude(SegmentError(model, from, high, idleFlowGs)) <= bound) {
            points.push_back(high);
            break;
        }
        double fits = from, fails = high;
        for (int step = 0; step < kPositionSteps; ++step) {
            const double mid = (fits + fails) / 2;
            (Magnitude(SegmentError(model, from, mid, idleFlowGs)) <= bound ? fits : fails) = mid;
        }
        if (!(fits > from)) // no progress: the bound is below what any segment reaches
            fits = from + (high - low) * 1e-12;
        points.push_back(fits);
    }
    return points;
}

bool Reaches(const std::vector<double>& points, double high, int segments)
{
    return points.back() == high && static_cast<int>(points.size()) - 1 <= segments;
}

} // namespace

std::optional<ErrorAtResponse> InterpolationError(const FlowModel& model,
                                                  const std::vector<double>& breakpoints,
                                                  double idleFlowGs)
{
    std::optional<ErrorAtResponse> largest;
    for (std::size_t i = 1; i < breakpoints.size(); ++i)
        if (const std::optional<ErrorAtResponse> e =
                SegmentError(model, breakpoints[i - 1], breakpoints[i], idleFlowGs))
            KeepLargest(largest, e->pct, e->atResponse);
    return largest;
}

std::vector<double> EvenBreakpoints(double low, double high, int n)
{
    std::vector<double> points;
    for (int i = 0; i < n; ++i)
        points.push_back(i == n - 1 ? high : low + (high - low) * i / (n - 1.0));
    return points;
}

std::vector<double> PlaceBreakpoints(const FlowModel& model, double low, double high, int n,
                                     double idleFlowGs)
{
    const int segments = n - 1;
    std::vector<double> best = EvenBreakpoints(low, high, n);
    double feasible = Magnitude(InterpolationError(model, best, idleFlowGs));
    double infeasible = 0.0;
    for (int step = 0; step < kBoundSteps && feasible - infeasible > 1e-4 * feasible; ++step) {
        const double bound = (feasible + infeasible) / 2;
        std::vector<double> points = Greedy(model, low, high, segments, bound, idleFlowGs);
        if (Reaches(points, high, segments)) {
            feasible = bound;
            best = std::move(points);
        } else {
            infeasible = bound;
        }
    }
    // Breakpoints left over halve the segments of largest error.
    while (static_cast<int>(best.size()) < n) {
        std::size_t worst = 1;
        double worstError = -1.0;
        for (std::size_t i = 1; i < best.size(); ++i) {
            const double e = Magnitude(SegmentError(model, best[i - 1], best[i], idleFlowGs));
            if (e > worstError) {
                worst = i;
                worstError = e;
            }
        }
        best.insert(best.begin() + static_cast<std::ptrdiff_t>(worst),
                    (best[worst - 1] + best[worst]) / 2);
    }
    return best;
}

} // namespace tovarin
