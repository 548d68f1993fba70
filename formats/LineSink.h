#pragma once
// The plumbing the flow factor table and the HTML report share: a writer hands
// its output line by line to a sink, which a file, a string or a test takes.

#include "OutputParameters.h"
#include "Reduce.h"

#include <functional>
#include <string>
#include <string_view>

namespace tovarin {

// Receives one whole line; returns false when it could not be written.
using LineSink = std::function<bool(std::string_view line)>;

// A writer of an output file: the flow factor table or the HTML report.
using OutputWriter = bool (*)(const Reduction& lastRun, const OutputParameters& output,
                              const LineSink& sink);

// The whole text `write` produces, for writers that need it in one piece.
std::string WriteToString(OutputWriter write, const Reduction& lastRun,
                          const OutputParameters& output);

} // namespace tovarin
