#pragma once
// The plain record that describes one plot. The caller allocates it, fills it,
// keeps it alive while a chart holds it and frees it after DetachSpec.

#include <functional>

namespace tovarin {

// An enumerator outside 0 to 11 (a hostile record) is refused by AttachSpec.
enum class ChartKind
{
    Square = 0,            // y = x^2
    Cube = 1,              // y = x^3
    Line = 2,              // y = offset + scale * x
    Sine = 3,              // y = scale * sin x
    Cosine = 4,            // y = scale * cos x
    Log = 5,               // y = ln x
    KingCurve = 6,         // measured pairs as markers, a + b * x^c as a curve
    PercentError = 7,      // (y - x) / x * 100 per pair, at x = pair index
    Difference = 8,        // y - x per pair, at x = pair index
    Series = 9,            // trunc(scale) series of pointCount pairs, a colour each
    HistogramPercent = 10, // histogram of the y values, percent of pointCount
    HistogramCount = 11,   // histogram of the y values, counts
};
inline constexpr int kChartKindCount = 12;

// How each plotted point is drawn.
enum class PlotStyle
{
    Bar = 0,         // a bar to the x axis
    Line = 1,        // a segment from the previous point
    Marker = 2,      // a five-pixel X
    MarkerAlias = 3, // draws as Marker
};
inline constexpr int kPlotStyleCount = 4;

struct ChartSpec
{
    ChartKind kind = ChartKind::Square;
    PlotStyle plotStyle = PlotStyle::Bar;
    double xMin = 0.0, xMax = 0.0; // kinds 7 and 8 use 0 instead of xMin
    double yMin = 0.0, yMax = 0.0;
    const char* title = nullptr;    // not owned
    const char* yLegend = nullptr;  // not owned
    const char* xLegend = nullptr;  // not owned
    const double* points = nullptr; // pointCount pairs x0, y0, x1, y1, ...; not owned
    int pointCount = 0;
    double scale = 0.0;               // kind 2 slope, kinds 3 and 4 amplitude, kind 9 series count
    double offset = 0.0;              // kind 2 intercept
    double a = 0.0, b = 0.0, c = 0.0; // King coefficients of kind 6
    // Kind 6: when set, the curve's y at x instead of a + b * x^c; samples
    // where it is not finite are left out.
    std::function<double(double)> curve = {};
};

} // namespace tovarin
