// The plot of the attached ChartSpec: one routine per kind, every point drawn
// through PlotPoint as a bar, a segment or a marker.

#include "Chart.h"

#include "ChartLayout.h"
#include "DrawingStep.h"
#include "King.h"
#include "Trunc.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tovarin {
namespace {

// Pixel coordinates are kept within +-2^28, far outside any screen, so that
// the few pixels added for markers and bars cannot overflow an int.
constexpr int kMaxPixel = 1 << 28;

int ClampPixel(double value)
{
    return std::clamp(TruncToInt(value), -kMaxPixel, kMaxPixel);
}

// Bounds on work that a hostile record or range could make unbounded.
constexpr long long kMaxSeriesPairs = 1 << 20; // kind 9: series x pairs drawn
constexpr int kMaxHistogramBins = 1 << 16;     // kinds 10 and 11
constexpr double kMaxCurveSamples = 1 << 16;   // kind 6: every whole flow up to this many

} // namespace

double CChart::ClampY(double v) const
{
    if (v > m_yMin && v < m_yMax)
        return v;
    if (v >= m_yMax)
        return m_yMax;
    return m_yMin; // below the range, or NaN
}

int CChart::PixelX(double x) const
{
    const double dx = 1.0 / m_xScale;
    return ClampPixel(GetPlotRect().left + (x - m_xMin) / dx);
}

int CChart::PixelY(double y) const
{
    const double dy = 1.0 / m_yScale;
    return ClampPixel(GetPlotRect().bottom - (ClampY(y) - m_yMin) / dy);
}

void CChart::DrawPlot()
{
    if (!m_pParent || !m_pSpec)
        return;
    switch (m_pSpec->kind) {
    case ChartKind::Square:
    case ChartKind::Cube:
    case ChartKind::Line:
    case ChartKind::Sine:
    case ChartKind::Cosine:
    case ChartKind::Log:
        PlotFunction();
        break;
    case ChartKind::KingCurve:
        PlotKing();
        break;
    case ChartKind::PercentError:
    case ChartKind::Difference:
        PlotError();
        break;
    case ChartKind::Series:
        PlotSeries();
        break;
    case ChartKind::HistogramPercent:
    case ChartKind::HistogramCount:
        PlotHistogram();
        break;
    }
}

void CChart::PlotPoint(int x, int y, int prevX, int prevY)
{
    switch (m_pSpec->plotStyle) {
    case PlotStyle::Bar:
        DrawBar(x, y);
        break;
    case PlotStyle::Line:
        DrawSegment(prevX, prevY, x, y);
        break;
    case PlotStyle::Marker:
    case PlotStyle::MarkerAlias:
        DrawMarker(x, y);
        break;
    }
}

void CChart::PlotNext(PointRun& run, int x, int y)
{
    if (!run.started) {
        run = {true, x, y};
    }
    PlotPoint(x, y, run.prevX, run.prevY);
    run.prevX = x;
    run.prevY = y;
}

void CChart::DrawMarker(int x, int y)
{
    DrawingStep step(m_pParent, GetChartRect());
    ICanvas* canvas = step.Canvas();
    if (!canvas)
        return;
    for (const Point& p : MarkerPixels({x, y}))
        canvas->SetPixel(p, m_dataColor);
}

void CChart::DrawSegment(int x0, int y0, int x1, int y1)
{
    DrawingStep step(m_pParent, GetChartRect());
    if (ICanvas* canvas = step.Canvas()) {
        canvas->MoveTo({x0, y0});
        canvas->LineTo({x1, y1}, m_dataColor);
    }
}

void CChart::DrawBar(int x, int y)
{
    DrawingStep step(m_pParent, GetChartRect());
    if (ICanvas* canvas = step.Canvas())
        canvas->Rectangle(GetBarRect(x, y), m_dataColor, m_dataColor);
}

