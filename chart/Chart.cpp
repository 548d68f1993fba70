#include "Chart.h"

#include "ChartLayout.h"
#include "DrawingStep.h"
#include "Trunc.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace tovarin {
namespace {

// Positions and sizes are kept within +-2^24 pixels, and font metrics within
// 1 to 4096, so that every sum of the geometry fits an int.
constexpr int kMaxExtent = 1 << 24;
// No screen is wider or taller than 65536 pixels; the bound also bounds the
// samples of a plot, which follow the plot area's width.
constexpr int kMaxSize = 1 << 16;
constexpr int kMaxMetric = 4096;

// Metrics used before a parent can measure the font.
constexpr FontMetrics kFallbackMetrics{13, 8};

struct ColorScheme
{
    Color back, grid, axis, yTick, yText, xText, title, data, extraText;
};

constexpr std::array<ColorScheme, 8> kSchemes = {{
    {Rgb(192, 192, 192), Rgb(220, 220, 220), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0),
     Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0)},
    {Rgb(192, 192, 192), Rgb(220, 220, 220), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0),
     Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0)},
    {Rgb(128, 0, 0), Rgb(200, 0, 0), Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(255, 200, 200),
     Rgb(255, 150, 150), Rgb(255, 255, 255), Rgb(255, 255, 0), Rgb(255, 0, 0)},
    {Rgb(0, 0, 128), Rgb(0, 0, 200), Rgb(255, 255, 0), Rgb(255, 255, 0), Rgb(200, 200, 255),
     Rgb(150, 150, 255), Rgb(255, 255, 255), Rgb(0, 255, 255), Rgb(0, 0, 255)},
    {Rgb(0, 128, 0), Rgb(0, 200, 0), Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(200, 255, 200),
     Rgb(150, 255, 150), Rgb(0, 255, 255), Rgb(255, 255, 255), Rgb(255, 0, 255)},
    {Rgb(128, 0, 128), Rgb(192, 0, 192), Rgb(100, 100, 255), Rgb(192, 192, 255), Rgb(255, 0, 0),
     Rgb(255, 128, 128), Rgb(128, 255, 128), Rgb(255, 255, 255), Rgb(255, 255, 192)},
    {Rgb(128, 128, 0), Rgb(0, 64, 64), Rgb(0, 255, 255), Rgb(0, 255, 255), Rgb(200, 200, 0),
     Rgb(255, 255, 0), Rgb(192, 192, 192), Rgb(192, 192, 192), Rgb(255, 255, 255)},
    {Rgb(0, 128, 128), Rgb(0, 64, 64), Rgb(255, 0, 255), Rgb(255, 0, 255), Rgb(200, 255, 200),
     Rgb(150, 255, 150), Rgb(192, 192, 192), Rgb(255, 255, 0), Rgb(255, 255, 255)},
}};

int ClampExtent(int value)
{
    return std::clamp(value, -kMaxExtent, kMaxExtent);
}

// Scale and axis offset of one axis. `pixels` is the plot area's extent on
// that axis, taken as an unsigned 32-bit number; `nearMargin` is the margin
// between the chart edge the offset is measured from and the plot area.
void ApplyRange(double& lo, double& hi, bool scaleToFit, int pixels, int nearMargin,
                int farEdgeOffset, double& scale, int& axisOffset)
{
    if (hi < lo)
        std::swap(lo, hi);
    if (lo == hi)
        hi += 0.1;
    scale = scaleToFit ? static_cast<double>(static_cast<unsigned>(pixels)) / (hi - lo) : 1.0;
    if (lo < 0 && hi > 0) {
        // The low end is truncated to a whole number before scaling, so with
        // lo = -0.5 the axis sits on the plot area's near edge. An axis far
        // outside the chart (an unscaled range of -3e9) is kept within the
        // extent bound, so that adding it to the chart's edge cannot overflow.
        const double wholeLo = std::fabs(static_cast<double>(TruncToInt(lo)));
        axisOffset = ClampExtent(TruncToInt(wholeLo * scale + nearMargin));
    } else if (lo < 0) {
        axisOffset = farEdgeOffset;
    } else {
        axisOffset = nearMargin;
    }
}

} // namespace

