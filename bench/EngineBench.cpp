// Timings of the core: one non-linear fit of 19 rows, and one whole run as
// the window makes it (field texts in, Reduce, field texts and log out, no disk).

#include "Core.h"
#include "ResultFields.h"
#include "ScreenInput.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

using namespace tovarin;

namespace {

// 19 rising flows from 2 to 380 g/s on a plausible hot-wire curve with scatter.
MeasurementSet NineteenRows()
{
    MeasurementSet set;
    set.rowCount = kMaxRows;
    for (int i = 0; i < kMaxRows; ++i) {
        const auto row = static_cast<std::size_t>(i);
        set.flowGs[row] = 2.0 + 21.0 * i;
        set.response[row] = KingResponse(set.flowGs[row], {0.9, 0.31, 0.52}) + 0.01 * ((i % 3) - 1);
    }
    return set;
}

void BM_NonLinearFit19Rows(benchmark::State& state)
{
    const MeasurementSet set = NineteenRows();
    for (auto _ : state)
        benchmark::DoNotOptimize(FitNonLinear(set));
}
BENCHMARK(BM_NonLinearFit19Rows);

// A fit that stops at the evaluation limit from (1, 1, 0.3) and converges from
// the second start taken from the data: both runs, 450 evaluations.
void BM_RescuedFit11Rows(benchmark::State& state)
{
    const double flows[] = {2.62,  3.24, 3.39,   6.68,   7.73,  18.37,
                            20.95, 52.8, 201.55, 331.21, 410.38};
    const double responses[] = {1.124, 1.084, 1.092, 1.151, 1.162, 1.277,
                                1.31,  1.537, 2.021, 2.31,  2.397};
    MeasurementSet set;
    set.rowCount = 11;
    std::copy(std::begin(flows), std::end(flows), set.flowGs.begin());
    std::copy(std::begin(responses), std::end(responses), set.response.begin());
    for (auto _ : state)
        benchmark::DoNotOptimize(FitNonLinear(set));
}
BENCHMARK(BM_RescuedFit11Rows);

// The 120 reference fits: the time of all, and pow calls per fit now and as
// they were before the Jacobian reused the residuals' powers (m per residual
// call and 2 m per Jacobian).
void BM_ReferenceFits(benchmark::State& state)
{
    std::vector<MeasurementSet> sets;
    std::ifstream file(TOVARIN_TEST_DATA_DIR "/lmfit-reference.tsv");
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::stringstream columns(line);
        std::string rows, flows, responses;
        std::getline(columns, rows, '\t');
        std::getline(columns, flows, '\t');
        std::getline(columns, responses, '\t');
        MeasurementSet set;
        std::stringstream f(flows), r(responses);
        for (std::string value; std::getline(f, value, ',');)
            set.flowGs[static_cast<std::size_t>(set.rowCount++)] =
                ParseDoubleC(value.c_str(), nullptr);
        for (std::size_t i = 0; std::getline(r, flows, ','); ++i)
            set.response[i] = ParseDoubleC(flows.c_str(), nullptr);
        sets.push_back(set);
    }
    double now = 0, before = 0;
    for (auto _ : state) {
        now = before = 0;
        for (const MeasurementSet& set : sets) {
            FitOutcome outcome;
            benchmark::DoNotOptimize(FitNonLinear(set, &outcome));
            now += outcome.powerCalls;
            const int residualCalls = outcome.evaluations - 3 * outcome.jacobians;
            before += set.rowCount * (residualCalls + 2 * outcome.jacobians);
        }
    }
    state.counters["powPerFit"] = now / static_cast<double>(sets.size());
    state.counters["powPerFitBefore"] = before / static_cast<double>(sets.size());
}
BENCHMARK(BM_ReferenceFits)->Unit(benchmark::kMicrosecond);

void BM_ScreenRun19Rows(benchmark::State& state)
{
    const MeasurementSet rows = NineteenRows();
    ScreenTexts screen;
    for (std::size_t row = 0; row < kMaxRows; ++row) {
        screen.flow[row] = FormatC("%.2f", rows.flowGs[row]);
        screen.response[row] = FormatC("%.3f", rows.response[row]);
    }
    screen.flowUnit = screen.responseKind = 0;
    for (auto _ : state) {
        const Reduction run = Reduce(ReadRunInput(screen, {}));
        benchmark::DoNotOptimize(FormatResultFields(run));
        benchmark::DoNotOptimize(RunLogBlock(run)); // formatted, the disk left out
    }
}
BENCHMARK(BM_ScreenRun19Rows);

// 19 bench rows of a hot-film-like sensor (two power laws and a low-flow
// shoulder, zero-flow row first, flows geometric from 2 to 400 g/s) with
// 0.2 % noise on the responses.
RunInput HotFilmInput()
{
    RunInput input;
    for (std::size_t i = 0; i < kMaxRows; ++i) {
        const double q = i == 0 ? 0.0 : 2.0 * std::pow(200.0, static_cast<double>(i - 1) / 17.0);
        const double noise =
            0.002 * std::sin(7.0 * static_cast<double>(i)); // deterministic scatter
        input.typedFlow[i] = q;
        input.typedResponse[i] =
            (0.95 + 0.5 * std::pow(q, 0.45) + 0.3 * (1.0 - std::exp(-q / 8.0))) * (1.0 + noise);
    }
    return input;
}

// The single King fit of a calibration, against --model best (four models,
// each with its leave-one-out refits).
void BM_KingOnly19Rows(benchmark::State& state)
{
    const RunInput input = HotFilmInput();
    const ModelSettings king{.maxFlowErrorPct = 100.0, .tableHigh = 5.0}; // passes: no comparison
    for (auto _ : state)
        benchmark::DoNotOptimize(Reduce(input, king));
}
BENCHMARK(BM_KingOnly19Rows)->Unit(benchmark::kMicrosecond);

void BM_ModelBest19Rows(benchmark::State& state)
{
    const RunInput input = HotFilmInput();
    const ModelSettings best{.choice = ModelChoice::Best, .tableHigh = 5.0};
    for (auto _ : state)
        benchmark::DoNotOptimize(Reduce(input, best));
}
BENCHMARK(BM_ModelBest19Rows)->Unit(benchmark::kMicrosecond);

} // namespace
