#pragma once
// The uncertainty budget (UncertaintyBudget.h) as the command and the
// record state it: the JSON object `uncertaintyBudget`, the readable line,
// the names of the sources and the stated numbers rounded as ILAC P14 wants
// them (the CMC floor is already in; then up to two significant digits, in
// g/s and in % separately).

#include "TableCheck.h"

#include <string>

namespace tovarin {

// "reference standard", "response meter", "response resolution", "scatter
// about the fit" (for the interpolant "leave-one-out error").
std::string BudgetSourceName(BudgetSourceKind kind, bool interpolant);

// The unit of a source's standard uncertainty: "g/s", "V" or "Hz", "%".
std::string BudgetSourceUnit(BudgetSourceKind kind, bool interpolant, const char* responseUnit);

// A value rounded up to two significant digits, written without exponent:
// 0.01234 -> "0.013", 1.0 -> "1.0", 123 -> "130"; "undefined" when not finite.
std::string TwoDigitsUp(double value);

// The decimals TwoDigitsUp writes `value` with.
int TwoDigitDecimals(double value);

// `"uncertaintyBudget": ...`: null when no budget was asked for.
std::string UncertaintyBudgetJson(const Verdict& verdict, bool interpolant);

// "Uncertainty:  U 0.031 g/s (1.5 %) at idle 1.287 V, ..., 16 g/s (5.0 %,
// CMC) at full scale 5.4 V; 95 %, linear valid at 2 of 10 responses, 20000
// trials, simple rule" for the readable
// output, or why there is no budget; empty when none was asked for.
std::string BudgetReadableLine(const Verdict& verdict, const char* responseUnit);

} // namespace tovarin
