// The option parser on any argument vector (NUL-separated arguments).

#include "FuzzInput.h"
#include "Options.h"

using namespace tovarin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    std::vector<std::string> args;
    while (!input.Empty() && args.size() < 64)
        args.push_back(input.TakeText());
    ParseReduceOptions(args);
    return 0;
}
