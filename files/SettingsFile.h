#pragma once
// The settings file on disk: rewritten safely after every run, read once at
// start-up (the text itself is formats/Settings.h).

#include "FileResult.h"
#include "OutputParameters.h"
#include "Settings.h"

#include <string>

namespace tovarin {

class RunLog;

// Replaces `path` atomically with FormatSettings(input). On failure the old
// file stays as it was.
FileResult SaveSettingsFile(const std::string& path, const RunInput& input);
FileResult SaveSettings(const std::string& startDirectory, const RunInput& input);

// What the window tells the user when the settings of a run were not saved.
std::string SettingsNotSavedMessage(const FileResult& failure);

// Reads `path` into `screen` by ParseSettings, then sets the start-up output
// parameters of the restored response kind. Returns 0, or -1 after logging
// "Error in opening <path>" when the file cannot be opened; `screen` is not
// changed then, and the output parameters take the start-up values of volts.
// A file that cannot be what a run saved (FindSettingsProblem) changes
// nothing either: "<path>:<line>: <reason>" goes to the log and to `problem`.
// Only the bytes the 22 reads can take are read.
int LoadSettingsFile(const std::string& path, SavedScreen& screen, OutputParameters& output,
                     RunLog& log, std::string* problem = nullptr);
int LoadSettings(const std::string& startDirectory, SavedScreen& screen, OutputParameters& output,
                 RunLog& log, std::string* problem = nullptr);

} // namespace tovarin
