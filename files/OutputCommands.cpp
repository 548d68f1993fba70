#include "OutputCommands.h"

#include "AtomicFile.h"
#include "HtmlReport.h"
#include "TableFormats.h"

namespace tovarin {
namespace {

// No dialog opens without a fit to write or with a point count that would
// write gigabytes on the window's thread; a failed write leaves the old file
// as it was.
bool RunOutputCommand(IFilePlatform& platform, const OutputParameters& output,
                      const Reduction& lastRun, OutputParameters& stored, const char* initialName,
                      const char* defaultExtension, OutputWriter write)
{
    if (!HasUsableFit(lastRun)) {
        platform.ShowMessage(kNoFitMessage);
        return false;
    }
    if (output.pointCount > kMaxPointCount) {
        platform.ShowMessage(kTooManyPointsMessage);
        return false;
    }
    const std::optional<std::string> path = platform.AskSavePath(initialName, defaultExtension);
    if (!path)
        return false;
    const FileResult written = WriteFileAtomically(*path, WriteToString(write, lastRun, output));
    if (!written.ok) {
        platform.ShowMessage(CannotOpenMessage(written));
        return false;
    }
    stored = output;
    return true;
}

} // namespace

std::string CannotOpenMessage(const FileResult& failure)
{
    return "File Cannot Be Opened\n" + failure.path + "\n" + failure.reason;
}

bool GenerateOutputFile(IFilePlatform& platform, const OutputParameters& onScreen,
                        const Reduction& lastRun, OutputParameters& stored)
{
    // The DW file's name and extension as always; the other layouts' own.
    struct Naming
    {
        const char* initialName;
        const char* extension;
    };
    constexpr Naming kNames[] = {{"maffactor.inc", "dat"},
                                 {"maffactor.csv", "csv"},
                                 {"maffactor.tsv", "tsv"},
                                 {"maffactor.h", "h"}};
    const Naming& name = kNames[static_cast<std::size_t>(onScreen.tableFormat)];
    return RunOutputCommand(platform, onScreen, lastRun, stored, name.initialName, name.extension,
                            WriteTable);
}

bool GenerateHtmlInfo(IFilePlatform& platform, const OutputParameters& onScreen,
                      const Reduction& lastRun, OutputParameters& stored)
{
    return RunOutputCommand(platform, onScreen, lastRun, stored, "maffactor.html", "html",
                            WriteHtmlReport);
}

} // namespace tovarin
