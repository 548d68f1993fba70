#pragma once
// A canvas that writes SVG: the chart draws the same rectangles, segments,
// pixels and texts at the same pixel coordinates as on the bitmap canvas, so a
// chart in a report is the chart on screen. Rectangles and pixels become
// <rect> elements; each one-pixel segment a <path> from its first pixel's
// centre to its end pixel's centre (the end pixel, unset by the canvases,
// is half covered at most); texts <text> in a monospace family, aligned in
// their boxes as the flags say.

#include "Canvas.h"

#include <string>

namespace tovarin {

class SvgCanvas : public SegmentCanvas
{
  public:
    SvgCanvas(int width, int height, FontMetrics metrics);

    void Rectangle(const Rect& box, Color pen, Color brush) override;
    void FillRect(const Rect& box, Color color) override;
    void SetPixel(Point at, Color color) override;
    void DrawText(const std::string& text, const Rect& box, unsigned flags, Color color,
                  const ChartFont& font) override;

    // The whole <svg> element, without an XML declaration, for inlining in HTML.
    std::string Document() const;

  private:
    void Segment(Point from, Point to, Color color) override;

    int m_width, m_height;
    FontMetrics m_metrics;
    std::string m_body;
};

// A chart parent drawing onto an SvgCanvas with the given metrics.
class SvgChartParent : public IChartParent
{
  public:
    SvgChartParent(int width, int height, FontMetrics metrics = {13, 8})
        : m_canvas(width, height, metrics), m_metrics(metrics)
    {
    }
    ICanvas* BeginDrawing() override { return m_drawing ? &m_canvas : nullptr; }
    void EndDrawing() override {}
    void RequestRepaint(const Rect&) override {}
    void RepaintNow() override {}
    FontMetrics MeasureFont(const ChartFont&) override { return m_metrics; }

    SvgCanvas& Canvas() { return m_canvas; }
    // While off, the chart's setters draw nothing, so that a chart set up
    // step by step is drawn once, whole, when it is turned on.
    void EnableDrawing(bool drawing) { m_drawing = drawing; }

  private:
    bool m_drawing = true;
    SvgCanvas m_canvas;
    FontMetrics m_metrics;
};

} // namespace tovarin
