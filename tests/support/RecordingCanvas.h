#pragma once
// A bitmap canvas that also records its line and rectangle calls, and a
// chart parent drawing onto it (or onto `target`) with the metrics 13 / 8.

#include "BitmapCanvas.h"
#include "Chart.h"

#include <gtest/gtest.h>

#include <vector>

struct LineCall
{
    tovarin::Point from, to;
    tovarin::Color color;
};

struct RectCall
{
    tovarin::Rect box;
    tovarin::Color color;
};

class RecordingCanvas : public tovarin::BitmapCanvas
{
  public:
    RecordingCanvas() : BitmapCanvas(1400, 700, tovarin::Rgb(1, 2, 3)) {}

    void MoveTo(tovarin::Point to) override
    {
        m_at = to;
        BitmapCanvas::MoveTo(to);
    }
    void LineTo(tovarin::Point to, tovarin::Color color) override
    {
        lines.push_back({m_at, to, color});
        m_at = to;
        BitmapCanvas::LineTo(to, color);
    }
    void Rectangle(const tovarin::Rect& box, tovarin::Color pen, tovarin::Color brush) override
    {
        rectangles.push_back({box, brush});
        BitmapCanvas::Rectangle(box, pen, brush);
    }
    void Forget()
    {
        lines.clear();
        rectangles.clear();
        ClearTexts();
    }

    std::vector<LineCall> lines;
    std::vector<RectCall> rectangles;

  private:
    tovarin::Point m_at;
};

class RecordingParent : public tovarin::IChartParent
{
  public:
    tovarin::ICanvas* BeginDrawing() override
    {
        return drawable ? (target ? target : &canvas) : nullptr;
    }
    void EndDrawing() override {}
    void RequestRepaint(const tovarin::Rect& area) override { repaints.push_back(area); }
    void RepaintNow() override { ++repaintNowCount; }
    tovarin::FontMetrics MeasureFont(const tovarin::ChartFont&) override { return {13, 8}; }

    RecordingCanvas canvas;
    tovarin::ICanvas* target = nullptr;
    bool drawable = true;
    std::vector<tovarin::Rect> repaints;
    int repaintNowCount = 0;
};

// The main window's response chart: 350 x 200 at (505, 170), metrics 13 / 8,
// so the plot area is L 609, T 222, R 847, B 331 (plot 238 x 109 pixels) and
// the chart's bottom row 370. Data is drawn in scheme 7's yellow.
struct ResponseChart
{
    RecordingParent parent;
    tovarin::CChart chart{&parent, 505, 170, 10, 100, 7};
    RecordingCanvas& canvas = parent.canvas;

    void Attach(tovarin::ChartSpec& spec, const std::vector<double>& points)
    {
        spec.points = points.data();
        if (spec.pointCount == 0)
            spec.pointCount = static_cast<int>(points.size() / 2);
        canvas.Forget();
        ASSERT_TRUE(chart.AttachSpec(&spec));
    }
    std::vector<LineCall> DataLines() const
    {
        std::vector<LineCall> lines;
        for (const LineCall& line : canvas.lines)
            if (line.color == chart.DataColor())
                lines.push_back(line);
        return lines;
    }
    std::vector<tovarin::Rect> DataBars() const
    {
        std::vector<tovarin::Rect> bars;
        for (const RectCall& call : canvas.rectangles)
            if (call.color == chart.DataColor())
                bars.push_back(call.box);
        return bars;
    }
};
