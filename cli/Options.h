#pragma once
// Command-line options of tovarin-reduce.

#include <optional>
#include <string>
#include <vector>

namespace tovarin {

struct ReduceOptions
{
    std::string inputPath = "-"; // "-" is standard input
    int flowUnit = 0;            // FlowUnit index
    int responseKind = 0;        // ResponseKind index
    std::optional<std::string> meterType;
    std::optional<std::string> logPath;
    bool json = false;
    bool help = false;
    bool version = false;
};

struct ParsedOptions
{
    ReduceOptions options;
    std::optional<std::string> error; // the reason, when the options are unusable
};

ParsedOptions ParseReduceOptions(const std::vector<std::string>& args);

extern const char* const kReduceUsage;

} // namespace tovarin
