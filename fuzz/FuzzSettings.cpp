// The settings reader on any text, and the round trip: what a read gives,
// saved, read and saved again, gives the same bytes.

#include "Settings.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace tovarin;

namespace {

RunInput Read(std::string_view text)
{
    SavedScreen screen;
    ParseSettings(text, screen);
    return screen.Input();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const RunInput first = Read(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string saved = FormatSettings(first);
    if (FormatSettings(Read(saved)) != saved) {
        if (std::getenv("TOVARIN_FUZZ_DEBUG"))
            std::fprintf(stderr, "saved:\n%s\nagain:\n%s\n", saved.c_str(),
                         FormatSettings(Read(saved)).c_str());
        std::abort();
    }
    return 0;
}
