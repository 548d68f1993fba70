#pragma once
// How certain the flow of a model other than King's equation is.
//
// Fitted models (king-offset, poly): the rows' responses scatter with
// s^2 = SSR / dof (response units, dof = rows - parameters). The sensitivity
// of the flow at a response r to row i's response is the central difference
//   g_i = (Q+(r) - Q-(r)) / (2 h),  h = 1e-6 * (largest - smallest response),
// Q+ and Q- the model refitted with R_i + h and R_i - h, so that
//   u(Q) = s sqrt(sum g_i^2),  U = t(0.975, dof) * u(Q).
// The interpolant passes through every row and has no scatter to propagate:
// its leave-one-out error e (%) is the half-width of a rectangular
// distribution of the relative flow error, whose 95 % interval is
//   U = 0.95 * |e| / 100 * Q,  k = 0.95 * sqrt(3).

#include "Uncertainty.h"

namespace tovarin {

// At the responses FlowUncertaintyTable uses; empty when undefined.
std::vector<FlowUncertainty> ModelFlowUncertaintyTable(const Reduction& lastRun,
                                                       const FitQuality& quality);

} // namespace tovarin
