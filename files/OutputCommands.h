#pragma once
// "Generate Output File" and "Generate HTML Info": check that there is a fit
// and a sane point count, ask for a file name, write the file safely. Both
// write from the last run (coefficients, response kind, meter type), never
// from what the window shows now, and with the output parameters on screen.

#include "FilePlatform.h"
#include "FileResult.h"
#include "OutputParameters.h"
#include "Reduce.h"

namespace tovarin {

inline constexpr const char* kNoFitMessage =
    "There is no fit to write yet: press Run Test with at least three rows first.";
inline constexpr const char* kTooManyPointsMessage = "Number of Points must be at most 1048576.";

// "File Cannot Be Opened", then the path and the system's reason on lines of their own.
std::string CannotOpenMessage(const FileResult& failure);

// `onScreen`: the output parameters as the window reads them now. True when
// a file was written; they are then stored. A command that ends earlier
// leaves the stored ones as they were.
bool GenerateOutputFile(IFilePlatform& platform, const OutputParameters& onScreen,
                        const Reduction& lastRun, OutputParameters& stored);
bool GenerateHtmlInfo(IFilePlatform& platform, const OutputParameters& onScreen,
                      const Reduction& lastRun, OutputParameters& stored);

} // namespace tovarin
