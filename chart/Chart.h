#pragma once
// CChart: a self-drawn two-axis chart painted straight onto a rectangle of its
// parent window.
//
// The chart keeps texts, colours, ranges and the scale and axis-offset
// arithmetic (Chart.cpp). Draw paints background, frame, grid, axes, ticks and
// text boxes (ChartFrame.cpp), then the plot of the attached ChartSpec
// (ChartPlot.cpp). Every drawing step asks the IChartParent for an ICanvas;
// a chart without a parent draws nothing. Pixel positions derive from the
// font's line height and character width, which the parent measures.

#include "Canvas.h"
#include "ChartSpec.h"

#include <string>

namespace tovarin {

class CChart
{
  public:
    CChart();
    CChart(IChartParent* pParent, int left, int top, int width, int height, int colorScheme);
    virtual ~CChart() = default;
    CChart(const CChart&) = delete;
    CChart& operator=(const CChart&) = delete;

    // Set-up.
    void ResetDefaults();
    void SetChartFont(const std::string& face, int points);
    void MoveChart(int left, int top, int width, int height);
    void SetXRange(double lo, double hi);
    void SetYRange(double lo, double hi);
    void SetColorScheme(int scheme, bool redraw);
    void ResetColors() { SetColorScheme(0, false); }
    void SetScaleToFit(bool scaleToFit); // takes effect at the next range change

    // Texts: each stores its text and redraws its box at once.
    void SetTitle(const std::string& text);
    void SetXLegend(const std::string& text);
    void SetYLegend(const std::string& text);
    void SetExtraText(const std::string& text);

    // Switches: each redraws only when the value changes.
    void ShowTicks(bool show);
    void ShowGrid(bool show);
    void SetYAxisAtLeft(bool atLeft);

    // Plot description: borrowed, never freed or copied.
    bool AttachSpec(ChartSpec* pSpec);
    void DetachSpec();
    const ChartSpec* Spec() const { return m_pSpec; }

    // Drawing.
    void Draw();
    Rect GetPlotRect() const;
    Rect GetChartRect() const { return {m_left, m_top, m_left + m_width, m_top + m_height}; }

    // Colour of series s of kind 9, by s modulo 8.
    static Color GetSeriesColor(int s);

    // State, for the window and for tests.
    const std::string& Title() const { return m_title; }
    const std::string& XLegend() const { return m_xLegend; }
    const std::string& YLegend() const { return m_yLegend; }
    const std::string& ExtraText() const { return m_extraText; }
    double XMin() const { return m_xMin; }
    double XMax() const { return m_xMax; }
    double YMin() const { return m_yMin; }
    double YMax() const { return m_yMax; }
    double XScale() const { return m_xScale; }
    double YScale() const { return m_yScale; }
    int XAxisOffset() const { return m_xAxisOffset; }
    int YAxisOffset() const { return m_yAxisOffset; }
    int LineHeight() const { return m_lineHeight; }
    int CharWidth() const { return m_charWidth; }
    Color BackColor() const { return m_backColor; }
    Color DataColor() const { return m_dataColor; }

  private:
    // A canvas for one drawing step, released when the step ends. When the
    // parent cannot draw now, `area` is handed to it as a repaint request.
    class DrawingStep;

    // Frame, axes, ticks and texts (ChartFrame.cpp).
    void DrawFrameAndGrid(ICanvas& canvas);
    void DrawTicks(ICanvas& canvas);
    void DrawTitle();
    void DrawExtraText();
    void DrawXLegend();
    void DrawYLegend();
    void DrawXLabels();
    void DrawYLabels();
    void DrawTextBox(const std::string& text, const Rect& box, const Rect& fill, unsigned flags,
                     Color color);
    Rect TitleBox() const;
    Rect ExtraTextBox() const;
    Rect XLegendBox() const;
    Rect YLegendBox() const;
    int AxisRow() const { return m_top + m_height - m_yAxisOffset; }
    int AxisColumn() const { return m_left + m_xAxisOffset; }

    // The plot (ChartPlot.cpp).
    void DrawPlot();
    void PlotFunction();
    void PlotKing();
    void PlotError();
    void PlotSeries();
    void PlotHistogram();
    // A run of points drawn one after another: each point is drawn with the
    // previous one, and the first with itself.
    struct PointRun
    {
        bool started = false;
        int prevX = 0, prevY = 0;
    };
    void PlotNext(PointRun& run, int x, int y);
    void PlotPoint(int x, int y, int prevX, int prevY);
    void DrawMarker(int x, int y);
    void DrawSegment(int x0, int y0, int x1, int y1);
    void DrawBar(int x, int y);

  public:
    // The rectangle DrawBar fills for a point at (x, y) of the attached plot.
    Rect GetBarRect(int x, int y) const;

  private:
    double ClampY(double v) const;
    int PixelX(double x) const; // trunc(L + (x - m_xMin) / dx)
    int PixelY(double y) const; // trunc(B - (ClampY(y) - m_yMin) / dy)

    std::string m_extraText;
    Color m_extraTextColor;
    bool m_showTicks = true;
    bool m_showGrid = true;
    bool m_scaleToFit = true;
    bool m_yAxisAtLeft = false;
    std::string m_fontFace;
    std::string m_yLegend;
    std::string m_xLegend;
    std::string m_title;
    Color m_yTickColor;
    Color m_axisColor;
    Color m_yTextColor;
    Color m_xTextColor;
    Color m_titleColor;
    Color m_dataColor;
    Color m_backColor;
    Color m_gridColor;
    int m_fontPoints = 8;
    int m_width = 350, m_height = 200;
    int m_left = 0, m_top = 0;
    double m_xMin = -100, m_yMin = -100, m_xMax = 100, m_yMax = 100;
    IChartParent* m_pParent = nullptr;
    int m_lineHeight = 0;
    int m_charWidth = 0;
    int m_xAxisOffset = 0;
    int m_yAxisOffset = 0;
    double m_yScale = 1.0, m_xScale = 1.0;
    ChartSpec* m_pSpec = nullptr;
};

} // namespace tovarin
