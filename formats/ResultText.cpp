#include "ResultText.h"

#include "JsonText.h"
#include "ModelText.h"
#include "NumberText.h"
#include "VerdictText.h"

namespace tovarin {

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

std::string FormatRunTable(const Reduction& run, const ResultFieldTexts& fields,
                           const Verdict& verdict)
{
    const MeasurementSet& set = run.set;
    std::string text;
    if (!set.meterType.empty())
        text += "Meter type:  " + set.meterType + "\n";
    // The command refuses a unit or kind the lists do not have.
    text += FormatC("Flow unit:   %s\n", set.flowUnit ? FlowUnitLabel(*set.flowUnit) : "");
    text +=
        FormatC("Response:    %s\n", set.responseKind ? ResponseKindLabel(*set.responseKind) : "");
    text += FormatC("Rows in use: %d\n", set.rowCount);
    text += FormatC("Fit mode:    %s\n\n", ModeName(ModeOf(run)));
    text += " Row   MAF (g/s)   Fit response    % error  Flow error %\n";
    for (std::size_t row = 0; row < static_cast<std::size_t>(set.rowCount); ++row)
        text += FormatC("%4zu  %10s  %13s  %9s  %12s\n", row, fields.rows[row].maf.c_str(),
                        fields.rows[row].fit.c_str(), fields.rows[row].errorPct.c_str(),
                        FlowErrorText(verdict, row).c_str());
    if (run.model.kind == ModelKind::King) {
        text += "\nResponse = A + B * flow^C\n";
        text += "A = " + fields.a + "\nB = " + fields.b + "\nC = " + fields.c + "\n";
    } else {
        text += std::string("\nModel: ") + ModelName(run.model.kind) + " (" +
                ModelTitle(run.model.kind) + ")\n" + ModelParametersText(run.model) + "\n";
    }
    return text + FormatVerdictBlock(run, verdict) + ModelComparisonText(run, verdict);
}

std::string FormatRunJson(const Reduction& run, const ResultFieldTexts& fields,
                          const Verdict& verdict, const std::string& moreMembers)
{
    std::string json = "{\"rowCount\": " + std::to_string(run.set.rowCount);
    json += ", \"mode\": " + JsonString(ModeName(ModeOf(run)));
    // Without a fit there are no coefficients: null, as for one that is not finite.
    const auto coefficient = [&](double value) {
        return run.outcome.fitted ? JsonNumber(value) : std::string("null");
    };
    json += ", \"a\": " + coefficient(run.coefficients.a);
    json += ", \"b\": " + coefficient(run.coefficients.b);
    json += ", \"c\": " + coefficient(run.coefficients.c);
    json += ", \"fields\": {\"A\": " + JsonString(fields.a) + ", \"B\": " + JsonString(fields.b) +
            ", \"C\": " + JsonString(fields.c) + ", \"rows\": [";
    for (std::size_t row = 0; row < static_cast<std::size_t>(run.set.rowCount); ++row) {
        const RowFieldTexts& texts = fields.rows[row];
        json += row ? ", " : "";
        json += "{\"maf\": " + JsonString(texts.maf) + ", \"fit\": " + JsonString(texts.fit) +
                ", \"error\": " + JsonString(texts.errorPct) + "}";
    }
    return json + "]}" + FormatVerdictJson(run, verdict) + ModelsJson(run) + moreMembers + "}\n";
}

} // namespace tovarin
