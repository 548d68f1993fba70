#include "Chart.h"

#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace tovarin;

namespace {

constexpr Color kYellow = Rgb(255, 255, 0);

struct ResponseChart
{
    RecordingParent parent;
    CChart chart{&parent, 505, 170, 10, 100, 7};
    RecordingCanvas& canvas = parent.canvas;

    void Attach(ChartSpec& spec) { ASSERT_TRUE(chart.AttachSpec(&spec)); }
    std::vector<LineCall> DataLines() const
    {
        std::vector<LineCall> lines;
        for (const LineCall& line : canvas.lines)
            if (line.color == chart.DataColor())
                lines.push_back(line);
        return lines;
    }
    std::vector<Rect> DataBars() const
    {
        std::vector<Rect> bars;
        for (const RectCall& call : canvas.rectangles)
            if (call.color == chart.DataColor())
                bars.push_back(call.box);
        return bars;
    }
};

ChartSpec Spec(int kind, int style, double xMin, double xMax, double yMin, double yMax,
               const std::vector<double>& points)
{
    ChartSpec spec;
    spec.kind = kind;
    spec.plotStyle = style;
    spec.xMin = xMin;
    spec.xMax = xMax;
    spec.yMin = yMin;
    spec.yMax = yMax;
    spec.points = points.data();
    spec.pointCount = static_cast<int>(points.size() / 2);
    return spec;
}

} // namespace

TEST(ChartPlot, KingMarkersAndCurveOfTheVoltsExample)
{
    ResponseChart r;
    const std::vector<double> points = {100, 2.5, 250.3, 4.9};
    ChartSpec spec = Spec(6, 0, 0, 251, 0, 5, points);
    spec.a = 1.0;
    spec.b = 0.25;
    spec.c = 0.5;
    r.Attach(spec);
    EXPECT_EQ(spec.plotStyle, 1); // markers, then the curve's segments

    // Markers: an X of nine pixels around (703, 276) and (846, 224).
    for (const Point centre : {Point{703, 276}, Point{846, 224}}) {
        for (const Point d : {Point{0, 0}, Point{-1, -1}, Point{-1, 1}, Point{1, -1}, Point{1, 1},
                              Point{-2, -2}, Point{2, 2}, Point{2, -2}, Point{-2, 2}})
            EXPECT_EQ(r.canvas.Pixel(centre.x + d.x, centre.y + d.y), kYellow)
                << centre.x << "," << centre.y;
    }
    EXPECT_EQ(r.canvas.Pixel(703, 275), Rgb(0, 128, 128)); // no plus, only an X

    // The curve: samples 0 to 250 joined by 250 segments.
    const std::vector<LineCall> curve = r.DataLines();
    ASSERT_EQ(curve.size(), 250u);
    const double dx = 251.0 / 238.0, dy = 1 / 21.8;
    auto pixel = [&](double x) {
        const double y = std::pow(x, 0.5) * 0.25 + 1.0;
        return Point{static_cast<int>(609 + x / dx), static_cast<int>(331 - y / dy)};
    };
    EXPECT_EQ(curve.front().from, pixel(0));
    EXPECT_EQ(curve.front().to, pixel(1));
    EXPECT_EQ(curve.back().to, pixel(250));
}

TEST(ChartPlot, KingSamplesStartAtTheFirstWholeFlowInRange)
{
    struct Case
    {
        double xMin, xMax;
        std::size_t segments;
    } const cases[] = {
        {0, 0.5, 0},   // trunc(0.5) = 0: no samples, markers only
        {7, 260, 252}, // samples 7 .. 259
        {-1, 21, 20},  // samples 0 .. 20
        {7.5, 10, 1},  // samples 8 and 9
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xMin);
        ResponseChart r;
        const std::vector<double> points = {c.xMin, 1};
        ChartSpec spec = Spec(6, 2, c.xMin, c.xMax, 0, 5, points);
        spec.b = 1;
        spec.c = 0.5;
        r.Attach(spec);
        EXPECT_EQ(r.DataLines().size(), c.segments);
    }
}

