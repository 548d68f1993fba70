#include "FlowTable.h"

#include "Trunc.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace tovarin {
namespace {

const char* UnitLine(int outputFlowUnit)
{
    const std::optional<OutputFlowUnit> unit = OutputFlowUnitAt(outputFlowUnit);
    if (!unit)
        return "";
    // kg/hr holds kg/h values although the comment has always read "kg/sec";
    // assembler sources that include the table match on these exact words.
    switch (*unit) {
    case OutputFlowUnit::TenMgPerSec:
        return "; */ File units = 10 * mg/sec */\r\n";
    case OutputFlowUnit::MgPerSec:
        return "; */ File units =  mg/sec */\r\n";
    case OutputFlowUnit::GPerSec:
        return "; */ File units = g/sec */\r\n";
    case OutputFlowUnit::KgPerHour:
        return "; */ File units = kg/sec */\r\n";
    }
    return "";
}

// "\tDW\t%4d\r\n" without the cost of a printf per line (ints need no locale).
std::string_view WordLine(int word, char (&buffer)[32])
{
    char digits[16];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, word);
    (void)ec; // an int always fits
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

double OutputUnitFactor(int outputFlowUnit)
{
    const std::optional<OutputFlowUnit> unit = OutputFlowUnitAt(outputFlowUnit);
    if (!unit)
        return 1.0;
    switch (*unit) {
    case OutputFlowUnit::TenMgPerSec:
        return 100.0; // 10 mg/s per g/s
    case OutputFlowUnit::MgPerSec:
        return 1000.0; // mg/s per g/s
    case OutputFlowUnit::GPerSec:
        return 1.0;
    case OutputFlowUnit::KgPerHour:
        return kKgPerHourPerGs;
    }
    return 1.0;
}

namespace {

// Half up for the non-negative flows that occur: 56.5 -> 57, 56.49 -> 56.
int WordOf(double flowGs, double factor)
{
    return TruncToInt(flowGs * factor + 0.5);
}

} // namespace

TableBreakpoints::TableBreakpoints(const Calibration& lastRun, const OutputParameters& output)
    : m_coefficients(lastRun.coefficients), m_factor(OutputUnitFactor(output.outputFlowUnit)),
      m_step((output.responseMax - output.responseMin) /
             (static_cast<double>(output.pointCount) - 1.0)),
      m_response(output.responseMin), m_left(std::max(output.pointCount, 0))
{
}

bool TableBreakpoints::Next(TableBreakpoint& point)
{
    if (m_left == 0)
        return false;
    --m_left;
    const double flowGs = KingFlow(m_response, m_coefficients);
    point = {m_response, flowGs, WordOf(flowGs, m_factor)};
    // Responses accumulate by repeated addition of the step, not min + i * step:
    // tables generated before rely on the exact same words.
    m_response += m_step;
    return true;
}

bool WriteFlowTable(const Calibration& lastRun, const OutputParameters& output,
                    const LineSink& sink)
{
    const bool freq = lastRun.set.responseKind == static_cast<int>(ResponseKind::Freq);
    char buffer[32];
    bool ok = true; // once a line fails, nothing more is written
    auto put = [&](std::string_view line) { ok = ok && sink(line); };

    put("; */ MAF file for type:" + lastRun.set.meterType + " */\r\n");
    put(UnitLine(output.outputFlowUnit));
    if (freq)
        put(WordLine(TruncToInt(output.responseMin), buffer));

    TableBreakpoint point;
    for (TableBreakpoints points(lastRun, output); ok && points.Next(point);)
        put(WordLine(point.word, buffer));

    if (freq)
        put(WordLine(TruncToInt(output.responseMax), buffer));
    return ok;
}

} // namespace tovarin
