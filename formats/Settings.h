#pragma once
// The settings file "tovarin.cfg": the 19 typed rows, the two list
// selections and the meter type, as text. 22 lines: "%lf\t%lf" per row,
// "%d", "%d", "%s". SettingsFile (files/) reads and writes it on disk.

#include "MeasurementSet.h"

#include <string>
#include <string_view>

namespace tovarin {

inline constexpr const char* kSettingsName = "tovarin.cfg";

// What the file holds. The selections are list indices as stored, which the
// lists may not have (the window then shows no selection).
struct SavedScreen
{
    RowValues typedFlow{};
    RowValues typedResponse{};
    int flowUnit = 0;
    int responseKind = 0;
    std::string meterType;

    RunInput Input() const;
};

SavedScreen SavedScreenOf(const RunInput& input);

// The file's bytes for `input`, in C-locale notation; a selection that is
// empty writes -1.
std::string FormatSettings(const RunInput& input);

// Reads `text` by the loading rules into `screen`: 22 reads of at most 99
// characters each (a longer line takes several reads, each counting as a
// line), values kept where a read is missing or does not convert.
void ParseSettings(std::string_view text, SavedScreen& screen);

// The most bytes ParseSettings looks at: 22 reads of 99.
inline constexpr std::size_t kSettingsBytesRead = 22 * 99;

} // namespace tovarin
