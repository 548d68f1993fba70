#pragma once
// The calibration record's uncertainty: the summary's sentence and the
// section. Without budget inputs the table is the scatter about the fit and
// titled so; with them the record states what U includes, the method, the
// budget at idle, middle and full scale, and per response the linear U, the
// Monte Carlo interval and whether the linear one is valid.

#include "TableCheck.h"

#include <string>

namespace tovarin {

inline constexpr const char* kScatterOnlyTitle =
    "Scatter about the fit only; not a calibration uncertainty";

// `<section id="summary">`: the checks, the decision rule and what the
// stated uncertainty is.
std::string RecordSummarySection(const Verdict& verdict);

// `<section id="uncertainty">`.
std::string RecordUncertaintySection(const Reduction& lastRun, const Verdict& verdict);

} // namespace tovarin
