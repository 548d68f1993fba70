#pragma once
// The plots of a run: the chart descriptions (ChartSpec) a Reduction hands the
// main window's two charts, the measured points with the chosen model's
// curve (King's equation, or the response at which another model gives each
// flow) and the percent error per row; the chart itself knows nothing of runs.
//
// Worked flow: a run of four rows -> UpdateCharts -> the response chart gets a
// KingCurve spec over 0 to 21 g/s and 0 to 5 V with the coefficients, the
// error chart a PercentError spec of the (fitted, measured) pairs; the record
// draws the same as SVG with RunChartSvg.

#include "Chart.h"
#include "Reduce.h"

#include <memory>
#include <string>

namespace tovarin {

// Both charts of the main window: 350 x 200 pixels (their minimum size) with
// colour scheme 7, cyan and yellow on teal.
inline constexpr int kChartColorScheme = 7;
inline constexpr Rect kResponseChartRect{505, 170, 855, 370};
inline constexpr Rect kErrorChartRect{505, 385, 855, 585};

// The window owns the descriptions and their point arrays; a chart only
// borrows them. Each run replaces all four.
struct RunPlots
{
    std::unique_ptr<ChartSpec> responseSpec;
    std::unique_ptr<double[]> responsePoints; // (flowGs, response) per row in use
    std::unique_ptr<ChartSpec> errorSpec;
    std::unique_ptr<double[]> errorPoints; // (fittedResponse, response) per row in use
};

// Titles, legends and ranges of both charts before the first run: 0 to 300
// g/s against 0 to 5 V or 0 to 15000 Hz by the restored response kind, and 19
// samples against -15 to 15 %.
void SetUpStartupCharts(const std::optional<ResponseKind>& responseKind, CChart& responseChart,
                        CChart& errorChart);

enum class ChartRole
{
    Response,
    Error
};

// One of the window's charts as SVG (350 x 200, metrics 13 / 8), drawn once,
// whole: after `run` when it made a run, else as at start-up.
std::string RunChartSvg(const Reduction& run, ChartRole role, bool afterRun = true);

// Detaches and frees each chart's old description, then builds and attaches a
// new one from the run's rows in use and the coefficients of the last fit.
void UpdateCharts(const Reduction& calibration, CChart& responseChart, CChart& errorChart,
                  RunPlots& plots);

} // namespace tovarin
