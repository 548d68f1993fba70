#include "TableFormats.h"

#include "FlowTable.h"
#include "JsonText.h"
#include "ModelText.h"
#include "TableBreakpoints.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tovarin {
namespace {

constexpr const char* kFormatNames[] = {"dw", "csv", "tsv", "c"};
constexpr int kValuesPerLine = 8; // of the C arrays

// Without its unit the table is in g/s, as the DW table is.
const char* UnitColumn(const OutputParameters& output)
{
    return output.outputFlowUnit ? InfoOf(*output.outputFlowUnit).column : "g_per_s";
}

// A comment cannot be ended early by what the user typed as the meter type.
std::string CommentSafe(std::string text)
{
    for (std::size_t at = text.find("*/"); at != std::string::npos; at = text.find("*/", at))
        text.replace(at, 2, "* /");
    return text;
}

// A scale other than 1 is part of the unit: "_x10" in a header, " x 10" in a comment.
std::string ScaleSuffix(const OutputParameters& output, const char* times)
{
    return output.wordScale == 1.0 ? "" : times + JsonNumber(output.wordScale);
}

bool WriteColumns(char separator, const Reduction& lastRun, const OutputParameters& output,
                  const LineSink& sink)
{
    const std::string head = std::string("response_") + ResponseSymbol(lastRun.set.responseKind) +
                             separator + "flow_" + UnitColumn(output) + ScaleSuffix(output, "_x") +
                             "\n";
    bool ok = sink(head);
    TableBreakpoint point;
    for (TableBreakpoints points(lastRun, output); ok && points.Next(point);)
        ok = sink(JsonNumber(point.response) + separator + WordText(point.word, output.wordType) +
                  "\n");
    return ok;
}

// `static const TYPE NAME[N] = {` and the values, eight a line.
std::string CArray(const char* type, const char* name, const std::vector<std::string>& values)
{
    std::string text = std::string("static const ") + type + " " + name + "[" +
                       std::to_string(values.size()) + "] = {";
    for (std::size_t i = 0; i < values.size(); ++i)
        text += (i % kValuesPerLine == 0 ? "\n    " : " ") + values[i] + ",";
    return text + "\n};\n";
}

bool WriteC(const Reduction& lastRun, const OutputParameters& output, const LineSink& sink)
{
    std::vector<std::string> responses, words;
    std::vector<double> values;
    TableBreakpoint point;
    for (TableBreakpoints points(lastRun, output); points.Next(point);) {
        responses.push_back(JsonNumber(point.response));
        words.push_back(WordText(point.word, output.wordType));
        values.push_back(point.word);
    }
    const FlowModel model = ChosenModel(lastRun);
    const std::string unit = output.outputFlowUnit ? InfoOf(*output.outputFlowUnit).label : "g/sec";
    const std::string head =
        "#include <stdint.h>\n\n/* MAF table for type: " + CommentSafe(lastRun.set.meterType) +
        "\n * flow in " + unit + ScaleSuffix(output, " x ") + " as " +
        InfoOf(output.wordType).cType + " words at responses in " +
        ResponseSymbol(lastRun.set.responseKind) + "\n * calibration: " + ModelName(model.kind) +
        " " + ModelParametersText(model) + " */\n";
    if (!sink(head) || !sink(CArray("double", "maf_response", responses)))
        return false;
    if (!output.byteSplit)
        return sink(CArray(InfoOf(output.wordType).cType, "maf_flow", words));
    std::vector<std::string> high, low; // of the 16-bit words, two's complement for s16
    for (const double word : values) {
        const auto bits = static_cast<std::uint16_t>(static_cast<long long>(word));
        high.push_back(std::to_string(bits >> 8));
        low.push_back(std::to_string(bits & 0xFF));
    }
    return sink(CArray("uint8_t", "maf_flow_high", high)) &&
           sink(CArray("uint8_t", "maf_flow_low", low));
}

} // namespace

std::optional<TableFormat> TableFormatNamed(std::string_view name)
{
    for (std::size_t i = 0; i < std::size(kFormatNames); ++i)
        if (name == kFormatNames[i])
            return static_cast<TableFormat>(i);
    return std::nullopt;
}

const char* TableFormatName(TableFormat format)
{
    return kFormatNames[static_cast<std::size_t>(format)];
}

bool WriteTable(const Reduction& lastRun, const OutputParameters& output, const LineSink& sink)
{
    switch (output.tableFormat) {
    case TableFormat::Dw:
        break;
    case TableFormat::Csv:
        return WriteColumns(',', lastRun, output, sink);
    case TableFormat::Tsv:
        return WriteColumns('\t', lastRun, output, sink);
    case TableFormat::C:
        return WriteC(lastRun, output, sink);
    }
    return WriteFlowTable(lastRun, output, sink);
}

} // namespace tovarin
