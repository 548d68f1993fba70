#pragma once
// A production line's day in one command: many calibration files, each
// reduced exactly as a one-file call with the same options would reduce it,
// on worker threads, the results printed in input order as they complete.
//
// Per-file output paths take the placeholders {stem} (file name without
// folder and extension), {name} (file name) and {dir} (its folder). --json
// prints JSON Lines: the one-file object plus "file" and "exitCode", or
// {"file", "exitCode", "error"} for a file that gave no object. --summary
// writes one CSV row per file. The exit code is 0 when every file gave 0,
// else the code of the first file in input order that did not.

#include "Options.h"
#include "ReduceCommand.h"

#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace tovarin {

// The whole program: a batch, or one file (RunReduceCommand), printing to
// `out` and `err`; returns the exit status.
int RunReduceProgram(const std::vector<std::string>& args, std::istream& standardInput,
                     std::ostream& out, std::ostream& err);

// Test seam: called after each file of a batch has been handed to the output.
void SetBatchFileHookForTesting(std::function<void(std::size_t)> afterFile);

// `path` with {stem}, {name} and {dir} of `file` put in, once, left to right.
std::string FillPlaceholders(const std::string& path, const std::string& file);

} // namespace tovarin
