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
bool WriteFlowTable(const Reduction& lastRun, const OutputParameters& output, const LineSink& sink);

} // namespace tovarin
