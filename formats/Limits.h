#pragma once
// The limits of the checks as the command's options and the window's
// limits form take them, and as the window remembers them.

#include "TableCheck.h"

#include <optional>
#include <string>
#include <string_view>

namespace tovarin {

// A decimal number from 0 up, as a whole text ("2", "0.5"); empty otherwise.
std::optional<double> ReadLimit(std::string_view text);

// A whole number from 0 up to one below the int range's end; empty otherwise.
std::optional<int> ReadWordLimit(std::string_view text);

struct LimitTexts
{
    std::string idleFlowGs, maxFlowErrorPct, maxWord, maxTableErrorPct;
};

// Texts that read back exactly.
LimitTexts FormatLimits(const CheckThresholds& limits);

// The limits, or the first text that is none, named in `error`.
std::optional<CheckThresholds> ReadLimits(const LimitTexts& texts, std::string& error);

} // namespace tovarin