CChart::CChart()
{
    ResetDefaults();
}

CChart::CChart(IChartParent* pParent, int left, int top, int width, int height, int colorScheme)
{
    ResetDefaults();
    m_pParent = pParent;
    SetChartFont(m_fontFace, m_fontPoints); // measured for the parent now
    SetColorScheme(colorScheme, false);
    m_left = ClampExtent(std::max(left, 0));
    m_top = ClampExtent(std::max(top, 0));
    m_width = std::clamp(width, 350, kMaxSize);
    m_height = std::clamp(height, 200, kMaxSize);
}

void CChart::ResetDefaults()
{
    m_pParent = nullptr;
    SetChartFont("Courier", 8);
    SetColorScheme(0, false);
    m_scaleToFit = m_showGrid = m_showTicks = true;
    m_yAxisAtLeft = false;
    m_left = m_top = 0;
    MoveChart(0, 0, 350, 200);
    SetXRange(-100, 100);
    SetYRange(-100, 100);
    m_extraText = "Function Name (or extra text)";
    m_yLegend = "Y Axis Legend text  here";
    m_xLegend = "X Axis Legend Text here";
    m_title = "Graph Title goes here";
    m_pSpec = nullptr;
}

void CChart::SetChartFont(const std::string& face, int points)
{
    const ChartFont font{face, points};
    const FontMetrics metrics = m_pParent ? m_pParent->MeasureFont(font) : kFallbackMetrics;
    m_lineHeight = std::clamp(metrics.lineHeight, 1, kMaxMetric);
    m_charWidth = std::clamp(metrics.charWidth, 1, kMaxMetric);
    m_fontPoints = points;
    m_fontFace = face;
    // The margins depend on the metrics.
    SetXRange(m_xMin, m_xMax);
    SetYRange(m_yMin, m_yMax);
}

void CChart::MoveChart(int left, int top, int width, int height)
{
    const Rect old = GetChartRect();
    if (left >= 0)
        m_left = ClampExtent(left);
    if (top >= 0)
        m_top = ClampExtent(top);
    if (width > 0)
        m_width = std::clamp(width, 350, kMaxSize);
    if (height > 0)
        m_height = std::clamp(height, 200, kMaxSize);
    SetXRange(m_xMin, m_xMax);
    SetYRange(m_yMin, m_yMax);
    if (m_pParent) {
        m_pParent->RequestRepaint(old);
        m_pParent->RepaintNow();
    }
}

void CChart::SetXRange(double lo, double hi)
{
    const int cw = m_charWidth;
    const int plotWidth = m_width - (kLeftMarginChars + kRightMarginChars) * cw;
    ApplyRange(lo, hi, m_scaleToFit, plotWidth, kLeftMarginChars * cw,
               m_width - kRightMarginChars * cw, m_xScale, m_xAxisOffset);
    m_xMin = lo;
    m_xMax = hi;
}

void CChart::SetYRange(double lo, double hi)
{
    const int lh = m_lineHeight;
    const Rect plot = GetPlotRect();
    const int plotHeight = m_height - (kBottomMarginLines + kTopMarginLines) * lh;
    ApplyRange(lo, hi, m_scaleToFit, plotHeight, kBottomMarginLines * lh,
               (plot.bottom - plot.top) + kBottomMarginLines * lh, m_yScale, m_yAxisOffset);
    m_yMin = lo;
    m_yMax = hi;
}

void CChart::SetColorScheme(int scheme, bool redraw)
{
    if (scheme >= 0 && scheme < static_cast<int>(kSchemes.size())) {
        const ColorScheme& s = kSchemes[static_cast<std::size_t>(scheme)];
        m_backColor = s.back;
        m_gridColor = s.grid;
        m_axisColor = s.axis;
        m_yTickColor = s.yTick;
        m_yTextColor = s.yText;
        m_xTextColor = s.xText;
        m_titleColor = s.title;
        m_dataColor = s.data;
        m_extraTextColor = s.extraText;
    }
    if (redraw)
        Draw();
}

