#pragma once
// The flow factor table: assembler "DW" words of the air flow that the last
// fit gives for evenly spaced responses from response min to response max
// (TableBreakpoints), with the meter type and unit lines before them and,
// for a frequency sensor, the response range words around them. CR LF line
// ends.

#include "LineSink.h"

namespace tovarin {

// Writes the whole table from the last run's coefficients, response kind and
// meter type. Stops at the first line the sink refuses and returns false.
// With output.byteSplit the words, range words too, come as all their high
// bytes, then all their low bytes, a DW line each.
bool WriteFlowTable(const Reduction& lastRun, const OutputParameters& output, const LineSink& sink);

// The axis file of --axis: a meter type line, "; */ Axis units = V x 1000 */"
// (no " x" at scale 1), then a DW word per breakpoint (TableAxis.h), split
// as the table is.
bool WriteAxisTable(const Reduction& lastRun, const OutputParameters& output, const LineSink& sink);

} // namespace tovarin
