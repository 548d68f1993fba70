#include "BitmapCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tovarin {
namespace {

// Segments whose ends lie within this many pixels of the bitmap are drawn
// point by point as they are; longer ones are first clipped to the bitmap.
constexpr int kUnclippedMargin = 4096;

// Liang-Barsky: clips the segment to [0, w-1] x [0, h-1]. False when nothing
// of it is inside; otherwise the parameters of the part inside.
bool ClipSegment(double x0, double y0, double x1, double y1, int w, int h, double& t0, double& t1)
{
    t0 = 0.0;
    t1 = 1.0;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {x0, (w - 1) - x0, y0, (h - 1) - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
    }
    return t0 <= t1;
}

} // namespace

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
    FillRect({box.left, box.top, box.right, box.top + 1}, pen);
    FillRect({box.left, box.bottom - 1, box.right, box.bottom}, pen);
    FillRect({box.left, box.top, box.left + 1, box.bottom}, pen);
    FillRect({box.right - 1, box.top, box.right, box.bottom}, pen);
}

void BitmapCanvas::Polyline(const Point* points, int count, Color color)
{
    for (int i = 1; i < count; ++i)
        Segment(points[i - 1], points[i], false, color);
}

void BitmapCanvas::LineTo(Point to, Color color)
{
    Segment(m_position, to, false, color);
    m_position = to;
}

void BitmapCanvas::Segment(Point from, Point to, bool withEnd, Color color)
{
    auto far = [&](Point p) {
        return p.x < -kUnclippedMargin || p.y < -kUnclippedMargin ||
               p.x > m_width + kUnclippedMargin || p.y > m_height + kUnclippedMargin;
    };
    if (far(from) || far(to)) {
        double t0 = 0, t1 = 1;
        if (!ClipSegment(from.x, from.y, to.x, to.y, m_width, m_height, t0, t1))
            return;
        const double dx = static_cast<double>(to.x) - from.x;
        const double dy = static_cast<double>(to.y) - from.y;
        const Point clippedFrom{static_cast<int>(std::lround(from.x + t0 * dx)),
                                static_cast<int>(std::lround(from.y + t0 * dy))};
        const Point clippedTo{static_cast<int>(std::lround(from.x + t1 * dx)),
                              static_cast<int>(std::lround(from.y + t1 * dy))};
        Segment(clippedFrom, clippedTo, withEnd || t1 < 1.0, color);
        return;
    }
    int x = from.x, y = from.y;
    const int dx = std::abs(to.x - x), dy = -std::abs(to.y - y);
    const int sx = x < to.x ? 1 : -1, sy = y < to.y ? 1 : -1;
    int error = dx + dy;
    while (x != to.x || y != to.y) {
        Put(x, y, color);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
    if (withEnd)
        Put(to.x, to.y, color);
}

void BitmapCanvas::DrawText(const std::string& text, const Rect& box, unsigned flags, Color color,
                            const ChartFont& font)
{
    m_texts.push_back({text, box, flags, color, font});
}

} // namespace tovarin
