// tovarin-reduce: reduces a MAF calibration from a script; see ReduceCommand.h.

#include "ReduceCommand.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const tovarin::CommandResult result = tovarin::RunReduceCommand(args, std::cin);

    std::fwrite(result.err.data(), 1, result.err.size(), stderr);
    errno = 0;
    const std::size_t written = std::fwrite(result.out.data(), 1, result.out.size(), stdout);
    if (written != result.out.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "tovarin-reduce: standard output: %s\n",
                     std::strerror(errno ? errno : EIO));
        return tovarin::kExitOutputFailed;
    }
    return result.exitCode;
}