Rect CChart::GetBarRect(int x, int y) const
{
    // The pair kinds fill their column of the range; the others are 5 wide.
    int width = 5;
    if (m_pSpec &&
        (m_pSpec->kind == ChartKind::KingCurve || m_pSpec->kind == ChartKind::PercentError ||
         m_pSpec->kind == ChartKind::Difference))
        width = m_xScale > 1 ? ClampPixel(m_xScale) : 1;
    return BarRect({x, y}, width, AxisRow(), GetPlotRect().right);
}

void CChart::PlotFunction()
{
    const ChartSpec& spec = *m_pSpec;
    const Rect plot = GetPlotRect();
    const int step = spec.plotStyle == PlotStyle::Bar ? 5 : 1;
    // Samples beyond the plot area's width would be drawn outside the chart
    // (and a huge unscaled range would take forever), so they are not taken.
    const int count =
        std::min(TruncToInt((m_xMax - m_xMin) * m_xScale), std::max(plot.right - plot.left, 0));
    const double dx = 1.0 / m_xScale;
    PointRun run;
    for (int r = 0; r < count; r += step) {
        const double x = m_xMin + r * dx;
        double y = 0.0;
        switch (spec.kind) {
        case ChartKind::Square:
            y = std::pow(x, 2);
            break;
        case ChartKind::Cube:
            y = std::pow(x, 3);
            break;
        case ChartKind::Line:
            y = spec.offset + spec.scale * x;
            break;
        case ChartKind::Sine:
            y = spec.scale * std::sin(x);
            break;
        case ChartKind::Cosine:
            y = spec.scale * std::cos(x);
            break;
        case ChartKind::Log: // x <= 0 gives -inf or NaN: drawn at m_yMin
        default:             // only the function kinds come here
            y = std::log(x);
            break;
        }
        const int px = plot.left + r;
        const int py = PixelY(y);
        PlotNext(run, px, py);
    }
}

void CChart::PlotKing()
{
    ChartSpec& spec = *m_pSpec;
    const KingCoefficients k{spec.a, spec.b, spec.c};

    // The measured points as markers, whatever style the caller set.
    spec.plotStyle = PlotStyle::Marker;
    for (int i = 0; i < spec.pointCount; ++i) {
        const double x = spec.points[2 * static_cast<std::size_t>(i)];
        const double y = spec.points[2 * static_cast<std::size_t>(i) + 1];
        if (x < m_xMin || x > m_xMax)
            continue;
        const int px = PixelX(x);
        const int py = PixelY(y);
        PlotPoint(px, py, px, py);
    }

    // The curve through whole units of flow k = 0 .. trunc(m_xMax) - 1 that
    // lie in the range. A huge range (a mistyped flow) would mean billions of
    // samples per paint; beyond 65536 samples the curve is sampled once per
    // pixel column instead.
    spec.plotStyle = PlotStyle::Line;
    const Rect plot = GetPlotRect();
    const int end = TruncToInt(m_xMax);
    const double firstSample = std::max(0.0, std::ceil(m_xMin));
    const double sampleCount = end - firstSample;
    const double columns = std::max(plot.right - plot.left, 1);
    const bool perColumn = sampleCount > kMaxCurveSamples;
    // Not per column: at most 65536 samples, or none when the range holds no
    // whole flow at or above 0 (a negative or NaN count).
    const long long count = perColumn              ? static_cast<long long>(columns) + 1
                            : !(sampleCount > 0.0) ? 0
                                                   : static_cast<long long>(sampleCount);
    PointRun run;
    for (long long i = 0; i < count; ++i) {
        const double x =
            perColumn
                ? std::min(firstSample + (end - 1 - firstSample) * static_cast<double>(i) / columns,
                           static_cast<double>(end - 1))
                : firstSample + static_cast<double>(i);
        if (x < m_xMin || x > m_xMax)
            continue;
        const double y = spec.curve ? spec.curve(x) : KingResponse(x, k);
        if (spec.curve && !std::isfinite(y))
            continue;
        const int px = PixelX(x);
        const int py = PixelY(y);
        if (!run.started) { // the first sample only becomes the previous point
            run = {true, px, py};
            continue;
        }
        PlotNext(run, px, py);
    }
}

