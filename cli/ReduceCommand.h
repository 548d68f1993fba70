#pragma once
// tovarin-reduce: the calibration run without a window. The command parses its
// options and rows strictly, types the rows into a HeadlessFields screen, runs
// the very same RunTest as the window, and prints the result fields' texts as
// a table or as JSON.
//
// Exit codes: 0 a fit, 1 an output that cannot be written, 2 bad options or
// input (nothing written), 3 fewer than 3 rows in use (no fit), 4 a failed
// check with --check.

#include <istream>
#include <string>
#include <vector>

namespace tovarin {

struct CommandResult
{
    int exitCode = 0;
    std::string out; // for standard output
    std::string err; // for standard error
};

inline constexpr int kExitFit = 0;
inline constexpr int kExitOutputFailed = 1;
inline constexpr int kExitBadInput = 2;
inline constexpr int kExitNoFit = 3;
inline constexpr int kExitCheckFailed = 4;

// `args` without the program name; `standardInput` is read for "-" or no file.
CommandResult RunReduceCommand(const std::vector<std::string>& args, std::istream& standardInput);

} // namespace tovarin
