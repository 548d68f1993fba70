#include "Chart.h"

#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tovarin;

namespace {

// The main window's response chart: 350 x 200 at (505, 170), scheme 7.
// With metrics 13 / 8: L 609, T 222, R 847, B 331, chart bottom 370.
struct ResponseChart
{
    RecordingParent parent;
    CChart chart{&parent, 505, 170, 10, 100, 7};
    RecordingCanvas& canvas = parent.canvas;
};

constexpr Color kGrid = Rgb(0, 64, 64);
constexpr Color kAxis = Rgb(255, 0, 255);
constexpr Color kBack = Rgb(0, 128, 128);

const TextCall* FindText(const RecordingCanvas& canvas, const std::string& text)
{
    for (const TextCall& call : canvas.Texts())
        if (call.text == text)
            return &call;
    return nullptr;
}

} // namespace

TEST(ChartFrame, PlotRectOfTheResponseChart)
{
    ResponseChart r;
    EXPECT_EQ(r.chart.GetPlotRect(), (Rect{609, 222, 847, 331}));
}

TEST(ChartFrame, BackgroundFrameGridAndAxes)
{
    ResponseChart r;
    r.chart.SetXRange(0, 21);
    r.chart.SetYRange(-15, 15);
    r.chart.Draw();
    const BitmapCanvas& c = r.canvas;
    // Background over the whole chart, outside the frame.
    EXPECT_EQ(c.Pixel(505, 170), kBack);
    EXPECT_EQ(c.Pixel(854, 369), kBack);
    EXPECT_EQ(c.Pixel(855, 370), Rgb(1, 2, 3)); // right and bottom exclusive
    // The frame covers its corners; the y axis (x from 0) is drawn over its left line.
    for (const Point p : {Point{847, 222}, Point{847, 331}, Point{609, 331}})
        EXPECT_EQ(c.Pixel(p.x, p.y), kGrid) << p.x << "," << p.y;
    EXPECT_EQ(c.Pixel(609, 222), kAxis);
    // Vertical grid lines at trunc(609 + i * 23.8), horizontal at trunc(222 + i * 10.9).
    const int gridX[] = {632, 656, 680, 704, 728, 751, 775, 799, 823};
    for (const int x : gridX)
        EXPECT_EQ(c.Pixel(x, 230), kGrid) << x;
    EXPECT_EQ(c.Pixel(633, 230), kBack);
    const int gridY[] = {232, 243, 254, 265, 276, 287, 298, 309, 320};
    for (const int y : gridY)
        EXPECT_EQ(c.Pixel(700, y), kGrid) << y;
    // The x axis through the middle (row 277) stops one pixel short of R; the
    // y axis (x from 0) lies on the frame's left line and stops short of B.
    EXPECT_EQ(c.Pixel(610, 277), kAxis);
    EXPECT_EQ(c.Pixel(846, 277), kAxis);
    EXPECT_EQ(c.Pixel(847, 277), kGrid);
    EXPECT_EQ(c.Pixel(609, 330), kAxis);
    EXPECT_EQ(c.Pixel(609, 331), kGrid);
}

TEST(ChartFrame, TicksReachFivePixelsAndStayInsideThePlot)
{
    struct Case
    {
        double yLo, yHi;
        int axisRow, up, down;
    } const cases[] = {
        {-15, 15, 277, 5, 5}, // middle: 5 above and below
        {0, 5, 331, 5, 0},    // on the bottom line: ticks rise only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.yLo);
        ResponseChart r;
        r.chart.SetXRange(-5, 15);
        r.chart.SetYRange(c.yLo, c.yHi);
        r.canvas.Forget();
        r.chart.Draw();
        // x ticks: move to (x, AY), line to (x, AY - up), line on to (x, AY + down).
        std::vector<LineCall> xTicks;
        for (const LineCall& line : r.canvas.lines)
            if (line.color == kAxis && line.from.x == line.to.x && line.from.x != 609 + 59)
                xTicks.push_back(line);
        // the y axis sits at trunc(5 * 11.9) + 104 = 59 pixels right of the left edge
        ASSERT_EQ(xTicks.size(), 18u);
        EXPECT_EQ(xTicks[0].from, (Point{632, c.axisRow}));
        EXPECT_EQ(xTicks[0].to, (Point{632, c.axisRow - c.up}));
        EXPECT_EQ(xTicks[1].to, (Point{632, c.axisRow + c.down}));
    }
}

