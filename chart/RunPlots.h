#pragma once
// The plot descriptions a run hands the main window's two charts: the
// measured points with the fitted King curve, and the percent error per row.

#include "Chart.h"
#include "Run.h"

#include <memory>

namespace tovarin {

// The window owns the descriptions and their point arrays; a chart only
// borrows them. Each run replaces all four.
struct RunPlots
{
    std::unique_ptr<ChartSpec> responseSpec;
    std::unique_ptr<double[]> responsePoints; // (flowGs, response) per row in use
    std::unique_ptr<ChartSpec> errorSpec;
    std::unique_ptr<double[]> errorPoints; // (fittedResponse, response) per row in use
};

// Detaches and frees each chart's old description, then builds and attaches a
// new one from the run's rows in use and the coefficients of the last fit.
void UpdateCharts(const Calibration& calibration, CChart& responseChart, CChart& errorChart,
                  RunPlots& plots);

} // namespace tovarin
