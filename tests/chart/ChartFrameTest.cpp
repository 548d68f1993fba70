#include "Chart.h"

#include "RecordingCanvas.h"

#include <gtest/gtest.h>

using namespace tovarin;

namespace {

constexpr Color kGrid = Rgb(0, 64, 64);
constexpr Color kAxis = Rgb(255, 0, 255);
constexpr Color kBack = Rgb(0, 128, 128);

} // namespace

TEST(ChartFrame, BackgroundFrameGridAxesAndTicks)
{
    ResponseChart r;
    r.chart.SetXRange(0, 21);
    r.chart.SetYRange(-15, 15);
    r.chart.Draw();
    const BitmapCanvas& c = r.canvas;
    EXPECT_EQ(c.Pixel(505, 170), kBack);
    EXPECT_EQ(c.Pixel(854, 369), kBack);
    EXPECT_EQ(c.Pixel(855, 370), Rgb(1, 2, 3)); // right and bottom exclusive
    // The frame covers its corners; the y axis (x from 0) is drawn over its left line.
    for (const Point p : {Point{847, 222}, Point{847, 331}, Point{609, 331}})
        EXPECT_EQ(c.Pixel(p.x, p.y), kGrid) << p.x << "," << p.y;
    EXPECT_EQ(c.Pixel(609, 222), kAxis);
    // Grid columns at trunc(609 + i * 23.8), rows at trunc(222 + i * 10.9).
    for (const int x : {632, 656, 680, 704, 728, 751, 775, 799, 823})
        EXPECT_EQ(c.Pixel(x, 230), kGrid) << x;
    EXPECT_EQ(c.Pixel(633, 230), kBack);
    for (const int y : {232, 243, 254, 265, 276, 287, 298, 309, 320})
        EXPECT_EQ(c.Pixel(700, y), kGrid) << y;
    // The x axis on row 277 stops one pixel short of R, the y axis short of B.
    EXPECT_EQ(c.Pixel(846, 277), kAxis);
    EXPECT_EQ(c.Pixel(847, 277), kGrid);
    EXPECT_EQ(c.Pixel(609, 330), kAxis);
    EXPECT_EQ(c.Pixel(609, 331), kGrid);
    // x ticks run from 5 pixels above the axis to 5 below, end pixel unset
    // (rows 272 to 281, over a grid column); y ticks, counted from the bottom
    // (trunc(331 - 10.9) = 320), only right of a left axis (columns 609 to 613).
    EXPECT_EQ(c.Pixel(632, 272), kAxis);
    EXPECT_EQ(c.Pixel(632, 281), kAxis);
    EXPECT_EQ(c.Pixel(632, 282), kGrid);
    EXPECT_EQ(c.Pixel(613, 320), kAxis);
    EXPECT_EQ(c.Pixel(614, 320), kGrid);

    // Switches take grid and ticks away, never the frame or the axes.
    r.chart.ShowGrid(false);
    EXPECT_EQ(c.Pixel(656, 230), kBack);
    EXPECT_EQ(c.Pixel(632, 273), kAxis);
    r.chart.ShowTicks(false);
    EXPECT_EQ(c.Pixel(632, 273), kBack);
    EXPECT_EQ(c.Pixel(632, 277), kAxis);
    EXPECT_EQ(c.Pixel(847, 230), kGrid);

    // With the x axis on the bottom line, ticks rise only.
    r.chart.ShowTicks(true);
    r.chart.SetYRange(0, 5);
    r.chart.Draw();
    EXPECT_EQ(c.Pixel(632, 326), kAxis);
    EXPECT_EQ(c.Pixel(632, 332), kBack);
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
    const unsigned centred = kTextCenter | kTextEndEllipsis;
    const unsigned wrapped = kTextRight | kTextWordBreak | kTextEndEllipsis;
    const std::vector<TextCall> expected = {
        {"King Equation Linear Response", {609, 183, 847, 196}, centred, Rgb(192, 192, 192), font},
        {"", {609, 207, 847, 220}, centred, Rgb(255, 255, 255), font},
        {"g/sec", {609, 346, 847, 359}, centred, Rgb(150, 255, 150), font},
        {"Volts", {513, 248, 601, 305}, wrapped, Rgb(200, 255, 200), font},
        {"0", {609, 332, 673, 345}, kTextNoClip, Rgb(150, 255, 150), font},
        {"9.5", {696, 333, 760, 346}, kTextNoClip | kTextCenter, Rgb(150, 255, 150), font},
        {"19", {783, 334, 847, 347}, kTextNoClip | kTextRight, Rgb(150, 255, 150), font},
        {"15", {513, 222, 608, 235}, kTextRight, Rgb(200, 255, 200), font},
        {"-15", {513, 318, 607, 331}, kTextRight, Rgb(200, 255, 200), font},
    };
    EXPECT_EQ(r.canvas.Texts(), expected);
    // Each box is filled first; the x legend's fill is one pixel wider and taller.
    EXPECT_EQ(r.canvas.Pixel(848, 360), kBack);

    // A text setter redraws its own box only.
    ResponseChart fresh;
    fresh.chart.SetYLegend("% Error");
    ASSERT_EQ(fresh.canvas.Texts().size(), 1u);
    EXPECT_EQ(fresh.canvas.Texts()[0].box, (Rect{513, 248, 601, 305}));
    EXPECT_EQ(fresh.canvas.Pixel(609, 222), Rgb(1, 2, 3));
}

TEST(ChartFrame, LabelsUseFourSignificantDigits)
{
    struct Case
    {
        double lo, hi;
        std::vector<std::string> labels; // x low, middle, high
    } const cases[] = {
        {0, 15000, {"0", "7500", "1.5e+04"}},
        {0.00001, 0.00002, {"1e-05", "1.5e-05", "2e-05"}},
    };
    for (const Case& c : cases) {
        ResponseChart r;
        r.chart.SetXRange(c.lo, c.hi);
        r.canvas.ClearTexts();
        r.chart.Draw();
        const std::vector<TextCall>& texts = r.canvas.Texts();
        ASSERT_EQ(texts.size(), 9u);
        EXPECT_EQ(std::vector<std::string>({texts[4].text, texts[5].text, texts[6].text}),
                  c.labels);
    }
}
