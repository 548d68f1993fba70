#pragma once
// An in-memory canvas with exact integer pixel semantics and fixed font
// metrics, for tests and benchmarks. Texts are not rasterised: each text call
// is recorded with its box, flags and colour.

#include "Canvas.h"

#include <vector>

namespace tovarin {

struct TextCall
{
    std::string text;
    Rect box;
    unsigned flags = 0;
    Color color;
    ChartFont font;
    bool operator==(const TextCall&) const = default;
};

class BitmapCanvas : public SegmentCanvas
{
  public:
    BitmapCanvas(int width, int height, Color background);

    void Rectangle(const Rect& box, Color pen, Color brush) override;
    void FillRect(const Rect& box, Color color) override;
    void SetPixel(Point at, Color color) override;
    void DrawText(const std::string& text, const Rect& box, unsigned flags, Color color,
                  const ChartFont& font) override;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    Color Pixel(int x, int y) const; // outside the bitmap: the background
    const std::vector<TextCall>& Texts() const { return m_texts; }
    void ClearTexts() { m_texts.clear(); }

  private:
    // Sets one pixel; the drawing routines use it rather than the virtual
    // SetPixel so that a derived recording canvas sees only the caller's calls.
    void Put(int x, int y, Color color);
    void Segment(Point from, Point to, Color color) override;

    int m_width, m_height;
    Color m_background;
    std::vector<Color> m_pixels;
    std::vector<TextCall> m_texts;
};

// A chart parent drawing straight onto a BitmapCanvas, with the fixed metrics
// 13 / 8 and a log of the repaint requests it received.
class BitmapChartParent : public IChartParent
{
  public:
    BitmapChartParent(int width, int height, Color background = Rgb(0, 0, 0))
        : m_canvas(width, height, background)
    {
    }

    ICanvas* BeginDrawing() override { return &m_canvas; }
    void EndDrawing() override {}
    void RequestRepaint(const Rect& area) override { m_repaints.push_back(area); }
    void RepaintNow() override { ++m_repaintNowCount; }
    FontMetrics MeasureFont(const ChartFont&) override { return {13, 8}; }

    BitmapCanvas& Canvas() { return m_canvas; }
    const std::vector<Rect>& Repaints() const { return m_repaints; }
    int RepaintNowCount() const { return m_repaintNowCount; }

  private:
    BitmapCanvas m_canvas;
    std::vector<Rect> m_repaints;
    int m_repaintNowCount = 0;
};

} // namespace tovarin
