#include "LineSink.h"

namespace tovarin {

std::string WriteToString(OutputWriter write, const Reduction& lastRun,
                          const OutputParameters& output)
{
    std::string text;
    write(lastRun, output, [&](std::string_view line) {
        text.append(line);
        return true;
    });
    return text;
}

} // namespace tovarin
