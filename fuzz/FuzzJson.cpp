// The JSON reader and the previous-calibration reader on any text: a hostile
// --previous file must be refused, never crash or loop. And any text written
// as a JSON string reads back the same (control characters as '?', bytes
// that are not UTF-8 as U+FFFD).

#include "JsonReader.h"
#include "JsonText.h"
#include "PreviousCalibration.h"
#include "Utf8.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace tovarin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const PreviousCalibration previous = ReadPreviousCalibration(text, "fuzz");
    if (previous.curve)
        CompareCalibrations(previous.curve.value(), previous.curve.value());

    std::string expected = ToValidUtf8(text);
    for (char& ch : expected)
        if (static_cast<unsigned char>(ch) < 0x20)
            ch = '?';
    const std::optional<JsonValue> back = ParseJson(JsonString(std::string(text)));
    if (!back || back->type != JsonValue::Type::String || back->text != expected)
        std::abort();
    return 0;
}
