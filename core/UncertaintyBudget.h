#pragma once
// The uncertainty of the flow the calibration assigns to a response r, Q(r)
// of the chosen model, from every input the laboratory states, propagated
// two ways and checked against each other.
//
// Inputs (expanded, k = 2, unless said otherwise):
//   reference  PCT % of reading + ABS g/s of every row with flow (a zero-flow
//              row keeps 0); one standard serves every row, so it is one
//              normal z common to all rows: Q_i -> Q_i + z u_ref,i
//   response   PCT % of reading + ABS (V or Hz), independent row to row
//   resolution R of the response, rectangular: u = R / sqrt(12) per row
//   scatter    of the rows about the model, always: s sqrt(sum g_i^2) with
//              s = sqrt(SSR / dof) and g_i = dQ(r)/dR_i, which to first order
//              is the coefficients' covariance s^2 (J^T J)^-1 carried to Q;
//              for the interpolant the leave-one-out error e as the
//              half-width of a rectangular distribution, u = |e| Q / sqrt(3)
//   CMC        % of reading, expanded: no stated U is smaller
//
// Linear (GUM): the sensitivities are central differences of refits (the
// data move, the model is fitted again from its own parameters, the measured
// data's fit mode kept); u_c^2 is the sum of the contributions squared;
// Welch-Satterthwaite with only the scatter finite (dof = rows - parameters),
// truncated down; k = t(0.975, nu_eff); U = k u_c.
//
// Monte Carlo (JCGM 101): each trial draws the inputs, refits, evaluates
// Q(r) and adds the scatter drawn as sum g_i e_i s w (e_i standard normal,
// w = sqrt(dof / chi^2_dof), a multivariate t of the covariance); blocks of
// 10^4 trials until twice the standard deviation of the blocks' means,
// standard deviations and interval ends over sqrt(blocks) is within the
// tolerance of two significant digits of the trials' own u (JCGM 101 7.9),
// at most 10^6. The 95 % interval is probabilistically symmetric. The linear
// interval is valid where both its ends match the Monte Carlo's to the
// tolerance of two significant digits of the linear u (JCGM 101 8);
// elsewhere the stated U is the larger half-width of the Monte Carlo
// interval. The stated U is then raised to the CMC.

#include "FitQuality.h"
#include "Reduce.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tovarin {

struct ReadingUncertainty
{
    double pct = 0.0; // % of reading
    double abs = 0.0; // g/s for the reference, V or Hz for the response
};

struct BudgetInputs
{
    std::optional<ReadingUncertainty> reference = {};
    std::optional<ReadingUncertainty> response = {};
    std::optional<double> resolution = {};
    std::optional<double> cmcPct = {};
    std::optional<int> mcTrials = {}; // a fixed count; adaptive without
    bool guarded = false;             // the decision rule: |error| + U within the limit
    int threads = 1;                  // of the Monte Carlo; the result does not depend on it

    bool Stated() const { return reference || response || resolution || cmcPct; }
    // A budget is made at all: without one, the record states the scatter only, as before.
    bool Wanted() const { return Stated() || mcTrials || guarded; }
};

inline constexpr std::uint64_t kBudgetSeed = 20261207;
inline constexpr int kTrialsPerBlock = 10000;
inline constexpr int kMaxAdaptiveTrials = 1000000;

enum class BudgetSourceKind
{
    Reference,
    ResponseMeter,
    Resolution,
    Scatter
};

// One source at one response: its input's standard uncertainty (at the row
// nearest that response, in its own unit), the effective sensitivity
// contribution / input, and the contribution to u(Q) in g/s.
struct SourceAt
{
    double inputStandard = 0.0;
    double sensitivity = 0.0;
    double contributionGs = 0.0;
};

struct BudgetSource
{
    BudgetSourceKind kind;
    std::optional<int> dof;          // empty: infinite (Type B)
    std::array<SourceAt, 3> at = {}; // at the budget's three responses
};

struct BudgetPoint
{
    double response = 0.0;
    double flowGs = 0.0;
    double combinedGs = 0.0;              // u_c
    std::optional<int> effectiveDof = {}; // empty: infinite
    double coverageFactor = 0.0;
    double linearExpandedGs = 0.0; // k u_c
    std::optional<double> mcLowGs = {}, mcHighGs = {}, mcStandardGs = {};
    std::optional<bool> linearValid = {};
    double expandedGs = 0.0; // stated: as the head says, before rounding
    double expandedPct = 0.0;
    bool cmcFloor = false; // raised to the CMC
};

struct UncertaintyBudget
{
    BudgetInputs inputs;
    std::vector<BudgetSource> sources;
    std::vector<BudgetPoint> table;      // at FlowUncertaintyTable's responses
    std::vector<BudgetPoint> rows;       // at each row in use
    std::array<BudgetPoint, 3> atBudget; // idle flow, middle and largest measured response
    int trials = 0;                      // Monte Carlo trials run
    int failedTrials = 0;                // whose refit did not converge, left out
    bool adaptive = false;
};

// t(0.975, nu), nu empty for infinity (1.95996): tabled for 1 to 30, above
// that within 3e-8 of the exact quantile.
double CoverageFactorAt(const std::optional<int>& dof);

// Empty, with the reason, when the chosen model cannot be refitted or the
// fit has no degrees of freedom left.
std::optional<UncertaintyBudget> MakeUncertaintyBudget(const Reduction& lastRun,
                                                       const FitQuality& quality,
                                                       const BudgetInputs& inputs,
                                                       std::string& why);

// Rounded up to two significant digits (ILAC P14): 0.01234 -> 0.013, 1.2 -> 1.2.
double RoundUpTwoDigits(double value);

// Half a unit of the second significant digit of `u`: JCGM 101's numerical tolerance.
double TwoDigitTolerance(double u);

} // namespace tovarin
