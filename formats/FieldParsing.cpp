#include "FieldParsing.h"

#include "MeasurementSet.h"
#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <climits>

namespace tovarin {
namespace {

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos;
}

std::size_t SkipSpace(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && IsCSpace(text[pos]))
        ++pos;
    return pos;
}

} // namespace

std::size_t DecimalPrefixLength(std::string_view text)
{
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    const std::size_t intStart = pos;
    pos = SkipDigits(text, pos);
    std::size_t digits = pos - intStart;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fracStart = pos + 1;
        const std::size_t fracEnd = SkipDigits(text, fracStart);
        digits += fracEnd - fracStart;
        if (digits > 0)
            pos = fracEnd;
    }
    if (digits == 0)
        return 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exp = pos + 1;
        if (exp < text.size() && (text[exp] == '+' || text[exp] == '-'))
            ++exp;
        const std::size_t expEnd = SkipDigits(text, exp);
        if (expEnd > exp)
            pos = expEnd;
    }
    return pos;
}

bool ReadNumberField(std::string_view text, double& value)
{
    text.remove_prefix(SkipSpace(text));
    const std::size_t length = DecimalPrefixLength(text);
    if (length == 0)
        return false;
    // The prefix holds only sign, digits, point and exponent. from_chars reads
    // it without a copy and rounds it correctly, as strtod does; strtod takes
    // what from_chars leaves (out of range: +-HUGE_VAL, that is infinity, or 0).
    const std::size_t plus = text[0] == '+' ? 1 : 0; // from_chars takes no '+'
    const std::string_view number = text.substr(plus, length - plus);
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec != std::errc()) {
        const std::string copy(text.substr(0, length));
        value = ParseDoubleC(copy.c_str(), nullptr);
    }
    return true;
}

bool ReadIntField(std::string_view text, int& value)
{
    text.remove_prefix(SkipSpace(text));
    std::size_t pos = 0;
    const bool negative = pos < text.size() && text[pos] == '-';
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    const std::size_t digitsEnd = SkipDigits(text, pos);
    if (digitsEnd == pos)
        return false;
    // Accumulate in 64 bits and stop growing once past the int range.
    long long magnitude = 0;
    for (; pos < digitsEnd; ++pos) {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > 2147483648LL)
            magnitude = 2147483648LL;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    value = static_cast<int>(std::clamp<long long>(signedValue, INT_MIN, INT_MAX));
    return true;
}

std::size_t Utf8SafeCut(std::string_view text, std::size_t limit)
{
    limit = std::min(limit, text.size());
    auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    // The start of the last character before `limit`: at most 3 continuation
    // bytes (10xxxxxx) back. A lead byte 110xxxxx, 1110xxxx or 11110xxx says
    // how long its sequence is.
    std::size_t start = limit;
    for (int back = 0; back < 4 && start > 0; ++back) {
        --start;
        if ((byte(start) & 0xC0) != 0x80)
            break;
    }
    if (start == limit)
        return limit;
    const unsigned char lead = byte(start);
    const std::size_t length = (lead & 0xE0) == 0xC0   ? 2
                               : (lead & 0xF0) == 0xE0 ? 3
                               : (lead & 0xF8) == 0xF0 ? 4
                                                       : 1;
    return start + length > limit ? start : limit;
}

std::string_view TrimSpace(std::string_view text)
{
    while (!text.empty() && IsCSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsCSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool ReadMeterType(std::string_view text, std::string& meterType)
{
    text.remove_prefix(SkipSpace(text));
    std::size_t length = 0;
    while (length < text.size() && !IsCSpace(text[length]))
        ++length;
    if (length == 0)
        return false;
    if (length > kMaxMeterTypeLength)
        length = Utf8SafeCut(text, kMaxMeterTypeLength);
    meterType.assign(text.substr(0, length));
    return true;
}

} // namespace tovarin
