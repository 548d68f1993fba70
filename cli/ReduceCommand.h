#pragma once
// tovarin-reduce: the calibration run without a window. The command reads
// its options and rows strictly into a RunInput, calls the core's Reduce,
// judges the Reduction and prints the result fields' texts as a table or as
// JSON, with the same formatters the window uses.
//
// Exit codes: 0 a fit, 1 an output that cannot be written, 2 bad options or
// input (nothing written), 3 fewer than 3 rows in use (no fit), 4 a failed
// check with --check.

#include "Options.h"
#include "PathClash.h"
#include "ResultFields.h"
#include "TableCheck.h"

#include <istream>
#include <optional>
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

// What the reduction of one input gives a one-file call and a batch.
struct FileReduction
{
    int exitCode = kExitFit;
    std::string out;                   // standard output of a one-file call
    std::vector<std::string> messages; // for standard error, without the program's name
    bool refused = false;              // bad options or input: nothing was written
    std::optional<Reduction> run;      // with its texts, when the rows were read
    ResultFieldTexts fields;
    OutputParameters output; // the table's and report's, breakpoints placed
    Verdict verdict;
};

// A refusal of bad options or input, with its reason.
FileReduction RefusedInput(const std::string& message);

// Reduces the input `options` name and writes the outputs they ask for.
FileReduction ReduceInput(const ReduceOptions& options, std::istream& standardInput);

// The files `options` write and read ("-" left out) for FindPathClash;
// `of`, when not empty, names the batch's input in the labels.
void CollectPaths(const ReduceOptions& options, const std::string& of,
                  std::vector<NamedPath>& outputs, std::vector<NamedPath>& inputs);

// Standard error of a one-file call: each message after the program's name,
// and for a refusal the hint to read the help.
std::string ErrorText(const FileReduction& reduction);

// `args` without the program name; `standardInput` is read for "-" or no file.
CommandResult RunReduceCommand(const std::vector<std::string>& args, std::istream& standardInput);

} // namespace tovarin
