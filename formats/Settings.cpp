#include "Settings.h"

#include "FieldParsing.h"
#include "NumberText.h"

#include <cstring>

namespace tovarin {
namespace {

// One read takes at most 99 characters of a line (a 100-byte buffer with its
// terminating zero); a longer line takes several reads, each counting as a line.
constexpr std::size_t kLineBufferSize = 100;

// One fgets into a 100-byte buffer: up to 99 bytes, through the first line
// end; the line then reads as a C string, up to a zero byte. False at the end.
bool NextRead(std::string_view& text, std::string& line)
{
    if (text.empty())
        return false;
    std::size_t length = std::min(text.size(), kLineBufferSize - 1);
    if (const std::size_t newline = text.substr(0, length).find('\n'); newline != text.npos)
        length = newline + 1;
    line.assign(text.substr(0, length));
    text.remove_prefix(length);
    line.resize(std::strlen(line.c_str()));
    return true;
}

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

std::optional<SettingsProblem> FindSettingsProblem(std::string_view text)
{
    std::string line;
    for (int row = 1; row <= kMaxRows; ++row) {
        const bool read = NextRead(text, line);
        const char* at = line.c_str();
        double flow = 0.0, response = 0.0;
        if (!read || !ScanDouble(at, flow) || !ScanDouble(at, response))
            return SettingsProblem{row, "the row line does not hold two numbers"};
    }
    const std::pair<int, const char*> selections[] = {{kMaxRows + 1, "flow unit"},
                                                      {kMaxRows + 2, "response kind"}};
    for (const auto& [number, name] : selections) {
        if (!NextRead(text, line))
            return std::nullopt; // a file of 19 or 20 lines keeps the selections
        std::string_view digits = TrimSpace(line);
        if (!digits.empty() && (digits[0] == '-' || digits[0] == '+'))
            digits.remove_prefix(1);
        if (digits.empty() || digits.find_first_not_of("0123456789") != digits.npos)
            return SettingsProblem{number,
                                   std::string("the ") + name + " line is not a whole number"};
    }
    return std::nullopt;
}

RunInput SavedScreen::Input() const
{
    return {typedFlow, typedResponse, FlowUnitAt(flowUnit), ResponseKindAt(responseKind),
            meterType};
}

SavedScreen SavedScreenOf(const RunInput& input)
{
    return {input.typedFlow, input.typedResponse, IndexOf(input.flowUnit),
            IndexOf(input.responseKind), input.meterType};
}

std::string FormatSettings(const RunInput& input)
{
    std::string text;
    for (std::size_t row = 0; row < kMaxRows; ++row)
        text +=
            FormatValue(input.typedFlow[row]) + "\t" + FormatValue(input.typedResponse[row]) + "\n";
    text += FormatC("%d\n", IndexOf(input.flowUnit));
    text += FormatC("%d\n", IndexOf(input.responseKind));
    text += input.meterType + "\n";
    return text;
}

void ParseSettings(std::string_view text, SavedScreen& screen)
{
    std::string line;
    // Working values carry from one row line to the next; row 0 starts from
    // its own values, so an unreadable first line keeps them.
    double flow = screen.typedFlow[0];
    double response = screen.typedResponse[0];
    for (std::size_t row = 0; row < kMaxRows; ++row) {
        if (!NextRead(text, line))
            continue;
        ScanRow(line.c_str(), flow, response);
        screen.typedFlow[row] = flow;
        screen.typedResponse[row] = response;
    }
    // "%d" twice (saturating where a scan's overflow would be undefined), then
    // "%s": the meter type's first word, already cut to 99 by the read.
    if (NextRead(text, line))
        ReadIntField(line, screen.flowUnit);
    if (NextRead(text, line))
        ReadIntField(line, screen.responseKind);
    if (NextRead(text, line)) {
        // A longer line was cut at 99 bytes: drop a character cut in half.
        std::string_view word = line;
        if (word.find('\n') == word.npos)
            word = word.substr(0, Utf8SafeCut(word, word.size()));
        ReadMeterType(word, screen.meterType);
    }
}

} // namespace tovarin
