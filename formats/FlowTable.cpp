#include "FlowTable.h"

#include "TableBreakpoints.h"
#include "Trunc.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace tovarin {
namespace {

// "\tDW\t%4d\r\n" without the cost of a printf per line (ints need no locale).
std::string_view WordLine(long long word, char (&buffer)[32])
{
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, word);
    (void)ec; // a long long always fits
    const auto length = static_cast<std::size_t>(end - digits);
    std::size_t pos = 0;
    buffer[pos++] = '\t';
    buffer[pos++] = 'D';
    buffer[pos++] = 'W';
    buffer[pos++] = '\t';
    for (std::size_t pad = length; pad < 4; ++pad)
        buffer[pos++] = ' ';
    for (std::size_t i = 0; i < length; ++i)
        buffer[pos++] = digits[i];
    buffer[pos++] = '\r';
    buffer[pos++] = '\n';
    return {buffer, pos};
}

} // namespace

bool WriteFlowTable(const Reduction& lastRun, const OutputParameters& output, const LineSink& sink)
{
    const bool freq = lastRun.set.responseKind == ResponseKind::Freq;
    char buffer[32];
    bool ok = true; // once a line fails, nothing more is written
    auto put = [&](std::string_view line) { ok = ok && sink(line); };

    put("; */ MAF file for type:" + lastRun.set.meterType + " */\r\n");
    if (output.outputFlowUnit)
        put(InfoOf(*output.outputFlowUnit).fileLine);
    if (freq)
        put(WordLine(TruncToInt(output.responseMin), buffer));

    TableBreakpoint point;
    for (TableBreakpoints points(lastRun, output); ok && points.Next(point);)
        put(InfoOf(output.wordType).integer // whole numbers within 32 bits
                ? WordLine(static_cast<long long>(point.word), buffer)
                : "\tDW\t" + WordText(point.word, output.wordType) + "\r\n");

    if (freq)
        put(WordLine(TruncToInt(output.responseMax), buffer));
    return ok;
}

} // namespace tovarin