void CChart::SetScaleToFit(bool scaleToFit)
{
    m_scaleToFit = scaleToFit;
}

void CChart::SetTitle(const std::string& text)
{
    m_title = text;
    DrawTitle();
}

void CChart::SetXLegend(const std::string& text)
{
    m_xLegend = text;
    DrawXLegend();
}

void CChart::SetYLegend(const std::string& text)
{
    m_yLegend = text;
    DrawYLegend();
}

void CChart::SetExtraText(const std::string& text)
{
    m_extraText = text;
    DrawExtraText();
}

void CChart::ShowTicks(bool show)
{
    if (std::exchange(m_showTicks, show) != show)
        Draw();
}

void CChart::ShowGrid(bool show)
{
    if (std::exchange(m_showGrid, show) != show)
        Draw();
}

void CChart::SetYAxisAtLeft(bool atLeft)
{
    if (std::exchange(m_yAxisAtLeft, atLeft) != atLeft)
        Draw();
}

bool CChart::AttachSpec(ChartSpec* pSpec)
{
    if (!pSpec)
        return false;
    // Compared as unsigned, so negative kinds and styles are refused too.
    if (static_cast<unsigned>(pSpec->kind) >= kChartKindCount ||
        static_cast<unsigned>(pSpec->plotStyle) >= kPlotStyleCount)
        return false;
    const ChartKind kind = pSpec->kind;
    const bool pairsKind = kind == ChartKind::KingCurve || kind == ChartKind::PercentError ||
                           kind == ChartKind::Difference;
    if (pairsKind && !pSpec->points)
        return false;

    m_pSpec = pSpec;
    SetTitle(pSpec->title ? pSpec->title : "");
    SetXLegend(pSpec->xLegend ? pSpec->xLegend : "");
    SetYLegend(pSpec->yLegend ? pSpec->yLegend : "");
    switch (kind) {
    case ChartKind::Square:
        SetExtraText("function: y= X^2");
        break;
    case ChartKind::Cube:
        SetExtraText("function: y=x^3");
        break;
    case ChartKind::Line:
        SetExtraText("function: y=mx+c");
        break;
    case ChartKind::Sine:
        SetExtraText("function: y=sin(x)");
        break;
    case ChartKind::Cosine:
        SetExtraText("function: y=cos(x)");
        break;
    case ChartKind::Log:
        SetExtraText("function: y=Loge(x)");
        break;
    case ChartKind::Series:
        SetExtraText("");
        break;
    case ChartKind::HistogramPercent:
        SetExtraText("Histogram (%)");
        break;
    case ChartKind::HistogramCount:
        SetExtraText("Histogram (absolute)");
        break;
    case ChartKind::KingCurve:
    case ChartKind::PercentError:
    case ChartKind::Difference:
        break; // the extra text stays
    }
    // The error kinds plot pair j at x = j, so their range starts at 0.
    const bool errorKind = kind == ChartKind::PercentError || kind == ChartKind::Difference;
    SetXRange(errorKind ? 0.0 : pSpec->xMin, pSpec->xMax);
    SetYRange(pSpec->yMin, pSpec->yMax);
    Draw();
    return true;
}

void CChart::DetachSpec()
{
    m_pSpec = nullptr;
    Draw();
}

Rect CChart::GetPlotRect() const
{
    return PlotArea(GetChartRect(), {m_lineHeight, m_charWidth});
}

Color CChart::GetSeriesColor(int s)
{
    static constexpr std::array<Color, 8> kSeriesColors = {
        Rgb(192, 255, 255), Rgb(0, 0, 255), Rgb(255, 0, 0),   Rgb(255, 255, 0),
        Rgb(255, 192, 192), Rgb(0, 255, 0), Rgb(0, 255, 255), Rgb(255, 0, 255)};
    return kSeriesColors[static_cast<std::size_t>(((s % 8) + 8) % 8)];
}

} // namespace tovarin
