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

#include <string>

namespace tovarin {

class RunLog;

inline constexpr double kLinearModeLimit = 0.0001; // g/s

enum class FitMode
{
    Linear,
    NonLinear
};

// How a fit ended, from the minimiser's own outcome code and evaluation count.
struct FitOutcome
{
    bool fitted = false; // false until a run with 3 or more rows fits
    FitMode mode = FitMode::Linear;
    bool converged = false; // false at the evaluation limit or with a coefficient not finite
    std::string stop;       // the stop reason in words
    int evaluations = 0;    // residual evaluations; a Jacobian counts 3; 0 in linear mode
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
// model. The coefficients are whatever the minimiser leaves, converged or not;
// `outcome` says which.
KingCoefficients FitNonLinear(const MeasurementSet& set, FitOutcome* outcome = nullptr);

// Writes the mode line to the log, then fits rows 0 to rowCount-1 into `k`.
// The run calls it only with 3 or more rows in use.
FitOutcome FitKing(const MeasurementSet& set, KingCoefficients& k, RunLog& log);

} // namespace tovarin
