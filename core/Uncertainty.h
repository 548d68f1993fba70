#pragma once
// How certain the fitted flow is, from the coefficients' covariance.
//
// The flow at a response r is Q = ((r - a) / b)^(1 / c). Its standard
// uncertainty propagates the covariance through the gradient
//   dQ/da = -Q / (c (r - a)),  dQ/db = -Q / (c b),  dQ/dc = -Q ln((r - a) / b) / c^2
// as sigma_Q = sqrt(g^T cov g), and the expanded uncertainty is
// U = t(0.975, dof) * sigma_Q, a coverage of 95 % for Student's t with the
// fit's degrees of freedom.

#include "FitQuality.h"

#include <optional>
#include <vector>

namespace tovarin {

inline constexpr int kUncertaintyPoints = 10; // responses of the table, both ends included

struct FlowUncertainty
{
    double response = 0.0;
    double flowGs = 0.0;
    double expandedGs = 0.0;  // U
    double expandedPct = 0.0; // U / Q * 100
    double coverageFactor = 0.0;
    // The Monte Carlo 95 % interval and whether the linear one agrees with it:
    // only with an uncertainty budget (UncertaintyBudget.h).
    std::optional<double> mcLowGs = {}, mcHighGs = {};
    std::optional<bool> linearValid = {};
};

// t(0.975, dof) for 1 to 16 degrees of freedom (19 rows at most); 0 outside.
double CoverageFactor(int dof);

// At 10 evenly spaced responses from the smallest to the largest measured
// response; empty when the covariance is undefined. A model other than
// King's equation gives its own (ModelUncertainty).
std::vector<FlowUncertainty> FlowUncertaintyTable(const Reduction& lastRun,
                                                  const FitQuality& quality);

} // namespace tovarin
