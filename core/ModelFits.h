#pragma once
// Fitting each model of FlowModel to rows (flow in g/s, response), as the
// comparison of models needs them: once to all rows in use, then once for
// each row left out.
//
//   king-offset: Levenberg-Marquardt (lmder) of the response residuals
//     R_i - (a + b (Q_i + s^2)^c) over a, b, c and s, q0 = s^2 >= 0.
//   poly: weighted least squares of the flow, minimising
//     sum w_i (Q_i - P(R_i))^2 with w_i = 1 / max(Q_i, idle flow)^2 (a relative
//     error, which is what the controller lives with), solved by Householder
//     QR in R / max|R| and scaled back to p0 ... pn.
//   monotone: the Fritsch-Carlson interpolant through every row.

#include "FlowModel.h"
#include "KingFit.h"

#include <optional>
#include <span>

namespace tovarin {

struct Rows
{
    std::span<const double> flowGs;
    std::span<const double> response;
};

// A model made from rows; `converged` false when the minimiser could not
// finish or a parameter is not finite.
struct ModelFit
{
    FlowModel model;
    bool converged = false;
};

// King's equation again on fewer rows, from `start` (a fit of more rows):
// the straight line of the log-log rows in linear mode, else
// Levenberg-Marquardt.
ModelFit RefitKing(Rows rows, FitMode mode, const KingCoefficients& start);

// From King's coefficients and q0 = q0Start.
ModelFit FitKingOffset(Rows rows, const KingCoefficients& start, double q0Start);

// Order `order` (3 to 5); empty when the rows cannot determine it.
std::optional<ModelFit> FitPoly(Rows rows, int order, double idleFlowGs);

// Needs responses that strictly rise with flow (the caller checks).
ModelFit FitMonotone(Rows rows);

// `model` made again from other rows, from its own parameters: king-offset
// from them, poly at its order, monotone through the rows; empty for King's
// equation (KingFit refits it) and when poly's order cannot be determined.
std::optional<ModelFit> RefitModel(const FlowModel& model, Rows rows, double idleFlowGs);

} // namespace tovarin
