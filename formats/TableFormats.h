#pragma once
// The flow table in the layouts tuning software and firmware builds read,
// beside the assembler DW lines of WriteFlowTable. Every word is the one
// TableBreakpoints gives, as in the DW table; line feeds, no comment lines
// in csv and tsv:
//   csv  "response_V,flow_10mg_per_s", then "response,word" per breakpoint,
//        the response at the shortest %.17g that reads back the same
//   tsv  the same with tabs
//   c    #include <stdint.h>, a comment naming the meter type, unit, word
//        type and calibration, then `static const double maf_response[N]`
//        and `static const int maf_flow[N]`, eight values a line
// A frequency table's range words belong to the DW layout only.

#include "LineSink.h"

#include <optional>
#include <string_view>

namespace tovarin {

// "dw", "csv", "tsv", "c".
std::optional<TableFormat> TableFormatNamed(std::string_view name);
const char* TableFormatName(TableFormat format);

// In output.tableFormat.
bool WriteTable(const Reduction& lastRun, const OutputParameters& output, const LineSink& sink);

} // namespace tovarin
