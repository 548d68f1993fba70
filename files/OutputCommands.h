#pragma once
// "Generate Output File" and "Generate HTML Info": ask for a file name, create
// the file, read the output parameters from the window, write, close. Both
// write from the last run (coefficients, response kind, meter type), never
// from what the window shows now.

#include "FilePlatform.h"
#include "OutputParameters.h"
#include "Run.h"

namespace tovarin {

class IFieldAccess;

inline constexpr const char* kCannotOpenMessage = "File Cannot Be Opened";

// Message for a file that was created but could not be written to the end.
std::string IncompleteFileMessage(const std::string& path, const std::string& reason);

void GenerateOutputFile(IFilePlatform& platform, const IFieldAccess& fields,
                        const Calibration& lastRun, OutputParameters& stored);
void GenerateHtmlInfo(IFilePlatform& platform, const IFieldAccess& fields,
                      const Calibration& lastRun, OutputParameters& stored);

} // namespace tovarin
