#include "Settings.h"

#include "AtomicFile.h"
#include "FieldParsing.h"
#include "NumberText.h"
#include "RunLog.h"

#include <cstdio>
#include <memory>

namespace tovarin {
namespace {

// One read takes at most 99 characters of a line (a 100-byte buffer with its
// terminating zero); a longer line takes several reads, each counting as a line.
constexpr int kLineBufferSize = 100;

const char* SkipSpace(const char* text)
{
    while (IsCSpace(*text))
        ++text;
    return text;
}

// "%lf": white space, then what strtod reads in the C locale (which, like a
// scan, also takes "inf" and "nan", so that a saved infinity comes back).
bool ScanDouble(const char*& text, double& value)
{
    const char* start = SkipSpace(text);
    char* end = nullptr;
    const double converted = ParseDoubleC(start, &end);
    if (end == start)
        return false;
    value = converted;
    text = end;
    return true;
}

// "%lf\t%lf": the tab matches any run of white space, or none. A scan stops
// at the first conversion that fails, leaving the later values as they were.
void ScanRow(const char* line, double& flow, double& response)
{
    if (ScanDouble(line, flow))
        ScanDouble(line, response);
}

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// "%lf\t%lf\n". A value whose "%f" text is longer than half a read (above
// about 1e41 in magnitude) takes "%.17g" instead, which the loader's strtod
// reads back to the same double: the line then always fits one read of the
// loader, no later line shifts, and the next save writes the same bytes.
std::string FormatValue(double value)
{
    constexpr std::size_t kMaxFixedLength = (kLineBufferSize - 1 - 2) / 2; // tab and LF
    std::string fixed = FormatC("%f", value);
    return fixed.size() > kMaxFixedLength ? FormatC("%.17g", value) : fixed;
}

} // namespace

std::string FormatSettings(const MeasurementSet& set)
{
    std::string text;
    for (std::size_t row = 0; row < kMaxRows; ++row)
        text += FormatValue(set.typedFlow[row]) + "\t" + FormatValue(set.typedResponse[row]) + "\n";
    text += FormatC("%d\n", set.flowUnit);
    text += FormatC("%d\n", set.responseKind);
    text += set.meterType + "\n";
    return text;
}

FileResult SaveSettingsFile(const std::string& path, const MeasurementSet& set)
{
    return WriteFileAtomically(path, FormatSettings(set));
}

FileResult SaveSettings(const std::string& startDirectory, const MeasurementSet& set)
{
    return SaveSettingsFile(startDirectory + kSettingsName, set);
}

std::string SettingsNotSavedMessage(const FileResult& failure)
{
    return "The settings could not be saved to " + failure.Message() +
           ".\nThe results of this run stay on screen, but the next start will not restore "
           "them.";
}

int LoadSettingsFile(const std::string& path, MeasurementSet& set, OutputParameters& output,
                     RunLog& log)
{
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "r"));
    if (!file) {
        log.Write("Error in opening " + path + "\n");
        return -1;
    }
    char line[kLineBufferSize];
    auto readLine = [&] { return std::fgets(line, kLineBufferSize, file.get()) != nullptr; };

    // Working values carry from one row line to the next; row 0 starts from
    // its own values, so an unreadable first line keeps them.
    double flow = set.typedFlow[0];
    double response = set.typedResponse[0];
    for (std::size_t row = 0; row < kMaxRows; ++row) {
        if (!readLine())
            continue;
        ScanRow(line, flow, response);
        set.typedFlow[row] = flow;
        set.typedResponse[row] = response;
    }
    // "%d" twice (saturating where a scan's overflow would be undefined), then
    // "%s": the meter type's first word, already cut to 99 by the read.
    if (readLine())
        ReadIntField(line, set.flowUnit);
    if (readLine())
        ReadIntField(line, set.responseKind);
    if (readLine()) {
        // A longer line was cut at 99 bytes: drop a character cut in half.
        std::string_view word = line;
        if (word.find('\n') == word.npos)
            word = word.substr(0, Utf8SafeCut(word, word.size()));
        ReadMeterType(word, set.meterType);
    }

    output = StartupOutputParameters(set.responseKind, output);
    return 0;
}

int LoadSettings(const std::string& startDirectory, MeasurementSet& set, OutputParameters& output,
                 RunLog& log)
{
    return LoadSettingsFile(startDirectory + kSettingsName, set, output, log);
}

} // namespace tovarin
