// Timing of the flow factor table: 1,000,000 words written safely to a real file.

#include "Files.h"
#include "FlowTable.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

using namespace tovarin;

namespace {

void BM_FlowTableMillionPointsToFile(benchmark::State& state)
{
    Reduction lastRun;
    lastRun.coefficients = {0.9, 0.31, 0.52};
    lastRun.set.meterType = "BENCH";
    const OutputParameters output{0.0, 5.0, 1000000, OutputFlowUnit::TenMgPerSec};
    const std::string path = "/tmp/tovarin-bench-table.inc";
    for (auto _ : state)
        benchmark::DoNotOptimize(
            WriteFileAtomically(path, WriteToString(WriteFlowTable, lastRun, output)).ok);
    std::remove(path.c_str());
}
BENCHMARK(BM_FlowTableMillionPointsToFile)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The verdict a run adds: the fit's quality over 19 rows and the check of a
// 1024-point table, word by word.
void BM_Verdict19Rows1024Points(benchmark::State& state)
{
    Reduction run;
    run.set.rowCount = kMaxRows;
    for (int i = 0; i < kMaxRows; ++i) {
        const auto row = static_cast<std::size_t>(i);
        run.set.flowGs[row] = 2.0 + 21.0 * i;
        run.set.response[row] =
            KingResponse(run.set.flowGs[row], {0.9, 0.31, 0.52}) + 0.01 * ((i % 3) - 1);
    }
    run.coefficients = FitNonLinear(run.set, &run.outcome);
    const OutputParameters output{0.0, 5.0, 1024, OutputFlowUnit::TenMgPerSec};
    for (auto _ : state)
        benchmark::DoNotOptimize(JudgeCalibration(run, output).Passed());
}
BENCHMARK(BM_Verdict19Rows1024Points)->Unit(benchmark::kMicrosecond);

} // namespace
