#pragma once
// The drawing operations the chart needs of a 2-D toolkit, and what it needs
// of the window it draws on. Coordinates are the parent's client pixels, y
// growing downward; rectangles exclude their right and bottom edges.

#include <array>
#include <cstdint>
#include <string>

namespace tovarin {

struct Color
{
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Color&) const = default;
};

constexpr Color Rgb(int r, int g, int b)
{
    return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
            static_cast<std::uint8_t>(b)};
}

struct Point
{
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect
{
    int left = 0, top = 0, right = 0, bottom = 0; // right and bottom exclusive
    bool operator==(const Rect&) const = default;
};

// The four one-pixel edges of a box's outline, which lies inside the box:
// top, bottom, left and right.
constexpr std::array<Rect, 4> OutlineEdges(const Rect& box)
{
    return {{{box.left, box.top, box.right, box.top + 1},
             {box.left, box.bottom - 1, box.right, box.bottom},
             {box.left, box.top, box.left + 1, box.bottom},
             {box.right - 1, box.top, box.right, box.bottom}}};
}

// Text flags; without kTextCenter or kTextRight a text is left-aligned. Texts
// are always top-aligned and drawn without a background.
enum TextFlag : unsigned
{
    kTextCenter = 1u << 0,
    kTextRight = 1u << 1,
    kTextWordBreak = 1u << 2,   // wrap at blanks onto further lines of the box
    kTextEndEllipsis = 1u << 3, // end a text too wide for the box with "..."
    kTextNoClip = 1u << 4,      // the text may overflow its box
};

struct ChartFont
{
    std::string face;
    int points = 0;
    bool operator==(const ChartFont&) const = default;
};

struct FontMetrics
{
    int lineHeight = 0; // the font's cell height in pixels
    int charWidth = 0;  // its average character width in pixels
};

class ICanvas
{
  public:
    virtual ~ICanvas() = default;
    // Outline in `pen` and interior in `brush`, one-pixel pen inside the box.
    virtual void Rectangle(const Rect& box, Color pen, Color brush) = 0;
    virtual void FillRect(const Rect& box, Color color) = 0;
    // Segments through the points; like LineTo, the last point is not set.
    virtual void Polyline(const Point* points, int count, Color color) = 0;
    virtual void MoveTo(Point to) = 0;
    // A segment from the current position to `to`, whose own pixel is not
    // set; `to` becomes the current position.
    virtual void LineTo(Point to, Color color) = 0;
    virtual void SetPixel(Point at, Color color) = 0;
    virtual void DrawText(const std::string& text, const Rect& box, unsigned flags, Color color,
                          const ChartFont& font) = 0;
};

// A canvas whose lines are all one-pixel segments without their end pixel:
// MoveTo, LineTo and Polyline come down to Segment.
class SegmentCanvas : public ICanvas
{
  public:
    void Polyline(const Point* points, int count, Color color) override
    {
        for (int i = 1; i < count; ++i)
            Segment(points[i - 1], points[i], color);
    }
    void MoveTo(Point to) override { m_position = to; }
    void LineTo(Point to, Color color) override
    {
        Segment(m_position, to, color);
        m_position = to;
    }

  protected:
    virtual void Segment(Point from, Point to, Color color) = 0;

  private:
    Point m_position;
};

// The window a chart draws on.
class IChartParent
{
  public:
    virtual ~IChartParent() = default;
    // A canvas for one drawing step, or null when the parent cannot be drawn
    // on right now; the chart then asks for a repaint of what it would draw.
    virtual ICanvas* BeginDrawing() = 0;
    virtual void EndDrawing() = 0;
    // Invalidate `area` (erasing it) so that the next paint redraws it.
    virtual void RequestRepaint(const Rect& area) = 0;
    // Handle the pending paint at once.
    virtual void RepaintNow() = 0;
    virtual FontMetrics MeasureFont(const ChartFont& font) = 0;
};

} // namespace tovarin
