#pragma once
// How well the last fit describes the rows in use, in the response the fit
// minimised and in the flow the engine controller will read back.
//
// Through the chosen model (King's equation unless another was chosen). With
// n rows in use and k parameters, dof = n - k, fitted_i = KingResponse(flowGs_i)
// (another model: the response where its flow is flowGs_i):
//   response error_i = (response_i - fitted_i) / fitted_i * 100   (the % error field)
//   flow error_i     = (Q(response_i) - flowGs_i) / flowGs_i * 100,
//                      undefined where flowGs_i is 0 or the result is not finite
//   SSR = sum (response_i - fitted_i)^2,  SST = sum (response_i - mean response)^2
//   rms = sqrt(SSR / dof) in response units (undefined for dof <= 0)
//   R^2 = 1 - SSR / SST (undefined when SST is 0)
//   cov = s^2 (J^T J)^-1 with s^2 = SSR / dof and the Jacobian columns 1, flow^c
//         and b * flow^c * ln(flow) (0 where flow is 0), in non-linear mode of
//         King's equation only;
//   standard error_j = sqrt(cov_jj), correlation_jk = cov_jk / sqrt(cov_jj cov_kk).
// The largest errors are signed values of largest magnitude; the flow error's
// only over rows whose flow is at least the idle flow.

#include "FlowErrors.h"
#include "Reduce.h"

#include <optional>
#include <vector>

namespace tovarin {

struct RowErrors
{
    double responseErrorPct = 0.0;
    std::optional<double> flowErrorPct;
};

struct CoefficientUncertainty
{
    double a = 0.0, b = 0.0, c = 0.0;    // standard errors
    double ab = 0.0, ac = 0.0, bc = 0.0; // correlations
    double covariance[3][3] = {};        // of a, b, c in that order
};

struct FitQuality
{
    int dof = 0;
    double idleFlowGs = kDefaultIdleFlowGs;
    std::optional<double> rmsResidual; // response units
    std::optional<double> rSquared;
    std::optional<LargestError> maxResponseError;
    std::optional<LargestError> maxFlowError; // rows at or above the idle flow
    std::optional<CoefficientUncertainty> uncertainty;
    std::vector<RowErrors> rows; // rows in use
};

// The quality of the last run's fit; empty rows when it made none.
FitQuality AssessFit(const Reduction& lastRun, double idleFlowGs = kDefaultIdleFlowGs);

} // namespace tovarin
