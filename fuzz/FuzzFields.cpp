// The field grammar: any text is read without overrun, and a cut meter type
// never splits a character nor empties a word. A number field reads the same
// double as strtod, and the fields' fixed-point texts equal printf's for
// every double, read from the text or taken bit for bit.

#include "FieldParsing.h"
#include "MeasurementSet.h"
#include "NumberText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

using namespace tovarin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    double number = 0.0;
    if (ReadNumberField(text, number)) { // the same double as strtod of the prefix
        std::string_view trimmed = text;
        while (!trimmed.empty() && IsCSpace(trimmed[0]))
            trimmed.remove_prefix(1);
        const std::string prefix(trimmed.substr(0, DecimalPrefixLength(trimmed)));
        const double expected = ParseDoubleC(prefix.c_str(), nullptr);
        if (std::memcmp(&expected, &number, sizeof number) != 0)
            std::abort();
    }
    int whole = 0;
    ReadIntField(text, whole);
    std::string meterType;
    if (ReadMeterType(text, meterType) &&
        (meterType.empty() || meterType.size() > kMaxMeterTypeLength))
        std::abort();
    double bits = 0.0;
    std::memcpy(&bits, data, std::min(size, sizeof bits));
    for (const double value : {number, bits}) {
        const int precision = size > 0 ? data[0] % 12 : 2;
        char expected[512];
        std::snprintf(expected, sizeof expected, "%4.*f", precision, value);
        if (FormatFixed(value, 4, precision) != expected)
            std::abort();
    }
    const std::size_t limit = size / 2;
    const std::size_t cut = Utf8SafeCut(text, limit);
    if (cut > limit || (limit > 0 && cut + 3 < limit))
        std::abort();
    return 0;
}
