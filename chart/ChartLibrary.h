#pragma once
// The chart control, without any windowing toolkit.
//
// CChart (Chart.h) is configured by its setters and handed a ChartSpec to
// plot. It draws through ICanvas, which its IChartParent hands it for each
// drawing step (Canvas.h). BitmapCanvas and BitmapChartParent implement both
// in memory for tests and benchmarks; SvgCanvas and SvgChartParent write the
// same drawing as SVG for reports; the window implements them with its toolkit.

#include "BitmapCanvas.h"
#include "Canvas.h"
#include "Chart.h"
#include "ChartSpec.h"
#include "SvgCanvas.h"
