#pragma once
// A bitmap canvas that also records its line, rectangle and pixel calls, and
// a chart parent drawing onto it with the metrics 13 / 8.

#include "BitmapCanvas.h"

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
    void SetPixel(tovarin::Point at, tovarin::Color color) override
    {
        pixels.push_back(at);
        BitmapCanvas::SetPixel(at, color);
    }
    void Forget()
    {
        lines.clear();
        rectangles.clear();
        pixels.clear();
        ClearTexts();
    }

    std::vector<LineCall> lines;
    std::vector<RectCall> rectangles;
    std::vector<tovarin::Point> pixels;

  private:
    tovarin::Point m_at;
};

class RecordingParent : public tovarin::IChartParent
{
  public:
    tovarin::ICanvas* BeginDrawing() override { return drawable ? &canvas : nullptr; }
    void EndDrawing() override {}
    void RequestRepaint(const tovarin::Rect& area) override { repaints.push_back(area); }
    void RepaintNow() override { ++repaintNowCount; }
    tovarin::FontMetrics MeasureFont(const tovarin::ChartFont&) override { return {13, 8}; }

    RecordingCanvas canvas;
    bool drawable = true;
    std::vector<tovarin::Rect> repaints;
    int repaintNowCount = 0;
};
