// Background, frame, grid, axes, ticks and the nine text boxes of a chart.

#include "Chart.h"

#include "DrawingStep.h"
#include "NumberText.h"
#include "Trunc.h"

#include <algorithm>

namespace tovarin {
namespace {

// Tick labels: four significant digits, trailing zeros dropped.
std::string Label(double value)
{
    return FormatC("%.4g", value);
}

} // namespace

void CChart::Draw()
{
    DrawingStep step(m_pParent, GetChartRect());
    ICanvas* canvas = step.Canvas();
    if (!canvas)
        return;
    const Rect plot = GetPlotRect();
    canvas->Rectangle(GetChartRect(), m_backColor, m_backColor);
    DrawFrameAndGrid(*canvas);

    // Segments leave their end pixel unset: the x axis stops one pixel short
    // of R and the y axis one pixel short of B.
    const int axisRow = AxisRow();
    canvas->MoveTo({plot.left, axisRow});
    canvas->LineTo({plot.right, axisRow}, m_axisColor);
    const int axisColumn = m_yAxisAtLeft ? plot.left : AxisColumn();
    canvas->MoveTo({axisColumn, plot.top});
    canvas->LineTo({axisColumn, plot.bottom}, m_axisColor);

    DrawTicks(*canvas);
    DrawTitle();
    DrawExtraText();
    DrawXLegend();
    DrawYLegend();
    DrawXLabels();
    DrawYLabels();
    DrawPlot();
}

void CChart::DrawFrameAndGrid(ICanvas& canvas)
{
    const Rect p = GetPlotRect();
    const Point frame[] = {{p.left, p.top},
                           {p.right, p.top},
                           {p.right, p.bottom},
                           {p.left, p.bottom},
                           {p.left, p.top}};
    canvas.Polyline(frame, 5, m_gridColor);
    if (!m_showGrid)
        return;
    // Ten equal divisions of the plot area, whatever the data range.
    const double xStep = (p.right - p.left) / 10.0;
    const double yStep = (p.bottom - p.top) / 10.0;
    for (int i = 1; i <= 9; ++i) {
        const int x = TruncToInt(p.left + i * xStep);
        canvas.MoveTo({x, p.top});
        canvas.LineTo({x, p.bottom}, m_gridColor);
    }
    for (int i = 1; i <= 9; ++i) { // counted from the top
        const int y = TruncToInt(p.top + i * yStep);
        canvas.MoveTo({p.left, y});
        canvas.LineTo({p.right, y}, m_gridColor);
    }
}

void CChart::DrawTicks(ICanvas& canvas)
{
    if (!m_showTicks)
        return;
    const Rect p = GetPlotRect();
    const double xStep = (p.right - p.left) / 10.0;
    const double yStep = (p.bottom - p.top) / 10.0;

    // x ticks reach at most 5 pixels each side of the axis, never out of the plot.
    const int axisRow = AxisRow();
    int up = axisRow - p.top;
    int down = p.bottom - axisRow;
    if (up < 0 || up > 4)
        up = 5;
    if (down < 0 || down > 4)
        down = 5;
    for (int i = 1; i <= 9; ++i) {
        const int x = TruncToInt(p.left + i * xStep);
        canvas.MoveTo({x, axisRow});
        canvas.LineTo({x, axisRow - up}, m_axisColor);
        canvas.LineTo({x, axisRow + down}, m_axisColor);
    }

    // y ticks are counted from the bottom, so a tick and the grid line of the
    // same division can differ by a pixel when the step is not whole.
    const int column = m_yAxisAtLeft ? p.left : AxisColumn();
    const int left = m_yAxisAtLeft ? 0 : std::min(column - p.left, 5);
    const int right = std::min(p.right - column, 5);
    for (int i = 1; i <= 9; ++i) {
        const int y = TruncToInt(p.bottom - i * yStep);
        canvas.MoveTo({column, y});
        canvas.LineTo({column - left, y}, m_yTickColor);
        canvas.LineTo({column + right, y}, m_yTickColor);
    }
}

Rect CChart::TitleBox() const
{
    const Rect p = GetPlotRect();
    return {p.left, m_top + m_lineHeight, p.right, m_top + 2 * m_lineHeight};
}

Rect CChart::ExtraTextBox() const
{
    const Rect p = GetPlotRect();
    return {p.left, p.top - m_lineHeight - 2, p.right, p.top - 2};
}

Rect CChart::XLegendBox() const
{
    const Rect p = GetPlotRect();
    const int chartBottom = m_top + m_height;
    return {p.left, chartBottom - 2 * m_lineHeight + 2, p.right, chartBottom - m_lineHeight + 2};
}

Rect CChart::YLegendBox() const
{
    return {m_left + m_charWidth, m_top + 6 * m_lineHeight, m_left + 12 * m_charWidth,
            m_top + m_height - 5 * m_lineHeight};
}

void CChart::DrawTextBox(const std::string& text, const Rect& box, const Rect& fill, unsigned flags,
                         Color color)
{
    DrawingStep step(m_pParent, fill);
    if (ICanvas* canvas = step.Canvas()) {
        canvas->FillRect(fill, m_backColor);
        canvas->DrawText(text, box, flags, color, {m_fontFace, m_fontPoints});
    }
}

void CChart::DrawTitle()
{
    const Rect box = TitleBox();
    DrawTextBox(m_title, box, box, kTextCenter | kTextEndEllipsis, m_titleColor);
}

void CChart::DrawExtraText()
{
    const Rect box = ExtraTextBox();
    DrawTextBox(m_extraText, box, box, kTextCenter | kTextEndEllipsis, m_extraTextColor);
}

void CChart::DrawXLegend()
{
    // Its fill is one pixel wider and taller than the text box.
    const Rect box = XLegendBox();
    const Rect fill{box.left, box.top, box.right + 1, box.bottom + 1};
    DrawTextBox(m_xLegend, box, fill, kTextCenter | kTextEndEllipsis, m_xTextColor);
}

void CChart::DrawYLegend()
{
    const Rect box = YLegendBox();
    DrawTextBox(m_yLegend, box, box, kTextRight | kTextWordBreak | kTextEndEllipsis, m_yTextColor);
}

void CChart::DrawXLabels()
{
    // The three labels stand one pixel lower each, from left to right.
    const Rect p = GetPlotRect();
    const int lh = m_lineHeight;
    const int cw = m_charWidth;
    const int labelTop = m_top + m_height - 3 * lh;
    const Rect low{p.left, labelTop + 1, p.left + 8 * cw, labelTop + lh + 1};
    DrawTextBox(Label(m_xMin), low, low, kTextNoClip, m_xTextColor);
    const int middleLeft = (p.right - p.left) / 2 + p.left - 4 * cw;
    const Rect middle{middleLeft, labelTop + 2, middleLeft + 8 * cw, labelTop + lh + 2};
    DrawTextBox(Label((m_xMin + m_xMax) / 2), middle, middle, kTextNoClip | kTextCenter,
                m_xTextColor);
    const Rect high{p.right - 8 * cw, labelTop + 3, p.right, labelTop + lh + 3};
    DrawTextBox(Label(m_xMax), high, high, kTextNoClip | kTextRight, m_xTextColor);
}

void CChart::DrawYLabels()
{
    // The boxes end one and two pixels short of the plot area's left edge.
    const Rect p = GetPlotRect();
    const int left = m_left + m_charWidth;
    const int plotLeft = p.left;
    const Rect high{left, p.top, plotLeft - 1, p.top + m_lineHeight};
    DrawTextBox(Label(m_yMax), high, high, kTextRight, m_yTextColor);
    const Rect low{left, p.bottom - m_lineHeight, plotLeft - 2, p.bottom};
    DrawTextBox(Label(m_yMin), low, low, kTextRight, m_yTextColor);
}

} // namespace tovarin
