#pragma once
// What a batch prints of each file: one line (readable or JSON Lines) and
// one CSV row of the summary, from that file's Reduction and verdict.

#include "ResultFields.h"
#include "TableCheck.h"

#include <string>

namespace tovarin {

inline constexpr const char* kSummaryHeader =
    "file,exitCode,rowCount,mode,a,b,c,converged,maxFlowErrorPct,checks,model\n";

// A CSV field: quoted, with quotes doubled, when it holds a comma, a quote
// or a line end.
std::string CsvField(const std::string& text);

// "passed" or "failed: <names>" (separated by blanks); empty without
// `check` or without checks (no fit).
std::string ChecksVerdict(const Verdict& verdict, bool check);

// "FILE  4 rows  A 1.000  B 0.261  C 0.696  flow error +0.00 %[  checks ...]\n"
std::string BatchLine(const std::string& file, const Reduction& run, const ResultFieldTexts& fields,
                      const Verdict& verdict, bool check);

// The file's JSON object with "file" and "exitCode" as its last members.
std::string BatchJsonLine(const std::string& file, int exitCode, const std::string& json);

// A file that gave no object: `{"file", "exitCode", "error"}` or
// "FILE  failed (exit N): ERROR".
std::string BatchFailureLine(const std::string& file, int exitCode, const std::string& error,
                             bool json);

std::string SummaryRow(const std::string& file, int exitCode, const Reduction& run,
                       const Verdict& verdict, bool check);
std::string SummaryFailureRow(const std::string& file, int exitCode);

} // namespace tovarin
