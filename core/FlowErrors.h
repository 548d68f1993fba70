#pragma once
// The flow error of a row and the limits that judge it, shared by the fit's
// quality and the comparison of models:
//   flow error = (flow the curve gives at the row's response - the row's flow)
//                / the row's flow * 100
// judged over rows whose flow is at least the idle flow.

#include <cmath>
#include <optional>

namespace tovarin {

inline constexpr double kDefaultIdleFlowGs = 2.0;      // g/s
inline constexpr double kDefaultMaxFlowErrorPct = 2.0; // %

// (value - reference) / reference * 100: a row's response and flow errors,
// a table word's error and a drift all use this one form.
inline double PercentError(double value, double reference)
{
    return (value - reference) / reference * 100.0;
}

struct LargestError
{
    double pct = 0.0; // signed
    int row = 0;
};

// Keeps the signed error of largest magnitude; a value that is not finite
// never counts.
inline void KeepLargest(std::optional<LargestError>& largest, double pct, int row)
{
    if (std::isfinite(pct) && (!largest || std::fabs(pct) > std::fabs(largest->pct)))
        largest = LargestError{pct, row};
}

} // namespace tovarin
