// Timing of the flow factor table: 1,000,000 words written safely to a real file.

#include "Files.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

using namespace tovarin;

namespace {

void BM_FlowTableMillionPointsToFile(benchmark::State& state)
{
    Calibration lastRun;
    lastRun.coefficients = {0.9, 0.31, 0.52};
    lastRun.set.meterType = "BENCH";
    const OutputParameters output{0.0, 5.0, 1000000, 0};
    const std::string path = "/tmp/tovarin-bench-table.inc";
    for (auto _ : state)
        benchmark::DoNotOptimize(
            WriteFileAtomically(path, WriteToString(WriteFlowTable, lastRun, output)).ok);
    std::remove(path.c_str());
}
BENCHMARK(BM_FlowTableMillionPointsToFile)->Unit(benchmark::kMillisecond);

} // namespace
