// The JSON reader and the previous-calibration reader on any text: a hostile
// --previous file must be refused, never crash or loop.

#include "PreviousCalibration.h"

#include <cstdint>
#include <string_view>

using namespace tovarin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const PreviousCalibration previous = ReadPreviousCalibration(text, "fuzz");
    if (previous.curve)
        CompareCalibrations(previous.curve.value(), previous.curve.value());
    return 0;
}
