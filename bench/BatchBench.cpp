// Files per second of a batch: 1,000 calibrations of 19 rows reduced with
// --json into a stream that discards the lines, with 1 and with 2 worker
// threads. The rows are written to a temporary folder once, as a production
// line leaves them. (An ostringstream holding 3 MB of lines would measure the
// allocator growing and trimming it on every iteration instead.)

#include "Batch.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace tovarin;

namespace {

std::string MakeFiles(int count)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "tovarin-batch-bench";
    std::filesystem::create_directories(dir);
    std::string list;
    for (int file = 0; file < count; ++file) {
        const std::string path = (dir / ("s" + std::to_string(file) + ".csv")).string();
        std::ofstream out(path);
        for (int i = 0; i < 19; ++i) {
            const double flow = 2.0 + 21.0 * i;
            out << flow << "," << 0.9 + 0.31 * std::pow(flow, 0.52) + 0.001 * ((file + i) % 7)
                << "\n";
        }
        list += path + "\n";
    }
    return list;
}

void BM_Batch1000Files(benchmark::State& state)
{
    static const std::string list = MakeFiles(1000);
    const std::vector<std::string> args = {"--json", "--jobs", std::to_string(state.range(0)),
                                           "--files-from", "-"};
    for (auto _ : state) {
        std::istringstream in(list);
        std::ostream out(nullptr), err(nullptr); // no buffer: every write is dropped
        benchmark::DoNotOptimize(RunReduceProgram(args, in, out, err));
    }
    state.counters["files/s"] = benchmark::Counter(1000.0 * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Batch1000Files)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
