#pragma once
// The verdict of a headless run in the command's two printed forms: the JSON
// members "fit", "quality", "table" and "checks", and the readable block that
// follows the coefficients.

#include "ResultText.h"
#include "TableCheck.h"

#include <string>

namespace tovarin {

// `, "fit": {...}, "quality": {...}, "table": {...}, "checks": [...]`
std::string FormatVerdictJson(const Reduction& run, const Verdict& verdict);

// "Fit:", "RMS residual:", "Flow error:", "Table:" and "Checks:" lines.
std::string FormatVerdictBlock(const Reduction& run, const Verdict& verdict);

// The flow error column's text for one row: "%.2f", or "undef".
std::string FlowErrorText(const Verdict& verdict, std::size_t row);

} // namespace tovarin
