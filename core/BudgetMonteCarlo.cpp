#include "BudgetMonteCarlo.h"

#include "BudgetRandom.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace tovarin {
namespace {

// One block's trials: Q at every point, trial after trial.
struct Block
{
    std::vector<std::vector<float>> values; // [point][trial]
    int failed = 0;
};

Block RunBlock(const BudgetData& data, std::uint64_t index, int trials)
{
    const std::size_t n = data.flows.size(), points = data.at.size();
    BudgetRandom random(kBudgetSeed, index);
    Block block;
    block.values.assign(points, {});
    std::vector<double> flows(n), responses(n), e(n);
    for (int t = 0; t < trials; ++t) {
        // Every draw is made whatever inputs are given, so that a trial's
        // numbers do not depend on which are.
        const double z = random.Normal();
        for (std::size_t i = 0; i < n; ++i) {
            flows[i] = data.flows[i] + z * data.uReference[i];
            responses[i] = data.responses[i] + random.Normal() * data.uResponse[i] +
                           (random.Uniform() - 0.5) * data.uResolution * std::sqrt(12.0);
            e[i] = random.Normal();
        }
        double chiSquare = 0.0;
        for (int k = 0; k < data.dof; ++k) {
            const double x = random.Normal();
            chiSquare += x * x;
        }
        const double rectangular = 2.0 * random.Uniform() - 1.0;
        const std::optional<FlowModel> model = data.refit(flows, responses);
        if (!model) {
            ++block.failed;
            continue;
        }
        // The scatter about the fit: a multivariate t of the coefficients'
        // covariance carried to Q, or the interpolant's rectangular error.
        const double w = data.dof > 0 && chiSquare > 0.0 ? std::sqrt(data.dof / chiSquare) : 0.0;
        for (std::size_t j = 0; j < points; ++j) {
            double scatter = 0.0;
            if (data.interpolant) {
                scatter = rectangular * data.looHalfWidth * data.fitFlow[j];
            } else {
                for (std::size_t i = 0; i < n; ++i)
                    scatter += data.gradient[i][j] * e[i];
                scatter *= data.scatter * w;
            }
            block.values[j].push_back(static_cast<float>(ModelFlow(*model, data.at[j]) + scatter));
        }
    }
    return block;
}

// The mean, standard deviation and probabilistically symmetric 95 % interval.
struct Summary
{
    double mean = 0.0, sd = 0.0, low = 0.0, high = 0.0;
};

Summary Summarise(std::vector<float> values)
{
    Summary s;
    const auto m = static_cast<std::ptrdiff_t>(values.size());
    if (m == 0)
        return s;
    double sum = 0.0;
    for (const float v : values)
        sum += v;
    s.mean = sum / static_cast<double>(m);
    double squares = 0.0;
    for (const float v : values)
        squares += (v - s.mean) * (v - s.mean);
    s.sd = m > 1 ? std::sqrt(squares / static_cast<double>(m - 1)) : 0.0;
    // JCGM 101 7.7: q = pM rounded, the interval from the r-th to the (r+q)-th value.
    const auto q = static_cast<std::ptrdiff_t>(std::floor(0.95 * static_cast<double>(m) + 0.5));
    const std::ptrdiff_t r = std::max<std::ptrdiff_t>((m - q + 1) / 2, 1);
    std::nth_element(values.begin(), values.begin() + (r - 1), values.end());
    s.low = values[static_cast<std::size_t>(r - 1)];
    const std::ptrdiff_t top = std::min(r + q - 1, m - 1);
    std::nth_element(values.begin(), values.begin() + top, values.end());
    s.high = values[static_cast<std::size_t>(top)];
    return s;
}

// JCGM 101 7.9.4: the h blocks' results are stable when twice the standard
// deviation of their means over sqrt(h) lies within the tolerance, for the
// mean, the standard deviation and both ends of the interval at every point.
// The tolerance is that of u(y) from the trials themselves (the blocks' mean
// standard deviation), not the linear u: where the two differ most, near zero
// flow, the linear u can be orders smaller than the spread the trials show.
bool Stable(const std::vector<std::vector<Summary>>& blocks, std::size_t pointCount)
{
    const auto h = static_cast<double>(blocks.size());
    if (blocks.size() < 2)
        return false;
    for (std::size_t j = 0; j < pointCount; ++j) {
        double sdSum = 0.0;
        for (const auto& block : blocks)
            sdSum += block[j].sd;
        const double tolerance = TwoDigitTolerance(sdSum / h);
        for (double Summary::*member :
             {&Summary::mean, &Summary::sd, &Summary::low, &Summary::high}) {
            double sum = 0.0, squares = 0.0;
            for (const auto& block : blocks)
                sum += block[j].*member;
            const double mean = sum / h;
            for (const auto& block : blocks)
                squares += (block[j].*member - mean) * (block[j].*member - mean);
            if (2.0 * std::sqrt(squares / (h - 1.0)) / std::sqrt(h) > tolerance)
                return false;
        }
    }
    return true;
}

} // namespace

MonteCarloResult RunBudgetMonteCarlo(const BudgetData& data, const BudgetInputs& inputs,
                                     std::vector<BudgetPoint>& points)
{
    const int wanted = inputs.mcTrials.value_or(kMaxAdaptiveTrials);
    const int blockCount = (wanted + kTrialsPerBlock - 1) / kTrialsPerBlock;
    const auto threads = static_cast<std::size_t>(std::max(inputs.threads, 1));
    std::vector<Block> blocks;
    std::vector<std::vector<Summary>> summaries;
    bool stable = false;
    // Blocks run `threads` at a time; an adaptive run stops at the first
    // block count that is stable, whatever the thread count.
    while (!stable && static_cast<int>(blocks.size()) < blockCount) {
        const std::size_t first = blocks.size();
        const std::size_t batch = std::min(threads, static_cast<std::size_t>(blockCount) - first);
        blocks.resize(first + batch);
        std::vector<std::thread> workers;
        for (std::size_t b = 0; b < batch; ++b) {
            const std::size_t index = first + b;
            const int trials =
                std::min(kTrialsPerBlock, wanted - static_cast<int>(index) * kTrialsPerBlock);
            workers.emplace_back(
                [&, index, trials] { blocks[index] = RunBlock(data, index, trials); });
        }
        for (std::thread& worker : workers)
            worker.join();
        if (inputs.mcTrials)
            continue;
        for (std::size_t index = first; index < blocks.size() && !stable; ++index) {
            std::vector<Summary> summary;
            for (const std::vector<float>& values : blocks[index].values)
                summary.push_back(Summarise(values));
            summaries.push_back(std::move(summary));
            stable = Stable(summaries, points.size());
            if (stable)
                blocks.resize(index + 1);
        }
    }
    MonteCarloResult result;
    for (const Block& block : blocks) {
        result.failedTrials += block.failed;
        result.trials += block.failed + static_cast<int>(block.values[0].size());
    }
    for (std::size_t j = 0; j < points.size(); ++j) {
        std::vector<float> all;
        for (const Block& block : blocks)
            all.insert(all.end(), block.values[j].begin(), block.values[j].end());
        if (all.empty())
            continue;
        const Summary s = Summarise(std::move(all));
        points[j].mcLowGs = s.low;
        points[j].mcHighGs = s.high;
        points[j].mcStandardGs = s.sd;
    }
    return result;
}

} // namespace tovarin
