#pragma once
// The chart control, without any windowing toolkit.
//
// CChart (Chart.h) is configured by its setters and handed a ChartSpec to
// plot. It draws through ICanvas, which its IChartParent hands it for each
// drawing step (Canvas.h). BitmapCanvas and BitmapChartParent implement both
// in memory for tests and benchmarks; SvgCanvas and SvgChartParent write the
// same drawing as SVG for reports; the window implements them with its toolkit.
//
// Worked flow: SetXRange(0, 21), SetYRange(0, 5), AttachSpec(a KingCurve spec
// of four points) -> the parent's repaint -> Draw: frame, grid, ticks and
// labels (ChartFrame), then the markers and the sampled curve (ChartPlot),
// each stroke through ICanvas.

#include "BitmapCanvas.h"
#include "Canvas.h"
#include "Chart.h"
#include "ChartSpec.h"
#include "SvgCanvas.h"
