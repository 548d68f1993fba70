#pragma once
// The word types a flow table can be written in, and how a flow becomes a
// word of one:
//   int    trunc(flow * X + 0.5), the int range's edges at most, as the
//          table has always been written; checked against 0 to --max-word
//   u8, u16, s16, u32
//          floor(flow * X + 0.5); a value outside the type's range is
//          written saturated at the nearer edge and counted, never wrapped
//   f32    the flow * X as the nearest float, not rounded; beyond the float
//          range saturated at +-FLT_MAX
// with flow in the output unit and X the word scale.

#include <optional>
#include <string>
#include <string_view>

namespace tovarin {

enum class WordType
{
    Int,
    U8,
    U16,
    S16,
    U32,
    F32
};

struct WordTypeInfo
{
    WordType type;
    const char* name;  // "u16", as --word spells it
    const char* cType; // "uint16_t"
    double low, high;  // the type's range
    bool integer;
};

const WordTypeInfo& InfoOf(WordType type);
std::optional<WordType> WordTypeNamed(std::string_view name);

struct TableWord
{
    double value = 0.0;     // as written: a whole number for the integer types
    bool saturated = false; // the flow lay beyond the type's range
};

TableWord MakeWord(double flowInUnit, WordType type, double scale);

// A word as the tables and messages write it: a whole number, or %.9g for
// f32 (enough digits to read the same float back).
std::string WordText(double value, WordType type);

} // namespace tovarin
