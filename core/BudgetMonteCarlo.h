#pragma once
// The Monte Carlo half of the uncertainty budget (UncertaintyBudget.h): the
// data both halves share, and the trials.

#include "FlowModel.h"
#include "UncertaintyBudget.h"

#include <functional>
#include <optional>
#include <vector>

namespace tovarin {

// The rows, the responses Q is wanted at, the inputs' standard uncertainties
// per row and the sensitivities of the linear half.
struct BudgetData
{
    std::vector<double> flows, responses; // rows in use, g/s and V or Hz
    std::vector<double> at;               // the responses Q(r) is wanted at
    std::vector<double> fitFlow;          // Q(at[j]) of the fit
    std::vector<double> uReference;       // g/s per row, common to all rows
    std::vector<double> uResponse;        // V or Hz per row
    double uResolution = 0.0;             // V or Hz
    bool interpolant = false;             // monotone: the scatter is its leave-one-out error
    double looHalfWidth = 0.0;            // |e| / 100
    double scatter = 0.0;                 // s, response units
    int dof = 0;
    std::vector<std::vector<double>> gradient; // [row][point]: dQ/dR_i
    std::vector<double> referenceGradient;     // [point]: dQ/dz
    // The chosen model fitted again to moved rows; empty when it does not converge.
    std::function<std::optional<FlowModel>(const std::vector<double>&, const std::vector<double>&)>
        refit;
};

struct MonteCarloResult
{
    int trials = 0;
    int failedTrials = 0;
};

// Fills each point's mcLowGs, mcHighGs and mcStandardGs (empty when no trial
// converged), with the trials JCGM 101 7.9 needs or inputs.mcTrials.
MonteCarloResult RunBudgetMonteCarlo(const BudgetData& data, const BudgetInputs& inputs,
                                     std::vector<BudgetPoint>& points);

} // namespace tovarin
