#pragma once
// The pixels of a one-pixel segment, shared by every canvas so that all of
// them set exactly the same pixels.

#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tovarin {

namespace raster_detail {

// Liang-Barsky: clips the segment to [0, w-1] x [0, h-1]. False when nothing
// of it is inside; otherwise the parameters of the part inside.
inline bool ClipSegment(double x0, double y0, double x1, double y1, int w, int h, double& t0,
                        double& t1)
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

} // namespace raster_detail

// Calls put(x, y) for each pixel of the Bresenham segment from `from` to `to`,
// the end pixel only when `withEnd`. Segments reaching more than 4096 pixels
// beyond the w x h surface are first clipped to it, so a far-away end costs
// no more than the visible part.
template <typename Put>
void RasterizeSegment(Point from, Point to, bool withEnd, int w, int h, Put put)
{
    constexpr int kUnclippedMargin = 4096;
    auto far = [&](Point p) {
        return p.x < -kUnclippedMargin || p.y < -kUnclippedMargin || p.x > w + kUnclippedMargin ||
               p.y > h + kUnclippedMargin;
    };
    if (far(from) || far(to)) {
        double t0 = 0, t1 = 1;
        if (!raster_detail::ClipSegment(from.x, from.y, to.x, to.y, w, h, t0, t1))
            return;
        const double dx = static_cast<double>(to.x) - from.x;
        const double dy = static_cast<double>(to.y) - from.y;
        const Point clippedFrom{static_cast<int>(std::lround(from.x + t0 * dx)),
                                static_cast<int>(std::lround(from.y + t0 * dy))};
        const Point clippedTo{static_cast<int>(std::lround(from.x + t1 * dx)),
                              static_cast<int>(std::lround(from.y + t1 * dy))};
        RasterizeSegment(clippedFrom, clippedTo, withEnd || t1 < 1.0, w, h, put);
        return;
    }
    int x = from.x, y = from.y;
    const int dx = std::abs(to.x - x), dy = -std::abs(to.y - y);
    const int sx = x < to.x ? 1 : -1, sy = y < to.y ? 1 : -1;
    int error = dx + dy;
    while (x != to.x || y != to.y) {
        put(x, y);
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
        put(to.x, to.y);
}

} // namespace tovarin
