#include "ResultText.h"

#include "ControlIds.h"
#include "KingFit.h"
#include "NumberText.h"

#include <charconv>
#include <cmath>

namespace tovarin {
namespace {

const char* ModeName(RunMode mode)
{
    switch (mode) {
    case RunMode::Linear:
        return "linear";
    case RunMode::NonLinear:
        return "nonlinear";
    case RunMode::None:
        break;
    }
    return "none";
}

// Shortest text that reads back as the same double; null when not finite.
std::string JsonNumber(double value)
{
    if (!std::isfinite(value))
        return "null";
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : "null";
}

std::string JsonString(const std::string& text)
{
    std::string quoted = "\"";
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            quoted += '\\';
            quoted += ch;
        } else if (byte < 0x20) {
            quoted += FormatC("\\u%04x", byte);
        } else {
            quoted += ch;
        }
    }
    return quoted + "\"";
}

} // namespace

RunResult CollectRunResult(const IFieldAccess& fields, const Calibration& calibration)
{
    const MeasurementSet& set = calibration.set;
    RunResult run;
    run.rowCount = set.rowCount;
    if (set.rowCount >= 3)
        run.mode = ChooseFitMode(set) == FitMode::Linear ? RunMode::Linear : RunMode::NonLinear;
    run.coefficients = calibration.coefficients;
    run.coefficientsFinite = std::isfinite(run.coefficients.a) &&
                             std::isfinite(run.coefficients.b) && std::isfinite(run.coefficients.c);
    run.a = fields.GetFieldText(kCoefficientAId);
    run.b = fields.GetFieldText(kCoefficientBId);
    run.c = fields.GetFieldText(kCoefficientCId);
    for (int row = 0; row < set.rowCount; ++row) {
        const RowControls& ids = kRowControls[static_cast<std::size_t>(row)];
        run.rows.push_back({fields.GetFieldText(ids.maf), fields.GetFieldText(ids.fit),
                            fields.GetFieldText(ids.errorPct)});
    }
    run.meterType = set.meterType;
    run.flowUnit = set.flowUnit;
    run.responseKind = set.responseKind;
    return run;
}

std::string FormatRunTable(const RunResult& run)
{
    std::string text;
    if (!run.meterType.empty())
        text += "Meter type:  " + run.meterType + "\n";
    text += FormatC("Flow unit:   %s\n", FlowUnitLabel(static_cast<FlowUnit>(run.flowUnit)));
    text += FormatC("Response:    %s\n",
                    ResponseKindLabel(static_cast<ResponseKind>(run.responseKind)));
    text += FormatC("Rows in use: %d\n", run.rowCount);
    text += FormatC("Fit mode:    %s\n\n", ModeName(run.mode));
    text += " Row   MAF (g/s)   Fit response    % error\n";
    for (std::size_t row = 0; row < run.rows.size(); ++row)
        text += FormatC("%4zu  %10s  %13s  %9s\n", row, run.rows[row].maf.c_str(),
                        run.rows[row].fit.c_str(), run.rows[row].error.c_str());
    text += "\nResponse = A + B * flow^C\n";
    text += "A = " + run.a + "\nB = " + run.b + "\nC = " + run.c + "\n";
    return text;
}

std::string FormatRunJson(const RunResult& run)
{
    std::string json = "{\"rowCount\": " + std::to_string(run.rowCount);
    json += ", \"mode\": " + JsonString(ModeName(run.mode));
    json += ", \"a\": " + JsonNumber(run.coefficients.a);
    json += ", \"b\": " + JsonNumber(run.coefficients.b);
    json += ", \"c\": " + JsonNumber(run.coefficients.c);
    json += ", \"fields\": {\"A\": " + JsonString(run.a) + ", \"B\": " + JsonString(run.b) +
            ", \"C\": " + JsonString(run.c) + ", \"rows\": [";
    for (std::size_t row = 0; row < run.rows.size(); ++row) {
        const RowTexts& texts = run.rows[row];
        json += row ? ", " : "";
        json += "{\"maf\": " + JsonString(texts.maf) + ", \"fit\": " + JsonString(texts.fit) +
                ", \"error\": " + JsonString(texts.error) + "}";
    }
    return json + "]}}\n";
}

} // namespace tovarin
