#include "BitmapCanvas.h"

#include "Raster.h"

#include <algorithm>

namespace tovarin {
BitmapCanvas::BitmapCanvas(int width, int height, Color background)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_background(background),
      m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), background)
{
}

Color BitmapCanvas::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return m_background;
    return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                    static_cast<std::size_t>(x)];
}

void BitmapCanvas::SetPixel(Point at, Color color)
{
    Put(at.x, at.y, color);
}

void BitmapCanvas::Put(int x, int y, Color color)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
             static_cast<std::size_t>(x)] = color;
}

void BitmapCanvas::FillRect(const Rect& box, Color color)
{
    const int left = std::max(box.left, 0), right = std::min(box.right, m_width);
    const int top = std::max(box.top, 0), bottom = std::min(box.bottom, m_height);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            Put(x, y, color);
}

void BitmapCanvas::Rectangle(const Rect& box, Color pen, Color brush)
{
    if (box.right <= box.left || box.bottom <= box.top)
        return;
    FillRect(box, brush);
    // The one-pixel outline lies inside the box, on its first and last rows
    // and columns.
    for (const Rect& edge : OutlineEdges(box))
        FillRect(edge, pen);
}

void BitmapCanvas::Segment(Point from, Point to, Color color)
{
    RasterizeSegment(from, to, false, m_width, m_height, [&](int x, int y) { Put(x, y, color); });
}

void BitmapCanvas::DrawText(const std::string& text, const Rect& box, unsigned flags, Color color,
                            const ChartFont& font)
{
    m_texts.push_back({text, box, flags, color, font});
}

} // namespace tovarin
