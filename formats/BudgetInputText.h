#pragma once
// The uncertainty budget's inputs as typed, on the command line or in the
// record form: "PCT" or "PCT,ABS" for a reading uncertainty (% of reading
// plus an absolute part), a plain amount for the resolution and the CMC.
// Decimal numbers from 0 up, C-locale, the whole text.

#include "UncertaintyBudget.h"

#include <optional>
#include <string>

namespace tovarin {

// "0.25" -> 0.25 % + 0; "0.25,0.01" -> 0.25 % + 0.01; empty on anything else.
std::optional<ReadingUncertainty> ReadReadingUncertainty(const std::string& text);

// A decimal number from 0 up; empty on anything else.
std::optional<double> ReadUncertaintyAmount(const std::string& text);

} // namespace tovarin
