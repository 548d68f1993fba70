#pragma once
// The limits of the checks the window judges every run by: idle flow,
// largest flow error, largest word and largest table error, as the command
// takes them. Remembered between starts in the user's own Qt settings.

#include "TableCheck.h"

#include <optional>

class QWidget;

namespace tovarin {

// The remembered limits, or the defaults where none are.
CheckThresholds RememberedLimits();

// The form, filled with `current`; empty on Cancel. A text that is no limit
// is said and the form stays open. The answer is remembered.
std::optional<CheckThresholds> AskLimits(QWidget* owner, const CheckThresholds& current);

} // namespace tovarin
