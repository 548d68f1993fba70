#pragma once
// The chart canvas on a QPainter: antialiasing off, every primitive reduced to
// filled rectangles and single pixels, so it sets exactly the pixels the
// bitmap canvas sets. Texts use a fixed-pitch face standing in for "Courier".

#include "Canvas.h"

#include <QFont>

class QPainter;

namespace tovarin {

// The toolkit font for a chart font: "Courier" maps to a fixed-pitch face.
QFont ToQtFont(const ChartFont& font);

// Line height and average character width of a chart font, as Qt measures it.
FontMetrics MeasureQtFont(const ChartFont& font);

class QtCanvas : public SegmentCanvas
{
  public:
    // `width` x `height` is the painted surface, to which far-away segments
    // are clipped before they are walked.
    QtCanvas(QPainter& painter, int width, int height);

    void Rectangle(const Rect& box, Color pen, Color brush) override;
    void FillRect(const Rect& box, Color color) override;
    void SetPixel(Point at, Color color) override;
    void DrawText(const std::string& text, const Rect& box, unsigned flags, Color color,
                  const ChartFont& font) override;

  private:
    void Segment(Point from, Point to, Color color) override;

    QPainter& m_painter;
    int m_width, m_height;
};

} // namespace tovarin
