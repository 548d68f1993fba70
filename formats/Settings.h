#pragma once
// The settings file "tovarin.cfg": the 19 typed rows, the two list
// selections and the meter type, as text. 22 lines: "%lf\t%lf" per row,
// "%d", "%d", "%s". SettingsFile (files/) reads and writes it on disk.

#include "MeasurementSet.h"

#include <optional>
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

// Why a settings file cannot be what a run saved: a row line (of the first
// 19) without two numbers, as in a file cut short, or a unit or kind line
// that is not a whole number. Lines 20 to 22 may be missing and the meter
// type empty. `line` counts reads, as ParseSettings does.
struct SettingsProblem
{
    int line = 0;
    std::string reason;
};
std::optional<SettingsProblem> FindSettingsProblem(std::string_view text);

// The most bytes ParseSettings looks at: 22 reads of 99.
inline constexpr std::size_t kSettingsBytesRead = 22 * 99;

} // namespace tovarin
