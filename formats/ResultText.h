#pragma once
// The command's two printed forms of a run: a readable table and one JSON
// object, both from the Reduction, the result field texts it shows and its
// verdict.

#include "ResultFields.h"
#include "TableCheck.h"

#include <string>

namespace tovarin {

// "none", "linear" or "nonlinear", as the JSON and the summary say it.
const char* ModeName(RunMode mode);

// Both forms carry the verdict: the table a flow error column and the
// verdict block, the JSON the verdict's members; `moreMembers` go last.
std::string FormatRunTable(const Reduction& run, const ResultFieldTexts& fields,
                           const Verdict& verdict);
std::string FormatRunJson(const Reduction& run, const ResultFieldTexts& fields,
                          const Verdict& verdict, const std::string& moreMembers = "");

} // namespace tovarin
