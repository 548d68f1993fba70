#include "Uncertainty.h"

#include "ModelUncertainty.h"

#include <algorithm>
#include <cmath>

namespace tovarin {

double CoverageFactor(int dof)
{
    // Student's t, two-sided 95 %, from the standard tables.
    static constexpr double kT975[] = {12.7062047, 4.30265273, 3.18244631, 2.77644511,
                                       2.57058184, 2.44691185, 2.36462425, 2.30600414,
                                       2.26215716, 2.22813885, 2.20098516, 2.17881283,
                                       2.16036866, 2.14478669, 2.13144955, 2.11990530};
    return dof >= 1 && dof <= 16 ? kT975[dof - 1] : 0.0;
}

std::vector<FlowUncertainty> FlowUncertaintyTable(const Reduction& lastRun,
                                                  const FitQuality& quality)
{
    if (lastRun.model.kind != ModelKind::King)
        return ModelFlowUncertaintyTable(lastRun, quality);
    std::vector<FlowUncertainty> table;
    const double t = CoverageFactor(quality.dof);
    if (!quality.uncertainty || t == 0.0)
        return table;
    const auto [low, high] = MeasuredResponseRange(lastRun.set);
    const KingCoefficients& k = lastRun.coefficients;
    const auto& cov = quality.uncertainty->covariance;
    for (int i = 0; i < kUncertaintyPoints; ++i) {
        const double r = low + (high - low) * i / (kUncertaintyPoints - 1.0);
        const double q = KingFlow(r, k);
        const double g[3] = {-q / (k.c * (r - k.a)), -q / (k.c * k.b),
                             -q * std::log((r - k.a) / k.b) / (k.c * k.c)};
        double variance = 0.0;
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                variance += g[row] * cov[row][col] * g[col];
        const double expanded = t * std::sqrt(variance);
        table.push_back({r, q, expanded, expanded / q * 100.0, t});
    }
    return table;
}

} // namespace tovarin
