// The chart's Draw with any ChartSpec, placement, font metrics, scale mode
// and ranges. Kind 9 may read up to 1048576 pairs, which `points` holds.

#include "BitmapCanvas.h"
#include "Chart.h"
#include "FuzzInput.h"

#include <vector>

using namespace tovarin;

namespace {

// A parent whose font metrics come from the input.
class FuzzParent : public IChartParent
{
  public:
    FuzzParent(FontMetrics metrics) : m_canvas(96, 64, Rgb(0, 0, 0)), m_metrics(metrics) {}
    ICanvas* BeginDrawing() override { return &m_canvas; }
    void EndDrawing() override {}
    void RequestRepaint(const Rect&) override {}
    void RepaintNow() override {}
    FontMetrics MeasureFont(const ChartFont&) override { return m_metrics; }

  private:
    BitmapCanvas m_canvas;
    FontMetrics m_metrics;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static std::vector<double> points(2 * (1 << 20));
    FuzzInput input(data, size);
    FuzzParent parent({input.Take<int>(), input.Take<int>()});
    CChart chart(&parent, input.Take<int>(), input.Take<int>(), input.Take<int>(),
                 input.Take<int>(), input.Take<std::uint8_t>() % 8);
    chart.SetScaleToFit((input.Take<std::uint8_t>() & 1) != 0);
    ChartSpec spec;
    spec.kind = static_cast<ChartKind>(input.Take<std::uint8_t>() % 13);
    spec.plotStyle = static_cast<PlotStyle>(input.Take<std::uint8_t>() % 5);
    spec.xMin = input.Take<double>();
    spec.xMax = input.Take<double>();
    spec.yMin = input.Take<double>();
    spec.yMax = input.Take<double>();
    spec.pointCount = input.Take<std::uint16_t>() % 64;
    spec.scale = input.Take<double>();
    spec.offset = input.Take<double>();
    spec.a = input.Take<double>();
    spec.b = input.Take<double>();
    spec.c = input.Take<double>();
    for (std::size_t i = 0; i < 128; ++i)
        points[i] = input.Take<double>();
    spec.points = points.data();
    chart.AttachSpec(&spec);
    chart.SetXRange(input.Take<double>(), input.Take<double>());
    chart.Draw();
    chart.MoveChart(input.Take<int>(), input.Take<int>(), input.Take<int>(), input.Take<int>());
    chart.SetChartFont("Courier", 8);
    chart.Draw();
    return 0;
}
