// The Monte Carlo of the uncertainty budget: 10^5 trials of King's equation,
// each a refit of 19 rows warm-started from the fit, on one and two threads.

#include "Core.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace tovarin;

namespace {

// 19 rising flows from 2 to 380 g/s on a hot-wire curve with a slight S-shaped departure.
Reduction NineteenRowRun()
{
    RunInput input;
    for (std::size_t i = 0; i < 19; ++i) {
        const double q = 2.0 + 21.0 * static_cast<double>(i);
        input.typedFlow[i] = q;
        input.typedResponse[i] =
            0.9 + 0.31 * std::pow(q, 0.52) * (1.0 + 0.003 * std::tanh(std::log(q / 40.0)));
    }
    return Reduce(input);
}

void BM_BudgetMonteCarlo100kKingTrials(benchmark::State& state)
{
    const Reduction run = NineteenRowRun();
    const FitQuality quality = AssessFit(run);
    const BudgetInputs inputs{.reference = ReadingUncertainty{0.5, 0.0},
                              .response = ReadingUncertainty{0.05, 0.001},
                              .mcTrials = 100000,
                              .threads = static_cast<int>(state.range(0))};
    for (auto _ : state) {
        std::string why;
        benchmark::DoNotOptimize(MakeUncertaintyBudget(run, quality, inputs, why));
    }
}
BENCHMARK(BM_BudgetMonteCarlo100kKingTrials)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
