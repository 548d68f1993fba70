#include "SettingsFile.h"

#include "AtomicFile.h"
#include "RunLog.h"

#include <cstdio>
#include <memory>

namespace tovarin {
namespace {

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

FileResult SaveSettingsFile(const std::string& path, const RunInput& input)
{
    return WriteFileAtomically(path, FormatSettings(input));
}

FileResult SaveSettings(const std::string& startDirectory, const RunInput& input)
{
    return SaveSettingsFile(startDirectory + kSettingsName, input);
}

std::string SettingsNotSavedMessage(const FileResult& failure)
{
    return "The settings could not be saved to " + failure.Message() +
           ".\nThe results of this run stay on screen, but the next start will not restore "
           "them.";
}

int LoadSettingsFile(const std::string& path, SavedScreen& screen, OutputParameters& output,
                     RunLog& log)
{
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "r"));
    if (!file) {
        log.Write("Error in opening " + path + "\n");
        return -1;
    }
    // A read that fails (a folder) ends the text there, as each later read would fail.
    std::string text(kSettingsBytesRead, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), file.get()));
    ParseSettings(text, screen);
    output = StartupOutputParameters(ResponseKindAt(screen.responseKind), output);
    return 0;
}

int LoadSettings(const std::string& startDirectory, SavedScreen& screen, OutputParameters& output,
                 RunLog& log)
{
    return LoadSettingsFile(startDirectory + kSettingsName, screen, output, log);
}

} // namespace tovarin
