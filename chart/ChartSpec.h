#pragma once
// The plain record that describes one plot. The caller allocates it, fills it,
// keeps it alive while a chart holds it and frees it after DetachSpec.

namespace tovarin {

enum class ChartKind
{
    Square = 0,            // y = x^2
    Cube = 1,              // y = x^3
    Line = 2,              // y = offset + scale * x
    Sine = 3,              // y = scale * sin x
    Cosine = 4,            // y = scale * cos x
    Log = 5,               // y = ln x
    King = 6,              // measured pairs as markers, a + b * x^c as a curve
    PercentError = 7,      // (y - x) / x * 100 per pair, at x = pair index
    Difference = 8,        // y - x per pair, at x = pair index
    Series = 9,            // trunc(scale) series of pointCount pairs, a colour each
    HistogramPercent = 10, // histogram of the y values, percent of pointCount
    HistogramCount = 11,   // histogram of the y values, counts
};
inline constexpr int kChartKindCount = 12;

// How each plotted point is drawn.
inline constexpr int kStyleBar = 0;    // a bar to the x axis
inline constexpr int kStyleLine = 1;   // a segment from the previous point
inline constexpr int kStyleMarker = 2; // a five-pixel X; 3 draws the same
inline constexpr int kPlotStyleCount = 4;

struct ChartSpec
{
    int kind = 0;
    int plotStyle = 0;
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
};

} // namespace tovarin
