#include "Chart.h"

#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tovarin;

TEST(ChartModel, ConstructionKeepsTheMinimumSize)
{
    RecordingParent parent;
    const CChart chart(&parent, 505, 170, 10, 100, 7);
    EXPECT_EQ(chart.GetChartRect(), (Rect{505, 170, 855, 370}));
    EXPECT_EQ(chart.BackColor(), Rgb(0, 128, 128));
    EXPECT_EQ(chart.DataColor(), Rgb(255, 255, 0));
    EXPECT_TRUE(parent.canvas.Texts().empty()); // constructing draws nothing

    const CChart negative(&parent, -5, -9, 400, 250, 0);
    EXPECT_EQ(negative.GetChartRect(), (Rect{0, 0, 400, 250}));

    const CChart defaults;
    EXPECT_EQ(defaults.Title(), "Graph Title goes here");
    EXPECT_EQ(defaults.XLegend(), "X Axis Legend Text here");
    EXPECT_EQ(defaults.YLegend(), "Y Axis Legend text  here");
    EXPECT_EQ(defaults.ExtraText(), "Function Name (or extra text)");
    EXPECT_EQ(defaults.XMin(), -100.0);
    EXPECT_EQ(defaults.YMax(), 100.0);
    EXPECT_EQ(defaults.BackColor(), Rgb(192, 192, 192));
}

TEST(ChartModel, MoveChartMinimumsAndRepaint)
{
    struct Case
    {
        int left, top, width, height;
        Rect expected;
    } const cases[] = {
        {-1, -1, 0, 0, {5, 6, 355, 206}},
        {10, 20, 100, 100, {10, 20, 360, 220}},
        {0, 0, 400, 250, {0, 0, 400, 250}},
        {7, -3, -8, 201, {7, 6, 357, 207}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        RecordingParent parent;
        CChart chart(&parent, 5, 6, 350, 200, 0);
        chart.MoveChart(c.left, c.top, c.width, c.height);
        EXPECT_EQ(chart.GetChartRect(), c.expected);
        ASSERT_EQ(parent.repaints.size(), 1u);
        EXPECT_EQ(parent.repaints[0], (Rect{5, 6, 355, 206})); // the old rectangle
        EXPECT_EQ(parent.repaintNowCount, 1);
    }
}

TEST(ChartModel, RangesSwapWidenAndPlaceTheAxes)
{
    RecordingParent parent;
    CChart chart(&parent, 505, 170, 350, 200, 7);
    chart.SetXRange(5, 1);
    EXPECT_EQ(chart.XMin(), 1.0);
    EXPECT_EQ(chart.XMax(), 5.0);
    chart.SetXRange(3, 3);
    EXPECT_EQ(chart.XMin(), 3.0);
    EXPECT_EQ(chart.XMax(), 3.1);

    // Plot width 350 - 13*8 - 8 = 238, height 200 - 7*13 = 109.
    struct Case
    {
        bool xAxis;
        double lo, hi;
        double scale;
        int offset;
    } const cases[] = {
        {true, -2.7, 10, 238 / 12.7, 104 + static_cast<int>(2 * (238 / 12.7))}, // -2.7 -> -2
        {true, -0.5, 10, 238 / 10.5, 104},                                      // -0.5 -> 0
        {true, 0, 19, 238 / 19.0, 104},
        {true, -10, -1, 238 / 9.0, 350 - 8},
        {false, -15, 15, 109 / 30.0, 93},
        {false, 0, 5, 109 / 5.0, 39},
        {false, -10, -1, 109 / 9.0, 109 + 39},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lo << " " << c.hi);
        if (c.xAxis) {
            chart.SetXRange(c.lo, c.hi);
            EXPECT_DOUBLE_EQ(chart.XScale(), c.scale);
            EXPECT_EQ(chart.XAxisOffset(), c.offset);
        } else {
            chart.SetYRange(c.lo, c.hi);
            EXPECT_DOUBLE_EQ(chart.YScale(), c.scale);
            EXPECT_EQ(chart.YAxisOffset(), c.offset);
        }
    }
    // -15..15: the x axis runs through the middle of the plot area (222..331).
    chart.SetYRange(-15, 15);
    EXPECT_EQ(370 - chart.YAxisOffset(), 277);

    chart.SetScaleToFit(false);
    chart.SetXRange(-50, 50);
    chart.SetYRange(0, 5);
    EXPECT_EQ(chart.XScale(), 1.0);
    EXPECT_EQ(chart.YScale(), 1.0);
    EXPECT_EQ(chart.XAxisOffset(), 104 + 50);
}

