#pragma once
// How the text of a window field becomes a value: numbers as a "%lf" scan would
// read them (decimal only: no "inf", "nan" or hexadecimal), words as "%s". A text
// without a value leaves the target unchanged, without a message.

#include <cstddef>
#include <string>
#include <string_view>

namespace tovarin {

// Length of the longest prefix of `text` that is a decimal number: optional
// sign, digits with an optional point and fraction (at least one digit), and
// an optional exponent that counts only when it has digits. 0 when none.
std::size_t DecimalPrefixLength(std::string_view text);

// The whole of `text` is one decimal number, as a bench file's fields must be.
inline bool IsDecimalNumber(std::string_view text)
{
    return !text.empty() && DecimalPrefixLength(text) == text.size();
}

// Skips leading white space and converts the longest decimal prefix into
// `value`; returns false and leaves `value` unchanged when there is none.
// An exponent beyond the double range gives an infinity.
bool ReadNumberField(std::string_view text, double& value);

// Skips leading white space and reads an optionally signed decimal integer,
// as a "%d" scan would; a value beyond the int range saturates. Returns false
// and leaves `value` unchanged when there are no digits.
bool ReadIntField(std::string_view text, int& value);

// The first word of `text` (white space delimited) into `meterType`, cut to
// kMaxMeterTypeLength bytes without splitting a UTF-8 character. A text
// without a word leaves `meterType` unchanged.
bool ReadMeterType(std::string_view text, std::string& meterType);

// The largest cut at or below `limit` that does not split a UTF-8 character
// in two. Bytes that are not valid UTF-8 count as one character each, so a
// cut never empties a non-empty text.
std::size_t Utf8SafeCut(std::string_view text, std::size_t limit);

// `text` without white space at either end.
std::string_view TrimSpace(std::string_view text);

// White space as the C locale's isspace sees it.
inline bool IsCSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

} // namespace tovarin
