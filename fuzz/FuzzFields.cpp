// The field grammar: any text is read without overrun, and a cut meter type
// never splits a character nor empties a word.

#include "FieldParsing.h"
#include "MeasurementSet.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace tovarin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    double number = 0.0;
    ReadNumberField(text, number);
    int whole = 0;
    ReadIntField(text, whole);
    std::string meterType;
    if (ReadMeterType(text, meterType) &&
        (meterType.empty() || meterType.size() > kMaxMeterTypeLength))
        std::abort();
    const std::size_t limit = size / 2;
    const std::size_t cut = Utf8SafeCut(text, limit);
    if (cut > limit || (limit > 0 && cut + 3 < limit))
        std::abort();
    return 0;
}
