#include "Chart.h"

#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tovarin;

TEST(ChartModel, PlacementKeepsTheMinimumSizeAndRepaintsTheOldRectangle)
{
    RecordingParent parent;
    const CChart window(&parent, 505, 170, 10, 100, 7); // the main window's charts
    EXPECT_EQ(window.GetChartRect(), (Rect{505, 170, 855, 370}));
    EXPECT_TRUE(parent.canvas.Texts().empty()); // constructing draws nothing
    EXPECT_EQ(CChart(&parent, -5, -9, 400, 250, 0).GetChartRect(), (Rect{0, 0, 400, 250}));

    // MoveChart keeps what is negative or zero, raises the size to 350 x 200
    // and asks for the old rectangle to be repainted at once.
    RecordingParent moved;
    CChart chart(&moved, 5, 6, 350, 200, 0);
    chart.MoveChart(7, -3, -8, 201);
    EXPECT_EQ(chart.GetChartRect(), (Rect{7, 6, 357, 207}));
    EXPECT_EQ(moved.repaints, std::vector<Rect>{(Rect{5, 6, 355, 206})});
    EXPECT_EQ(moved.repaintNowCount, 1);
}

TEST(ChartModel, RangesSwapWidenAndPlaceTheAxes)
{
    RecordingParent parent;
    CChart chart(&parent, 505, 170, 350, 200, 7);
    chart.SetXRange(5, 1);
    EXPECT_EQ(chart.XMin(), 1.0);
    chart.SetXRange(3, 3);
    EXPECT_EQ(chart.XMax(), 3.1);

    // Plot width 350 - 14 * 8 = 238, height 200 - 7 * 13 = 109; offsets from
    // the chart's left edge (x) and bottom edge (y).
    struct Case
    {
        bool xAxis;
        double lo, hi, scale;
        int offset;
    } const cases[] = {
        {true, -2.7, 10, 238 / 12.7, 104 + static_cast<int>(2 * (238 / 12.7))}, // -2.7 -> -2
        {true, -0.5, 10, 238 / 10.5, 104}, // -0.5 truncates to 0
        {true, 0, 19, 238 / 19.0, 104},
        {true, -10, -1, 238 / 9.0, 350 - 8},
        {false, -15, 15, 109 / 30.0, 93}, // the x axis on row 370 - 93 = 277
        {false, 0, 5, 109 / 5.0, 39},
        {false, -10, -1, 109 / 9.0, 109 + 39},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lo << " " << c.hi);
        if (c.xAxis)
            chart.SetXRange(c.lo, c.hi);
        else
            chart.SetYRange(c.lo, c.hi);
        EXPECT_DOUBLE_EQ(c.xAxis ? chart.XScale() : chart.YScale(), c.scale);
        EXPECT_EQ(c.xAxis ? chart.XAxisOffset() : chart.YAxisOffset(), c.offset);
    }
    chart.SetScaleToFit(false);
    chart.SetXRange(-50, 50);
    EXPECT_EQ(chart.XScale(), 1.0);
    EXPECT_EQ(chart.XAxisOffset(), 104 + 50);
}

TEST(ChartModel, AttachSpecRefusesBadRecordsAndSetsTextsByKind)
{
    const double pairs[] = {1, 1, 2, 2};
    struct Refusal
    {
        int kind, style;
        const double* points;
    } const refusals[] = {{12, 0, pairs},  {-1, 0, pairs},  {0, 4, pairs},  {0, -1, pairs},
                          {7, 0, nullptr}, {6, 2, nullptr}, {8, 0, nullptr}};
    for (const Refusal& r : refusals) {
        RecordingParent parent;
        CChart chart(&parent, 505, 170, 350, 200, 7);
        ChartSpec spec{.kind = static_cast<ChartKind>(r.kind),
                       .plotStyle = static_cast<PlotStyle>(r.style),
                       .points = r.points};
        EXPECT_FALSE(chart.AttachSpec(&spec)) << r.kind << "/" << r.style;
        EXPECT_TRUE(parent.canvas.Texts().empty()); // nothing drawn
    }

    // The program's two kinds keep the extra text; kind 9 empties it, the
    // function kinds name their function.
    const std::pair<ChartKind, const char*> extras[] = {{ChartKind::KingCurve, "kept"},
                                                        {ChartKind::PercentError, "kept"},
                                                        {ChartKind::Series, ""},
                                                        {ChartKind::Log, "function: y=Loge(x)"}};
    for (const auto& [kind, extra] : extras) {
        RecordingParent parent;
        CChart chart(&parent, 505, 170, 350, 200, 7);
        chart.SetExtraText("kept");
        ChartSpec spec{.kind = kind, .xMin = 5, .xMax = 20, .title = "T", .yLegend = "Y"};
        spec.xLegend = "X";
        spec.points = pairs;
        spec.pointCount = 2;
        spec.scale = 1;
        ASSERT_TRUE(chart.AttachSpec(&spec));
        EXPECT_EQ(chart.ExtraText(), extra);
        EXPECT_EQ(chart.Title() + chart.XLegend() + chart.YLegend(), "TXY");
        EXPECT_EQ(chart.XMin(), kind == ChartKind::PercentError ? 0.0 : 5.0); // pair j at x = j
    }
}

TEST(ChartModel, RedrawsOnlyOnChangeAndOnlyWhenItCan)
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

    CChart orphan;
    orphan.Draw();
    orphan.SetTitle("stored all the same");
    EXPECT_EQ(orphan.Title(), "stored all the same");

    // A parent that cannot be drawn on now gets repaint requests instead.
    RecordingParent busy;
    busy.drawable = false;
    CChart later(&busy, 505, 170, 350, 200, 7);
    later.SetTitle("T");
    later.Draw();
    EXPECT_EQ(busy.repaints, std::vector<Rect>({{609, 183, 847, 196},    // the title box
                                                {505, 170, 855, 370}})); // the whole chart
}

// Every kind, style and hostile record is fuzzed (fuzz/FuzzChart.cpp); these
// are the two overflows that were found before, kept under the sanitizers.
TEST(ChartModel, HugeMetricsAndUnscaledRangesStayDefined)
{
    RecordingParent parent;
    CChart chart(&parent, 505, 170, 350, 200, 7);
    chart.SetScaleToFit(false);
    chart.SetXRange(-3e9, 3e9); // the axis 3e9 pixels right of the chart
    chart.Draw();
    EXPECT_EQ(chart.XAxisOffset(), 1 << 24);

    struct HugeFont : RecordingParent
    {
        FontMetrics MeasureFont(const ChartFont&) override { return {4096, 4096}; }
    } huge; // a character wider than the chart / 14
    CChart wide(&huge, 2147483000, 2147483000, 2147483647, 2147483647, 0);
    wide.SetXRange(-1e308, 1e308);
    wide.Draw();
}
