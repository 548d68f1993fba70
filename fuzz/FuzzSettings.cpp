// The settings loader on any file, and the round trip: what a load gives,
// saved, loaded and saved again, gives the same bytes.

#include "RunLog.h"
#include "Settings.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace tovarin;

namespace {

MeasurementSet Load(const std::string& path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    MeasurementSet set;
    OutputParameters output;
    RunLog log;
    LoadSettingsFile(path, set, output, log);
    return set;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/tovarin-fuzz-settings." + std::to_string(getpid());
    const MeasurementSet first = Load(path, std::string(reinterpret_cast<const char*>(data), size));
    const std::string saved = FormatSettings(first);
    if (FormatSettings(Load(path, saved)) != saved) {
        if (std::getenv("TOVARIN_FUZZ_DEBUG"))
            std::fprintf(stderr, "saved:\n%s\nagain:\n%s\n", saved.c_str(),
                         FormatSettings(Load(path, saved)).c_str());
        std::abort();
    }
    return 0;
}
