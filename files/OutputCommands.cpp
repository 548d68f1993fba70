#include "OutputCommands.h"

#include "FlowTable.h"
#include "HtmlReport.h"

namespace tovarin {
namespace {

// Cancel ends the command before anything is read; a file that cannot be
// created ends it before the output parameters are read, so they stay stored
// as they were.
void RunOutputCommand(IFilePlatform& platform, const IFieldAccess& fields,
                      const Calibration& lastRun, OutputParameters& stored, const char* initialName,
                      const char* defaultExtension, OutputWriter write)
{
    const std::optional<std::string> path = platform.AskSavePath(initialName, defaultExtension);
    if (!path)
        return;
    const std::unique_ptr<IOutputFile> file = platform.CreateOutputFile(*path);
    if (!file) {
        platform.ShowMessage(kCannotOpenMessage);
        return;
    }
    ReadOutputParameters(fields, stored);
    const bool written =
        write(lastRun, stored, [&](std::string_view line) { return file->Write(line); });
    const bool closed = file->Close();
    if (!written || !closed)
        platform.ShowMessage(IncompleteFileMessage(*path, file->Error()));
}

} // namespace

std::string IncompleteFileMessage(const std::string& path, const std::string& reason)
{
    return "Could not finish writing " + path + ": " + reason +
           ".\nThe file is incomplete and must not be used.";
}

void GenerateOutputFile(IFilePlatform& platform, const IFieldAccess& fields,
                        const Calibration& lastRun, OutputParameters& stored)
{
    RunOutputCommand(platform, fields, lastRun, stored, "maffactor.inc", "dat", WriteFlowTable);
}

void GenerateHtmlInfo(IFilePlatform& platform, const IFieldAccess& fields,
                      const Calibration& lastRun, OutputParameters& stored)
{
    RunOutputCommand(platform, fields, lastRun, stored, "maffactor.html", "html", WriteHtmlReport);
}

} // namespace tovarin
