#pragma once
// Every version text the program shows, in one place.
//
// The window's caption has always carried the dialog's own revision (V1.02),
// while the report title and `tovarin-reduce --version` carry the release of
// the reduction (2.00) that produced a table. Stored reports and the scripts
// that check them compare these exact words, so they change only together
// with a new release of the reduction.

namespace tovarin {

inline constexpr const char* kWindowCaption =
    "Tovarin MAF Sensor Calibration Reduction - by the Tovarin developers - V1.02 - (c) 2026";
inline constexpr const char* kReportTitle = "Tovarin V2.00 by the Tovarin calibration developers";
inline constexpr const char* kReduceProgram = "tovarin-reduce (Tovarin) 2.00"; // and --version

} // namespace tovarin
