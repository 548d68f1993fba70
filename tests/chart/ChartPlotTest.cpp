#include "Chart.h"

#include "ChartLayout.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace tovarin;

namespace {

constexpr Color kYellow = Rgb(255, 255, 0); // scheme 7's data colour

} // namespace

TEST(ChartGeometry, PlotAreaMarkerAndBar)
{
    // 13 character widths left, 1 right, 4 line heights above, 3 below.
    EXPECT_EQ(PlotArea({505, 170, 855, 370}, {.lineHeight = 13, .charWidth = 8}),
              (Rect{609, 222, 847, 331}));
    // The centre, then the X's arms outward: 1 and 2 pixels along each diagonal.
    const std::vector<Point> x = {{10, 20}, {9, 19},  {9, 21},  {11, 19}, {11, 21},
                                  {8, 18},  {12, 22}, {12, 18}, {8, 22}};
    const auto marker = MarkerPixels({10, 20});
    EXPECT_EQ(std::vector<Point>(marker.begin(), marker.end()), x);
    EXPECT_EQ(BarRect({609, 240}, 23, 277, 847), (Rect{609, 240, 632, 277})); // above the axis
    EXPECT_EQ(BarRect({632, 312}, 23, 277, 847), (Rect{632, 277, 655, 312})); // below it
    EXPECT_EQ(BarRect({840, 300}, 23, 277, 847), (Rect{840, 277, 847, 300})); // cut at R
}

TEST(ChartPlot, KingMarkersAndCurve)
{
    ResponseChart r;
    ChartSpec spec{
        .kind = ChartKind::KingCurve, .xMax = 251, .yMax = 5, .a = 1, .b = 0.25, .c = 0.5};
    r.Attach(spec, {100, 2.5, 250.3, 4.9});
    EXPECT_EQ(spec.plotStyle, PlotStyle::Line); // markers, then the curve's segments

    // (100, 2.5) maps to trunc(609 + 100 * 238 / 251), trunc(331 - 2.5 * 21.8) = (703, 276).
    for (const Point centre : {Point{703, 276}, Point{846, 224}})
        for (const Point p : MarkerPixels(centre))
            EXPECT_EQ(r.canvas.Pixel(p.x, p.y), kYellow) << p.x << "," << p.y;
    EXPECT_EQ(r.canvas.Pixel(703, 275), Rgb(0, 128, 128)); // an X, not a plus

    // Samples at every whole flow 0 to 250, joined by 250 segments.
    const std::vector<LineCall> curve = r.DataLines();
    ASSERT_EQ(curve.size(), 250u);
    auto pixel = [](double x) {
        const double y = std::pow(x, 0.5) * 0.25 + 1.0;
        return Point{static_cast<int>(609 + x / (251.0 / 238.0)),
                     static_cast<int>(331 - y / (1 / 21.8))};
    };
    EXPECT_EQ(curve.front().from, pixel(0));
    EXPECT_EQ(curve.front().to, pixel(1));
    EXPECT_EQ(curve.back().to, pixel(250));

    // Another model's curve replaces a + b * x^c; where it has no value
    // (beyond 100 g/s here) the samples are left out.
    ResponseChart other;
    ChartSpec model{.kind = ChartKind::KingCurve, .xMax = 251, .yMax = 5, .a = 3, .b = 9, .c = 2};
    model.curve = [](double x) { return x <= 100 ? 1.0 + 0.25 * std::sqrt(x) : std::nan(""); };
    other.Attach(model, {100, 2.5});
    const std::vector<LineCall> part = other.DataLines();
    ASSERT_EQ(part.size(), 100u);
    EXPECT_EQ(part.front().from, pixel(0));
    EXPECT_EQ(part.back().to, pixel(100));
}

TEST(ChartPlot, KingSamplesWholeFlowsInRangeOrOnePerColumn)
{
    struct Case
    {
        const char* name;
        double xMin, xMax;
        std::size_t segments;
    } const cases[] = {
        {"trunc(0.5) = 0: markers only", 0, 0.5, 0},
        {"samples 7 to 259", 7, 260, 252},
        {"samples 0 to 20", -1, 21, 20},
        {"samples 8 and 9", 7.5, 10, 1},
        {"1000 g/s: still every whole flow", 0, 1001, 1000},
        {"65536 samples (0 to 65535) at most", 0, 65536, 65535},
        {"a mistyped 1e9 g/s: one sample per pixel column", 0, 1e9 + 1, 238},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResponseChart r;
        ChartSpec spec{.kind = ChartKind::KingCurve, .yMax = 5, .a = 1, .b = 0.001, .c = 0.4};
        spec.xMin = c.xMin;
        spec.xMax = c.xMax;
        r.Attach(spec, {c.xMin, 1});
        EXPECT_EQ(r.DataLines().size(), c.segments);
    }
}

TEST(ChartPlot, PercentErrorBarsFillTheirColumns)
{
    ResponseChart r;
    std::vector<double> points;
    for (const double pct : {10.0, -10.0, 0.0, 40.0, -40.0, 1.0, 2.0, 3.0, 4.0, 5.0})
        points.insert(points.end(), {2.0, 2.0 * (1 + pct / 100)});
    ChartSpec spec{.kind = ChartKind::PercentError, .xMin = 5, .xMax = 10, .yMin = -15, .yMax = 15};
    r.Attach(spec, points);
    EXPECT_EQ(r.chart.XMin(), 0.0);
    // Pair j at column trunc(609 + j * 23.8), 23 pixels wide; the axis on row 277.
    const std::vector<Rect> bars = r.DataBars();
    ASSERT_EQ(bars.size(), 10u);
    const int lefts[] = {0, 23, 47, 71, 95, 119, 142, 166, 190, 214};
    for (std::size_t j = 0; j < bars.size(); ++j)
        EXPECT_EQ(bars[j].left, 609 + lefts[j]) << j;
    EXPECT_EQ(bars[0], (Rect{609, 240, 632, 277})); // +10 %: rows 240 to 276
    EXPECT_EQ(bars[1], (Rect{632, 277, 655, 312})); // -10 %: rows 277 to 311
    EXPECT_EQ(bars[2], (Rect{656, 276, 679, 277})); // 0 %: the row above the axis
    EXPECT_EQ(bars[3].top, 222);                    // beyond +15 %: the frame's top
    EXPECT_EQ(bars[4].bottom, 331);

    // Difference kind: pairs whose column lies beyond R stop the plot.
    ResponseChart narrow;
    ChartSpec wide{.kind = ChartKind::Difference, .xMax = 10, .yMin = -2, .yMax = 2};
    narrow.Attach(wide, std::vector<double>(2 * 100, 1.0));
    EXPECT_EQ(narrow.DataBars().size(), 11u); // columns 0 to 10 * 23.8 = 238
}