TEST(ChartModel, HostileRangesStayDefined)
{
    RecordingParent parent;
    CChart chart(&parent, 505, 170, 350, 200, 7);
    const double inf = INFINITY, nan = NAN;
    const double ranges[][2] = {{nan, 5},    {-inf, inf}, {-1e308, 1e308}, {1e300, 1e300},
                                {-3e9, 3e9}, {nan, nan},  {-inf, -1e308}};
    for (const auto& range : ranges) {
        chart.SetXRange(range[0], range[1]);
        chart.SetYRange(range[0], range[1]);
        chart.Draw(); // must neither crash nor loop without bound
    }
    chart.MoveChart(2147483000, 2147483000, 2147483647, 2147483647);
    chart.Draw();
}

TEST(ChartModel, AttachSpecRefusals)
{
    const double pairs[] = {1, 1};
    struct Case
    {
        int kind, style;
        const double* points;
        bool accepted;
    } const cases[] = {
        {12, 0, pairs, false},  {-1, 0, pairs, false},  {0, 4, pairs, false},
        {0, -1, pairs, false},  {7, 0, nullptr, false}, {6, 2, nullptr, false},
        {8, 0, nullptr, false}, {0, 0, nullptr, true},  {11, 3, pairs, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << "/" << c.style);
        RecordingParent parent;
        CChart chart(&parent, 505, 170, 350, 200, 7);
        ChartSpec spec;
        spec.kind = c.kind;
        spec.plotStyle = c.style;
        spec.points = c.points;
        spec.pointCount = 1;
        spec.xMax = 10;
        spec.yMax = 10;
        EXPECT_EQ(chart.AttachSpec(&spec), c.accepted);
        EXPECT_EQ(chart.Spec() == &spec, c.accepted);
        EXPECT_EQ(parent.canvas.Texts().empty(), !c.accepted); // refused: nothing drawn
    }
}

TEST(ChartModel, AttachSetsTextsRangesAndExtraTextByKind)
{
    const double pairs[] = {1, 1, 2, 2};
    const char* const extra[] = {"function: y= X^2",
                                 "function: y=x^3",
                                 "function: y=mx+c",
                                 "function: y=sin(x)",
                                 "function: y=cos(x)",
                                 "function: y=Loge(x)",
                                 "kept",
                                 "kept",
                                 "kept",
                                 "",
                                 "Histogram (%)",
                                 "Histogram (absolute)"};
    for (int kind = 0; kind < 12; ++kind) {
        SCOPED_TRACE(kind);
        RecordingParent parent;
        CChart chart(&parent, 505, 170, 350, 200, 7);
        chart.SetExtraText("kept");
        ChartSpec spec;
        spec.kind = kind;
        spec.points = pairs;
        spec.pointCount = 2;
        spec.scale = 1;
        spec.xMin = 5;
        spec.xMax = 20;
        spec.yMin = -1;
        spec.yMax = 4;
        spec.title = "T";
        spec.xLegend = "X";
        spec.yLegend = "Y";
        ASSERT_TRUE(chart.AttachSpec(&spec));
        EXPECT_EQ(chart.ExtraText(), extra[kind]);
        EXPECT_EQ(chart.Title(), "T");
        EXPECT_EQ(chart.XLegend(), "X");
        EXPECT_EQ(chart.YLegend(), "Y");
        if (kind < 10) { // histograms replace the ranges while drawing
            EXPECT_EQ(chart.XMin(), kind == 7 || kind == 8 ? 0.0 : 5.0);
            EXPECT_EQ(chart.YMax(), 4.0);
        }
    }
}

TEST(ChartModel, SwitchesRedrawOnlyOnChange)
{
    RecordingParent parent;
    CChart chart(&parent, 505, 170, 350, 200, 7);
    chart.ShowGrid(true);
    chart.ShowTicks(true);
    chart.SetYAxisAtLeft(false);
    chart.SetColorScheme(9, false);
    EXPECT_TRUE(parent.canvas.Texts().empty());
    EXPECT_EQ(chart.BackColor(), Rgb(0, 128, 128)); // an unknown scheme changes nothing
    chart.ShowGrid(false);
    EXPECT_EQ(parent.canvas.Texts().size(), 9u); // one full draw: nine text boxes
}

TEST(ChartModel, WithoutAParentOrACanvasNothingIsDrawn)
{
    CChart orphan;
    orphan.Draw();
    orphan.SetTitle("stored all the same");
    EXPECT_EQ(orphan.Title(), "stored all the same");

    // A parent that cannot be drawn on now gets repaint requests instead.
    RecordingParent parent;
    parent.drawable = false;
    CChart chart(&parent, 505, 170, 350, 200, 7);
    chart.SetTitle("T");
    chart.Draw();
    ASSERT_EQ(parent.repaints.size(), 2u);
    EXPECT_EQ(parent.repaints[0], (Rect{609, 183, 847, 196})); // the title box
    EXPECT_EQ(parent.repaints[1], (Rect{505, 170, 855, 370})); // the whole chart
}
