// Timings of a full chart draw on the bitmap canvas: the response chart with
// 19 measured points and its King curve, over 0 to 400 g/s and over a
// mistyped 1e9 g/s range (one curve sample per pixel column).

#include "ChartLibrary.h"
#include "King.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace tovarin;

namespace {

void DrawResponseChart(benchmark::State& state, double lastFlow)
{
    BitmapChartParent parent(900, 620);
    CChart chart(&parent, 505, 170, 10, 100, 7);
    std::vector<double> points;
    for (int i = 0; i < 19; ++i) {
        const double flow = lastFlow * i / 18.0;
        points.push_back(flow);
        points.push_back(KingResponse(flow, {1.0, 0.26, 0.5}));
    }
    ChartSpec spec;
    spec.kind = ChartKind::KingCurve;
    spec.plotStyle = PlotStyle::Marker;
    spec.xMax = lastFlow + 1;
    spec.yMax = 5;
    spec.points = points.data();
    spec.pointCount = 19;
    spec.a = 1.0;
    spec.b = 0.26;
    spec.c = 0.5;
    chart.AttachSpec(&spec);
    for (auto _ : state) {
        chart.Draw();
        parent.Canvas().ClearTexts();
    }
}

void BM_DrawResponseChart400(benchmark::State& state)
{
    DrawResponseChart(state, 400.0);
}
BENCHMARK(BM_DrawResponseChart400)->Unit(benchmark::kMicrosecond);

void BM_DrawResponseChart1e9(benchmark::State& state)
{
    DrawResponseChart(state, 1e9);
}
BENCHMARK(BM_DrawResponseChart1e9)->Unit(benchmark::kMicrosecond);

} // namespace
