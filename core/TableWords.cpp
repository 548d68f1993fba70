#include "TableWords.h"

#include "NumberText.h"
#include "Trunc.h"

#include <cfloat>
#include <cmath>

namespace tovarin {
namespace {

constexpr WordTypeInfo kWordTypes[] = {
    {WordType::Int, "int", "int", -2147483648.0, 2147483647.0, true},
    {WordType::U8, "u8", "uint8_t", 0.0, 255.0, true},
    {WordType::U16, "u16", "uint16_t", 0.0, 65535.0, true},
    {WordType::S16, "s16", "int16_t", -32768.0, 32767.0, true},
    {WordType::U32, "u32", "uint32_t", 0.0, 4294967295.0, true},
    {WordType::F32, "f32", "float", -FLT_MAX, FLT_MAX, false},
};

} // namespace

const WordTypeInfo& InfoOf(WordType type)
{
    return kWordTypes[static_cast<std::size_t>(type)];
}

std::optional<WordType> WordTypeNamed(std::string_view name)
{
    for (const WordTypeInfo& info : kWordTypes)
        if (name == info.name)
            return info.type;
    return std::nullopt;
}

TableWord MakeWord(double flowInUnit, WordType type, double scale)
{
    const double scaled = flowInUnit * scale;
    if (type == WordType::Int) // exactly as before: the int range saturates silently
        return {static_cast<double>(TruncToInt(scaled + 0.5)), false};
    const WordTypeInfo& info = InfoOf(type);
    if (!(scaled == scaled)) // NaN: no flow, as the int table writes it
        return {0.0, false};
    const double raw = info.integer ? std::floor(scaled + 0.5) : scaled;
    if (raw < info.low)
        return {info.low, true};
    if (raw > info.high)
        return {info.high, true};
    return {info.integer ? raw : static_cast<double>(static_cast<float>(raw)), false};
}

std::string WordText(double value, WordType type)
{
    return InfoOf(type).integer ? FormatC("%.0f", value) : FormatC("%.9g", value);
}

} // namespace tovarin