void CChart::PlotError()
{
    const ChartSpec& spec = *m_pSpec;
    const Rect plot = GetPlotRect();
    const bool percent = spec.kind == ChartKind::PercentError;
    PointRun run;
    for (int j = 0; j < spec.pointCount; ++j) {
        const double x = spec.points[2 * static_cast<std::size_t>(j)];
        const double y = spec.points[2 * static_cast<std::size_t>(j) + 1];
        const double value = percent ? (y - x) / x * 100 : y - x;
        // The column comes from the pair's position j, not from x.
        const int px = ClampPixel(plot.left + j * m_xScale);
        if (px > plot.right)
            break;
        const int py = PixelY(value);
        PlotNext(run, px, py);
    }
}

void CChart::PlotSeries()
{
    const ChartSpec& spec = *m_pSpec;
    const int pairs = spec.pointCount;
    int series = TruncToInt(spec.scale);
    if (!spec.points || pairs <= 0 || series <= 0)
        return;
    series = static_cast<int>(std::min<long long>(series, kMaxSeriesPairs / pairs));
    const Color saved = m_dataColor;
    for (int s = 0; s < series; ++s) {
        m_dataColor = GetSeriesColor(s);
        PointRun run;
        for (int i = 0; i < pairs; ++i) {
            const auto at = 2 * static_cast<std::size_t>(s * pairs + i); // < 2 * kMaxSeriesPairs
            const double x = spec.points[at];
            const double y = spec.points[at + 1];
            if (x < m_xMin || x > m_xMax)
                continue;
            const int px = PixelX(x);
            const int py = PixelY(y);
            PlotNext(run, px, py);
        }
    }
    m_dataColor = saved;
}

void CChart::PlotHistogram()
{
    const ChartSpec& spec = *m_pSpec;
    const int pairs = spec.pointCount;
    if (!spec.points || pairs <= 0)
        return;
    auto yOf = [&](int i) { return spec.points[2 * static_cast<std::size_t>(i) + 1]; };

    double lo = yOf(0), hi = yOf(0);
    for (int i = 0; i < pairs; ++i) {
        const double y = yOf(i);
        if (y < lo)
            lo = y;
        else if (y > hi)
            hi = y;
    }
    SetXRange(lo, hi);
    DrawXLabels();

    // One bin per 5 pixels of plot width; the bin width comes from lo and hi
    // as found, not from the range as SetXRange widened it.
    const Rect plot = GetPlotRect();
    const int bins = std::clamp((plot.right - plot.left) / 5, 0, kMaxHistogramBins);
    if (bins == 0)
        return;
    const double width = (hi - lo) / bins;
    std::vector<double> values(static_cast<std::size_t>(bins), 0.0);
    for (int i = 0; i < pairs; ++i) {
        const double y = yOf(i);
        for (int j = 0; j < bins; ++j) {
            const double binLo = lo + j * width;
            if (binLo <= y && y <= binLo + width) { // a boundary value goes to the lower bin
                values[static_cast<std::size_t>(j)] += 1;
                break;
            }
        }
    }
    int largest = 0;
    for (double& value : values) {
        if (spec.kind == ChartKind::HistogramPercent)
            value = value / pairs * 100;
        largest = std::max(largest, TruncToInt(value));
    }
    SetYRange(0, largest + 1.0);
    DrawYLabels();

    const double dy = 1.0 / m_yScale;
    PointRun run;
    for (int j = 0; j < bins; ++j) {
        const int px = plot.left + 5 * j;
        const int py = ClampPixel(plot.bottom - ClampY(values[static_cast<std::size_t>(j)]) / dy);
        PlotNext(run, px, py);
    }
}

} // namespace tovarin