TEST(ChartPlot, KingCurveOverAHugeRangeIsSampledPerColumn)
{
    ResponseChart r;
    const std::vector<double> points = {1e9, 4};
    ChartSpec spec = Spec(6, 2, 0, 1e9 + 1, 0, 5, points);
    spec.a = 1;
    spec.b = 0.001;
    spec.c = 0.4;
    r.Attach(spec);
    const std::vector<LineCall> curve = r.DataLines();
    EXPECT_EQ(curve.size(), 238u); // one segment per pixel column
    EXPECT_EQ(curve.front().from.x, 609);
    EXPECT_EQ(curve.back().to.x, 846);
}

TEST(ChartPlot, PercentErrorBarsOfTenRows)
{
    ResponseChart r;
    std::vector<double> points;
    const double values[] = {10, -10, 0, 40, -40, 1, 2, 3, 4, 5}; // percent
    for (const double v : values) {
        points.push_back(2.0);
        points.push_back(2.0 * (1 + v / 100));
    }
    ChartSpec spec = Spec(7, 0, 5, 10, -15, 15, points);
    r.Attach(spec);
    EXPECT_EQ(r.chart.XMin(), 0.0);
    const std::vector<Rect> bars = r.DataBars();
    ASSERT_EQ(bars.size(), 10u);
    const int lefts[] = {0, 23, 47, 71, 95, 119, 142, 166, 190, 214};
    for (std::size_t j = 0; j < bars.size(); ++j) {
        EXPECT_EQ(bars[j].left, 609 + lefts[j]) << j;
        EXPECT_EQ(bars[j].right - bars[j].left, 23) << j;
    }
    EXPECT_EQ(bars[0], (Rect{609, 240, 632, 277})); // +10 %: rows 240 to 276
    EXPECT_EQ(bars[1], (Rect{632, 277, 655, 312})); // -10 %: rows 277 to 311
    EXPECT_EQ(bars[2], (Rect{656, 276, 679, 277})); // 0 %: the row above the axis
    EXPECT_EQ(bars[3].top, 222);                    // beyond +15 %: the frame's top
    EXPECT_EQ(bars[4].bottom, 331);
    EXPECT_EQ(r.canvas.Pixel(609, 240), kYellow);
    EXPECT_EQ(r.canvas.Pixel(631, 276), kYellow);
}

TEST(ChartPlot, DifferenceKindAndTheRightEdge)
{
    ResponseChart r;
    const std::vector<double> points = {10, 11, 10, 9, 4, 4};
    ChartSpec spec = Spec(8, 2, 0, 3, -2, 2, points);
    r.Attach(spec);
    // Values 1, -1, 0 as markers at x = 0, 1, 2 (xScale 238 / 3).
    const double dy = 1 / (109 / 4.0);
    for (int j = 0; j < 3; ++j) {
        const double v = j == 0 ? 1 : (j == 1 ? -1 : 0);
        const int px = static_cast<int>(609 + j * (238 / 3.0));
        const int py = static_cast<int>(331 - (v + 2) / dy);
        EXPECT_EQ(r.canvas.Pixel(px, py), kYellow) << j;
    }

    // Pairs whose column lies beyond R stop the plot.
    ResponseChart narrow;
    const std::vector<double> many(2 * 100, 1.0);
    ChartSpec wide = Spec(8, 0, 0, 10, -2, 2, many);
    narrow.Attach(wide);
    EXPECT_EQ(narrow.DataBars().size(), 11u); // columns 0 .. 10 * 23.8 = 238
}

TEST(ChartPlot, FunctionKindsSampleThePlotWidth)
{
    struct Case
    {
        int kind, style;
        std::size_t bars, lines, markers;
    } const cases[] = {
        {0, 0, 48, 0, 0},  // a 5-pixel bar every 5 pixels of 238
        {1, 1, 0, 238, 0}, // a line through one sample per pixel
        {2, 2, 0, 0, 238}, // a marker per pixel column
        {3, 0, 48, 0, 0},  {4, 1, 0, 238, 0}, {5, 2, 0, 0, 238},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        ResponseChart r;
        ChartSpec spec = Spec(c.kind, c.style, -10, 10, -100, 100, {});
        spec.scale = 50;
        spec.offset = 3;
        r.canvas.Forget();
        r.Attach(spec);
        EXPECT_EQ(r.DataBars().size(), c.bars);
        EXPECT_EQ(r.DataLines().size(), c.lines);
        EXPECT_EQ(r.canvas.pixels.size(), 9 * c.markers);
    }
    ResponseChart bars;
    ChartSpec square = Spec(0, 0, -10, 10, 0, 100, {});
    bars.Attach(square);
    const std::vector<Rect> drawn = bars.DataBars();
    EXPECT_EQ(drawn[0].left, 609);
    EXPECT_EQ(drawn[1].left, 614);
    EXPECT_EQ(drawn[0].right - drawn[0].left, 5);
    EXPECT_EQ(drawn[0].top, 222); // x = -10: 100, on the top line
}

