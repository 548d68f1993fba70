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
                     RunLog& log, std::string* problem)
{
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "r"));
    std::string text(kSettingsBytesRead, '\0');
    if (file)
        text.resize(std::fread(text.data(), 1, text.size(), file.get()));
    if (!file || std::ferror(file.get())) { // missing, or a folder
        log.Write("Error in opening " + path + "\n");
        // A first start writes a table of the default range, not of 0 words.
        output = StartupOutputParameters(ResponseKind::Volts, output);
        return -1;
    }
    if (const std::optional<SettingsProblem> found = FindSettingsProblem(text)) {
        const std::string message = path + ":" + std::to_string(found->line) + ": " + found->reason;
        log.Write(message + "\n");
        if (problem)
            *problem = message;
    } else {
        ParseSettings(text, screen);
    }
    output = StartupOutputParameters(ResponseKindAt(screen.responseKind), output);
    return 0;
}

int LoadSettings(const std::string& startDirectory, SavedScreen& screen, OutputParameters& output,
                 RunLog& log, std::string* problem)
{
    return LoadSettingsFile(startDirectory + kSettingsName, screen, output, log, problem);
}

} // namespace tovarin
