#pragma once
// tovarin-reduce run in the test process, as its main() runs it: arguments
// and standard input in, texts and exit code out.

#include "Batch.h"

#include <sstream>
#include <string>
#include <vector>

inline tovarin::CommandResult Reduce(std::vector<std::string> args,
                                     const std::string& standardInput = "")
{
    std::istringstream in(standardInput);
    std::ostringstream out, err;
    const int exitCode = tovarin::RunReduceProgram(args, in, out, err);
    return {exitCode, out.str(), err.str()};
}

// Standard error of a refused command line.
inline std::string Refusal(const std::string& message)
{
    return "tovarin-reduce: " + message + "\nTry 'tovarin-reduce --help' for more information.\n";
}
