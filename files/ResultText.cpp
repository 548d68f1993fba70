#include "ResultText.h"

#include "ControlIds.h"
#include "JsonText.h"
#include "KingFit.h"
#include "NumberText.h"
#include "VerdictText.h"

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

std::string FormatRunTable(const RunResult& run, const Calibration& calibration,
                           const Verdict& verdict)
{
    std::string text;
    if (!run.meterType.empty())
        text += "Meter type:  " + run.meterType + "\n";
    text += FormatC("Flow unit:   %s\n", FlowUnitLabel(static_cast<FlowUnit>(run.flowUnit)));
    text += FormatC("Response:    %s\n",
                    ResponseKindLabel(static_cast<ResponseKind>(run.responseKind)));
    text += FormatC("Rows in use: %d\n", run.rowCount);
    text += FormatC("Fit mode:    %s\n\n", ModeName(run.mode));
    text += " Row   MAF (g/s)   Fit response    % error  Flow error %\n";
    for (std::size_t row = 0; row < run.rows.size(); ++row)
        text += FormatC("%4zu  %10s  %13s  %9s  %12s\n", row, run.rows[row].maf.c_str(),
                        run.rows[row].fit.c_str(), run.rows[row].error.c_str(),
                        FlowErrorText(verdict, row).c_str());
    text += "\nResponse = A + B * flow^C\n";
    text += "A = " + run.a + "\nB = " + run.b + "\nC = " + run.c + "\n";
    return text + FormatVerdictBlock(calibration, verdict);
}

std::string FormatRunJson(const RunResult& run, const Calibration& calibration,
                          const Verdict& verdict, const std::string& moreMembers)
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
    return json + "]}" + FormatVerdictJson(calibration, verdict) + moreMembers + "}\n";
}

} // namespace tovarin
