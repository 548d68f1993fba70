#include "PreviousCalibrationFile.h"

#include "PreviousCalibration.h"
#include "ReadFile.h"

namespace tovarin {

std::optional<Drift> CompareWithPrevious(const std::string& path, const Reduction& run,
                                         double idleFlowGs, std::string& error)
{
    std::string text;
    if (const FileResult read = ReadWholeFile(path, text); !read.ok) {
        error = read.Message();
        return std::nullopt;
    }
    const PreviousCalibration previous = ReadPreviousCalibration(text, path);
    if (!previous.curve) {
        error = previous.error;
        return std::nullopt;
    }
    DriftResult result = CompareCalibrations(CurveOf(run), *previous.curve, idleFlowGs);
    error = result.drift ? "" : path + ": " + result.error;
    return result.drift;
}

} // namespace tovarin
