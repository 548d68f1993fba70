#pragma once
// The HTML report of the last fit: meter type, coefficients and a 50-row table
// of flows in g/s for responses from response min towards response max.
// LF line ends; the body is one pre element.

#include "FlowTable.h"

#include <string>

namespace tovarin {

inline constexpr int kReportRows = 50;

bool WriteHtmlReport(const Reduction& lastRun, const OutputParameters& output,
                     const LineSink& sink);

} // namespace tovarin
