#pragma once
// tovarin-reduce run in the test process: arguments and standard input in,
// texts and exit code out.

#include "ReduceCommand.h"

#include <sstream>
#include <string>
#include <vector>

inline tovarin::CommandResult Reduce(std::vector<std::string> args,
                                     const std::string& standardInput = "")
{
    std::istringstream in(standardInput);
    return tovarin::RunReduceCommand(args, in);
}

// Standard error of a refused command line.
inline std::string Refusal(const std::string& message)
{
    return "tovarin-reduce: " + message + "\nTry 'tovarin-reduce --help' for more information.\n";
}
