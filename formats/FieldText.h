#pragma once
// What the window shows in and says about a number field: the text of a
// restored value that reads back exactly, and a note for a field whose text
// the field grammar does not read as a whole.

#include <optional>
#include <string>
#include <string_view>

namespace tovarin {

// The shortest of "%.2f" to "%.6f" that ReadNumberField reads back to exactly
// `value` and is not longer than 24 characters, else "%.17g": 5 shows
// "5.00", 0.935 shows "0.935", 1e300 shows "1.0000000000000001e+300".
std::string FormatRestoredValue(double value);

// Empty when `text` is exactly one number (blanks around it allowed);
// otherwise what a read made of it: "Read as 1: only the part before ','
// is a number." or "Not a number: the previous value 2.30 was used.". Number
// fields read like ReadNumberField; whole-number fields like ReadIntField.
std::optional<std::string> NumberFieldNote(std::string_view text, double previous);
std::optional<std::string> WholeNumberFieldNote(std::string_view text, int previous);

} // namespace tovarin