TEST(ChartPlot, SeriesTakeTheirColours)
{
    ResponseChart r;
    const std::vector<double> points = {1, 1, 2, 2, 3, 3, 1, 4, 2, 5, 3, 6, 9, 9, 9, 9, 9, 9};
    ChartSpec spec = Spec(9, 2, 0, 10, 0, 10, points);
    spec.pointCount = 3;
    spec.scale = 2.7; // two series of three pairs
    r.Attach(spec);
    EXPECT_EQ(r.canvas.pixels.size(), 6u * 9u);
    const double dx = 10.0 / 238, dy = 10.0 / 109;
    auto at = [&](double x, double y) {
        return r.canvas.Pixel(static_cast<int>(609 + x / dx), static_cast<int>(331 - y / dy));
    };
    EXPECT_EQ(at(1, 1), Rgb(192, 255, 255));
    EXPECT_EQ(at(2, 5), Rgb(0, 0, 255));
    EXPECT_EQ(r.chart.DataColor(), kYellow); // restored
    EXPECT_EQ(CChart::GetSeriesColor(9), Rgb(0, 0, 255));
}

TEST(ChartPlot, Histograms)
{
    {
        ResponseChart r; // all equal: bin 0, x range v .. v + 0.1, y range 0 .. count + 1
        const std::vector<double> points = {0, 4, 1, 4, 2, 4};
        ChartSpec spec = Spec(11, 0, 0, 1, 0, 1, points);
        r.Attach(spec);
        EXPECT_EQ(r.chart.XMin(), 4.0);
        EXPECT_DOUBLE_EQ(r.chart.XMax(), 4.1);
        EXPECT_EQ(r.chart.YMax(), 4.0);
        const std::vector<Rect> bars = r.DataBars();
        ASSERT_EQ(bars.size(), 47u); // trunc(238 / 5) bins
        EXPECT_EQ(bars[0], (Rect{609, static_cast<int>(331 - 3 * (109 / 4.0)), 614, 331}));
    }
    {
        ResponseChart r; // 3 and 1 of 4: 75 % and 25 %, y range 0 .. 76
        const std::vector<double> points = {0, 0, 0, 0, 0, 0, 0, 47};
        ChartSpec spec = Spec(10, 0, 0, 1, 0, 1, points);
        r.Attach(spec);
        EXPECT_EQ(r.chart.YMax(), 76.0);
        const std::vector<Rect> bars = r.DataBars();
        ASSERT_EQ(bars.size(), 47u);
        const double dy = 76.0 / 109;
        EXPECT_EQ(bars[0].top, static_cast<int>(331 - 75 / dy));
        EXPECT_EQ(bars[46].top, static_cast<int>(331 - 25 / dy));
        EXPECT_EQ(bars[1], (Rect{614, 331, 619, 331})); // an empty bin: no height
    }
}

TEST(ChartPlot, HostileRecordsStayBounded)
{
    const double nan = NAN, inf = INFINITY;
    std::vector<double> points = {nan, nan, inf, -inf, -inf, inf, 1e308, -1e308};
    // Kind 9 reads scale x pointCount pairs: a huge scale is cut to 65536
    // pairs in all, which this array holds.
    points.resize(2 * 65536, 1e300);
    for (int kind = 0; kind < 12; ++kind) {
        for (int style = 0; style < 4; ++style) {
            ResponseChart r;
            ChartSpec spec = Spec(kind, style, -1e300, 1e300, nan, inf, points);
            spec.scale = kind == 9 ? 1e300 : 1;
            spec.pointCount = kind == 9 ? 1 : 4;
            spec.a = nan;
            spec.c = -inf;
            r.chart.AttachSpec(&spec);
            r.chart.SetScaleToFit(false);
            r.chart.SetXRange(-1e9, 1e9);
            r.chart.Draw();
        }
    }
}
