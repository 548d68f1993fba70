#pragma once
// The cells of the calibration record's tables (CalibrationRecord.h).

#include "Markup.h"

#include <string>

namespace tovarin {

// A table cell, right-aligned for numbers, left-aligned with `isText`.
inline std::string RecordCell(const std::string& text, bool isText = false)
{
    return std::string(isText ? "<td class=\"text\">" : "<td>") + EscapeMarkup(text) + "</td>";
}

} // namespace tovarin
