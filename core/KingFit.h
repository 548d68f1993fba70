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

#include <optional>
#include <string>

namespace tovarin {

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
    bool converged = false;   // false at the evaluation limit or with a coefficient not finite
    std::string stop{};       // the stop reason in words
    int evaluations = 0;      // residual evaluations; a Jacobian counts 3; 0 in linear mode
    bool secondStart = false; // the coefficients come from the start taken from the data
    int jacobians = 0;        // of `evaluations`, the Jacobians (3 each), of the start kept
    int powerCalls = 0;       // flow^c evaluations of the start that gave the coefficients
};

// "converged in 91 evaluations", or "converged from a second start in 450 evaluations".
std::string ConvergedText(const FitOutcome& outcome);

// The patience of the reference library: 100 * (n + 1) evaluations for n = 3
// coefficients, a residual call counting 1 and a Jacobian 3. As there, the
// limit is checked after a trial step (a residual call): a Jacobian may take
// the count past 400, the trial step after it is still evaluated, and the
// call after the step that reached 400 is refused.
inline constexpr int kMaxEvaluations = 400;

class EvaluationBudget
{
  public:
    // Counts a call (iflag 1 residuals, 2 a Jacobian); false when refused.
    bool Allow(int iflag);
    int Count() const { return m_count; }
    int Jacobians() const { return m_jacobians; }

  private:
    int m_count = 0;
    int m_jacobians = 0;
    bool m_spent = false;
};

// One minimiser run: its coefficients, outcome and sum of squared residuals.
struct FitTrial
{
    KingCoefficients k;
    FitOutcome outcome;
    double ssr = 0.0;
};

// The second start of a fit that stopped at the limit: a just below the
// smallest response (by 5 % of the responses' range), b and c from the line
// through (ln flow, ln(response - a)) of the rows where both are defined.
std::optional<KingCoefficients> DataStart(const MeasurementSet& set);

// The second start's result is kept when it converged with a smaller sum of
// squares; otherwise the first stands, flagged as not converged.
bool PreferSecondStart(const FitTrial& first, const FitTrial& second);

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
// model. A fit that stops at the evaluation limit (or leaves a coefficient that
// is not finite) gets a second start from the data; `outcome` says which start
// the coefficients come from and counts the evaluations of both.
KingCoefficients FitNonLinear(const MeasurementSet& set, FitOutcome* outcome = nullptr);

// Fits rows 0 to rowCount-1 into `k` in the mode ChooseFitMode picks. The
// run calls it only with 3 or more rows in use.
FitOutcome FitKing(const MeasurementSet& set, KingCoefficients& k);

} // namespace tovarin
