#pragma once
// The models of a run in the command's printed forms and the run log: the
// JSON members "model" and "models", the readable comparison after the
// verdict, and the run log's line after its block for a model other than
// King's equation.

#include "TableCheck.h"

#include <string>

namespace tovarin {

// `, "model": "poly", "models": [{"name", "parameters", "maxFlowErrorPct",
// "looMaxFlowErrorPct", "aicc", "monotonic", "eligible", "why"}, ...]`, or
// "models": null when they were not compared.
std::string ModelsJson(const Reduction& run);

// The comparison table of the four models and the hint; empty when they
// were not compared.
std::string ModelComparisonText(const Reduction& run, const Verdict& verdict);

// "a=1 b=0.26 c=0.69": every parameter at %.17g, a knot list as
// comma-separated values, `separator` between parameters.
std::string ModelParametersText(const FlowModel& model, const char* separator = " ");

// "Model: poly p0=... p1=...\n" for a model other than King's equation, else empty.
std::string ModelLogLine(const Reduction& run);

} // namespace tovarin
