// tovarin-reduce: reduces one MAF calibration, or a batch of them, from a
// script; see ReduceCommand.h and Batch.h.

#include "Batch.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int status = tovarin::RunReduceProgram(args, std::cin, std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout) {
        std::fprintf(stderr, "tovarin-reduce: standard output: %s\n",
                     std::strerror(errno ? errno : EIO));
        return tovarin::kExitOutputFailed;
    }
    return status;
}
