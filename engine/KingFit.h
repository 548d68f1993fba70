#pragma once
// Fitting King's equation to the rows in use of the measurement table.
//
// Linear mode (first flow below 0.0001 g/s in magnitude): a is the first
// response, and b and c come from a straight line through
// (ln flow, ln(response - a)) of the other rows. Non-linear mode: all three
// coefficients by Levenberg-Marquardt least squares (MINPACK's lmder), set up
// to reproduce the reference library's default controls.

#include "King.h"
#include "MeasurementSet.h"

namespace tovarin {

class RunLog;

inline constexpr double kLinearModeLimit = 0.0001; // g/s

enum class FitMode
{
    Linear,
    NonLinear
};

// Linear when |flowGs[0]| < kLinearModeLimit.
FitMode ChooseFitMode(const MeasurementSet& set);

struct LineFitResult
{
    double intercept = 0.0;
    double slope = 0.0;
};

// Unweighted least-squares line through n points, sums in point order.
LineFitResult LineFit(const double* x, const double* y, int n);

// a = response[0]; b = exp(intercept), c = slope of the log-log line through
// rows 1 to rowCount-1. Non-positive arguments of a logarithm give non-finite
// coefficients, which stand as the result.
KingCoefficients FitLinear(const MeasurementSet& set);

// Levenberg-Marquardt from the start values 1.0, 1.0, 0.3, residuals data minus
// model. The result is whatever the minimiser leaves, converged or not.
KingCoefficients FitNonLinear(const MeasurementSet& set);

// Writes the mode line to the log, then fits rows 0 to rowCount-1 into `k`.
// The run calls it only with 3 or more rows in use.
void FitKing(const MeasurementSet& set, KingCoefficients& k, RunLog& log);

} // namespace tovarin
