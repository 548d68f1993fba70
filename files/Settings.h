#pragma once
// The settings file "tovarin.cfg" in the start directory: the 19 typed rows,
// the two list selections and the meter type, written after every run and
// read once at start-up. 22 lines: "%lf\t%lf" per row, "%d", "%d", "%s".

#include "FileResult.h"
#include "MeasurementSet.h"
#include "OutputParameters.h"

#include <string>

namespace tovarin {

class RunLog;

inline constexpr const char* kSettingsName = "tovarin.cfg";

// The file's bytes for `set`, in C-locale notation.
std::string FormatSettings(const MeasurementSet& set);

// Replaces `path` atomically with FormatSettings(set). On failure the old file
// stays as it was.
FileResult SaveSettingsFile(const std::string& path, const MeasurementSet& set);
FileResult SaveSettings(const std::string& startDirectory, const MeasurementSet& set);

// What the window tells the user when the settings of a run were not saved.
std::string SettingsNotSavedMessage(const FileResult& failure);

// Reads the typed rows, the selections and the meter type from `path` into
// `set` by the loading rules (99-character reads, values kept where a line is
// missing or does not convert), then sets the start-up output parameters.
// Returns 0, or -1 after logging "Error in opening <path>" when the file
// cannot be opened; nothing else changes then.
int LoadSettingsFile(const std::string& path, MeasurementSet& set, OutputParameters& output,
                     RunLog& log);
int LoadSettings(const std::string& startDirectory, MeasurementSet& set, OutputParameters& output,
                 RunLog& log);

} // namespace tovarin
