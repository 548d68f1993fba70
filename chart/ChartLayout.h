#pragma once
// The chart's geometry as pure functions of its state, so that tests check the
// rectangles and points without a canvas and Draw only strokes what they give.
//
// Layout in font units: the plot area leaves 13 character widths on the left
// for the y legend and labels, 1 on the right, 4 line heights above for the
// title and the extra text, and 3 below for the x labels and the x legend.

#include "Canvas.h"

#include <array>

namespace tovarin {

inline constexpr int kLeftMarginChars = 13;
inline constexpr int kRightMarginChars = 1;
inline constexpr int kTopMarginLines = 4;
inline constexpr int kBottomMarginLines = 3;

// The plot area of a chart occupying `chart`.
constexpr Rect PlotArea(const Rect& chart, FontMetrics metrics)
{
    return {chart.left + kLeftMarginChars * metrics.charWidth,
            chart.top + kTopMarginLines * metrics.lineHeight,
            chart.right - kRightMarginChars * metrics.charWidth,
            chart.bottom - kBottomMarginLines * metrics.lineHeight};
}

// The nine pixels of a marker at `c`: an X five pixels wide and high, in the
// order they are set.
constexpr std::array<Point, 9> MarkerPixels(Point c)
{
    return {{{c.x, c.y},
             {c.x - 1, c.y - 1},
             {c.x - 1, c.y + 1},
             {c.x + 1, c.y - 1},
             {c.x + 1, c.y + 1},
             {c.x - 2, c.y - 2},
             {c.x + 2, c.y + 2},
             {c.x + 2, c.y - 2},
             {c.x - 2, c.y + 2}}};
}

// A bar from the point's row to the x axis, `width` wide and cut at the plot's
// right edge. Right and bottom are exclusive: a bar above the axis ends on the
// row above it, a bar below starts on the axis row.
constexpr Rect BarRect(Point at, int width, int axisRow, int plotRight)
{
    const int right = at.x + width < plotRight ? at.x + width : plotRight;
    return at.y < axisRow ? Rect{at.x, at.y, right, axisRow} : Rect{at.x, axisRow, right, at.y};
}

} // namespace tovarin
