#pragma once
// The verdict as the window shows it: one status line under the controls,
// tooltips on the error and coefficient fields, and the message after a
// table that fails a check was written.

#include "TableCheck.h"

#include <string>

namespace tovarin {

struct StatusLine
{
    std::string text;   // UTF-8
    bool alarm = false; // shown in red: the coefficients are not a fit
};

// "Flow error at most +3.31 % (row 0) · RMS 0.004 V · R² 0.99991 · converged
// in 91 evaluations" when every check passes; the failed checks in red
// ("FAIL flow error -40.30 % (row 6), limit 2 %"), followed by the model
// that would pass when there is one; the not-converged alarm; or before any
// fit a hint. A model other than King's equation is named first and its
// leave-one-out error follows the flow error.
StatusLine RunStatusLine(const Reduction& lastRun, const Verdict& verdict,
                         const CheckThresholds& thresholds);

// The strip of a run that fitted nothing, in red: why, and that the outputs
// wait for a fit.
StatusLine NoFitStatusLine(const Reduction& run);

inline constexpr const char* kOutOfDateStatus = "Results out of date: press Run Test";

// The tooltip of a row's % error field: its flow error.
std::string FlowErrorTooltip(const FitQuality& quality, std::size_t row);

// The tooltip of a coefficient field: the value at full precision and its
// standard error.
std::string CoefficientTooltip(double value, const std::optional<double>& standardError);

// Lists the failed checks of a table that was written all the same.
std::string FailedChecksMessage(const Verdict& verdict);

} // namespace tovarin
