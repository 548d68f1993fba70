#include "FlowTable.h"

#include "JsonText.h"
#include "TableAxis.h"
#include "TableBreakpoints.h"
#include "Trunc.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

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

namespace {

// The words of a DW file in order: each as its line, or with --byte-split
// kept until the end and written as all the high bytes, then all the low
// bytes (a 16-bit word in two's complement).
class DwWords
{
  public:
    DwWords(bool byteSplit, const LineSink& sink) : m_split(byteSplit), m_sink(sink) {}

    void Put(std::string_view line) { m_ok = m_ok && m_sink(line); }
    void Word(long long word)
    {
        if (m_split)
            m_words.push_back(static_cast<std::uint16_t>(word));
        else
            Put(WordLine(word, m_buffer));
    }
    bool Finish()
    {
        for (const int shift : {8, 0})
            for (std::size_t i = 0; m_ok && i < m_words.size(); ++i)
                Put(WordLine((m_words[i] >> shift) & 0xFF, m_buffer));
        return m_ok;
    }

  private:
    bool m_split;
    const LineSink& m_sink;
    std::vector<std::uint16_t> m_words;
    char m_buffer[32];
    bool m_ok = true; // once a line fails, nothing more is written
};

// A frequency table's range word; split, within the 16-bit type.
long long FrameWord(double response, const OutputParameters& output)
{
    const long long word = TruncToInt(response);
    if (!output.byteSplit)
        return word;
    const WordTypeInfo& type = InfoOf(output.wordType);
    return std::clamp(word, static_cast<long long>(type.low), static_cast<long long>(type.high));
}

} // namespace

bool WriteFlowTable(const Reduction& lastRun, const OutputParameters& output, const LineSink& sink)
{
    const bool freq = lastRun.set.responseKind == ResponseKind::Freq;
    DwWords words(output.byteSplit, sink);

    words.Put("; */ MAF file for type:" + lastRun.set.meterType + " */\r\n");
    if (output.outputFlowUnit)
        words.Put(InfoOf(*output.outputFlowUnit).fileLine);
    if (freq)
        words.Word(FrameWord(output.responseMin, output));

    TableBreakpoint point;
    for (TableBreakpoints points(lastRun, output); points.Next(point);) {
        if (InfoOf(output.wordType).integer) // whole numbers within 32 bits
            words.Word(static_cast<long long>(point.word));
        else
            words.Put("\tDW\t" + WordText(point.word, output.wordType) + "\r\n");
    }

    if (freq)
        words.Word(FrameWord(output.responseMax, output));
    return words.Finish();
}

bool WriteAxisTable(const Reduction& lastRun, const OutputParameters& output, const LineSink& sink)
{
    DwWords words(output.byteSplit, sink);
    words.Put("; */ MAF axis for type:" + lastRun.set.meterType + " */\r\n");
    words.Put(std::string("; */ Axis units = ") + ResponseSymbol(lastRun.set.responseKind) +
              (output.axisScale == 1.0 ? "" : " x " + JsonNumber(output.axisScale)) + " */\r\n");
    for (const TableWord& word : AxisWords(output))
        words.Word(static_cast<long long>(word.value));
    return words.Finish();
}

} // namespace tovarin