TEST(ChartFrame, YTicksFromTheBottomAndOnlyRightOfALeftAxis)
{
    ResponseChart r;
    r.chart.SetXRange(0, 10);
    r.chart.SetYRange(0, 5);
    r.chart.Draw();
    std::vector<LineCall> yTicks;
    for (const LineCall& line : r.canvas.lines)
        if (line.color == kAxis && line.from.y == line.to.y && line.from.x == 609 &&
            line.from.y != 331)
            yTicks.push_back(line);
    ASSERT_EQ(yTicks.size(), 18u);
    EXPECT_EQ(yTicks[0].from, (Point{609, 320})); // trunc(331 - 10.9) = 320
    EXPECT_EQ(yTicks[0].to, (Point{609, 320}));   // no room on the left
    EXPECT_EQ(yTicks[1].to, (Point{614, 320}));
    EXPECT_EQ(yTicks[16].from, (Point{609, 232})); // trunc(331 - 9 * 10.9) = 232
}

TEST(ChartFrame, SwitchesRemoveGridAndTicksButNotFrameOrAxes)
{
    ResponseChart r;
    r.chart.SetXRange(-5, 15);
    r.chart.SetYRange(-15, 15);
    r.chart.ShowGrid(false);
    EXPECT_EQ(r.canvas.Pixel(632, 230), kBack);
    EXPECT_EQ(r.canvas.Pixel(609, 230), kGrid);
    EXPECT_EQ(r.canvas.Pixel(632, 277), kAxis); // a tick crosses the axis here
    EXPECT_EQ(r.canvas.Pixel(632, 273), kAxis);
    r.chart.ShowTicks(false);
    EXPECT_EQ(r.canvas.Pixel(632, 273), kBack);
    EXPECT_EQ(r.canvas.Pixel(632, 277), kAxis);
}

TEST(ChartFrame, TextBoxesTheirFlagsAndColours)
{
    ResponseChart r;
    r.chart.SetXRange(0, 19);
    r.chart.SetYRange(-15, 15);
    r.chart.SetTitle("King Equation Linear Response");
    r.chart.SetXLegend("g/sec");
    r.chart.SetYLegend("Volts");
    r.chart.SetExtraText("");
    r.canvas.ClearTexts();
    r.chart.Draw();
    const ChartFont font{"Courier", 8};
    const std::vector<TextCall> expected = {
        {"King Equation Linear Response",
         {609, 183, 847, 196},
         kTextCenter | kTextEndEllipsis,
         Rgb(192, 192, 192),
         font},
        {"", {609, 207, 847, 220}, kTextCenter | kTextEndEllipsis, Rgb(255, 255, 255), font},
        {"g/sec", {609, 346, 847, 359}, kTextCenter | kTextEndEllipsis, Rgb(150, 255, 150), font},
        {"Volts",
         {513, 248, 601, 305},
         kTextRight | kTextWordBreak | kTextEndEllipsis,
         Rgb(200, 255, 200),
         font},
        {"0", {609, 332, 673, 345}, kTextNoClip, Rgb(150, 255, 150), font},
        {"9.5", {696, 333, 760, 346}, kTextNoClip | kTextCenter, Rgb(150, 255, 150), font},
        {"19", {783, 334, 847, 347}, kTextNoClip | kTextRight, Rgb(150, 255, 150), font},
        {"15", {513, 222, 608, 235}, kTextRight, Rgb(200, 255, 200), font},
        {"-15", {513, 318, 607, 331}, kTextRight, Rgb(200, 255, 200), font},
    };
    EXPECT_EQ(r.canvas.Texts(), expected);
    // Each box is filled first; the x legend's fill is one pixel wider and taller.
    EXPECT_EQ(r.canvas.Pixel(847, 359), kBack);
    EXPECT_EQ(r.canvas.Pixel(848, 360), kBack);
}

TEST(ChartFrame, LabelsUseFourSignificantDigits)
{
    struct Case
    {
        double lo, hi;
        const char *low, *middle, *high;
    } const cases[] = {
        {0, 19, "0", "9.5", "19"},     {0, 300, "0", "150", "300"},
        {0, 251, "0", "125.5", "251"}, {0, 15000, "0", "7500", "1.5e+04"},
        {-1, 21, "-1", "10", "21"},    {0.00001, 0.00002, "1e-05", "1.5e-05", "2e-05"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.high);
        ResponseChart r;
        r.chart.SetXRange(c.lo, c.hi);
        r.canvas.ClearTexts();
        r.chart.Draw();
        EXPECT_NE(FindText(r.canvas, c.low), nullptr);
        EXPECT_NE(FindText(r.canvas, c.middle), nullptr);
        EXPECT_NE(FindText(r.canvas, c.high), nullptr);
    }
}

TEST(ChartFrame, TextSettersRedrawOnlyTheirBox)
{
    ResponseChart r;
    r.chart.SetYLegend("% Error");
    ASSERT_EQ(r.canvas.Texts().size(), 1u);
    EXPECT_EQ(r.canvas.Texts()[0].box, (Rect{513, 248, 601, 305}));
    EXPECT_EQ(r.canvas.Pixel(513, 248), kBack);
    EXPECT_EQ(r.canvas.Pixel(512, 248), Rgb(1, 2, 3));
    EXPECT_EQ(r.canvas.Pixel(609, 222), Rgb(1, 2, 3)); // no full redraw
}
