// The whole command on any rows, with options drawn from a fixed set so that
// no output lands outside standard output.

#include "FuzzInput.h"
#include "ReduceCommand.h"

#include <sstream>

using namespace tovarin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::vector<std::vector<std::string>> kChoices = {
        {"--json"},
        {"--flow-unit", "SCFM"},
        {"--flow-unit", "kg/h"},
        {"--response", "Freq"},
        {"--table", "-"},
        {"--report", "-"},
        {"--log", "-"},
        {"--save-settings", "-"},
        {"--output-unit", "mg/s"},
        {"--columns", "2,1"},
        {"--points", "3"},
        {"--response-max", "1e300"},
        {"--response-min", "-7"},
        {"--meter", "M\xC3\xA9"},
        {"--points", "-1"},
        {"--"},
    };
    FuzzInput input(data, size);
    const auto picks = input.Take<std::uint16_t>();
    std::vector<std::string> args;
    for (std::size_t i = 0; i < kChoices.size(); ++i)
        if (picks & (1u << i))
            args.insert(args.end(), kChoices[i].begin(), kChoices[i].end());
    std::istringstream standardInput{std::string(input.Rest())};
    RunReduceCommand(args, standardInput);
    return 0;
}
